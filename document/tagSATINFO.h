#pragma once
// Per-slot records of the satellite table beside the orbit library's tagSATELLITE: display and
// ground-track data, and the position history the observer view draws.

#include "orbit/CSGP4_SDP4.h"
#include "platform/ColorRef.h"

#include <vector>

struct tagSATINFO {
    int shown = 0;
    int iconIndex = 0;
    COLORREF color[3] = {};       // 0 route/orbit, 1 beam/footprint, 2 satellite
    float glColor[3][4] = {};     // the same as RGBA 0..1
    double step = 0.0;            // days between ground-track points
    double accum = 0.0;           // days not yet turned into track points (signed)
    double lastTrack = 0.0;       // Julian date of the newest track point
    double lat = 0.0;             // degrees north
    double lon = 0.0;             // degrees east, 0..360
    double alt = 0.0;             // thousands of km
    double lastJd = 0.0;          // Julian date of the last calculation
    std::vector<double> trackLat; // ground-track ring, NrOfPoints + 1 entries
    std::vector<double> trackLon;
    std::vector<double> trackAlt;
    double beamHalfAngle = 0.0;   // rad
    double beamRadius = 0.0;      // thousands of km
    double footprintRadius = 0.0; // thousands of km, at most the horizon radius
    double footprintDist = 0.0;   // distance of the footprint's plane from the centre + 0.05
};

struct tagSATHISTORY {
    tagVECTOR pos;                  // km, at the last calculation
    tagVECTOR vel;                  // km/s
    std::vector<tagVECTOR> posTrack; // parallel to the ground-track ring
    std::vector<tagVECTOR> velTrack;
    std::vector<double> timeTrack;   // Julian dates
};
