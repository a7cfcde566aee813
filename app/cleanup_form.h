#pragma once

#include <optional>
#include <string>
#include <vector>

#include "access/account_directory.h"
#include "access/desk_shell.h"
#include "common/user_interface.h"
#include "products/list_box.h"
#include "products/move_items.h"
#include "registry/registry.h"

namespace tarvin {

// What CleanupForm works with. Everything referred to outlives the CleanupForm.
struct CleanupFormCollaborators {
    ListBox& registeredList;
    ListBox& deleteList;
    Registry& registry;
    AccountDirectory& accounts;
    DeskShell& deskShell;
    UserInterface& ui;
};

// Where a move takes lines: to the delete list, or back to the registered list.
enum class MoveTo { DeleteList, RegisteredList };

// The behaviour of the main window: every button's handler, and what the user
// sees of each. Written against the window's list boxes, the registry, the
// accounts and the user interface, so that it runs the same on Windows and
// against the in-memory stand-ins of the tests.
class CleanupForm {
public:
    explicit CleanupForm(const CleanupFormCollaborators& with)
        : registeredList_(with.registeredList),
          deleteList_(with.deleteList),
          registry_(with.registry),
          accounts_(with.accounts),
          deskShell_(with.deskShell),
          ui_(with.ui) {}

    // Runs once, before the window is first shown: empties both lists and
    // fills the registered list with the display names of the entries under
    // the vendor key of the person at the desk (FindDesktopUser): in their
    // hive below HKEY_USERS, or HKEY_CURRENT_USER's when there is no shell
    // and the session names no user. The caption names them when they are not
    // the account TARVIN runs as. A failure to read the entries is reported as
    // "(RegOpenKeyEx)"; whatever was read before it is listed. When their SID
    // cannot be had or is no person's, that is reported, nothing is listed,
    // and no user's hive is deleted in.
    void OnLoad();

    // A move button: moves the selected lines, or every line, to the delete
    // list or back to the registered list (MoveItems).
    void OnMove(MoveTo to, Lines lines);

    // The run-deletion button: refuses a user who is not an administrator with
    // a message (after the failure, if the check failed) and changes nothing.
    // Otherwise deletes the entries on the delete list as it stands when the
    // button is pressed, under the desk user's hive (the one listed), then
    // under the machine's, and empties the delete list, whatever failed on
    // the way. A line that TARVIN did not write is reported, one message
    // each, and deletes nothing. The registered list is not read again.
    void OnRunDeletion();

    // The exit button: closes the window, during a command once it has ended.
    void OnExit();

private:
    // Deletes, below vendorKey, the keys of these entries, in the order
    // given. Each key gets one attempt, without recursion: a key that has
    // subkeys stays. Every failure but kErrorInvalidParameter is reported as
    // "(RegDeleteKey)" and the walk goes on; an empty name, which would stand
    // for the vendor key itself, is refused as kErrorInvalidName. A vendor key
    // that does not exist is passed over in silence; one that exists but does
    // not open is reported as "(RegOpenKeyEx)". The vendor key is closed
    // again on return.
    void DeleteEntriesUnder(const KeyLocation& vendorKey, const std::vector<std::wstring>& entryNames);

    // The delete list as the deletion reads it, from its last line to its
    // first: the order in which they are deleted.
    struct DeleteListContents {
        std::vector<std::wstring> entryNames;  // of the lines TARVIN wrote
        std::vector<std::wstring> otherLines;  // the texts of all other lines
    };
    DeleteListContents ReadDeleteList() const;

    // The index in entryNames_ of the entry that a line claims; none for a
    // line whose item data or text is not what TARVIN wrote for one.
    std::optional<std::size_t> EntryClaimedBy(EntryId entry, const std::wstring& text) const;
    // The index in entryNames_ that an entry id names; none for kNoEntry and
    // for ids past the last entry.
    std::optional<std::size_t> IndexOf(EntryId entry) const;

    ListBox& registeredList_;
    ListBox& deleteList_;
    Registry& registry_;
    AccountDirectory& accounts_;
    DeskShell& deskShell_;
    UserInterface& ui_;
    // The vendor key below the desk user's hive; none when that is not known.
    std::optional<KeyLocation> userVendorKey_;
    // The entry names read at start, kept for the window's lifetime: every line
    // that TARVIN writes to either list refers to one of them.
    std::vector<std::wstring> entryNames_;
};

}  // namespace tarvin
