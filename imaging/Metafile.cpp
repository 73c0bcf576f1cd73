#include "imaging/Metafile.h"

#include "imaging/Dib.h"
#include "imaging/MetafileCheck.h"
#include "imaging/PictureBudget.h"

#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <memory>
#include <vector>

#include <emf2svg.h>
#include <libwmf/api.h>
#include <libwmf/svg.h>

namespace kiv {

namespace {

constexpr double kDotsPerInch = 96.0;

// libwmf needs a font for the standard PostScript names before it plays anything; all of them
// are mapped to one scalable font that every desktop has.
constexpr const char* kWmfFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr const char* kPostScriptFonts[] = {
    "Times-Roman", "Times-Italic", "Times-Bold", "Times-BoldItalic",
    "Helvetica", "Helvetica-Oblique", "Helvetica-Bold", "Helvetica-BoldOblique",
    "Courier", "Courier-Oblique", "Courier-Bold", "Courier-BoldOblique", "Symbol",
};

// A frame of any size is drawn, scaled down when it is large; its sides must be whole pixels.
bool frameAllowed(qint64 width, qint64 height)
{
    return width >= 1 && height >= 1 && width <= std::numeric_limits<int>::max()
        && height <= std::numeric_limits<int>::max();
}

struct WmfApiDeleter {
    void operator()(wmfAPI* api) const { wmf_api_destroy(api); }
};

} // namespace

QImage Metafile::render(QByteArrayView bytes)
{
    if (!metafileCheck::isSound(bytes))
        return {};
    const QByteArray svg = metafileCheck::isEmf(bytes) ? emfToSvg(bytes) : wmfToSvg(bytes);
    return svg.isEmpty() ? QImage() : renderSvg(svg);
}

QByteArray Metafile::emfToSvg(QByteArrayView bytes)
{
    std::vector<char> input(bytes.begin(), bytes.end());
    char nameSpace[] = "svg";
    generatorOptions options{};
    options.nameSpace = nameSpace;
    options.svgDelimiter = true;
    options.emfplus = true;
    char* out = nullptr;
    size_t length = 0;
    const int ok = emf2svg(input.data(), input.size(), &out, &length, &options);
    QByteArray svg = ok && out ? QByteArray(out, qsizetype(length)) : QByteArray();
    std::free(out);
    return svg;
}

QByteArray Metafile::wmfToSvg(QByteArrayView bytes)
{
    std::vector<wmfMapping> fonts;
    for (const char* name : kPostScriptFonts)
        fonts.push_back({const_cast<char*>(name), const_cast<char*>(kWmfFont), FT_Encoding()});
    fonts.push_back({nullptr, nullptr, FT_Encoding()});
    wmfAPI_Options options{};
    options.function = wmf_svg_function;
    options.font.ps = fonts.data();
    const unsigned long flags =
        WMF_OPT_FUNCTION | WMF_OPT_FONTMAP | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
    wmfAPI* raw = nullptr;
    const wmf_error_t created = wmf_api_create(&raw, flags, &options);
    const std::unique_ptr<wmfAPI, WmfApiDeleter> api(raw);
    if (created != wmf_E_None || !api)
        return {};

    std::vector<unsigned char> input(bytes.begin(), bytes.end());
    if (wmf_mem_open(api.get(), input.data(), long(input.size())) != wmf_E_None)
        return {};
    wmfD_Rect box;
    unsigned int width = 0, height = 0;
    if (wmf_scan(api.get(), 0, &box) != wmf_E_None
        || wmf_display_size(api.get(), &width, &height, kDotsPerInch, kDotsPerInch) != wmf_E_None
        || !frameAllowed(width, height)) {
        wmf_mem_close(api.get());
        return {};
    }
    wmf_svg_t* device = WMF_SVG_GetData(api.get());
    char description[] = "Kiv";
    device->out = wmf_stream_create(api.get(), nullptr);
    device->Description = description;
    device->bbox = box;
    device->width = width;
    device->height = height;
    const wmf_error_t played = wmf_play(api.get(), 0, &box);
    char* out = nullptr;
    unsigned long length = 0;
    wmf_stream_destroy(api.get(), device->out, &out, &length);
    QByteArray svg = played == wmf_E_None && out ? QByteArray(out, qsizetype(length)) : QByteArray();
    wmf_mem_close(api.get());
    return svg;
}

QImage Metafile::renderSvg(const QByteArray& svg)
{
    QSvgRenderer renderer(svg);
    const QSize size = renderer.defaultSize();
    if (!renderer.isValid() || !frameAllowed(size.width(), size.height()))
        return {};
    QImage image(drawnSize(size), QImage::Format_RGB32);
    if (image.isNull())
        return image;
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(image.rect()));
    return image;
}

QSize Metafile::drawnSize(QSize frame)
{
    const double width = frame.width();
    const double height = frame.height();
    const double scale = std::min({1.0, std::sqrt(double(pictureBudget::kMetafilePixels) / (width * height)),
                                   kMaxPictureSide / width, kMaxPictureSide / height});
    if (scale == 1.0)
        return frame;
    return {std::max(1, int(width * scale)), std::max(1, int(height * scale))};
}

} // namespace kiv
