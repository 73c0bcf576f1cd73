#pragma once
// The files the atomic writer keeps beside a file while it writes it, and how a later writer or
// reader tells them apart. Both carry the process id of their writer:
//   "<target>.kiv-<pid>-<random>"      a temporary: the new bytes, or a copy of the old bytes
//                                      still being made. Worth nothing once its writer is gone.
//   "<target>.kiv-old-<pid>-<random>"  a whole, synced copy of the old bytes. It exists only
//                                      while the writer rewrites the file itself, so one left by
//                                      a writer that is gone may hold the only whole copy.

#include <string>
#include <vector>

#include <sys/types.h>

namespace kiv::sideFiles {

// The file a name leads to: itself, or the end of the symbolic links it is, which must exist.
// False with errno set when the links lead nowhere.
bool finalTarget(const std::string& name, std::string& target);

// "<target>.kiv-<this process's id>-": a random number makes it a temporary's name.
std::string temporaryPrefix(const std::string& target);
// The name a whole copy of the old bytes takes, from the temporary it was made in.
std::string oldCopyName(const std::string& target, const std::string& temporary);

struct SideFile {
    std::string path;
    pid_t writer = 0;
    bool oldCopy = false;
};

// The side files of `target` whose writers no longer run, in the order of their names.
std::vector<SideFile> leftBehind(const std::string& target);

} // namespace kiv::sideFiles
