// Icons whose pictures are PNGs: an entry can name sides of up to 256 pixels, and the PNG's own
// header must keep to that on both sides.

#include "ImageBytes.h"

#include "imaging/CPictureFile.h"

#include <gtest/gtest.h>

using namespace kiv;
using namespace kiv::test;

namespace {

// A one-entry icon file holding a PNG of these sides; the entry says what a side of 256 pixels
// or more says, 0.
QByteArray pngIcon(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(qRgb(10, 200, 30));
    const QByteArray png = encoded(picture, "PNG");
    return Bytes()
        .u16(0).u16(1).u16(1)
        .u8(width < 256 ? unsigned(width) : 0).u8(height < 256 ? unsigned(height) : 0).u8(0).u8(0)
        .u16(1).u16(32).u32(std::uint32_t(png.size())).u32(22)
        .raw(png)
        .data();
}

} // namespace

TEST(IconDirectory, PngIconsLoadUpTo256PixelsASide)
{
    const struct {
        int width, height;
        bool loads;
    } icons[] = {
        {32, 32, true},
        {256, 256, true},
        {257, 256, false},
        {256, 257, false},
    };
    for (const auto& icon : icons) {
        const Bitmap bitmap = CPictureFile::decode(pngIcon(icon.width, icon.height), Route::Display).bitmap;
        ASSERT_EQ(!bitmap.isNull(), icon.loads) << icon.width << " x " << icon.height;
        if (icon.loads) {
            EXPECT_EQ(bitmap.image().size(), QSize(icon.width, icon.height));
            EXPECT_EQ(bitmap.image().pixel(icon.width - 1, icon.height - 1) & 0xFFFFFF, 0x0AC81Eu);
        }
    }
}
