#include "tools/wdbconvert/GshhgLines.h"

#include "views2d/WDBSegmentFile.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>
#include <tuple>

namespace kiv::gshhg {

namespace {

std::int32_t arcSeconds(double degrees) { return static_cast<std::int32_t>(std::lround(degrees * 3600.0)); }

int levelOf(const std::string& header)
{
    const std::size_t at = header.find("Level");
    if (at == std::string::npos)
        return -1;
    return std::atoi(header.c_str() + at + 5);
}

} // namespace

std::pair<int, int> kindAndRank(Feature feature, int level)
{
    switch (feature) {
    case Feature::Shore:
        return {wdb::Cil, level >= 1 && level <= 4 ? kMinorShoreRank : 0};
    case Feature::Border:
        if (level == 1)
            return {wdb::Bdy, 1};
        if (level == 2)
            return {wdb::Pby, 1};
        if (level == 3)
            return {wdb::Bdy, 3};
        return {wdb::Bdy, 0};
    case Feature::River: {
        constexpr int ranks[] = {5, 1, 2, 3, 4, 6, 7, 8, 10, 11, 13};
        return {wdb::Riv, level >= 0 && level <= 10 ? ranks[level] : 0};
    }
    }
    return {0, 0};
}

std::vector<Line> readLines(std::istream& in, Feature feature)
{
    std::vector<Line> lines;
    Line current;
    bool wanted = false;
    double lastLon = 0.0;
    auto finish = [&] {
        if (wanted && current.points.size() >= 2)
            lines.push_back(current);
        current.points.clear();
    };
    std::string text;
    while (std::getline(in, text)) {
        if (text.empty() || text[0] == '#')
            continue;
        if (text[0] == '>') {
            finish();
            const auto [kind, rank] = kindAndRank(feature, levelOf(text));
            current.kind = kind;
            current.rank = rank;
            wanted = rank != 0;
            continue;
        }
        double lon = 0.0, lat = 0.0;
        std::istringstream fields(text);
        if (!(fields >> lon >> lat) || !std::isfinite(lon) || !std::isfinite(lat))
            continue;
        while (lon > 180.0)
            lon -= 360.0;
        while (lon < -180.0)
            lon += 360.0;
        if (!current.points.empty() && std::fabs(lon - lastLon) > 180.0) {
            const int kind = current.kind, rank = current.rank;
            finish();
            current.kind = kind;
            current.rank = rank;
        }
        current.points.push_back({arcSeconds(lon), arcSeconds(lat)});
        lastLon = lon;
    }
    finish();
    return lines;
}

void gradeByArea(std::vector<Line>& shores, const std::vector<std::vector<Line>>& larger)
{
    const auto byPoints = [](const std::vector<wdb::ArcPoint>& a, const std::vector<wdb::ArcPoint>& b) {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](wdb::ArcPoint p, wdb::ArcPoint q) {
            return std::tie(p.x, p.y) < std::tie(q.x, q.y);
        });
    };
    std::map<std::vector<wdb::ArcPoint>, int, decltype(byPoints)> rankOf(byPoints);
    for (std::size_t i = 0; i < larger.size(); ++i)
        for (const Line& line : larger[i])
            rankOf.emplace(line.points, static_cast<int>(i) + 1);
    for (Line& line : shores) {
        const auto found = rankOf.find(line.points);
        if (found != rankOf.end())
            line.rank = std::min(line.rank, found->second);
    }
}

int continentOf(const Line& line)
{
    enum { Africa, Europe, NAmerica, SAmerica, Asia };
    const double lon = line.points.front().x / 3600.0;
    const double lat = line.points.front().y / 3600.0;
    if (lat < -60.0)
        return SAmerica;
    if (lon < -30.0)
        return lat >= 12.0 ? NAmerica : SAmerica;
    if (lon >= 60.0)
        return Asia;
    if (lat >= 35.0)
        return Europe;
    if (lon >= 35.0 && lat >= 12.0)
        return Asia;
    return Africa;
}

void addLines(const std::vector<Line>& lines, FileSet& files)
{
    for (const Line& line : lines)
        files[continentOf(line)][line.kind].add(line.rank, line.points);
}

bool saveFiles(const FileSet& files, const std::string& folder)
{
    for (std::size_t c = 0; c < files.size(); ++c)
        for (std::size_t k = 0; k < files[c].size(); ++k) {
            const std::string path =
                folder + "/" + std::string(wdb::kContinentNames[c]) + "." + std::string(wdb::kKindNames[k]);
            if (!files[c][k].save(path)) {
                std::fprintf(stderr, "cannot write %s\n", path.c_str());
                return false;
            }
        }
    return true;
}

} // namespace kiv::gshhg
