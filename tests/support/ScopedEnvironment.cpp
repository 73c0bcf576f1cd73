#include "tests/support/ScopedEnvironment.h"

#include <algorithm>
#include <clocale>
#include <cstdlib>
#include <ctime>

namespace kiv::test {

namespace {

void apply(const std::string& name, const std::optional<std::string>& value)
{
    if (value)
        ::setenv(name.c_str(), value->c_str(), 1);
    else
        ::unsetenv(name.c_str());
}

} // namespace

void ScopedEnvironment::set(const std::string& name, const std::optional<std::string>& value)
{
    const bool alreadySaved =
        std::any_of(saved_.begin(), saved_.end(), [&](const Saved& saved) { return saved.name == name; });
    if (!alreadySaved) {
        const char* old = std::getenv(name.c_str());
        saved_.push_back({name, old ? std::optional<std::string>(old) : std::nullopt});
    }
    apply(name, value);
}

ScopedEnvironment::~ScopedEnvironment()
{
    restore();
}

void ScopedEnvironment::restore()
{
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it)
        apply(it->name, it->value);
    saved_.clear();
}

ScopedTimeZone::ScopedTimeZone(const std::string& rule) : environment_("TZ", rule)
{
    ::tzset();
}

ScopedTimeZone::~ScopedTimeZone()
{
    environment_.restore();
    ::tzset();
}

ScopedNumericLocale::ScopedNumericLocale(const char* name)
{
    const char* current = std::setlocale(LC_NUMERIC, nullptr);
    previous_ = current ? current : "C";
    available_ = std::setlocale(LC_NUMERIC, name) != nullptr;
}

ScopedNumericLocale::~ScopedNumericLocale()
{
    std::setlocale(LC_NUMERIC, previous_.c_str());
}

} // namespace kiv::test
