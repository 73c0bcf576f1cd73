// The textures command with a scripted dialog: which maps it reloads and which views it renews.
#include "dialogs/DialogCommands.h"
#include "platform/PictureSource.h"
#include "tests/support/DocumentFixture.h"

using namespace kiv;
using namespace kiv::test;

namespace {

// Hands out one-pixel pictures and notes every name asked for.
class RecordingPictures final : public PictureSource {
public:
    QImage load(const QString& fileName, PictureUse use) override
    {
        loads.push_back(fileName.toStdString() + (use == PictureUse::Texture ? " texture" : ""));
        QImage picture(2, 1, QImage::Format_RGB32);
        picture.fill(Qt::green);
        return picture;
    }
    std::vector<std::string> loads;
};

class TextureCommandTest : public DocumentTest {
protected:
    TextureCommandTest() { pictures_ = &pictures; }

    CKivDoc& start()
    {
        CKivDoc& doc = makeDocument("[Texture]\nTextureErdeFileName=globe.bmp\nErdkarteFileName=day.bmp\n"
                                    "NightMapFileName=night.bmp\n[WorldDataBase]\nWDBMapFileName=wdb.bmp\n");
        views = &attachFakeViews({ViewKind::World, ViewKind::Map, ViewKind::WDB});
        doc.EnableAnimationTimer(true);
        pictures.loads.clear();
        views->calls.clear();
        return doc;
    }

    RecordingPictures pictures;
    FakeViews* views = nullptr;
};

} // namespace

TEST_F(TextureCommandTest, OkReloadsWhatChangedAndRenewsTheGlobeAndTheMap)
{
    using Names = std::vector<std::string>;
    const struct {
        const char* what;
        TextureNames chosen;
        int earthChanged, wdbChanged, showWdb;
        Names loads;
        Names calls;
    } cases[] = {
        {"nothing changed", {"globe.bmp", "day.bmp", "night.bmp", "wdb.bmp"}, 0, 0, 1,
         {"globe.bmp texture"}, {"SetEarthTexture", "ReloadBackground"}},
        {"every name", {"g2.bmp", "d2.bmp", "n2.bmp", "w2.bmp"}, 0, 0, 1,
         {"n2.bmp", "d2.bmp", "w2.bmp", "g2.bmp texture"},
         {"ReloadBackground", "SetEarthTexture", "ReloadBackground"}},
        {"maps a weather picture replaced", {"globe.bmp", "day.bmp", "night.bmp", "wdb.bmp"}, 1, 1, 1,
         {"day.bmp", "wdb.bmp", "globe.bmp texture"}, {"ReloadBackground", "SetEarthTexture", "ReloadBackground"}},
        {"no World Data Bank view", {"globe.bmp", "day.bmp", "night.bmp", "w2.bmp"}, 0, 1, 0,
         {"globe.bmp texture"}, {"SetEarthTexture", "ReloadBackground"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CKivDoc& doc = start();
        doc.EarthMapChanged = c.earthChanged;
        doc.WDBMapChanged = c.wdbChanged;
        doc.ShowWDB = c.showWdb;
        TextureNames offered;
        commands::editTextures(doc, [&](const TextureNames& in) {
            offered = in;
            EXPECT_FALSE(frame_.timerOn);
            return std::optional(c.chosen);
        });
        EXPECT_EQ(offered.TextureErdeFileName, "globe.bmp");
        EXPECT_EQ(offered.ErdkarteFileName, "day.bmp");
        EXPECT_EQ(offered.NightMapFileName, "night.bmp");
        EXPECT_EQ(offered.WDBMapFileName, "wdb.bmp");
        EXPECT_EQ(pictures.loads, c.loads);
        EXPECT_EQ(views->calls, c.calls);
        EXPECT_EQ(doc.TextureErdeFileName, c.chosen.TextureErdeFileName);
        EXPECT_EQ(doc.ErdkarteFileName, c.chosen.ErdkarteFileName);
        EXPECT_EQ(doc.NightMapFileName, c.chosen.NightMapFileName);
        EXPECT_EQ(doc.WDBMapFileName, c.chosen.WDBMapFileName);
        EXPECT_EQ(doc.EarthMapChanged, 0);
        EXPECT_EQ(doc.WDBMapChanged, c.showWdb ? 0 : c.wdbChanged);
        EXPECT_TRUE(frame_.timerOn);
    }
}

TEST_F(TextureCommandTest, CancelChangesNothing)
{
    CKivDoc& doc = start();
    doc.EarthMapChanged = 1;
    commands::editTextures(doc, [](const TextureNames&) { return std::optional<TextureNames>(); });
    EXPECT_TRUE(pictures.loads.empty());
    EXPECT_TRUE(views->calls.empty());
    EXPECT_EQ(doc.ErdkarteFileName, "day.bmp");
    EXPECT_EQ(doc.EarthMapChanged, 1);
    EXPECT_TRUE(frame_.timerOn);
}
