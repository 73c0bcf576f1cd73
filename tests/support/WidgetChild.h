#pragma once
// A dialog's widget found by its control id (the object name), failing the test when it is absent.

#include <QString>
#include <QWidget>

#include <gtest/gtest.h>

namespace kiv::test {

template <class W>
W* child(QWidget& dialog, const char* id)
{
    W* w = dialog.findChild<W*>(QString::fromLatin1(id));
    EXPECT_NE(w, nullptr) << id;
    return w;
}

} // namespace kiv::test
