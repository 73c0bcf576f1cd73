#pragma once
// The dialogs' controls made with their ids as object names, by which the tests find them.

#include <QString>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QWidget;

namespace kiv::controls {

QCheckBox* checkBox(const char* caption, const char* id, int value, QWidget* parent);
QLineEdit* lineEdit(const QString& content, const char* id, QWidget* parent);
QPushButton* button(const QString& caption, const char* id, QWidget* parent);

} // namespace kiv::controls
