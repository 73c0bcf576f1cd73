#include "tests/support/Prerequisite.h"
#include "tests/support/ProcessesTogether.h"
#include "platform/IniProfile.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/ScratchWorkspace.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using kiv::IniProfile;

namespace {

IniProfile parsed(const QByteArray& bytes)
{
    IniProfile profile;
    profile.parse(bytes);
    return profile;
}

const QString kAllgemein = QStringLiteral("Allgemein");

} // namespace

TEST(IniProfile, FreshProfileKeepsTheWritingOrder)
{
    IniProfile profile;
    profile.WriteProfileString(kAllgemein, QStringLiteral("Satellitenfilename"), QStringLiteral("intelsat.tle"));
    profile.WriteProfileFloat(kAllgemein, QStringLiteral("RouteLengthFactor"), 1.0f);
    profile.WriteProfileInt(kAllgemein, QStringLiteral("NrOfPoints"), 35);
    profile.WriteProfileString(QStringLiteral("Datei"), QStringLiteral("ColorTableFileName"), QStringLiteral("kiv.clr"));
    profile.WriteProfileBool(kAllgemein, QStringLiteral("CalculateExact"), 0);
    profile.WriteProfileInt(QStringLiteral("ObserverView"), QStringLiteral("cColorBackground"), 4194304);
    EXPECT_EQ(profile.toBytes(),
              "[Allgemein]\n"
              "Satellitenfilename=intelsat.tle\n"
              "RouteLengthFactor=1.000000\n"
              "NrOfPoints=35\n"
              "CalculateExact=FALSE\n"
              "[Datei]\n"
              "ColorTableFileName=kiv.clr\n"
              "[ObserverView]\n"
              "cColorBackground=4194304\n");
}

TEST(IniProfile, TypedValues)
{
    IniProfile profile = parsed("[A]\nt=TRUE\nt2=True\nt3=true\nt4=1\nt5=yes\n"
                                "f=48.123455\nf2=abc\nf3=7.5xyz\ni=35abc\ni2=abc\ni3=-6\n"
                                "q=\"quoted value\"\ns=  padded  \n");
    const QString a = QStringLiteral("A");
    EXPECT_EQ(profile.GetProfileBool(a, QStringLiteral("t"), 0), 1);
    for (const char* key : {"t2", "t3", "t4", "t5"})
        EXPECT_EQ(profile.GetProfileBool(a, QLatin1String(key), 1), 0) << key;
    EXPECT_EQ(profile.GetProfileBool(a, QStringLiteral("missing"), 1), 1);
    EXPECT_EQ(profile.GetProfileBool(a, QStringLiteral("missing"), 2), 0);
    EXPECT_EQ(profile.GetProfileFloat(a, QStringLiteral("f"), 0), 48.12345504760742f);
    EXPECT_EQ(profile.GetProfileFloat(a, QStringLiteral("f2"), 9), 0.0f);
    EXPECT_EQ(profile.GetProfileFloat(a, QStringLiteral("f3"), 9), 7.5f);
    // A missing float arrives as its default printed with "%f" and read back.
    EXPECT_EQ(profile.GetProfileFloat(a, QStringLiteral("missing"), 0.1234567f), 0.123457f);
    EXPECT_EQ(profile.GetProfileInt(a, QStringLiteral("i"), 0), 35);
    EXPECT_EQ(profile.GetProfileInt(a, QStringLiteral("i2"), 7), 0);
    EXPECT_EQ(profile.GetProfileInt(a, QStringLiteral("i3"), 0), -6);
    EXPECT_EQ(profile.GetProfileInt(a, QStringLiteral("missing"), 7), 7);
    EXPECT_EQ(profile.GetProfileString(a, QStringLiteral("q"), {}), QStringLiteral("quoted value"));
    EXPECT_EQ(profile.GetProfileString(a, QStringLiteral("s"), {}), QStringLiteral("padded"));
    EXPECT_EQ(profile.GetProfileString(QStringLiteral("B"), QStringLiteral("s"), QStringLiteral("d")), QStringLiteral("d"));

    profile.WriteProfileBool(a, QStringLiteral("t"), 2);
    profile.WriteProfileFloat(a, QStringLiteral("f"), static_cast<float>(48.1234567));
    EXPECT_EQ(profile.value(a, QStringLiteral("t")), QStringLiteral("FALSE"));
    EXPECT_EQ(profile.value(a, QStringLiteral("f")), QStringLiteral("48.123455"));
}

