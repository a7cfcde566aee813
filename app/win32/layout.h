#pragma once

#include <windows.h>

#include "app/cleanup_form.h"
#include "app/control_ids.h"
#include "app/texts.h"

namespace tarvin {

enum class ControlKind { Label, List, Button };

// What a button does when it is clicked: a handler of CleanupForm's, run as a
// command of the window (one at a time, under the busy pointer, with the end
// of the session held back for sessionEndReason); or, with no reason, at once.
struct ButtonAction {
    const wchar_t* sessionEndReason;
    void (*run)(CleanupForm& form);
};

// One child control of the main window, placed in twips (1/1440 inch)
// relative to the client area's top left corner; a button with what it does.
struct ControlLayout {
    int id;
    ControlKind kind;
    const wchar_t* caption;
    int left, top, width, height;
    const wchar_t* tooltip = nullptr;  // null: none
    ButtonAction action = {};
};

// A control's place in pixels, relative to the client area.
struct PixelPlacement {
    int x, y, width, height;
};

// The window's client size in twips.
inline constexpr int kClientWidthTwips = 4740;
inline constexpr int kClientHeightTwips = 5190;

// The controls in child-window order, which is also the Tab order of those
// that take the focus. Each label stands directly before its list, so that
// assistive tools name the list after it. The exit button's click is no
// command: it takes effect as soon as no command runs.
inline constexpr ControlLayout kControls[] = {
    {kRegisteredLabel, ControlKind::Label, L"現在の登録ソフト", 120, 120, 1815, 255},
    {kRegisteredList, ControlKind::List, L"", 120, 480, 1935, 4020},
    {kDeleteListLabel, ControlKind::Label, L"削除リスト", 2640, 120, 1575, 255},
    {kDeleteList, ControlKind::List, L"", 2640, 480, 1935, 4020},
    {kMoveSelected, ControlKind::Button, L">", 2160, 1680, 375, 375, L"選択を削除リストに移動",
     {kMovingReason, [](CleanupForm& form) { form.OnMove(MoveTo::DeleteList, Lines::Selected); }}},
    {kMoveSelectedBack, ControlKind::Button, L"<", 2160, 2160, 375, 375, L"選択を選択リストに戻す",
     {kMovingReason, [](CleanupForm& form) { form.OnMove(MoveTo::RegisteredList, Lines::Selected); }}},
    {kMoveAll, ControlKind::Button, L">>", 2160, 1200, 375, 375, L"全てを削除リストに移動",
     {kMovingReason, [](CleanupForm& form) { form.OnMove(MoveTo::DeleteList, Lines::All); }}},
    {kMoveAllBack, ControlKind::Button, L"<<", 2160, 2640, 375, 375, L"全てを選択リストに戻す",
     {kMovingReason, [](CleanupForm& form) { form.OnMove(MoveTo::RegisteredList, Lines::All); }}},
    {kRunDeletionButton, ControlKind::Button, L"削除の実行", 120, 4680, 2175, 375,
     L"削除リストのＱＩＲＡ情報をご使用のＰＣから削除します",
     {kDeletingReason, [](CleanupForm& form) { form.OnRunDeletion(); }}},
    {kExitButton, ControlKind::Button, L"終了", 2400, 4680, 2175, 375, L"このプログラムを終了します",
     {nullptr, [](CleanupForm& form) { form.OnExit(); }}},
};

// Converts twips to pixels at dpi dots per inch.
inline int TwipsToPixels(int twips, int dpi) {
    return MulDiv(twips, dpi, 1440);
}

// Where control goes at dpi dots per inch.
inline PixelPlacement PlacementAt(const ControlLayout& control, int dpi) {
    return {TwipsToPixels(control.left, dpi), TwipsToPixels(control.top, dpi),
            TwipsToPixels(control.width, dpi), TwipsToPixels(control.height, dpi)};
}

}  // namespace tarvin
