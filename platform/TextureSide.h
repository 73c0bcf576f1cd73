#pragma once
// The side a picture takes as the globe's texture, which GL wants in powers of two.

#include <QtGlobal>

namespace kiv {

// The largest power of two not above side + 1 and not above maxSide (511 and 512 give 512, 1000
// gives 512).
constexpr qint64 textureSide(qint64 side, qint64 maxSide)
{
    qint64 p = 1;
    while (p * 2 <= side + 1 && p * 2 <= maxSide)
        p *= 2;
    return p;
}

} // namespace kiv
