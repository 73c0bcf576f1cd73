#include "dialogs/DialogControls.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

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

} // namespace kiv::controls
