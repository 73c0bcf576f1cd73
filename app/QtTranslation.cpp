#include "app/QtTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>

#include <cstdio>

namespace kiv {

void QtTranslation::follow(bool english)
{
    const bool german = !english;
    if (german == installed_)
        return;
    if (english) {
        QCoreApplication::removeTranslator(&german_);
        installed_ = false;
        return;
    }
    if (german_.isEmpty()) {
        if (tried_)
            return;
        tried_ = true;
        const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
        if (!german_.load(QStringLiteral("qtbase_de"), folder)) {
            std::fprintf(stderr, "kiv: Qt's German texts (qtbase_de.qm) are not in %s; standard buttons stay English\n",
                         qPrintable(folder));
            return;
        }
    }
    installed_ = QCoreApplication::installTranslator(&german_);
}

} // namespace kiv
