#pragma once
// The program's own texts of the splash and the About box.

#include <QString>

namespace kiv::texts {

inline constexpr const char* kVersion = "2.41";
// The build date as the compiler's date macro gives it ("Dec  6 2026").
QString buildDate();
// The splash's credit line.
QString creditLine();
// The About box's information paragraph: 1 English, 0 German.
QString aboutInfo(int language);

} // namespace kiv::texts
