#pragma once
// What a replaced file must keep besides its bytes: its permissions and its extended attributes,
// the access control list among them.

#include <string>

#include <sys/types.h>

namespace kiv::fileAttributes {

// The permissions a new file gets: 0666 less the process's umask.
mode_t newFileMode();

// Makes the open file `to` carry the permissions and exactly the extended attributes of the file
// `from`, granting nobody at any step more than `from` does. The access control list comes
// before the permissions: setting it gives the file the list's rights at once, and the
// permissions, whose group bits are then the list's mask, change none of them; the other way
// round, the owning group would hold the mask's rights until the list arrives. False with errno
// set when the file system or the user's rights refuse one.
bool copy(const std::string& from, int to);

} // namespace kiv::fileAttributes
