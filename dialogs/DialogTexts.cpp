#include "dialogs/DialogTexts.h"

#include "platform/LanguageText.h"

namespace kiv::texts {

QString generalInfo(bool english)
{
    return inLanguage(english,
                      "You can choose the number of background stars,\nwhich will be operative after you start the "
                      "application the next time.\n\nThe values of the 'Sphereapproximation' will give the number of "
                      "corners, for the approximation\nof the spheres.\nThe X-Value is also responsible for the number "
                      "of corner for the Footprint in 2D-View and any \nother circular form.\nThe viewangle of the "
                      "satellite sets the maximum beam angle. If the angle however exceed the max.\npossible angle , "
                      "then the proper satellite angle will be set automatically.\nThe number of 'Ocularreflection' "
                      "controls the number of sunreflection in the 3D-View.\n\nThe exact calculation of the satellite "
                      "beam is slow, and not neccesary for circular\nsatelliteroutes, because the size does'nt change "
                      "much.\nIf the automatic windows placement is set, the Windows will be placed automatically to "
                      "fit best.",
                      "Hier können sie die Anzahl der Hintergrundsterne eingeben.\nDieser Wert wird erst beim nächsten "
                      "Start des Programmes wirksam.\n\nDie Werte der Kugelapproximation geben die Anzahl der Ecken, "
                      "mit denen eine Kugelform angenähert\nwird an.\nDer X-Wert ist außerdem noch für die Anzahl der "
                      "Eckpunkte des Footprints im 2D-View, sowie fuer \njede andere Kreisform zuständig.\nDer "
                      "Abstrahlwinkel gibt den Sichtbereich der Satelliten an. Ubersteigt der Radius, den maximal "
                      "\nmoeglichen Bereich, so wird der korrekte Abstrahlwinkel automatisch ermittelt.\nDie Anzahl der "
                      "Sonnenreflektionen regelt die Ausgabe der Sonnenreflektionen im 3D-View.\n\nDie exakte "
                      "Berechnung der Satellitenbeams ist relativ zeitaufwendig und bei Kreisförmiger\nSatellitenbahn "
                      "nicht notwendig, da sich die Größe des Beams kaum ändert.\nIst Fenster automatisch anordnen "
                      "gesetzt, so werden die Fenster automatisch angepasst.");
}

QString satelliteDataInfo(bool english)
{
    return inLanguage(english,
                      "You can view the satellite data from the 'Norad2Line' element set.\nYou may "
                      "delete lines, but you ca'nt change the datas.\nBe careful with it because the "
                      "data will be removed from the datafile as well.",
                      "Hier können sie die Daten der Satelliten betrachten, wie sie im\nNorad2Line "
                      "Element gefunden werden.\nSie können zwar einzelne Einträge Löschen, jedoch die "
                      "Daten nicht verändern.\nVorsicht, diese Daten werden auch aus der Datei gelöscht "
                      "!");
}

QString textureInfo(bool english)
{
    return inLanguage(english,
                      "Here you can choose the textures which will be used in 2D/3D View.",
                      "Hier ist es möglich die Texturen festzulegen, die in der 2D/3D Ansicht "
                      "verwendet werden.");
}

QString renderQualityInfo(bool english)
{
    return inLanguage(english,
                      "With the help of this dialogbox you can modify the \napearance of the 3D-view in normal "
                      "mode (which is no mousebutton is pressed) \nor in Mousemove mode (at least one "
                      "mousebutton is pressed).\n\nThis is especially useful, if your computer is to slow "
                      "to display\nthe scene with a sufficient Frame rate (approx. 10 Frames per second)",
                      "Mit Hilfe dieser Dialogbox können Sie die Anzeige im Normalen Modus,\nbzw. wenn eine "
                      "Maustaste gedrückt ist, verändern. Dies ist vor allem dann sinnvoll,\nwenn der "
                      "Rechner langsam ist, so daß es schwer möglich ist, sich interaktiv in der\n"
                      "3D-Ansicht zu bewegen.");
}

QString weatherHelp(bool english)
{
    return inLanguage(english,
                      "This dialog fetches the latest satellite weather picture from the internet and lays it over "
                      "the current texture. The picture may cover only part of the earth: its corners are given by "
                      "the start and end latitude and longitude (longitudes count positive to the west).\n\n"
                      "[Automatic] builds the address of the latest infrared picture from the current time.\n"
                      "[Retrieve Data] downloads the picture into the local file and shows it.\n"
                      "[Preview] lays the local file over the background image again.\n\n"
                      "The pictures come from the weather server at https://weather.example.com/.",
                      "Dieser Dialog holt das neueste Satelliten-Wetterbild aus dem Internet und legt es über die "
                      "aktuelle Textur. Das Bild darf nur einen Teil der Erde zeigen: seine Ecken geben Start- und "
                      "Endbreite und -länge an (Längen zählen nach Westen positiv).\n\n"
                      "[Automatisch] bildet die Adresse des neuesten Infrarotbildes aus der aktuellen Zeit.\n"
                      "[Hole Daten] lädt das Bild in die lokale Datei und zeigt es.\n"
                      "[Vorschau] legt die lokale Datei erneut über das Hintergrundbild.\n\n"
                      "Die Bilder kommen vom Wetterserver https://weather.example.com/.");
}

} // namespace kiv::texts
