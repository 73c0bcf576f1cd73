#include "dialogs/DialogControls.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

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
    // Headings centred over their columns; the mark column keeps its width rather than
    // stretching, which would set its marks far from the heading.
    for (int c = 0; c < 3; ++c)
        list->headerItem()->setTextAlignment(c, Qt::AlignCenter);
    list->header()->setStretchLastSection(false);
    list->header()->resizeSection(0, 112);
    list->header()->resizeSection(1, 30);
    list->header()->resizeSection(2, 20);
    QObject::connect(list, &QTreeWidget::itemClicked, list,
                     [list, onClick](QTreeWidgetItem* item) { onClick(list->indexOfTopLevelItem(item)); });
    return list;
}

QString mark(bool marked)
{
    return marked ? QStringLiteral("X") : QStringLiteral(" ");
}

} // namespace kiv::controls
