#pragma once
// Readers for the published SGP4 verification set as Debian's python3-sgp4 ships it:
// SGP4-VER.TLE (element sets whose line 2 carries start, stop and step in minutes after
// column 69) and tcppver.out (the reference program's output: "<catalog number> xx" and
// then one row per time: minutes, position km, velocity km/s, and more we do not need).

#include <array>
#include <string>
#include <vector>

namespace kiv::test {

struct VerificationElementSet {
    std::string line1;     // without the line end
    std::string line2;     // the whole line, start/stop/step included
    long catalogNumber = 0;
    double startMinutes = 0.0;
    double stopMinutes = 0.0;
    double stepMinutes = 0.0;
};

struct VerificationRow {
    double minutes = 0.0;
    std::array<double, 3> positionKm{};
    std::array<double, 3> velocityKmPerSec{};
};

struct VerificationTrack {
    long catalogNumber = 0;
    std::vector<VerificationRow> rows;
};

// Both readers return false and say why in `error` for a file that is missing or malformed.
bool readVerificationElements(const std::string& path, std::vector<VerificationElementSet>& out,
                              std::string& error);
bool readVerificationResults(const std::string& path, std::vector<VerificationTrack>& out,
                             std::string& error);

// The times the reference program propagates an element set to, in its order: the epoch,
// then start, start + step, ... while below stop, the last one cut to stop.
std::vector<double> verificationTimes(const VerificationElementSet& set);

// Folder of the installed set (KIV_SGP4_DATA_DIR), and the two files in it.
std::string verificationElementsPath();
std::string verificationResultsPath();

} // namespace kiv::test
