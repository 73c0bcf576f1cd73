// kiv-metafile: draws the metafile on its standard input and writes the picture to its standard
// output in the form PictureReceiver reads; exit code 0 only when it wrote a whole picture. The
// program runs it in a child process under limits (MetafileChild), so that the converter
// libraries never run in the program's own address space.
#include "imaging/Metafile.h"
#include "imaging/PictureReceiver.h"

#include <QGuiApplication>

#include <cerrno>
#include <unistd.h>

namespace {

QByteArray readAll(int fd)
{
    QByteArray bytes;
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0)
            bytes.append(buffer, n);
        else if (n == 0 || errno != EINTR)
            return bytes;
    }
}

bool writeAll(int fd, const char* data, qsizetype size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size_t(size));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= n;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    const QByteArray bytes = readAll(STDIN_FILENO);
    // Text in a metafile needs the application's fonts; there is no display to show anything on.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QImage picture = kiv::Metafile::render(bytes).convertToFormat(QImage::Format_RGB32);
    if (picture.isNull())
        return 1;
    const QByteArray header = kiv::PictureReceiver::header(picture.size());
    const bool written = writeAll(STDOUT_FILENO, header.constData(), header.size())
        && writeAll(STDOUT_FILENO, reinterpret_cast<const char*>(picture.constBits()), picture.sizeInBytes());
    return written ? 0 : 1;
}
