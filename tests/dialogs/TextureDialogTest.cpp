// The texture dialog on the offscreen platform: Browse, Preview, Default, Info and OK, with
// pictures read by the program's loader from the test's folder.
#include "dialogs/CImagePreview.h"
#include "dialogs/CTexDlg.h"
#include "imaging/PictureLoader.h"
#include "tests/support/DocumentFixture.h"

#include <QLineEdit>
#include <QPushButton>

using namespace kiv;
using namespace kiv::test;

namespace {

// A GIF with a transparent colour whose one frame is 1 x 1 on a logical screen of 16384 x rows: Qt's
// decoder reports the frame's size, taking so wide a screen for a lie, and decodes the whole screen.
std::string transparentGifOnScreen(int rows)
{
    std::string bytes = "GIF89a";
    for (const int v : {16384, rows})
        bytes += {char(v & 0xFF), char(v >> 8)};
    bytes += std::string("\x80\0\0\0\0\0\xFF\xFF\xFF", 9);              // two colours
    bytes += std::string("\x21\xF9\x04\x01\0\0\0\0", 8);                 // colour 0 transparent
    bytes += std::string("\x2C\0\0\0\0\x01\0\x01\0\0", 10);            // a frame of 1 x 1
    bytes += std::string("\x02\x02\x4C\x01\0\x3B", 6);                    // its pixel, the end
    return bytes;
}

class TextureDialogTest : public DocumentTest {
protected:
    TextureDialogTest()
    {
        savePicture("globe.bmp", 64, 32, Qt::blue);
        savePicture("day.bmp", 40, 20, Qt::green);
        savePicture("night.bmp", 30, 10, Qt::black);
        savePicture("wdb.bmp", 20, 10, Qt::white);
        savePicture("chosen.bmp", 16, 8, Qt::red);
    }

    void savePicture(const char* name, int w, int h, Qt::GlobalColor colour) const
    {
        QImage picture(w, h, QImage::Format_RGB888);
        picture.fill(colour);
        ASSERT_TRUE(picture.save(filePath(QString::fromLatin1(name)), "BMP"));
    }

    QString edit(CTexDlg& dialog, const char* id) const
    {
        return dialog.findChild<QLineEdit*>(QString::fromLatin1(id))->text();
    }
    void click(CTexDlg& dialog, const char* id) const
    {
        auto* button = dialog.findChild<QPushButton*>(QString::fromLatin1(id));
        ASSERT_NE(button, nullptr) << id;
        button->click();
    }
    QSize shown(CTexDlg& dialog) const
    {
        const QImage* picture = dialog.preview().GetBitmapInfo();
        return picture ? picture->size() : QSize();
    }

    const TextureNames names_{"globe.bmp", "day.bmp", "night.bmp", "wdb.bmp"};
    PictureLoader pictures_{paths_, services_};
};

} // namespace

TEST_F(TextureDialogTest, OpensWithTheNamesAndThe2DMapInThePreview)
{
    CTexDlg dialog(names_, services_, paths_, pictures_, 1);
    EXPECT_EQ(edit(dialog, "1005"), "globe.bmp");
    EXPECT_EQ(edit(dialog, "1007"), "day.bmp");
    EXPECT_EQ(edit(dialog, "1011"), "night.bmp");
    EXPECT_EQ(edit(dialog, "1010"), "wdb.bmp");
    EXPECT_EQ(dialog.preview().fileName(), "day.bmp");
    EXPECT_EQ(shown(dialog), QSize(40, 20));
    for (const char* id : {"1043", "1013", "1015", "1014"}) {
        click(dialog, id);
        EXPECT_FALSE(dialog.preview().fileName().isEmpty()) << id;
    }
    EXPECT_EQ(dialog.preview().fileName(), "wdb.bmp");
    EXPECT_TRUE(ui_.messages.shown().empty());
}

