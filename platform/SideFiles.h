#pragma once
// The files the atomic writer keeps beside a file while it writes it, and how a later writer or
// reader tells them apart. Each name carries its writer's process id, for uniqueness only:
// whether the writer still runs is told by the lock it holds on its side files (FileLock).
//   "<target>.kiv-<pid>-<random>"      a temporary: the new bytes, or a copy of the old bytes
//                                      still being made. Worth nothing once its writer is gone.
//   "<target>.kiv-old-<pid>-<random>"  a whole, synced copy of the old bytes. It exists only
//                                      while the writer rewrites the file itself, so one left by
//                                      a writer that is gone may hold the only whole copy.
//   "<target>.kiv-new-<pid>-<random>"  the whole, synced new bytes of a rewrite of the file
//                                      itself, beside its copy of the old bytes.
//   "<target>.kiv-earlier-<pid>-<random>"  a copy of either kind that a cut-off write left, kept
//                                      after the file was written whole again.

#include <string>
#include <vector>

#include <sys/types.h>

namespace kiv::sideFiles {

enum class Kind { Temporary, OldCopy, NewCopy, EarlierCopy };

// The file a name leads to: itself, or the end of the symbolic links it is, which must exist.
// False with errno set when the links lead nowhere.
bool finalTarget(const std::string& name, std::string& target);

// "<target>.kiv-<this process's id>-": a random number makes it a temporary's name.
std::string temporaryPrefix(const std::string& target);
// The name of kind `kind` that the side file `side` of `target` takes.
std::string renamed(const std::string& target, const std::string& side, Kind kind);

struct SideFile {
    std::string path;
    pid_t writer = 0;
    Kind kind = Kind::Temporary;
};

// The side files of `target` whose writers no longer run (nobody holds their lock), in the order
// of their names.
std::vector<SideFile> leftBehind(const std::string& target);

} // namespace kiv::sideFiles
