// kiv_wdbconvert FOLDER SHORES BORDERS RIVERS: the World Data Bank segment files of the default
// data from the three text files of `gmt coast -M` (-W, -Na, -Ia). A missing input file counts
// as empty.
#include "tools/wdbconvert/GshhgLines.h"

#include <cstdio>
#include <fstream>

int main(int argc, char** argv)
{
    using namespace kiv::gshhg;
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s FOLDER SHORES BORDERS RIVERS\n", argv[0]);
        return 2;
    }
    const Feature features[] = {Feature::Shore, Feature::Border, Feature::River};
    FileSet files;
    std::size_t points = 0, lines = 0;
    for (int i = 0; i < 3; ++i) {
        std::ifstream in(argv[2 + i]);
        const std::vector<Line> read = readLines(in, features[i]);
        for (const Line& line : read)
            points += line.points.size();
        lines += read.size();
        addLines(read, files);
    }
    if (!saveFiles(files, argv[1]))
        return 1;
    std::printf("World Data Bank files: %zu lines, %zu points\n", lines, points);
    return 0;
}