TEST(IniProfile, MatchesWithoutCaseAndKeepsTheFilesSpelling)
{
    IniProfile profile = parsed("[allgemein]\nnrofpoints=50\n[ALLGEMEIN]\nNrOfPoints=60\n");
    EXPECT_EQ(profile.GetProfileInt(kAllgemein, QStringLiteral("NrOfPoints"), 35), 50);
    profile.WriteProfileInt(kAllgemein, QStringLiteral("NrOfPoints"), 70);
    EXPECT_EQ(profile.toBytes(), "[allgemein]\nnrofpoints=70\n[ALLGEMEIN]\nNrOfPoints=60\n");
    // Only ASCII letters fold: "Qualität" and "QUALITÄT" are different keys.
    profile.WriteProfileInt(kAllgemein, QStringLiteral("Qualit\u00e4t"), 1);
    EXPECT_EQ(profile.value(kAllgemein, QStringLiteral("QUALIT\u00c4T")), std::nullopt);
    EXPECT_EQ(profile.value(kAllgemein, QStringLiteral("qualit\u00e4t")), QStringLiteral("1"));
}

TEST(IniProfile, PreservesEverythingItDoesNotWrite)
{
    const QByteArray handWritten = "; written by hand\r\n"
                                "[Recent File List]\r\n"
                                "File1=C:\\sats\\a.set\r\n"
                                "\r\n"
                                "[Allgemein]\r\n"
                                "Unknown = kept as is \r\n"
                                "TimeFactor=60\r\n"
                                "; trailing comment\r\n"
                                "\r\n"
                                "[Extra]\r\n"
                                "no equals sign here\r\n";
    IniProfile profile = parsed(handWritten);
    EXPECT_EQ(profile.toBytes(), handWritten);
    profile.WriteProfileInt(kAllgemein, QStringLiteral("TimeFactor"), 3600);
    profile.WriteProfileInt(kAllgemein, QStringLiteral("Language"), 0);
    profile.WriteProfileString(QStringLiteral("Weather"), QStringLiteral("WeatherImageURL"), QStringLiteral("http://h/a b"));
    EXPECT_EQ(profile.toBytes(), "; written by hand\r\n"
                                 "[Recent File List]\r\n"
                                 "File1=C:\\sats\\a.set\r\n"
                                 "\r\n"
                                 "[Allgemein]\r\n"
                                 "Unknown = kept as is \r\n"
                                 "TimeFactor=3600\r\n"
                                 "Language=0\r\n"
                                 "; trailing comment\r\n"
                                 "\r\n"
                                 "[Extra]\r\n"
                                 "no equals sign here\r\n"
                                 "[Weather]\r\n"
                                 "WeatherImageURL=http://h/a b\r\n");
    EXPECT_EQ(parsed(profile.toBytes()).toBytes(), profile.toBytes());

    // Mixed line ends and a last line without one stay as they were.
    IniProfile mixed = parsed("[A]\nx=1\r\ny=2");
    EXPECT_EQ(mixed.toBytes(), "[A]\nx=1\r\ny=2");
    mixed.WriteProfileInt(QStringLiteral("A"), QStringLiteral("x"), 5);
    mixed.WriteProfileInt(QStringLiteral("B"), QStringLiteral("z"), 3);
    EXPECT_EQ(mixed.toBytes(), "[A]\nx=5\r\ny=2\n[B]\nz=3\n");
}

TEST(IniProfile, OddInputIsReadAndKept)
{
    QByteArray odd = "\xEF\xBB\xBF[Allgemein]\nLanguage=0\n";
    odd += QByteArray(10 * 1024 * 1024, 'x');
    odd += "\nnul=a";
    odd += '\0';
    odd += "b\nLanguage=1\n=empty key\n[unclosed\nk=v\n[Datei]\nPfad=M\xfc" "nchen\nUtf=M\xc3\xbc" "nchen";
    IniProfile profile = parsed(odd);
    EXPECT_EQ(profile.toBytes(), odd);
    EXPECT_EQ(profile.GetProfileInt(kAllgemein, QStringLiteral("Language"), 5), 0) << "the first of duplicates";
    EXPECT_EQ(profile.value(kAllgemein, QStringLiteral("nul"))->size(), 3);
    EXPECT_EQ(profile.value(QStringLiteral("unclosed"), QStringLiteral("k")), QStringLiteral("v"));
    EXPECT_EQ(profile.value(QStringLiteral("Datei"), QStringLiteral("Pfad")), QStringLiteral("M\u00fcnchen"));
    EXPECT_EQ(profile.value(QStringLiteral("Datei"), QStringLiteral("Utf")), QStringLiteral("M\u00fcnchen"));
    profile.WriteProfileString(QStringLiteral("Datei"), QStringLiteral("New"), QStringLiteral("two\nlines"));
    EXPECT_TRUE(profile.toBytes().endsWith("Utf=M\xc3\xbc" "nchen\nNew=two lines\n"));
}

