#pragma once
// Sets or removes environment variables for the lifetime of the object and puts the old values
// back afterwards, so that tests never depend on the machine's settings (TZ, KIV_PROFILE,
// KIV_DATA_DIR, XDG_*_HOME) nor leak their own.

#include <optional>
#include <string>
#include <vector>

namespace kiv::test {

class ScopedEnvironment {
public:
    ScopedEnvironment() = default;
    ScopedEnvironment(const std::string& name, const std::optional<std::string>& value) { set(name, value); }
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

    // Nothing removes the variable.
    void set(const std::string& name, const std::optional<std::string>& value);
    // Puts the old values back now.
    void restore();

private:
    struct Saved {
        std::string name;
        std::optional<std::string> value;
    };
    std::vector<Saved> saved_;
};

// Sets TZ to a POSIX rule ("CET-1CEST,M3.5.0,M10.5.0/3", "IST-5:30", "UTC0") and calls tzset,
// both ways.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const std::string& rule);
    ~ScopedTimeZone();
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

private:
    ScopedEnvironment environment_;
};

// Switches the C library's numeric locale (as QApplication's setlocale(LC_ALL, "") would) and
// back. available() is false when the system lacks the locale; the locale is then unchanged.
class ScopedNumericLocale {
public:
    explicit ScopedNumericLocale(const char* name);
    ~ScopedNumericLocale();
    ScopedNumericLocale(const ScopedNumericLocale&) = delete;
    ScopedNumericLocale& operator=(const ScopedNumericLocale&) = delete;

    bool available() const { return available_; }

private:
    std::string previous_;
    bool available_ = false;
};

} // namespace kiv::test
