#pragma once
// Where the program finds its files. Default names are bare and relative ("intelsat.tle"), and
// names stored by older versions are Windows paths ("C:\Kiv\sat.ico"). A name resolves, first
// match wins:
//   1. as given, against the working directory;
//   2. with every '\' turned into '/';
//   3. its base name in the user data directory ($XDG_DATA_HOME/kiv);
//   4. its base name in the bundled data directory (read only).
// The bundled directory is $KIV_DATA_DIR when set, else data/ next to the executable (the build
// tree), else share/kiv beside the installed executable's bin/, else the build's data/.

#include <QString>

#include <optional>

namespace kiv {

class DataPaths {
public:
    DataPaths(QString workingDirectory, QString userDataDirectory, QString bundledDataDirectory);
    // The directories of this process: the current directory and those named above.
    static DataPaths fromEnvironment();

    // The path of the first existing file for the name, if any.
    std::optional<QString> find(const QString& name) const;
    // find(), or the name as given when nothing matches (for opening and for messages).
    QString resolve(const QString& name) const;
    // Where a file of this name is to be written: where it was found, unless that is in the
    // bundled directory; a name not found goes, when relative, into the user data directory and,
    // when absolute, where it says. Never inside the bundled directory.
    QString writeTarget(const QString& name) const;
    // Where a file dialog for this name starts: the file where find() finds it (the bundled copy
    // of a bundled default); else where it would be written when that folder exists; else its
    // base name in the user data directory, which is made for that.
    QString dialogStart(const QString& name) const;

    const QString& workingDirectory() const { return workingDirectory_; }
    const QString& userDataDirectory() const { return userDataDirectory_; }
    const QString& bundledDataDirectory() const { return bundledDataDirectory_; }

    // $XDG_DATA_HOME/kiv (default ~/.local/share/kiv) and $XDG_CONFIG_HOME/kiv (~/.config/kiv).
    static QString userDataDirectoryFromEnvironment();
    static QString userConfigDirectoryFromEnvironment();
    static QString bundledDataDirectoryFromEnvironment();

private:
    bool insideBundled(const QString& path) const;

    QString workingDirectory_;
    QString userDataDirectory_;
    QString bundledDataDirectory_;
};

} // namespace kiv
