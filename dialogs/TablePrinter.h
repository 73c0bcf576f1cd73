#pragma once
// Prints the lines of a text table whole. A line wider than the page is never cut: the page is
// turned to landscape when that alone makes the longest line fit, otherwise the font is made
// smaller until it does. The lines run over as many pages as they need, within the printer's
// page range and copies, collated or not.

#include <QFont>
#include <QPageLayout>
#include <QStringList>

class QPrinter;

namespace kiv {

class TablePrinter {
public:
    // How the lines go on paper.
    struct Plan {
        QPageLayout::Orientation orientation;
        QFont font;
    };

    TablePrinter(QStringList lines, QFont font) : lines_(std::move(lines)), font_(std::move(font)) {}

    // The page turned and the font sized for the printer's page, without printing.
    Plan plan(const QPrinter& printer) const;
    // Turns the printer's page as planned and prints.
    void print(QPrinter& printer) const;

private:
    // The width of the longest line in this font on the printer, in its pixels.
    qreal longestLine(const QFont& font, const QPrinter& printer) const;

    QStringList lines_;
    QFont font_;
};

} // namespace kiv
