// Colour editing of the clocks, and the typed numbers of the dialogs.
#include "dialogs/ClockColorEditor.h"
#include "platform/TypedNumbers.h"

#include <gtest/gtest.h>

using namespace kiv;

TEST(ClockColorEditor, SwatchesCutComponentsToBytes)
{
    ClockColorTables tables{};
    tables[1][5] = {1.0f, 0.5f, 0.0f, 1.0f};
    tables[1][6] = {1.5f, 10.0f, 0.999f, 1.0f}; // the colour file allows up to 10
    tables[0][5] = {0.2f, 0.8f, 0.4f, 1.0f};
    const ClockColorEditor editor(tables);
    EXPECT_EQ(editor.swatch(1, 5), rgb(255, 127, 0) | 0x02000000u);
    EXPECT_EQ(editor.swatch(1, 6), rgb(255, 255, 254) | 0x02000000u);
    EXPECT_EQ(editor.swatch(0, 5), rgb(51, 204, 102) | 0x02000000u);
    EXPECT_FALSE(editor.changed());
}

TEST(ClockColorEditor, EveryEditMarksTheTablesChanged)
{
    ClockColorTables tables{};
    tables[0][3] = {0.1f, 0.2f, 0.3f, 0.7f};
    {
        ClockColorEditor editor(tables);
        editor.setColor(0, 3, rgb(255, 0, 51));
        EXPECT_EQ(tables[0][3], (Rgba{1.0f, 0.0f, 0.2f, 0.7f}));
        EXPECT_TRUE(editor.changed());
    }
    {
        ClockColorEditor editor(tables);
        EXPECT_EQ(editor.alphaText(0, 3), "0.700000");
        for (const char* refused : {"", "abc", "1.5", "-0.1", "0,5", "0.5x", "."})
            EXPECT_FALSE(editor.takeAlphaText(0, 3, refused)) << refused;
        EXPECT_FALSE(editor.changed());
        EXPECT_FLOAT_EQ(tables[0][3][3], 0.7f);
        EXPECT_TRUE(editor.takeAlphaText(0, 3, " .25 "));
        EXPECT_FLOAT_EQ(tables[0][3][3], 0.25f);
        EXPECT_TRUE(editor.changed()) << "typed transparency is saved too";
    }
    {
        ClockColorEditor editor(tables);
        editor.restoreDefaults();
        EXPECT_TRUE(editor.changed());
        for (const auto& table : tables)
            EXPECT_TRUE(std::equal(table.begin(), table.end(), defaultClockColors().begin()));
        EXPECT_EQ(tables[1][6], (Rgba{0.2f, 0.2f, 0.8f, 0.5f}));
        EXPECT_EQ(tables[0][12], (Rgba{0.4f, 0.1f, 0.4f, 0.7f}));
    }
}

TEST(TypedNumbers, OnlyANumberAloneIsRead)
{
    EXPECT_EQ(wholeNumber(" 42 "), 42);
    EXPECT_EQ(wholeNumber("+7"), 7);
    EXPECT_EQ(wholeNumber("-7"), -7);
    EXPECT_EQ(wholeNumber("99999999999"), 99999999999LL);
    for (const char* text : {"", " ", "4 2", "42x", "+-1", "++1", "1.0", "99999999999999999999"})
        EXPECT_FALSE(wholeNumber(text)) << text;
    EXPECT_EQ(decimalNumber("0.5"), 0.5);
    EXPECT_EQ(decimalNumber("-.5"), -0.5);
    EXPECT_EQ(decimalNumber("1."), 1.0);
    for (const char* text : {"", ".", "-", "1e3", "0,5", "1.2.3", "inf"})
        EXPECT_FALSE(decimalNumber(text)) << text;
    EXPECT_EQ(decimalNumber(" -0,5 ", DecimalMark::PointOrComma), -0.5);
    EXPECT_EQ(decimalNumber("+7.25", DecimalMark::PointOrComma), 7.25);
    for (const char* text : {",", "0,5,1", "0.5,1", "1,2e3"})
        EXPECT_FALSE(decimalNumber(text, DecimalMark::PointOrComma)) << text;
    EXPECT_EQ(realNumber("1e-7"), 1e-7);
    EXPECT_EQ(realNumber(" -2.5E+3 "), -2500.0);
    EXPECT_EQ(realNumber(".5e1"), 5.0);
    EXPECT_EQ(realNumber("1.e2"), 100.0);
    EXPECT_EQ(realNumber("0.25"), 0.25);
    for (const char* text : {"", "1e", "e5", "1e+", "1 e5", "1e 5", "1e5x", "1e+-5", "1e5.0", "--1e5", "1,5e2",
                             "inf", "nan", "0x1p3"})
        EXPECT_FALSE(realNumber(text)) << text;

    EXPECT_EQ(checkInteger("12", 1, 12, true).value, 12);
    EXPECT_EQ(checkInteger("13", 1, 12, true).message, "Please enter an integer between 1 and 12.");
    EXPECT_EQ(checkInteger("x", 1, 12, false).message, "Bitte geben Sie eine ganze Zahl ein.");
}
