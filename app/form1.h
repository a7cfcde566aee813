#pragma once

#include <string>
#include <vector>

#include "app/platform.h"

namespace tarvin {

// The text shown instead of deleting anything when the user is not an administrator.
inline constexpr wchar_t kNotAdministratorMessage[] = L"管理者権限が無い為、削除できません";

// The behaviour of the main window, written against the platform's list
// boxes, registry, accounts, message boxes and pointer, so that it runs the
// same on Windows and against the in-memory stand-ins of the tests.
class Form1 {
public:
    explicit Form1(const Platform& platform)
        : List1(platform.list1),
          List2(platform.list2),
          platform_(platform) {}

    // Runs once, before the window is first shown: empties both lists and
    // fills the registered list with the display names of the entries under
    // the current user's vendor key. A failure to read them has been reported
    // to the user; whatever was read before it is listed.
    void Form_Load();

    // A move button: index 0 (">") and 2 (">>") move from the registered list
    // to the delete list, 1 ("<") and 3 ("<<") back; 0 and 1 move the selected
    // lines, 2 and 3 every line. The direction comes from the button alone.
    void Command2_Click(int index);

    // The run-deletion button: refuses a user who is not an administrator with
    // a message and changes nothing. Otherwise, under the busy pointer, deletes
    // the entries on the delete list as it stands when the button is pressed,
    // under the current user's hive, then under the machine's, and empties the
    // delete list, whatever failed on the way. The registered list is not read
    // again.
    void Command3_Click();

    // Deletes the keys of these entries under hive's vendor key, in the order
    // given, reporting failures.
    void DeleteInfomation(Hive hive, const std::vector<std::wstring>& chosen);

    // The entry names of the delete list's lines, from the last line to the
    // first: the order in which they are deleted.
    std::vector<std::wstring> ChosenEntries() const;

    // The entry name that line `entry` of either list was listed from.
    const std::wstring& EntryName(EntryId entry) const { return entryNames_.at(entry); }

    ProductList& List1;  // registered list
    ProductList& List2;  // delete list

private:
    Platform platform_;
    // The entry names read at start, kept for the window's lifetime: every line
    // of either list refers to one of them by its index.
    std::vector<std::wstring> entryNames_;
};

}  // namespace tarvin
