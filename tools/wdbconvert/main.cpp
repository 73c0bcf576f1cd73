// kiv_wdbconvert FOLDER SHORES BORDERS RIVERS SHORES_1000 SHORES_100 SHORES_10: the World Data
// Bank segment files of the default data from the text files of `gmt coast -M` (-W, -Na, -Ia,
// and -W with -A for each of the shore areas). A missing input file counts as empty.
// kiv_wdbconvert areas: prints those areas in km², one a line, for the extraction.
#include "tools/wdbconvert/GshhgLines.h"

#include <cstdio>
#include <cstring>
#include <fstream>

namespace {

std::vector<kiv::gshhg::Line> read(const char* path, kiv::gshhg::Feature feature)
{
    std::ifstream in(path);
    return kiv::gshhg::readLines(in, feature);
}

} // namespace

int main(int argc, char** argv)
{
    using namespace kiv::gshhg;
    if (argc == 2 && std::strcmp(argv[1], "areas") == 0) {
        for (const int area : kShoreRankAreas)
            std::printf("%d\n", area);
        return 0;
    }
    if (argc != 5 + static_cast<int>(kShoreRankAreas.size())) {
        std::fprintf(stderr, "usage: %s FOLDER SHORES BORDERS RIVERS SHORES_1000 SHORES_100 SHORES_10\n"
                             "       %s areas\n",
                     argv[0], argv[0]);
        return 2;
    }
    std::vector<std::vector<Line>> larger;
    for (std::size_t i = 0; i < kShoreRankAreas.size(); ++i)
        larger.push_back(read(argv[5 + i], Feature::Shore));
    std::vector<Line> shores = read(argv[2], Feature::Shore);
    gradeByArea(shores, larger);

    FileSet files;
    std::size_t points = 0, lines = 0;
    for (const std::vector<Line>& part : {std::move(shores), read(argv[3], Feature::Border), read(argv[4], Feature::River)}) {
        for (const Line& line : part)
            points += line.points.size();
        lines += part.size();
        addLines(part, files);
    }
    if (!saveFiles(files, argv[1]))
        return 1;
    std::printf("World Data Bank files: %zu lines, %zu points\n", lines, points);
    return 0;
}
