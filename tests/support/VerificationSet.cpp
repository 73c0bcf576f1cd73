#include "tests/support/VerificationSet.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <string_view>

namespace kiv::test {

namespace {

std::string_view trimmed(std::string_view s)
{
    const auto first = s.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    const auto last = s.find_last_not_of(" \t\r\n");
    return s.substr(first, last - first + 1);
}

// Splits at blanks and reads every field as a number; false if one is not a number.
bool numbersOf(std::string_view s, std::vector<double>& out)
{
    out.clear();
    std::size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && (s[i] == ' ' || s[i] == '\t'))
            ++i;
        if (i == s.size())
            break;
        std::size_t end = i;
        while (end < s.size() && s[end] != ' ' && s[end] != '\t')
            ++end;
        double value = 0.0;
        const auto [ptr, ec] = std::from_chars(s.data() + i, s.data() + end, value);
        if (ec != std::errc() || ptr != s.data() + end)
            return false;
        out.push_back(value);
        i = end;
    }
    return true;
}

bool readLines(const std::string& path, std::vector<std::string>& lines, std::string& error)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot open " + path;
        return false;
    }
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return true;
}

std::string where(const std::string& path, std::size_t index)
{
    return path + ":" + std::to_string(index + 1) + ": ";
}

} // namespace

bool readVerificationElements(const std::string& path, std::vector<VerificationElementSet>& out,
                              std::string& error)
{
    std::vector<std::string> lines;
    if (!readLines(path, lines, error))
        return false;
    out.clear();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].rfind("1 ", 0) != 0)
            continue;
        if (i + 1 == lines.size() || lines[i + 1].rfind("2 ", 0) != 0) {
            error = where(path, i) + "line 1 without line 2";
            return false;
        }
        VerificationElementSet set;
        set.line1 = lines[i];
        set.line2 = lines[++i];
        const std::string_view line2 = set.line2;
        std::vector<double> catalog;
        std::vector<double> grid;
        if (line2.size() <= 69 || !numbersOf(trimmed(line2.substr(2, 5)), catalog) ||
            catalog.size() != 1 || !numbersOf(line2.substr(69), grid) || grid.size() != 3) {
            error = where(path, i) + "no catalog number or start, stop and step";
            return false;
        }
        set.catalogNumber = static_cast<long>(catalog[0]);
        set.startMinutes = grid[0];
        set.stopMinutes = grid[1];
        set.stepMinutes = grid[2];
        if (!(set.stepMinutes > 0.0) || (set.stopMinutes - set.startMinutes) / set.stepMinutes > 1e6) {
            error = where(path, i) + "step is not positive or too small";
            return false;
        }
        out.push_back(set);
    }
    if (out.empty()) {
        error = path + ": no element sets";
        return false;
    }
    return true;
}

bool readVerificationResults(const std::string& path, std::vector<VerificationTrack>& out,
                             std::string& error)
{
    std::vector<std::string> lines;
    if (!readLines(path, lines, error))
        return false;
    out.clear();
    std::vector<double> numbers;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = trimmed(lines[i]);
        if (line.empty())
            continue;
        if (line.size() > 3 && line.substr(line.size() - 3) == " xx") {
            if (!numbersOf(line.substr(0, line.size() - 3), numbers) || numbers.size() != 1) {
                error = where(path, i) + "bad header";
                return false;
            }
            out.push_back({static_cast<long>(numbers[0]), {}});
            continue;
        }
        // Only the first seven fields are numbers in every row; the date at the end is not.
        std::size_t fields = 0;
        std::size_t pos = 0;
        while (fields < 7 && pos < line.size()) {
            pos = line.find_first_not_of(' ', pos);
            if (pos == std::string_view::npos)
                break;
            pos = line.find(' ', pos);
            ++fields;
            if (pos == std::string_view::npos)
                pos = line.size();
        }
        if (out.empty() || !numbersOf(line.substr(0, pos), numbers) || numbers.size() != 7) {
            error = where(path, i) + "expected a header or a row of seven numbers";
            return false;
        }
        VerificationRow row;
        row.minutes = numbers[0];
        for (int k = 0; k < 3; ++k) {
            row.positionKm[k] = numbers[1 + k];
            row.velocityKmPerSec[k] = numbers[4 + k];
        }
        out.back().rows.push_back(row);
    }
    if (out.empty()) {
        error = path + ": no results";
        return false;
    }
    return true;
}

std::vector<double> verificationTimes(const VerificationElementSet& set)
{
    std::vector<double> times{0.0};
    double t = set.startMinutes;
    if (std::fabs(t) > 1.0e-8)
        t -= set.stepMinutes;
    while (t < set.stopMinutes) {
        t += set.stepMinutes;
        if (t > set.stopMinutes)
            t = set.stopMinutes;
        times.push_back(t);
    }
    return times;
}

std::string verificationElementsPath()
{
    return std::string(KIV_SGP4_DATA_DIR) + "/SGP4-VER.TLE";
}

std::string verificationResultsPath()
{
    return std::string(KIV_SGP4_DATA_DIR) + "/tcppver.out";
}

} // namespace kiv::test
