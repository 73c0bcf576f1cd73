// The reasons the program composes, told in the language in use and naming what they are about.
#include "dialogs/CInternetDialog.h"
#include "tests/support/DocumentFixture.h"
#include "tests/support/WidgetChild.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>

#include <functional>

using namespace kiv;
using namespace kiv::test;

namespace {

class MessageLanguageTest : public DocumentTest {
protected:
    // The text of the one box the action showed.
    QString shownBy(const std::function<void()>& action)
    {
        ui_.messages.clear();
        action();
        EXPECT_EQ(ui_.messages.shown().size(), 1u);
        return ui_.messages.shown().empty() ? QString() : ui_.messages.shown().back().text;
    }

    // The download dialog's OK with the fields given; the retry question is answered No.
    QString download(int language, const QString& url, const QString& localFile)
    {
        return shownBy([&] {
            ui_.messages.queueAnswer(MessageAnswer::No);
            CInternetDialog dialog({}, services_, paths_, language, HttpClient(HttpOptions{2000, 1000, 0, 50}));
            child<QComboBox>(dialog, "1376")->setEditText(url);
            child<QLineEdit>(dialog, "1369")->setText(localFile);
            dialog.accept();
        });
    }

    QString restore(int language, const QString& path)
    {
        doc_->Language = language;
        return shownBy([&] { EXPECT_FALSE(doc_->RestoreSettingsArchive(path)); });
    }
};

} // namespace

TEST_F(MessageLanguageTest, ReasonsComeInTheLanguageInUse)
{
    writeFile("sats.tle", lowSatellites(1));
    CKivDoc& doc = makeDocument("[Allgemein]\nSatellitenfilename=sats.tle\n");

    // A settings file cut off right after its version string.
    const QString damaged = filePath(QStringLiteral("damaged.set"));
    ASSERT_TRUE(doc.SaveSettingsArchive(damaged));
    QFile file(damaged);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const int versionEnd = 1 + static_cast<unsigned char>(file.read(1).at(0));
    ASSERT_TRUE(file.resize(versionEnd));
    file.close();
    const QString missing = filePath(QStringLiteral("missing.set"));

    const struct {
        const char* situation;
        std::function<QString(int language)> shown;
        QString english;
        QString german;
    } cases[] = {
        {"a download without a local file name",
         [&](int language) { return download(language, QStringLiteral("http://127.0.0.1:9/x.tle"), QString()); },
         "Could not download file.\nWrong: no local file name is given for the download\nDo you want to try again ?",
         "Die Datei konnte nicht geladen werden.\nFehler: für den Download ist kein lokaler Dateiname angegeben\n"
         "Wollen Sie es noch einmal versuchen ?"},
        {"a download without an address", [&](int language) { return download(language, QString(), "x.tle"); },
         "Could not download file.\nWrong: no web address is given\nDo you want to try again ?",
         "Die Datei konnte nicht geladen werden.\nFehler: es ist keine Webadresse angegeben\nWollen Sie es noch "
         "einmal versuchen ?"},
        {"a damaged settings file", [&](int language) { return restore(language, damaged); },
         QStringLiteral("The settings file %1 is damaged: the archive ends at byte %2 inside a block of 500 bytes "
                        "(0 left).\nNothing has been changed.")
             .arg(damaged)
             .arg(versionEnd),
         QStringLiteral("Die Einstellungsdatei %1 ist beschädigt: das Archiv endet bei Byte %2 in einem Block von "
                        "500 Bytes (0 übrig).\nEs wurde nichts geändert.")
             .arg(damaged)
             .arg(versionEnd)},
        {"a settings file that is not there", [&](int language) { return restore(language, missing); },
         QStringLiteral("Could not open the settings file %1:\nNo such file or directory").arg(missing),
         QStringLiteral("Konnte die Einstellungsdatei %1 nicht öffnen:\nDatei oder Verzeichnis nicht gefunden")
             .arg(missing)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.situation);
        EXPECT_EQ(c.shown(1), c.english);
        EXPECT_EQ(c.shown(0), c.german);
    }
}