TEST_F(TextureDialogTest, BrowseStartsAtTheGlobeTextureAndChangesOnlyItsRow)
{
    const struct {
        const char* browse;
        const char* title;
        std::optional<QString> answer;
    } cases[] = {{"1012", "Night overlay map", QStringLiteral("chosen.bmp")},
                 {"1008", "Earthtexture filename (2D)", std::nullopt},
                 {"1009", "World Data Base Texture filename", QStringLiteral("chosen.bmp")},
                 {"1041", "Earthtexture filename (3D)", std::nullopt}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.browse);
        CTexDlg dialog(names_, services_, paths_, pictures_, 1);
        // Text typed before the Browse is replaced by the names.
        dialog.findChild<QLineEdit*>(QStringLiteral("1007"))->setText(QStringLiteral("typed.bmp"));
        ui_.files.queueAnswer(c.answer);
        click(dialog, c.browse);
        const FileDialogRequest& request = ui_.files.shown().back().request;
        EXPECT_EQ(request.title, c.title);
        EXPECT_EQ(request.initialPath, filePath("globe.bmp"));
        EXPECT_TRUE(request.filter.startsWith(QStringLiteral("All Texturefiles (*.JPG *.jpg")));
        TextureNames expected = names_;
        if (c.answer && QLatin1String(c.browse) == QLatin1String("1012"))
            expected.NightMapFileName = *c.answer;
        if (c.answer && QLatin1String(c.browse) == QLatin1String("1009"))
            expected.WDBMapFileName = *c.answer;
        EXPECT_EQ(edit(dialog, "1005"), expected.TextureErdeFileName);
        EXPECT_EQ(edit(dialog, "1007"), expected.ErdkarteFileName);
        EXPECT_EQ(edit(dialog, "1011"), expected.NightMapFileName);
        EXPECT_EQ(edit(dialog, "1010"), expected.WDBMapFileName);
        // The row is shown either way.
        const QString row = QLatin1String(c.browse) == QLatin1String("1012")   ? expected.NightMapFileName
                            : QLatin1String(c.browse) == QLatin1String("1008") ? expected.ErdkarteFileName
                            : QLatin1String(c.browse) == QLatin1String("1009") ? expected.WDBMapFileName
                                                                                : expected.TextureErdeFileName;
        EXPECT_EQ(dialog.preview().fileName(), row);
        dialog.accept();
        EXPECT_EQ(dialog.values().NightMapFileName, expected.NightMapFileName);
        EXPECT_EQ(dialog.values().WDBMapFileName, expected.WDBMapFileName);
        EXPECT_EQ(dialog.values().ErdkarteFileName, expected.ErdkarteFileName);
    }
}

TEST_F(TextureDialogTest, PreviewShowsTheNameLastSetNotTheTypedOne)
{
    CTexDlg dialog(names_, services_, paths_, pictures_, 0);
    dialog.findChild<QLineEdit*>(QStringLiteral("1007"))->setText(QStringLiteral("chosen.bmp"));
    click(dialog, "1013");
    EXPECT_EQ(dialog.preview().fileName(), "day.bmp");
    EXPECT_EQ(shown(dialog), QSize(40, 20));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.values().ErdkarteFileName, "chosen.bmp");
}

TEST_F(TextureDialogTest, DefaultPutsTheProfileDefaultsIntoTheEdits)
{
    CTexDlg dialog(names_, services_, paths_, pictures_, 1);
    click(dialog, "11");
    EXPECT_EQ(dialog.preview().fileName(), "day.bmp"); // not shown
    dialog.accept();
    EXPECT_EQ(dialog.values().TextureErdeFileName, "clouds.bmp");
    EXPECT_EQ(dialog.values().ErdkarteFileName, "earth2d.bmp");
    EXPECT_EQ(dialog.values().NightMapFileName, "night.bmp");
    EXPECT_EQ(dialog.values().WDBMapFileName, "wdbsmal.bmp");
}

TEST_F(TextureDialogTest, AnUnreadablePictureShowsTheStandardTextureAfterTheMessage)
{
    writeFile("broken.bmp", "BM not a bitmap");
    CTexDlg dialog({"broken.bmp", "broken.bmp", "night.bmp", "wdb.bmp"}, services_, paths_, pictures_, 1);
    EXPECT_EQ(shown(dialog), QSize(512, 256));
    EXPECT_FALSE(ui_.messages.shown().empty());
}

TEST_F(TextureDialogTest, InfoInBothLanguages)
{
    for (const int language : {1, 0}) {
        CTexDlg dialog(names_, services_, paths_, pictures_, language);
        ui_.messages.clear();
        click(dialog, "1042");
        ASSERT_EQ(ui_.messages.shown().size(), 1u);
        EXPECT_EQ(ui_.messages.shown()[0].caption, "Info");
        EXPECT_EQ(ui_.messages.shown()[0].text.startsWith(QStringLiteral("Here you can choose")), language == 1);
    }
}

TEST_F(TextureDialogTest, APictureDecodedBeyondItsHeaderIsCountedAgainBeforeItIsShown)
{
    // Qt decodes the GIF as 4 bytes a pixel with alpha and the preview's route copies it without:
    // 8 bytes a pixel within 512 MiB, 16384 x 4096 and not one row more.
    for (const int rows : {4096, 4097}) {
        writeFile("screen.gif", transparentGifOnScreen(rows));
        ui_.messages.clear();
        CTexDlg dialog({"globe.bmp", "screen.gif", "night.bmp", "wdb.bmp"}, services_, paths_, pictures_, 1);
        const bool inside = rows == 4096;
        EXPECT_EQ(shown(dialog), inside ? QSize(16384, 4096) : QSize(512, 256)) << rows;
        ASSERT_EQ(ui_.messages.shown().size(), inside ? 0u : 1u) << rows;
        if (!inside) {
            EXPECT_TRUE(ui_.messages.shown()[0].text.contains(QStringLiteral("at most 512 MiB")));
        }
    }
}
