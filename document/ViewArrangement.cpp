#include "document/ViewArrangement.h"

#include <algorithm>
#include <cmath>

namespace kiv {

double clampedAutoExtendX(double percent)
{
    if (!std::isfinite(percent))
        return 50.0;
    return std::clamp(percent, 5.0, 100.0);
}

Arrangement arrangeViews(const ArrangeInput& in)
{
    Arrangement out;
    const int s = static_cast<int>(in.desktopWidth * clampedAutoExtendX(in.autoExtendX) / 200.0);
    out.cell = s;
    const QSize square = QSize(s, s) + in.frameExtras;
    const QSize wide = QSize(2 * s, s) + in.frameExtras;
    const int W1 = square.width(), H1 = square.height(), W2 = wide.width(), H2 = wide.height();
    out.mainWindowPos = QPoint(static_cast<int>(s / 2.0), 10);

    const int n = in.autoArrange ? in.show3D + in.show2D + in.showWDB + in.showObs : 1;
    auto place = [&](ViewKind kind, int x, int y, QSize size) { out.frames.push_back({kind, QRect(QPoint(x, y), size)}); };

    if (n <= 1) {
        out.keepCorners = true;
        if (in.show3D)
            place(ViewKind::World, 0, 0, square);
        if (in.show2D)
            place(ViewKind::Map, 0, 0, wide);
        if (in.showWDB)
            place(ViewKind::WDB, 0, 0, wide);
        if (in.showObs)
            place(ViewKind::Obs, 0, 0, square);
        return out;
    }
    if (n == 4) {
        place(ViewKind::Map, 0, 0, wide);
        place(ViewKind::WDB, 0, H2, wide);
        place(ViewKind::World, W2, 0, square);
        place(ViewKind::Obs, W2, H2, square);
        out.total = QSize(W2 + W1, 2 * H2);
    } else if (n == 3 && in.show3D && in.showObs) {
        place(ViewKind::World, 0, 0, square);
        place(ViewKind::Obs, W1, 0, square);
        place(in.showWDB ? ViewKind::WDB : ViewKind::Map, 4, H1, wide); // 4 pixels in from the left
        out.total = QSize(2 * W1, H1 + H2);
    } else if (n == 3) {
        place(ViewKind::Map, 0, 0, wide);
        place(ViewKind::WDB, 0, H2, wide);
        place(in.showObs ? ViewKind::Obs : ViewKind::World, W2, 0, square);
        out.total = QSize(W2 + W1, 2 * H2);
    } else if ((in.show2D || in.showWDB) && (in.show3D || in.showObs)) {
        place(in.show2D ? ViewKind::Map : ViewKind::WDB, 0, 0, wide);
        place(in.show3D ? ViewKind::World : ViewKind::Obs, W2, 0, square);
        out.total = QSize(W2 + W1, H2);
    } else if (in.show3D && in.showObs) {
        place(ViewKind::World, 0, 0, square);
        place(ViewKind::Obs, W1, 0, square);
        out.total = QSize(2 * W1, H1);
    } else {
        place(ViewKind::Map, 0, 0, wide);
        place(ViewKind::WDB, 0, H2, wide);
        out.total = QSize(W2, 2 * H2);
    }
    return out;
}

} // namespace kiv
