#pragma once
// The ground-track ring of one satellite: N points spaced by the slot's step, kept around the
// current time and moved on by whole steps as the clock runs (either way).

#include "document/tagSATINFO.h"

class CSGP4_SDP4;

namespace kiv {

// Days between track points so that N points span routeLengthFactor orbits; 0 when the inputs
// cannot give a step.
double trackStep(double routeLengthFactor, int points, double meanMotion);

// Sizes the slot's ring and history to points + 1 zeroed entries and marks the ring stale.
void allocateTrack(tagSATINFO& info, tagSATHISTORY& history, int points);

// Drops the slot's ring and history.
void releaseTrack(tagSATINFO& info, tagSATHISTORY& history);

struct TrackUpdate {
    int points = 0;           // N
    bool trackShown = false;  // some open view draws the ring
    bool withHistory = false; // the observer view needs positions, velocities and times
};

// How many ring points advanceTrack would compute at jd (the work it would do).
int pointsDue(const tagSATINFO& info, double jd, const TrackUpdate& update);

// Brings the ring of a satellite to jd. The orbit object holds the slot's record; afterwards its
// state is that of the last point computed.
void advanceTrack(tagSATINFO& info, tagSATHISTORY& history, CSGP4_SDP4& orbit, double jd, const TrackUpdate& update);

} // namespace kiv
