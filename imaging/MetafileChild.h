#pragma once
// Metafiles drawn outside the program's address space. The converter libraries trust the counts
// of a file more than any pre-check can cover, so the helper program kiv-metafile draws the
// metafile in a child process under the standard ChildLimits (BoundedChild) and sends the
// picture back (PictureReceiver). The pre-checks of metafileCheck run here first, so that most
// hostile files never start a child. A child that crashes, runs into a limit or sends anything but
// a whole picture leaves no picture, as any picture that cannot be read. The wait is synchronous,
// at most the wall limit, and ends at a termination request with no picture: a valid metafile is
// drawn in milliseconds.

#include "imaging/BoundedChild.h"

#include <QByteArrayView>
#include <QImage>
#include <QString>

namespace kiv {

class MetafileChild {
public:
    explicit MetafileChild(QString helper, ChildLimits limits = {})
        : helper_(std::move(helper)), limits_(limits)
    {
    }
    // The helper beside the running program, or the one named by useHelper().
    static MetafileChild standard();
    // Tests and benchmarks run from elsewhere in the build tree and name the helper here.
    static void useHelper(const QString& path);

    // The drawn picture, 32-bit RGB, or a null one.
    QImage render(QByteArrayView bytes) const;

private:
    QString helper_;
    ChildLimits limits_;
};

} // namespace kiv
