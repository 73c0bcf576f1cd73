#pragma once
// The one picture loader. It reads BMP/DIB files itself and hands other kinds, chosen by the file
// name's extension, to its readers (PCX, TIFF and the picture decoder). A load ends in one Bitmap
// that the caller takes with DetachBitmap(); when a load fails, callers fall back to the standard
// texture with LoadFromResource(kBitmapResource, kStandardTexture).
//
// Messages for the user are collected, not shown: the caller takes them with takeMessages() and
// hands them to the message service. A load that a termination request stopped (DecodeWatch) has
// neither a bitmap nor a message: stopped() tells it apart from a failure.

#include "imaging/Bitmap.h"
#include "imaging/LoadResult.h"
#include "imaging/PictureBytes.h"

#include <QList>
#include <QRgb>
#include <QString>

namespace kiv {

class CGraphicFile {
public:
    // Kinds of LoadFile(); kDispatch chooses by the file name.
    enum Kind { kDispatch = 0, kBmp = 1, kPcx = 2, kTiff = 3, kPicture = 4, kGif = 5 };
    // Kinds of LoadFromResource().
    static constexpr int kBitmapResource = 1;
    static constexpr int kImageResource = 2;
    static constexpr int kStandardTexture = 419; // 512 x 256, 24 bits per pixel
    static constexpr int kSplashPicture = 416;

    CGraphicFile() = default;
    virtual ~CGraphicFile() = default;
    CGraphicFile(const CGraphicFile&) = delete;
    CGraphicFile& operator=(const CGraphicFile&) = delete;

    virtual bool Load(const QString& fileName);
    virtual bool LoadFromResource(int kind, int id);
    bool LoadFile(int kind, const QString& fileName);

    // Hands the bitmap over; the object forgets it.
    Bitmap DetachBitmap();
    // false asks for the stored route (the globe's texture); true, the default, for the display.
    void SetUseDib(bool useDib) { useDib_ = useDib; }
    // The colour table of an indexed bitmap; false for true-colour bitmaps.
    bool CreatePaletteFromBitmap(QList<QRgb>& palette) const;

    // The reader kind for a file name: the text after the last '.' of the last path component,
    // without regard to case; kDispatch when no reader takes it.
    static int KindForName(const QString& fileName);

    int width() const { return width_; }
    int height() const { return height_; }
    qsizetype imageSize() const { return imageSize_; }
    int bitsPerPixel() const { return bitsPerPixel_; }
    const Bitmap& bitmap() const { return bitmap_; }

    // Whether the last load was stopped by a termination request.
    bool stopped() const { return stopped_; }
    const ReaderMessages& messages() const { return messages_; }
    ReaderMessages takeMessages();

protected:
    Route route() const { return useDib_ ? Route::Display : Route::Stored; }
    // Takes a reader's outcome over; true when it holds a bitmap.
    bool adopt(LoadResult result);
    // The same for a decode of `bytes`, which leaves nothing when it was stopped.
    bool adopt(LoadResult result, const PictureBytes& bytes);
    void addMessage(ReaderMessage message) { messages_.push_back(std::move(message)); }
    void clear();
    using Decoder = LoadResult (*)(const PictureBytes& file, const QString& name, Route route);
    // Decodes the file, which the decoder reads a piece at a time, or records `openFailure` when it
    // cannot be opened.
    bool loadDecoded(const QString& fileName, ReaderMessage openFailure, Decoder decode);

private:
    // Loads the file with a reader of another kind, on this object's route.
    template <typename Reader>
    bool loadWith(const QString& fileName);
    // Takes over what another reader object loaded: its bitmap and its messages.
    bool adoptFrom(CGraphicFile& reader);

    Bitmap bitmap_;
    ReaderMessages messages_;
    int width_ = 0;
    int height_ = 0;
    qsizetype imageSize_ = 0;
    int bitsPerPixel_ = 0;
    bool useDib_ = true;
    bool stopped_ = false;
};

} // namespace kiv
