#include "tests/support/ScratchWorkspace.h"

#include <QFile>

namespace kiv::test {

ScratchWorkspace::ScratchWorkspace()
    : paths_(dir_.path(), dir_.path() + "/user", dir_.path() + "/bundled")
{
    profile_.setPath(filePath(QStringLiteral("kiv.ini")));
    ui_.clock.setNow(Time::fromUtc({2024, 4, 10, 12, 0, 0}));
}

bool ScratchWorkspace::writeFile(const std::string& name, const std::string& bytes) const
{
    QFile file(filePath(QString::fromStdString(name)));
    return file.open(QIODevice::WriteOnly) &&
           file.write(bytes.data(), static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size());
}

QByteArray ScratchWorkspace::readFile(const std::string& name) const
{
    QFile file(filePath(QString::fromStdString(name)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace kiv::test
