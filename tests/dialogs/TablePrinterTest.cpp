// How the table printer lays a table on the page, planned without printing, and which pages it
// prints how often.
#include "dialogs/TablePrinter.h"
#include "tests/support/Prerequisite.h"

#include <QFontMetricsF>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

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

namespace {

// The pages of a printed PDF as text, each page's lines simplified.
std::vector<QStringList> printedPages(const QString& pdf)
{
    QProcess run;
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    run.start(pdftotext, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    EXPECT_TRUE(run.waitForFinished(30000));
    QStringList pages = QString::fromUtf8(run.readAllStandardOutput()).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.back().trimmed().isEmpty())
        pages.removeLast();
    std::vector<QStringList> out;
    for (const QString& page : pages) {
        QStringList lines;
        for (const QString& line : page.split(QLatin1Char('\n')))
            if (!line.trimmed().isEmpty())
                lines << line.simplified();
        out.push_back(lines);
    }
    return out;
}

} // namespace

// A page range prints those pages of the whole table, a range past the end up to its last page,
// and copies repeat them, collated or page by page as the printer is set.
TEST(TablePrinterTest, PrintsThePageRangeAsOftenAsAskedInTheOrderAsked)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        KIV_MISSING_PREREQUISITE() << "pdftotext (poppler-utils)";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString pdf = dir.filePath(QStringLiteral("table.pdf"));
    QStringList rows;
    for (int i = 1; i <= 250; ++i)
        rows << QStringLiteral("row %1 of the table").arg(i, 3, 10, QLatin1Char('0'));
    QFont font(QStringLiteral("Monospace"));
    font.setPointSizeF(10.0);
    const auto print = [&](int from, int to, int copies, bool collate) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        if (from > 0) {
            printer.setPrintRange(QPrinter::PageRange);
            printer.setFromTo(from, to);
        }
        printer.setCopyCount(copies);
        printer.setCollateCopies(collate);
        TablePrinter(rows, font).print(printer);
        return printedPages(pdf);
    };
    const std::vector<QStringList> all = print(0, 0, 1, true);
    ASSERT_GE(all.size(), 4u);
    QStringList whole;
    for (const QStringList& page : all)
        whole << page;
    ASSERT_EQ(whole, rows) << "every row once, in order";
    std::vector<std::size_t> fromTwo, allTwice; // pages of the whole table, from 1
    for (std::size_t p = 2; p <= all.size(); ++p)
        fromTwo.push_back(p);
    for (int copy = 0; copy < 2; ++copy)
        for (std::size_t p = 1; p <= all.size(); ++p)
            allTwice.push_back(p);
    struct Case {
        int from, to, copies;
        bool collate;
        std::vector<std::size_t> pages;
    };
    const Case cases[] = {
        {2, 3, 1, true, {2, 3}},
        {3, 3, 1, true, {3}},
        {2, 99, 1, true, fromTwo},
        {2, 3, 2, true, {2, 3, 2, 3}},
        {2, 3, 2, false, {2, 2, 3, 3}},
        {0, 0, 2, true, allTwice},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "pages " << c.from << " to " << c.to << ", " << c.copies
                                        << (c.collate ? " collated" : " uncollated"));
        const std::vector<QStringList> printed = print(c.from, c.to, c.copies, c.collate);
        ASSERT_EQ(printed.size(), c.pages.size());
        const auto text = [](const QStringList& page) { return page.join(QLatin1Char('/')).toStdString(); };
        for (std::size_t k = 0; k < printed.size(); ++k)
            EXPECT_EQ(text(printed[k]), text(all[c.pages[k] - 1])) << "sheet " << k + 1;
    }
}
