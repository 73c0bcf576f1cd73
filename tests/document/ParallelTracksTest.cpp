// The propagation spread over the workers gives the serial order's results, bit for bit.
#include "document/TrackWorkers.h"
#include "tests/support/ScratchDocument.h"
#include "tests/support/TleWriter.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace kiv;

namespace {

template <typename T>
bool sameBits(const T& a, const T& b)
{
    return std::memcmp(&a, &b, sizeof(T)) == 0;
}

template <typename T>
bool sameBits(const std::vector<T>& a, const std::vector<T>& b)
{
    return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(T)) == 0);
}

// Every propagated value of every slot, compared as stored bits.
void expectSameTables(const CKivDoc& serial, const CKivDoc& parallel, const std::string& when)
{
    ASSERT_EQ(serial.SatelliteCount, parallel.SatelliteCount);
    EXPECT_TRUE(sameBits(serial.FollowedPos, parallel.FollowedPos)) << when;
    EXPECT_TRUE(sameBits(serial.JulianDate, parallel.JulianDate)) << when;
    for (int i = 0; i < serial.SatelliteCount; ++i) {
        const tagSATINFO& a = serial.SatInfo[i];
        const tagSATINFO& b = parallel.SatInfo[i];
        const tagSATHISTORY& ha = serial.SatHistory[i];
        const tagSATHISTORY& hb = parallel.SatHistory[i];
        const bool same = sameBits(a.lat, b.lat) && sameBits(a.lon, b.lon) && sameBits(a.alt, b.alt) &&
                          sameBits(a.accum, b.accum) && sameBits(a.lastTrack, b.lastTrack) &&
                          sameBits(a.lastJd, b.lastJd) && sameBits(a.trackLat, b.trackLat) &&
                          sameBits(a.trackLon, b.trackLon) && sameBits(a.trackAlt, b.trackAlt) &&
                          sameBits(a.beamRadius, b.beamRadius) && sameBits(a.footprintRadius, b.footprintRadius) &&
                          sameBits(ha.pos, hb.pos) && sameBits(ha.vel, hb.vel) && sameBits(ha.posTrack, hb.posTrack) &&
                          sameBits(ha.velTrack, hb.velTrack) && sameBits(ha.timeTrack, hb.timeTrack);
        ASSERT_TRUE(same) << when << ", slot " << i;
    }
}

class ParallelTracksTest : public ::testing::Test {
protected:
    ParallelTracksTest()
    {
        // One document on the calling thread alone; the other always on eight threads, however
        // little the work and however many cores the machine has.
        serial_.doc().Tracks = std::make_unique<TrackWorkers>(serial_.doc().Orbit, 1);
        parallel_.doc().Tracks = std::make_unique<TrackWorkers>(parallel_.doc().Orbit, 8, 0);
        for (test::ScratchDocument* d : {&serial_, &parallel_}) {
            CKivDoc& doc = d->doc();
            doc.ShowObs = 1; // the history rings too
            doc.ShowCourse2D = 1;
            doc.CalculateExact = 1;
            doc.FollowedSatellite = 77;
            doc.SetSimTime(kiv::Time::fromUtc({2024, 1, 31, 12, 0, 0}));
            for (int i = 0; i < doc.SatelliteCount; ++i)
                doc.SatInfo[i].shown = i % 5 != 3 ? 1 : 0;
        }
    }

    void step(int factor, int steps)
    {
        for (int s = 0; s < steps; ++s) {
            for (test::ScratchDocument* d : {&serial_, &parallel_}) {
                d->doc().TimeFactor = factor;
                d->clock().advanceMs(20);
                d->doc().AnimationStep();
            }
            expectSameTables(serial_.doc(), parallel_.doc(), "factor " + std::to_string(factor) + ", step " +
                                                                 std::to_string(s));
            if (HasFatalFailure())
                return;
        }
    }

    test::ScratchDocument serial_{test::lowSatellites(255), "NrOfPoints=200\n"};
    test::ScratchDocument parallel_{test::lowSatellites(255), "NrOfPoints=200\n"};
};

} // namespace

TEST_F(ParallelTracksTest, StepsAndResetsMatchTheSerialOrderBitForBit)
{
    ASSERT_EQ(serial_.doc().SatelliteCount, 255);
    expectSameTables(serial_.doc(), parallel_.doc(), "after loading");
    // Real time, fast factors, backwards, a month a step; each a few steps and a full reset.
    for (const int factor : {1, 60, 86400, -3600, 2592000}) {
        step(factor, 3);
        ASSERT_FALSE(HasFatalFailure());
        serial_.doc().OnReset();
        parallel_.doc().OnReset();
        expectSameTables(serial_.doc(), parallel_.doc(), "reset at factor " + std::to_string(factor));
        ASSERT_FALSE(HasFatalFailure());
    }
}

TEST_F(ParallelTracksTest, TheFollowedSatelliteAndAChangedSelectionToo)
{
    step(3600, 3);
    for (test::ScratchDocument* d : {&serial_, &parallel_}) {
        CKivDoc& doc = d->doc();
        for (int i = 0; i < doc.SatelliteCount; ++i)
            doc.SatInfo[i].shown = i % 2;
        doc.FollowedSatellite = 201;
        doc.DocumentChanged();
    }
    step(86400, 4);
}
