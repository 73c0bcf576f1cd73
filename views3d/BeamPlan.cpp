#include "views3d/BeamPlan.h"

#include "views3d/SceneFrame.h"

namespace kiv {

BeamPlan beamPlan(int beamDrawStyle, bool footprint, double altitude, double footprintRadius, double footprintDist)
{
    BeamPlan plan;
    if (beamDrawStyle >= 1 && beamDrawStyle <= 3)
        plan.style = static_cast<BeamStyle>(beamDrawStyle);
    plan.satelliteDistance = altitude + kEarthRadius;
    plan.coneRadius = footprintRadius;
    plan.coneHeight = kEarthRadius - footprintDist + altitude;
    plan.circle = footprint && plan.style != BeamStyle::Cone;
    plan.circleDistance = footprintDist;
    plan.circleRadius = footprintRadius;
    return plan;
}

} // namespace kiv
