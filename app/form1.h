#pragma once

#include <optional>
#include <string>
#include <vector>

#include "access/account_directory.h"
#include "common/user_interface.h"
#include "products/list_box.h"
#include "registry/registry.h"

namespace tarvin {

// What Form1 works with. Everything referred to outlives the Form1.
struct Form1Collaborators {
    ListBox& list1;  // registered list
    ListBox& list2;  // delete list
    Registry& registry;
    AccountDirectory& accounts;
    UserInterface& ui;
};

// The delete list as the deletion reads it, from its last line to its first.
struct DeleteListContents {
    std::vector<std::wstring> entryNames;  // of the lines TARVIN wrote
    std::vector<std::wstring> otherLines;  // the texts of all other lines
};

// The behaviour of the main window: every button's handler, and what the user
// sees of each. Written against the window's list boxes, the registry, the
// accounts and the user interface, so that it runs the same on Windows and
// against the in-memory stand-ins of the tests.
class Form1 {
public:
    explicit Form1(const Form1Collaborators& with)
        : List1(with.list1),
          List2(with.list2),
          registry_(with.registry),
          accounts_(with.accounts),
          ui_(with.ui) {}

    // Runs once, before the window is first shown: empties both lists and
    // fills the registered list with the display names of the entries under
    // the vendor key of the person at the desk (FindDesktopUser): in their
    // hive below HKEY_USERS, or HKEY_CURRENT_USER's when the session names no
    // user. The caption names them when they are not the account TARVIN runs
    // as. A failure to read the entries is reported as "(RegOpenKeyEx)";
    // whatever was read before it is listed. When their SID cannot be had,
    // that is reported, nothing is listed, and no user's hive is deleted in.
    void Form_Load();

    // A move button, by its Index in the control array Command2: 0 (">") and
    // 1 ("<") move the selected lines, 2 (">>") and 3 ("<<") every line; ">"
    // and ">>" to the delete list, "<" and "<<" back. Any other index moves nothing.
    void Command2_Click(int index);

    // The run-deletion button: refuses a user who is not an administrator with
    // a message (after the failure, if the check failed) and changes nothing.
    // Otherwise deletes the entries on the delete
    // list as it stands when the button is pressed, under the current user's
    // hive (the one listed), then under the machine's, and empties the delete list, whatever
    // failed on the way. A line that TARVIN did not write is reported, one
    // message each, and deletes nothing. The registered list is not read again.
    void Command3_Click();

    // The exit button: closes the window, during a command once it has ended.
    void Command4_Click();

    // Deletes, below vendorKey, the keys of these entries, in the
    // order given. Each key gets one attempt, without recursion: a key that
    // has subkeys stays. Every failure but kErrorInvalidParameter is reported
    // as "(RegDeleteKey)" and the walk goes on; an empty name, which would
    // stand for the vendor key itself, is refused as kErrorInvalidName. A
    // vendor key that does not exist is passed over in silence; one that
    // exists but does not open is reported as "(RegOpenKeyEx)". The vendor
    // key is closed again on return.
    void DeleteInfomation(const KeyLocation& vendorKey, const std::vector<std::wstring>& entryNames);

    // The delete list's lines, from the last to the first: the order in which
    // they are deleted.
    DeleteListContents ReadDeleteList() const;

    ListBox& List1;  // registered list
    ListBox& List2;  // delete list

private:
    std::optional<std::size_t> EntryClaimedBy(EntryId entry, const std::wstring& text) const;

    Registry& registry_;
    AccountDirectory& accounts_;
    UserInterface& ui_;
    // The vendor key below the desk user's hive; none when that is not known.
    std::optional<KeyLocation> userVendorKey_;
    // The entry names read at start, kept for the window's lifetime: every line
    // that TARVIN writes to either list refers to one of them.
    std::vector<std::wstring> entryNames_;
};

}  // namespace tarvin
