#include "app/AppTexts.h"

#include "platform/LanguageText.h"

namespace kiv::texts {

QString buildDate() { return QStringLiteral(__DATE__); }

QString creditLine() { return QStringLiteral("Satellite tracking with SGP4/SDP4"); }

QString aboutInfo(int language)
{
    return inLanguage(language != 0,
                      "Kiv shows satellites from two-line element sets in real time, accelerated or "
                      "paused: on a world map, on World Data Bank maps, in an observer's sky and on a "
                      "3D globe. Orbits are propagated with the published SGP4 and SDP4 models.\n\n",
                      "Kiv zeigt Satelliten aus Zwei-Zeilen-Bahnelementen in Echtzeit, im Zeitraffer "
                      "oder angehalten: auf der Weltkarte, auf Karten der World Data Bank, am Himmel "
                      "eines Beobachters und auf einem 3D-Globus. Die Bahnen werden mit den "
                      "veröffentlichten Modellen SGP4 und SDP4 berechnet.\n\n");
}

} // namespace kiv::texts
