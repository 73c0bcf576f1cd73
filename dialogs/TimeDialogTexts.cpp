#include "dialogs/TimeDialogTexts.h"

namespace kiv {

namespace {

TimeDialogTexts english()
{
    TimeDialogTexts t;
    t.title = QStringLiteral("Timedialoge");
    t.factorGroup = QStringLiteral("Time-laps");
    t.factorButtons = {QStringLiteral("'Real Time'"), QStringLiteral("Minutes"),     QStringLiteral("Hours"),
                       QStringLiteral("Days"),        QStringLiteral("Sideral day"), QStringLiteral("Month")};
    t.factorLabel = QStringLiteral("Timefactor :");
    t.stopTime = QStringLiteral("Stop time");
    t.accelerate = QStringLiteral("Accelerated Time");
    t.setTo = QStringLiteral("Set To :");
    t.getLocal = QStringLiteral("Get Local time");
    t.getGreenwich = QStringLiteral("Get Greenwich Mean Time");
    t.fieldLabels = {QStringLiteral("Year"), QStringLiteral("Month"),  QStringLiteral("Day"),
                     QStringLiteral("Hour"), QStringLiteral("Minute"), QStringLiteral("Second")};
    t.julianDate = QStringLiteral("Julian Date");
    t.convert = QStringLiteral("Convert to Greenwich Mean Time");
    t.greenwichClock = QStringLiteral("G.M.Time");
    t.localClock = QStringLiteral("Local time");
    t.colors = QStringLiteral("Colors");
    t.zoom = QStringLiteral("Zoom");
    t.rotate = QStringLiteral("Rotate around Y axis");
    t.parts = {QStringLiteral("Background"),       QStringLiteral("Hour Gear"),
               QStringLiteral("Hour bar"),         QStringLiteral("Minute Gear"),
               QStringLiteral("Minute bar"),       QStringLiteral("Hour-Minute Gear"),
               QStringLiteral("Minute-Hour Gear"), QStringLiteral("Minute-Hour bar"),
               QStringLiteral("Pointer Base"),     QStringLiteral("Pointer bar"),
               QStringLiteral("Pointer"),          QStringLiteral("Face Points"),
               QStringLiteral("Face")};
    t.transparency = QStringLiteral("Transparency");
    t.defaultColors = QStringLiteral("Default colors");
    t.more = QStringLiteral("More >>");
    t.less = QStringLiteral("<< Less");
    t.help = QStringLiteral("Help");
    t.ok = QStringLiteral("OK");
    t.cancel = QStringLiteral("Cancel");
    t.helpText = QStringLiteral(
        "Here you can set the time. and the time factor, by which the program should get animated.\n"
        "The time is running while you are in this dialog. If you want to stop the time, check the\n"
        "'Stop Time' checkbox. To animate it, check the 'Accelerate Time' checkbox. 'Get Local time'\n"
        "and 'Get Greenwich Mean Time' will set the time to tha actual time.\n\n"
        "The convert to GMT is one of the most important buttons, it will set the time, you gave to\n"
        "be the GMT So it is possible, to set a correct 'Satellite' time. Remember, all times for\n"
        "position query is given in GMT.\n\n"
        "if you hit the 'More >>' button you will get displayed the two different times. All functions\n"
        "on the right side of the Dialog box are just for visual purposes and do not affect the\n"
        "functionality of the program itself.");
    t.rangeCaption = QStringLiteral("Attention : ");
    t.rangeQuestion = QStringLiteral("Time is out of range.\nResetting to current time [YES] or change time [NO] ?");
    return t;
}

TimeDialogTexts german()
{
    TimeDialogTexts t;
    t.title = QStringLiteral("Zeitdialog");
    t.factorGroup = QStringLiteral("Zeitraffer");
    t.factorButtons = {QStringLiteral("'Real Time'"), QStringLiteral("Minuten"),     QStringLiteral("Stunden"),
                       QStringLiteral("Tage"),        QStringLiteral("Sideral Tag"), QStringLiteral("Monate")};
    t.factorLabel = QStringLiteral("Zeitfaktor :");
    t.stopTime = QStringLiteral("Stop Zeit");
    t.accelerate = QStringLiteral("Zeit beschleunigt");
    t.setTo = QStringLiteral("Setze auf");
    t.getLocal = QStringLiteral("Lokale Zeit");
    t.getGreenwich = QStringLiteral("Greenwich Mean Time");
    t.fieldLabels = {QStringLiteral("Jahr"),   QStringLiteral("Monat"),  QStringLiteral("Tag"),
                     QStringLiteral("Stunde"), QStringLiteral("Minute"), QStringLiteral("Sekunde")};
    t.julianDate = QStringLiteral("Julian Date");
    t.convert = QStringLiteral("Konvertiere zu Greenwich Mean Time");
    t.greenwichClock = QStringLiteral("G.M.Time");
    t.localClock = QStringLiteral("Lokale Zeit");
    t.colors = QStringLiteral("Farben");
    t.zoom = QStringLiteral("Zoom");
    t.rotate = QStringLiteral("Rotiere um Y Achse");
    t.parts = {QStringLiteral("Hintergrund"),
               QStringLiteral("Sunden Zahnrad"),
               QStringLiteral("Stunden Achse"),
               QStringLiteral("Minuten Zahnrad"),
               QStringLiteral("Minuten Achse"),
               QStringLiteral("Stunden-Minuten Zahnrad"),
               QStringLiteral("Minuten-Stunden Zahnrad"),
               QStringLiteral("Minuten-Stunden Achse"),
               QStringLiteral("Zeiger Befestigung"),
               QStringLiteral("Zeiger Achse"),
               QStringLiteral("Zeiger"),
               QStringLiteral("Ziffernblatt Punkte"),
               QStringLiteral("Ziffernblatt")};
    t.transparency = QStringLiteral("Transparenz");
    t.defaultColors = QStringLiteral("Standard Farben");
    t.more = QStringLiteral("Mehr >>");
    t.less = QStringLiteral("<< Weniger");
    t.help = QStringLiteral("Hilfe");
    t.ok = QStringLiteral("OK");
    t.cancel = QStringLiteral("Abbruch");
    t.helpText = QStringLiteral(
        "Hier kann man die Zeit und den Zeitraffer fuer das Programm setzen. Die Zeit laeuft weiter waehrend\n"
        "man sich in dieser Dialogbox befindet. Um die Zeit anzuhalten kann man einfach die 'Stop Zeit'\n"
        "Checkbox setzen. Die 'Zeit beschleunigt' Checkbox animiert die fortlaufende Zeit um den eingestellten "
        "Faktor.\n"
        "'Lokale Zeit'und 'Greanwich Mean Time' setzt die Programmzeit zur jeweiligen aktuellen Zeit.\n\n"
        "'Konvertiere zu Greanwich Mean Time' ist der wohl wichtigste Knopf. Mit ihm kann man die eingestellte "
        "Zeit zur GMT\n"
        "konvertieren. Bedenken Sie, dass die Zeit um eine Satellitenposition zu bestimmen normalerweise in GMT "
        "gegeben\n"
        "werden muss.\n\n"
        "Wenn man 'Mehr >>' drueckt kann man die beiden Zeiten betrachten. Alle Funktionen auf der Rechten Seite "
        "dienen\n"
        "ausschliesslich fuer visuelle Effekte und beeinflussen den Programmablauf nicht.");
    t.rangeCaption = QStringLiteral("Achtung : ");
    t.rangeQuestion = QStringLiteral(
        "Die simulierte Zeit kann nicht dargestellt werden.\nSetze aktuellen Zeit [YES] oder aendern [NO] ?");
    return t;
}

} // namespace

const TimeDialogTexts& TimeDialogTexts::of(bool inEnglish)
{
    static const TimeDialogTexts en = english();
    static const TimeDialogTexts de = german();
    return inEnglish ? en : de;
}

} // namespace kiv
