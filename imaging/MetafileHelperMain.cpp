// kiv-metafile: draws the metafile on its standard input and writes the picture to its standard
// output in the form PictureReceiver reads; exit code 0 only when it wrote a whole picture. The
// program runs it in a child process under limits (MetafileChild), so that the converter
// libraries never run in the program's own address space.
#include "imaging/Metafile.h"
#include "imaging/PictureReceiver.h"
#include "platform/Descriptor.h"
#include "platform/WholeFile.h"

#include <QGuiApplication>

#include <unistd.h>

int main(int argc, char** argv)
{
    const QByteArray bytes = kiv::WholeFile::readFrom(STDIN_FILENO).bytes;
    // Text in a metafile needs the application's fonts; there is no display to show anything on.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QImage picture = kiv::Metafile::render(bytes).convertToFormat(QImage::Format_RGB32);
    if (picture.isNull())
        return 1;
    const QByteArray header = kiv::PictureReceiver::header(picture.size());
    const bool written = kiv::writeAll(STDOUT_FILENO, header.constData(), header.size())
        && kiv::writeAll(STDOUT_FILENO, reinterpret_cast<const char*>(picture.constBits()), picture.sizeInBytes());
    return written ? 0 : 1;
}
