#include "dialogs/DownloadRules.h"

#include "document/ElementFile.h"
#include "imaging/CGraphicFile.h"
#include "platform/LanguageText.h"
#include "platform/LineReader.h"

#include <QFile>

namespace kiv::downloads {

namespace {

// A web page or XML document starts with '<' after blanks and a byte order mark; an element
// set never does.
bool isMarkup(QFile& file)
{
    const QByteArray head = file.peek(4096);
    qsizetype at = head.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (at < head.size() && QByteArrayView(" \t\r\n").contains(head[at]))
        ++at;
    return at < head.size() && head[at] == '<';
}

QString elementSetFault(const QString& bodyPath, bool english)
{
    QFile file(bodyPath);
    if (file.open(QIODevice::ReadOnly)) {
        if (isMarkup(file))
            return inLanguage(english, "the server sent a web page, not element sets",
                              "der Server schickte eine Webseite, keine Bahnelemente");
        LineReader lines(file, kElementFileMaxLine);
        if (!readElementFile(lines).records.empty())
            return {};
    }
    return inLanguage(english, "no element set in the download", "der Download enthält keine Bahnelemente");
}

} // namespace

DownloadRule elementSets(bool english)
{
    return {kElementSetMaxBytes, [english](const QString& bodyPath) { return elementSetFault(bodyPath, english); }};
}

DownloadRule picture(const QString& targetPath, bool english)
{
    return {kPictureMaxBytes, [kind = CGraphicFile::KindForName(targetPath), english](const QString& bodyPath) {
                CGraphicFile file;
                if (kind != CGraphicFile::kDispatch && file.LoadFile(kind, bodyPath))
                    return std::optional(QString());
                if (file.stopped())
                    return std::optional<QString>();
                return std::optional(inLanguage(english, "the download is not a picture the program can read",
                                                "der Download ist kein Bild, das das Programm lesen kann"));
            }};
}

} // namespace kiv::downloads
