#pragma once
// The dialogs' controls made with their ids as object names, by which the tests find them.

#include <QString>
#include <QStringList>

#include <functional>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QWidget;

namespace kiv::controls {

QCheckBox* checkBox(const char* caption, const char* id, int value, QWidget* parent);
QLineEdit* lineEdit(const QString& content, const char* id, QWidget* parent);
QPushButton* button(const QString& caption, const char* id, QWidget* parent);

// The list of satellites ("1098"): name, number and a mark column, "X" where marked(row); a
// click on a row calls onClick with the row.
QTreeWidget* satelliteList(const QStringList& names, const std::function<bool(int)>& marked,
                           const std::function<void(int)>& onClick, QWidget* parent);
inline constexpr int kMarkColumn = 2;
QString mark(bool marked);

} // namespace kiv::controls
