#include "access/desktop_user.h"

namespace tarvin {

bool FindDesktopUser(AccountDirectory& directory, DesktopUser& user, DirectoryFailure& failure) {
    if (!directory.SessionUserSid(user.sid, failure)) return false;
    if (!user.sid.empty() && user.sid != directory.ProcessUserSid()) {
        user.otherAccount = directory.AccountName(user.sid);
    }
    return true;
}

}  // namespace tarvin
