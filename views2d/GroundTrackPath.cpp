#include "views2d/GroundTrackPath.h"

#include "views2d/MapProjection.h"

#include <algorithm>
#include <cmath>

namespace kiv {

void groundTrackPath(std::span<const double> lat, std::span<const double> lon, int count, int width, int height,
                     std::vector<PathStep>& out)
{
    out.clear();
    const int n = std::min({count, static_cast<int>(lat.size()), static_cast<int>(lon.size())});
    if (n <= 0)
        return;
    double previousLon = foldLongitude(lon[0]);
    QPoint previous = mapPoint(lat[0], previousLon, width, height);
    out.push_back({false, previous});
    for (int j = 0; j < n; ++j) {
        const double l = foldLongitude(lon[j]);
        const QPoint p = mapPoint(lat[j], l, width, height);
        if (std::abs(std::trunc(l - previousLon)) > 200.0) {
            const int y = previous.y() + static_cast<int>((p.y() - previous.y()) / 2.0);
            const bool leavesLeft = previous.x() - p.x() < 1;
            out.push_back({true, {leavesLeft ? 0 : width, y}});
            out.push_back({false, {leavesLeft ? width : 0, y}});
        }
        out.push_back({true, p});
        previous = p;
        previousLon = l;
    }
}

} // namespace kiv
