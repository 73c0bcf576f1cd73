#include "dialogs/DialogControls.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeWidget>

#include <algorithm>

namespace kiv::controls {

QCheckBox* checkBox(const char* caption, const char* id, int value, QWidget* parent)
{
    auto* box = new QCheckBox(QString::fromLatin1(caption), parent);
    box->setObjectName(QString::fromLatin1(id));
    box->setChecked(value != 0);
    return box;
}

QLineEdit* lineEdit(const QString& content, const char* id, QWidget* parent)
{
    auto* edit = new QLineEdit(content, parent);
    edit->setObjectName(QString::fromLatin1(id));
    return edit;
}

QPushButton* button(const QString& caption, const char* id, QWidget* parent)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(id));
    return b;
}

QTreeWidget* satelliteList(const QStringList& names, const std::function<bool(int)>& marked,
                           const std::function<void(int)>& onClick, QWidget* parent)
{
    auto* list = new QTreeWidget(parent);
    list->setObjectName(QStringLiteral("1098"));
    list->setRootIsDecorated(false);
    list->setHeaderLabels({QStringLiteral("Satellite Name"), QStringLiteral("Nr"), QStringLiteral("X")});
    for (int i = 0; i < names.size(); ++i) {
        auto* row = new QTreeWidgetItem(list, {names[i], QString::number(i + 1), mark(marked(i))});
        for (int c = 0; c < 3; ++c)
            row->setTextAlignment(c, Qt::AlignCenter);
    }
    // Headings centred over their columns. The number and mark columns are as wide as their
    // content (a stretched mark column would set its marks far from the heading); the names take
    // the rest, and the list is wide enough for the longest of them whole.
    QHeaderView* header = list->header();
    for (int c = 0; c < 3; ++c)
        list->headerItem()->setTextAlignment(c, Qt::AlignCenter);
    header->setStretchLastSection(false);
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    const QAbstractItemView& view = *list; // where the content's width is public
    int columns = 0;
    for (int c = 0; c < 3; ++c)
        columns += std::max(view.sizeHintForColumn(c), header->sectionSizeHint(c));
    list->setMinimumWidth(columns + 2 * list->frameWidth() + list->verticalScrollBar()->sizeHint().width());
    QObject::connect(list, &QTreeWidget::itemClicked, list,
                     [list, onClick](QTreeWidgetItem* item) { onClick(list->indexOfTopLevelItem(item)); });
    return list;
}

QString mark(bool marked)
{
    return marked ? QStringLiteral("X") : QStringLiteral(" ");
}

} // namespace kiv::controls
