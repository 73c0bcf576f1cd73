#include "dialogs/TablePrinter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <cmath>

namespace kiv {

namespace {

// Measured and drawn alike; the lines are sized to fit, so the rectangle never cuts one.
constexpr int kTextFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextExpandTabs | Qt::TextDontClip;
// Font sizes are not exactly proportional to widths (hinting): a few tries, each a little smaller.
constexpr int kShrinkTries = 20;
constexpr qreal kShrinkStep = 0.97;
constexpr qreal kSmallestPointSize = 0.5;

QRectF printableRect(const QPrinter& printer, QPageLayout::Orientation orientation)
{
    QPageLayout layout = printer.pageLayout();
    layout.setOrientation(orientation);
    return layout.paintRectPixels(printer.resolution());
}

} // namespace

qreal TablePrinter::longestLine(const QFont& font, const QPrinter& printer) const
{
    const QFontMetricsF metrics(font, &printer);
    qreal longest = 0.0;
    for (const QString& line : lines_)
        longest = std::max(longest, metrics.size(kTextFlags, line).width());
    return longest;
}

TablePrinter::Plan TablePrinter::plan(const QPrinter& printer) const
{
    const QPageLayout::Orientation chosen = printer.pageLayout().orientation();
    Plan p{chosen, font_};
    const qreal width = printableRect(printer, chosen).width();
    const qreal longest = longestLine(font_, printer);
    if (longest <= width)
        return p;
    if (chosen == QPageLayout::Portrait && longest <= printableRect(printer, QPageLayout::Landscape).width()) {
        p.orientation = QPageLayout::Landscape;
        return p;
    }
    qreal size = std::max(font_.pointSizeF() * width / longest, kSmallestPointSize);
    p.font.setPointSizeF(size);
    for (int i = 0; i < kShrinkTries && size > kSmallestPointSize && longestLine(p.font, printer) > width; ++i) {
        size = std::max(size * kShrinkStep, kSmallestPointSize);
        p.font.setPointSizeF(size);
    }
    return p;
}

void TablePrinter::print(QPrinter& printer) const
{
    const Plan p = plan(printer);
    printer.setPageOrientation(p.orientation);
    QPainter painter;
    if (!painter.begin(&printer))
        return;
    painter.setFont(p.font);
    const QFontMetricsF metrics(p.font, &printer);
    const QRectF page = printableRect(printer, p.orientation);
    const qreal lineHeight = std::max(metrics.lineSpacing(), 1.0);
    const int perPage = std::max(1, static_cast<int>(std::floor(page.height() / lineHeight)));
    const int pages = std::max(1, static_cast<int>((lines_.size() + perPage - 1) / perPage));
    const bool range = printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0;
    const int first = range ? std::min(printer.fromPage(), pages) : 1;
    const int last = range ? std::clamp(printer.toPage(), first, pages) : pages;
    const int copies = printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());
    // Collated, the range again for each copy; else each page as often as asked before the next.
    const int rounds = printer.collateCopies() ? copies : 1;
    const int sheetsOfAPage = printer.collateCopies() ? 1 : copies;
    bool firstSheet = true;
    for (int round = 0; round < rounds; ++round) {
        for (int number = first; number <= last; ++number) {
            for (int sheet = 0; sheet < sheetsOfAPage; ++sheet) {
                if (!firstSheet)
                    printer.newPage();
                firstSheet = false;
                const int from = (number - 1) * perPage;
                const int to = std::min(static_cast<int>(lines_.size()), from + perPage);
                for (int i = from; i < to; ++i)
                    painter.drawText(QRectF(0.0, (i - from) * lineHeight, page.width(), lineHeight), kTextFlags,
                                     lines_[i]);
            }
        }
    }
    painter.end();
}

} // namespace kiv
