// How the table printer lays a table on the page, planned without printing.
#include "dialogs/TablePrinter.h"

#include <QFontMetricsF>
#include <QPrinter>

#include <gtest/gtest.h>

#include <tuple>

using namespace kiv;

// The page turns only when that makes the longest line fit; otherwise the font shrinks until it
// does. A table that fits keeps the page and the font.
TEST(TablePrinterTest, TurnsThePageOrShrinksTheFontOnlyForLinesTooWide)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    QFont font(QStringLiteral("Monospace"));
    font.setPointSizeF(10.0);
    const auto room = [&](QPageLayout::Orientation o) {
        QPageLayout page = printer.pageLayout();
        page.setOrientation(o);
        return page.paintRectPixels(printer.resolution()).width();
    };
    const qreal portrait = room(QPageLayout::Portrait);
    const qreal landscape = room(QPageLayout::Landscape);
    const qreal x = QFontMetricsF(font, &printer).horizontalAdvance(QLatin1Char('x'));
    // Line width, then the page and whether the font shrinks.
    const std::tuple<qreal, QPageLayout::Orientation, bool> cases[] = {
        {0.95 * portrait, QPageLayout::Portrait, false},
        {(portrait + landscape) / 2, QPageLayout::Landscape, false},
        {3 * landscape, QPageLayout::Portrait, true},
    };
    for (const auto& [width, orientation, smaller] : cases) {
        const QString line(static_cast<int>(width / x), QLatin1Char('x'));
        const TablePrinter::Plan plan = TablePrinter({QStringLiteral("short"), line}, font).plan(printer);
        EXPECT_EQ(plan.orientation, orientation) << width;
        EXPECT_EQ(plan.font.pointSizeF() < font.pointSizeF(), smaller) << width;
        const qreal printed = QFontMetricsF(plan.font, &printer).horizontalAdvance(line);
        EXPECT_LE(printed, room(plan.orientation)) << width;
        EXPECT_GT(printed, smaller ? 0.9 * room(plan.orientation) : 0.0) << "no smaller than needed";
    }
}
