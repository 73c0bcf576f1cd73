#pragma once
// What the clock moves in a frame of the globe, listed for DrawnPositions, so that a step whose
// clock moved draws a frame only when something on it moved by half a pixel or more. The
// renderer lists a frame with the camera it draws it with; the listing needs no GL context.

#include "document/DrawnPositions.h"
#include "views3d/GlobeCamera.h"
#include "views3d/OrbitRing.h"

#include <optional>
#include <span>

namespace kiv {
class CKivDoc;

// Where the lens flare starts, the sun in the camera's window; nothing while the flare is off or
// the earth hides the sun.
std::optional<WindowPoint> flareAt(const CKivDoc& doc, const GlobeCamera& camera, Vec3 sun);

// The frame of the document's clock as `view` sees it: the earth's turn (a rigid body as far as
// the cross or the ground tracks reach), each shown satellite's window place, body and beam, its
// track's newest point, the orbits' turn and (exact mode) a ring's new point, the sun with its
// flare, the light, the moon and the stars. `rings` are the orbits, one per loaded satellite.
void listGlobeMotion(DrawnPositions& drawn, const CKivDoc& doc, const GlobeCamera& view,
                     std::span<const OrbitRing> rings);

} // namespace kiv
