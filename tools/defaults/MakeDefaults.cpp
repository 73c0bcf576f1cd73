// kiv_make_defaults <directory> <zone1970.tab> <iso3166.tab>
// Writes the default colour table, icon list and town lists into the directory. Without the
// time-zone tables the big town list holds only the large cities; the build goes on.

#include "tools/defaults/DefaultData.h"

#include <QFile>

#include <cstdio>
#include <string_view>

namespace {

bool readFile(const char* path, QByteArray& contents)
{
    QFile file(QString::fromLocal8Bit(path));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    contents = file.readAll();
    return true;
}

std::string_view view(const QByteArray& bytes)
{
    return std::string_view(bytes.constData(), bytes.size());
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: kiv_make_defaults <directory> <zone1970.tab> <iso3166.tab>\n");
        return 2;
    }
    QByteArray zones;
    QByteArray countries;
    if (!readFile(argv[2], zones) || !readFile(argv[3], countries)) {
        std::fprintf(stderr, "kiv_make_defaults: %s or %s cannot be read; the big town list gets only the large cities\n",
                     argv[2], argv[3]);
        zones.clear();
        countries.clear();
    }
    const kiv::WriteResult result =
        kiv::defaults::writeDefaultData(QString::fromLocal8Bit(argv[1]), view(zones), view(countries));
    if (!result) {
        std::fprintf(stderr, "kiv_make_defaults: %s\n", qPrintable(result.errorText));
        return 1;
    }
    return 0;
}
