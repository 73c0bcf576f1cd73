#pragma once
// The export's orbit values from an orbit-library object of its own, so that a table is
// computed without touching the document's clock or satellites.

#include "dialogs/ExportOrbit.h"

namespace kiv {

class LibraryExportOrbit final : public ExportOrbit {
public:
    void SetSatellite(const tagSATELLITE& satellite) override;
    bool SGP(double jd) override;
    tagVECTOR GetPos() const override { return orbit_.GetPos(); }
    tagVECTOR GetVel() const override { return orbit_.GetVel(); }
    tagVECTOR LatLonAlt() override;
    bool Eclipsed() override;
    LookAngles SatelliteLook(const tagVECTOR& observer) override;
    LookAngles SunLook(const tagVECTOR& observer) override;
    tagVECTOR RADec(const tagVECTOR& observer) override;

private:
    LookAngles look(const tagVECTOR& position, const tagVECTOR& velocity, const tagVECTOR& observer);

    CSGP4_SDP4 orbit_;
};

} // namespace kiv
