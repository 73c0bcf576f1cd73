// What a kill at each step of a rewrite leaves, and what the next start says about it: a 16.6 MB
// element file of 112,000 sets with a second name (a hard link) loses its second set, as the
// satellite data dialog's delete does, and the writing process is killed before each step in
// turn. For each: what both names hold, the side files left, and the boxes of a document started
// over the folder afterwards (answered Cancel, so that nothing changes), with the satellites it
// loaded. Usage: cut_off_write [sets]
#include "bench/files/CutOffFolder.h"
#include "platform/AtomicFile.h"
#include "tests/support/FileChangeTrap.h"

#include <cstdio>
#include <cstdlib>
#include <string>

using namespace kiv;
using namespace kiv::test;

int main(int argc, char** argv)
{
    const int sets = argc > 1 ? std::atoi(argv[1]) : 112000;
    const ElementVersions versions = elementVersions(sets);
    std::vector<Step> steps;
    {
        CutOffFolder folder;
        folder.start(versions.elements);
        steps = stepsOf([&] { AtomicFile::write(folder.path("sats.tle"), versions.newBytes); }, folder.target());
    }

    std::printf("%d sets, %lld bytes; new contents %lld bytes\n\n", sets, static_cast<long long>(versions.oldBytes.size()),
                static_cast<long long>(versions.newBytes.size()));
    std::printf("| killed before | sats.tle | other.tle | side files left | the next start says |\n|---|---|---|---|---|\n");
    for (const Step& step : steps) {
        CutOffFolder folder;
        folder.start(versions.elements);
        runUntilKilled([&] { AtomicFile::write(folder.path("sats.tle"), versions.newBytes); },
                       [&](const FileChange& change) { return change.count == step.count; });
        const std::string names = folder.names(versions);
        const std::string sides = folder.sideFiles();
        std::printf("| %d: %s | %s | %s | %s |\n", step.count, step.what.c_str(), names.c_str(), sides.c_str(),
                    folder.nextStart(MessageAnswer::Cancel, 0).c_str());
    }
    return 0;
}
