#pragma once
// What a replaced file must keep besides its bytes: its permissions and its extended attributes,
// the access control list among them.

#include <string>

#include <sys/types.h>

namespace kiv::fileAttributes {

// The permissions a new file gets: 0666 less the process's umask.
mode_t newFileMode();

// Makes the open file `to` carry the permissions and exactly the extended attributes of the file
// `from`. The access control list is set after the permissions, so that the group bits come
// back to what they were and never widen to the list's mask. False with errno set when the file system or the user's rights refuse one.
bool copy(const std::string& from, int to);

} // namespace kiv::fileAttributes
