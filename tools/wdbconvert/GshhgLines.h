#pragma once
// Turns the shorelines, borders and rivers that GMT's `coast -M` prints from the GSHHG data set
// into World Data Bank segment files: one file per continent and kind, ranks from the GSHHG
// levels and, for shorelines, the area of their polygon. The text is multi-segment ASCII: a
// header line "> Shore Bin # n, Level L" (or "Border", "River") before each line, then
// "lon lat" per point, longitudes 0..360.

#include "views2d/WDBSegmentWriter.h"

#include <array>
#include <istream>
#include <string>
#include <vector>

namespace kiv::gshhg {

enum class Feature { Shore, Border, River };

struct Line {
    int kind = 0; // kiv::wdb::Kind
    int rank = 0;
    std::vector<wdb::ArcPoint> points;
};

// Shorelines of every level (coast and island, lake, island in a lake, pond in such an island)
// are graded by the area of their polygon, as the coast layers 4..7 name them: cil rank 1
// "Coastline and major lakes" from 1000 km², rank 2 "Additional islands and lakes" from 100 km²,
// rank 3 "Intermed. islands and lakes" from 10 km², rank 4 "Minor islands and lakes" below.
// GMT tells the areas only by leaving smaller polygons out (`coast -A<km²>`), so a line gets
// the rank of the largest threshold whose extraction still holds it.
constexpr std::array<int, 3> kShoreRankAreas = {1000, 100, 10}; // km², ranks 1..3
constexpr int kMinorShoreRank = 4;

// The kind and rank of a GSHHG level, or rank 0 when the level has no place.
//   shore  1..4 -> cil kMinorShoreRank until graded by area
//   border 1 national -> bdy 1, 2 state -> pby 1, 3 marine -> bdy 3
//   river  0 double-lined -> riv 5, 1..4 -> riv 1..4, 5 -> 6, 6 -> 7, 7 -> 8, 8 -> 10,
//          9 -> 11, 10 -> 13
std::pair<int, int> kindAndRank(Feature feature, int level);

// Reads the lines of one feature. Longitudes become -180..180, and a line is cut where a step
// jumps more than 180 degrees (the date line); pieces of fewer than two points are dropped.
std::vector<Line> readLines(std::istream& in, Feature feature);

// Lowers each shoreline's rank to 1 + i for the first larger[i] that holds the same line, where
// larger[i] are the shorelines of polygons of at least kShoreRankAreas[i] km².
void gradeByArea(std::vector<Line>& shores, const std::vector<std::vector<Line>>& larger);

// The continent (index into kiv::wdb::kContinentNames) of a line, by its first point:
// the Americas west of 30°W split at 12°N (south of 60°S counts with South America),
// Europe and Africa between 30°W and 60°E split at 35°N (Arabia east of 35°E with Asia),
// everything east of 60°E with Asia.
int continentOf(const Line& line);

// The twenty files' writers, [continent][kind].
using FileSet = std::array<std::array<wdb::WDBSegmentWriter, 4>, 5>;
void addLines(const std::vector<Line>& lines, FileSet& files);
// Writes all twenty files into the folder; false when one cannot be written.
bool saveFiles(const FileSet& files, const std::string& folder);

} // namespace kiv::gshhg
