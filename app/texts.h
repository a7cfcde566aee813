#pragma once

// The program's own texts and names, as the user and other programs see them.
// The controls' captions and tooltips stand in their layout (app/win32/layout.h).

namespace tarvin {

// The caption of every message box.
inline constexpr wchar_t kProgramTitle[] = L"TARVIN";

// The main window's caption, and its window class, by which other programs find it.
inline constexpr wchar_t kWindowCaption[] = L"QIRA情報削除";
inline constexpr wchar_t kMainWindowClass[] = L"TARVIN.MainWindow";

// Where the product entries live below each hive.
inline constexpr wchar_t kVendorKeyPath[] = L"Software\\Norvale\\QZ";

// Shown instead of deleting anything when the user is not an administrator.
inline constexpr wchar_t kNotAdministratorMessage[] = L"管理者権限が無い為、削除できません";
// Followed by the line: a line of the delete list that TARVIN did not write,
// and so did not delete.
inline constexpr wchar_t kNotListedMessage[] = L"一覧から読み取った項目ではないため、削除しませんでした: ";

// The labels of the window's failed calls, each directly followed by the
// system's text for the failure. Those of the registry's, the accounts' and
// the tooltips' calls come with their failures (registry/registry.h,
// access/win32, app/win32/tooltips.cpp).
inline constexpr wchar_t kRegisterClassLabel[] = L"(RegisterClassEx)";
inline constexpr wchar_t kCreateWindowLabel[] = L"(CreateWindowEx)";

// Why the session cannot end yet, while a command runs: Windows shows it on
// its screen of the programs that keep the session from ending.
inline constexpr wchar_t kLoadingReason[] = L"QIRA 情報を読み込んでいます。";
inline constexpr wchar_t kMovingReason[] = L"一覧を更新しています。";
inline constexpr wchar_t kDeletingReason[] = L"QIRA 情報を削除しています。";

}  // namespace tarvin
