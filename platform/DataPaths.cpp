#include "platform/DataPaths.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace kiv {

namespace {

QString baseName(const QString& name)
{
    const qsizetype cut = std::max(name.lastIndexOf(QLatin1Char('/')), name.lastIndexOf(QLatin1Char('\\')));
    return name.mid(cut + 1);
}

bool isFile(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

// An XDG base directory: the variable when it holds an absolute path, else the default below home.
QString xdgDirectory(const char* variable, const QString& defaultBelowHome)
{
    const QString value = qEnvironmentVariable(variable);
    if (QDir::isAbsolutePath(value))
        return QDir::cleanPath(value);
    return QDir::cleanPath(QDir::homePath() + QLatin1Char('/') + defaultBelowHome);
}

QString executableDirectory()
{
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
}

} // namespace

DataPaths::DataPaths(QString workingDirectory, QString userDataDirectory, QString bundledDataDirectory)
    : workingDirectory_(std::move(workingDirectory)),
      userDataDirectory_(std::move(userDataDirectory)),
      bundledDataDirectory_(std::move(bundledDataDirectory))
{
}

DataPaths DataPaths::fromEnvironment()
{
    return DataPaths(QDir::currentPath(), userDataDirectoryFromEnvironment(), bundledDataDirectoryFromEnvironment());
}

QString DataPaths::userDataDirectoryFromEnvironment()
{
    return xdgDirectory("XDG_DATA_HOME", QStringLiteral(".local/share")) + QStringLiteral("/kiv");
}

QString DataPaths::userConfigDirectoryFromEnvironment()
{
    return xdgDirectory("XDG_CONFIG_HOME", QStringLiteral(".config")) + QStringLiteral("/kiv");
}

QString DataPaths::bundledDataDirectoryFromEnvironment()
{
    const QString overridden = qEnvironmentVariable("KIV_DATA_DIR");
    if (!overridden.isEmpty())
        return QDir(overridden).absolutePath();
    const QString exe = executableDirectory();
    for (const QString& candidate : {exe + QStringLiteral("/data"), exe + QStringLiteral("/../share/kiv")}) {
        if (!exe.isEmpty() && QFileInfo(candidate).isDir())
            return QDir::cleanPath(candidate);
    }
    return QStringLiteral(KIV_BUILD_DATA_DIR);
}

std::optional<QString> DataPaths::find(const QString& name) const
{
    if (name.isEmpty())
        return std::nullopt;
    const QDir working(workingDirectory_);
    QString slashed = name;
    slashed.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QString base = baseName(name);
    const QString candidates[] = {
        working.filePath(name),
        working.filePath(slashed),
        userDataDirectory_.isEmpty() ? QString() : QDir(userDataDirectory_).filePath(base),
        bundledDataDirectory_.isEmpty() ? QString() : QDir(bundledDataDirectory_).filePath(base),
    };
    for (const QString& candidate : candidates) {
        if (!base.isEmpty() && isFile(candidate))
            return QDir::cleanPath(candidate);
    }
    return std::nullopt;
}

QString DataPaths::resolve(const QString& name) const
{
    return find(name).value_or(name);
}

QString DataPaths::writeTarget(const QString& name) const
{
    const std::optional<QString> found = find(name);
    if (found && !insideBundled(*found))
        return *found;
    QString slashed = name;
    slashed.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!found && QDir::isAbsolutePath(slashed) && !insideBundled(slashed))
        return QDir::cleanPath(slashed);
    return QDir::cleanPath(userDataDirectory_ + QLatin1Char('/') + baseName(name));
}

QString DataPaths::dialogStart(const QString& name) const
{
    if (const std::optional<QString> found = find(name))
        return *found;
    const QString target = writeTarget(name);
    if (!name.isEmpty() && QFileInfo(QFileInfo(target).absolutePath()).isDir())
        return target;
    QDir().mkpath(userDataDirectory_);
    const QString base = baseName(name);
    return base.isEmpty() ? userDataDirectory_ : QDir(userDataDirectory_).filePath(base);
}

bool DataPaths::insideBundled(const QString& path) const
{
    if (bundledDataDirectory_.isEmpty())
        return false;
    const QString bundled = QFileInfo(bundledDataDirectory_).canonicalFilePath();
    const QFileInfo info(QDir(workingDirectory_).filePath(path));
    const QString directory = QFileInfo(info.absolutePath()).canonicalFilePath();
    return !bundled.isEmpty() && (directory == bundled || directory.startsWith(bundled + QLatin1Char('/')));
}

} // namespace kiv