TEST(IniProfile, FloatsIgnoreTheGermanLocale)
{
    const kiv::test::ScopedNumericLocale german("de_DE.UTF-8");
    if (!german.available())
        KIV_MISSING_PREREQUISITE() << "locale de_DE.UTF-8 is not installed (tools/setup-deps.sh generates it)";
    IniProfile profile = parsed("[Weltkarte]\nBeamAngle=20.500000\n");
    EXPECT_EQ(profile.GetProfileFloat(QStringLiteral("Weltkarte"), QStringLiteral("BeamAngle"), 0), 20.5f);
    profile.WriteProfileFloat(QStringLiteral("Weltkarte"), QStringLiteral("TextureDeltaErde"), 0.5f);
    EXPECT_EQ(profile.value(QStringLiteral("Weltkarte"), QStringLiteral("TextureDeltaErde")), QStringLiteral("0.500000"));
}

TEST(IniProfile, FileLocationAndSaving)
{
    QTemporaryDir dir;
    kiv::test::ScopedEnvironment environment("KIV_PROFILE", std::nullopt);
    environment.set("XDG_CONFIG_HOME", dir.filePath(QStringLiteral("config")).toStdString());
    EXPECT_EQ(IniProfile::defaultPath(), dir.filePath(QStringLiteral("config/kiv/kiv.ini")));
    const QString path = dir.filePath(QStringLiteral("own.ini"));
    environment.set("KIV_PROFILE", path.toStdString());
    ASSERT_EQ(IniProfile::defaultPath(), path);

    IniProfile profile(IniProfile::defaultPath());
    QString error;
    EXPECT_TRUE(profile.load(&error)) << "a missing file is an empty profile";
    IniProfile writes;
    writes.WriteProfileBool(kAllgemein, QStringLiteral("Show3D"), 1);
    ASSERT_TRUE(profile.saveMerged(writes));
    IniProfile again(path);
    ASSERT_TRUE(again.load());
    EXPECT_EQ(again.GetProfileBool(kAllgemein, QStringLiteral("Show3D"), 0), 1);

    IniProfile unwritable(dir.filePath(QStringLiteral("own.ini/inside.ini")));
    const kiv::WriteResult result = unwritable.saveMerged(writes);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.errorText.isEmpty());
    IniProfile directory(dir.path());
    EXPECT_FALSE(directory.load(&error));
    EXPECT_TRUE(error.contains(dir.path()));
    // What cannot be read again gets the keys merged into the profile as read, and says why.
    directory.parse("[A]\nx=1\n");
    QString readError;
    EXPECT_FALSE(directory.saveMerged(writes, &readError));
    EXPECT_TRUE(readError.contains(dir.path()));
    EXPECT_EQ(directory.toBytes(), "[A]\nx=1\n[Allgemein]\nShow3D=TRUE\n");
    IniProfile endless(QStringLiteral("/dev/zero")); // a wrong path must not read forever
    EXPECT_FALSE(endless.load(&error));
    EXPECT_EQ(error, QStringLiteral("Could not read /dev/zero: it is not a regular file."));
    QFile huge(dir.filePath(QStringLiteral("huge.ini")));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(16 * 1024 * 1024 + 1));
    EXPECT_FALSE(IniProfile(huge.fileName()).load(&error));
    EXPECT_TRUE(error.contains(QStringLiteral("not a profile")));
}

TEST(IniProfile, SavingMergesTheKeysIntoTheFileAsItIsNow)
{
    const kiv::test::ScratchWorkspace scratch;
    IniProfile profile(scratch.filePath(QStringLiteral("kiv.ini")));
    profile.parse("[Allgemein]\nLanguage=1\n"); // as read at the start, then changed by someone else:
    ASSERT_TRUE(scratch.writeFile("kiv.ini", "[allgemein]\r\nnrofpoints=50\r\nOther=x\r\n[Fremd]\r\nk=v\r\n"));
    ASSERT_TRUE(profile.saveMerged(parsed("[Allgemein]\nNrOfPoints=35\nLanguage=0\n[Normal]\nNormalQualitaet=2\n")));
    EXPECT_EQ(scratch.readFile("kiv.ini"), "[allgemein]\r\nnrofpoints=35\r\nOther=x\r\nLanguage=0\r\n[Fremd]\r\nk=v\r\n"
                                           "[Normal]\r\nNormalQualitaet=2\r\n");
    EXPECT_EQ(profile.toBytes(), scratch.readFile("kiv.ini")) << "the profile holds what was written";

    // Two programs closing at once: each merges into what the other wrote.
    for (int round = 0; round < 10; ++round) {
        ASSERT_TRUE(kiv::test::allTogether(2, [&](int i) {
            return IniProfile(profile.path()).saveMerged(parsed("[Run" + QByteArray::number(round) + "]\nkey" + QByteArray::number(i) + "=1\n")).ok;
        }));
    }
    const QByteArray merged = scratch.readFile("kiv.ini");
    EXPECT_EQ(std::pair(merged.count("key0=1"), merged.count("key1=1")), std::pair(qsizetype{10}, qsizetype{10})) << merged.constData();
}
