#pragma once
// Every persistent setting declared once: section, key, kind, default, allowed range and member.
// The profile, the settings archives and the dialogs all go through this table.

#include "document/KivSettings.h"

#include <cstdint>
#include <initializer_list>
#include <span>
#include <variant>

namespace kiv {
class IniProfile;
}

namespace kiv {

enum class SettingKind { String, Integer, Boolean, Float, Colour };

// What a value outside its range becomes: the nearest bound, or the default.
enum class OutOfRange { Clamp, Default };

struct SettingRange {
    double min;
    double max;
    OutOfRange policy = OutOfRange::Clamp;
};

struct SettingDef {
    using Member = std::variant<QString KivSettings::*, int KivSettings::*, float KivSettings::*,
                                double KivSettings::*, COLORREF KivSettings::*>;
    const char* section;
    const char* key;
    SettingKind kind;
    Member member;
    double numericDefault = 0.0;
    const char* textDefault = "";
    const SettingRange* range = nullptr;
};

// The largest time factor either way: 366 days a step, so that no single step takes the clock
// out of its range.
inline constexpr int kMaxTimeFactor = 366 * 86400;
// A time factor from anywhere (a dialog, an archive) brought into the settings table's range.
int boundedTimeFactor(std::int64_t factor);

// The scalar settings in the order the profile is written.
std::span<const SettingDef> settingsTable();

// The range of a numeric setting, found by its member (&KivSettings::AccuracyX), for the
// dialogs that edit it; unbounded for a member without one.
const SettingRange& settingRange(SettingDef::Member member);

// The navigation satellites' element sets: the first entry of a fresh recent-URL list and the
// download dialog's address when the list is empty.
QString defaultElementSetUrl();
// The folder of the infrared mosaics on the weather-image server, ending in '/': the recent
// weather URLs' defaults and the weather dialog's Automatic address start with it.
QString weatherImageFolder();

// Every setting at its default, the URL lists and render qualities included.
void applyDefaultSettings(KivSettings& settings);
// Brings every value into its range; non-finite numbers become their defaults.
void clampSettings(KivSettings& settings);
// The same for the members named only: what a dialog edited, leaving everything else (a paused
// clock's factor 0 among it) as it is.
void clampSettings(KivSettings& settings, std::initializer_list<SettingDef::Member> members);

void loadSettings(KivSettings& settings, const IniProfile& profile);
void saveSettings(const KivSettings& settings, IniProfile& profile);
void loadQuality(const QString& name, tagQUALITY& quality, const IniProfile& profile);
void saveQuality(const QString& name, const tagQUALITY& quality, IniProfile& profile);

// Puts a URL at the front of a most-recent list unless it is there already (exact text) or
// blank; the oldest entry drops out.
void addRecentUrl(std::array<QString, 5>& list, const QString& url);

} // namespace kiv
