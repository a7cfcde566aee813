#pragma once

#include <string>
#include <vector>

#include "app/platform.h"

namespace tarvin {

// The text shown instead of deleting anything when the user is not an administrator.
inline constexpr wchar_t kNotAdministratorMessage[] = L"管理者権限が無い為、削除できません";
// Followed by the line: a line of the delete list that TARVIN did not write,
// and so did not delete.
inline constexpr wchar_t kNotListedMessage[] = L"一覧から読み取った項目ではないため、削除しませんでした: ";

// The delete list as the deletion reads it, from its last line to its first.
struct DeleteListContents {
    std::vector<std::wstring> entryNames;  // of the lines TARVIN wrote
    std::vector<std::wstring> otherLines;  // the texts of all other lines
};

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
    // delete list, whatever failed on the way. A line that TARVIN did not
    // write is reported, one message each, and deletes nothing. The registered
    // list is not read again.
    void Command3_Click();

    // Deletes the keys of these entries under hive's vendor key, in the order
    // given, reporting failures.
    void DeleteInfomation(Hive hive, const std::vector<std::wstring>& chosen);

    // The delete list's lines, from the last to the first: the order in which
    // they are deleted.
    DeleteListContents ReadDeleteList() const;

    ProductList& List1;  // registered list
    ProductList& List2;  // delete list

private:
    Platform platform_;
    // The entry names read at start, kept for the window's lifetime: every line
    // that TARVIN writes to either list refers to one of them.
    std::vector<std::wstring> entryNames_;
};

}  // namespace tarvin
