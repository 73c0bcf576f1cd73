#pragma once
// The export table kinds, shared by the dialog, its editor's help and the table generator.

namespace kiv {

// The table kinds by tab: Main is the settings page of the enlarged layout and has no table.
enum class ExportKind : int { Main = 0, LLA = 1, ECI = 2, OBS = 3, VOB = 4, RAD = 5, VRD = 6 };

} // namespace kiv
