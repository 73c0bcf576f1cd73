#pragma once
// What writes cut off by a kill, a crash or a power cut left beside a file, sorted by what it is
// worth. Only side files of writers that no longer run count (SideFiles.h). The next writer of
// the file and its next read (CutOffWrite) sort them alike:
// - worthless: temporaries; copies whose bytes the file holds anyway (their write never touched
//   the file, or finished); the new bytes of a write that never began on the file.
// - cut off: the whole copies of a rewrite of the file itself that was cut off, so that the file
//   may be torn: the copy of its bytes from before (the oldest, if cut-off writes followed each
//   other) and the newest whole new bytes, where they survive.
// - earlier: whole copies of what the file held before it was written whole again.

#include <string>
#include <vector>

namespace kiv {

struct LeftBehind {
    std::vector<std::string> worthless;
    std::vector<std::string> cutOff;
    std::string oldCopy; // of the cut-off ones; empty when the file is not torn
    std::string newCopy; // of the cut-off ones; may be empty
    std::vector<std::string> earlier;

    // Looks beside `target` (the file a name leads to); changes nothing.
    static LeftBehind of(const std::string& target);
    // Gives the copies of earlier versions names that say so, and only then removes what is
    // worthless, among it the new bytes that told that the file was written whole since.
    void tidy(const std::string& target);
};

} // namespace kiv
