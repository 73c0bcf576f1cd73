#include "document/FileMessages.h"

#include "platform/LanguageText.h"

namespace kiv::fileMessages {

namespace {

kiv::MessageRequest warning(const QString& caption, const QString& text)
{
    return {.caption = caption,
            .text = text,
            .buttons = kiv::MessageButtons::Ok,
            .icon = kiv::MessageIcon::Exclamation};
}

} // namespace

kiv::MessageRequest colorTableNotFound(bool english, const QString& fileName)
{
    return warning(QStringLiteral("Attention"),
                   inLanguage(english, "Sorry could'nt find the colortablefile %1.", "Farbetabellenfile %1 nicht gefunden.")
                       .arg(fileName));
}

kiv::MessageRequest iconListNotFound(bool english, const QString& fileName)
{
    return warning(QStringLiteral("Attention"),
                   inLanguage(english, "Sorry could'nt find the icon names file %1.", "Icon Namens File %1 nicht gefunden.")
                       .arg(fileName));
}

kiv::MessageRequest townFileNotFound(bool english, const QString& fileName)
{
    return warning(QStringLiteral("Attention !"),
                   inLanguage(english,
                              "Sorry, couldn't find the dataset file :%1 for the towns.\n"
                              "Please check [Options]->[WDB Layer]->[Towns]",
                              "Ich konnte die Datei :%1 fuer die Staedtedaten nicht finden.\n"
                              "Bitte ueberpruefen Sie [Optionen]->[WDB Layer]->[Towns]")
                       .arg(fileName));
}

kiv::MessageRequest couldNotWrite(bool english, const kiv::WriteResult& failed)
{
    return warning(inLanguage(english, "Attention", "Achtung"), failed.describe(english));
}

} // namespace kiv::fileMessages
