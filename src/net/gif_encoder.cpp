#include "net/gif_encoder.h"

#include "net/colour_quantizer.h"
#include "net/replace_file.h"

#include <gif_lib.h>

#include <QRect>
#include <algorithm>
#include <cstring>
#include <memory>

namespace skelvane {

namespace {

int AppendBytes(GifFileType* gif, const GifByteType* data, int length) {
    static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(data), length);
    return length;
}

struct ColourMapDeleter {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};
using ColourMap = std::unique_ptr<ColorMapObject, ColourMapDeleter>;

// A colour table holds a power of two entries; the transparent colour, when there is one,
// follows the palette.
ColourMap MakeColourMap(const std::vector<std::uint32_t>& palette, bool withTransparent) {
    const int entries = static_cast<int>(palette.size()) + (withTransparent ? 1 : 0);
    int size = 2;
    while (size < entries)
        size *= 2;
    ColourMap map(GifMakeMapObject(size, nullptr));
    if (!map)
        return map;
    for (int i = 0; i < size; ++i) {
        const std::uint32_t colour =
            i < static_cast<int>(palette.size()) ? palette[static_cast<std::size_t>(i)] : 0;
        map->Colors[i] =
            GifColorType{static_cast<GifByteType>(colour >> 16),
                         static_cast<GifByteType>(colour >> 8), static_cast<GifByteType>(colour)};
    }
    return map;
}

// Pixels readable as 0xAARRGGBB words.
QImage AsArgb(const QImage& image) {
    return image.format() == QImage::Format_ARGB32 || image.format() == QImage::Format_RGB32
               ? image
               : image.convertToFormat(QImage::Format_ARGB32);
}

const std::uint32_t* Row(const QImage& image, int y) {
    return reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
}

bool IsTransparent(std::uint32_t pixel) {
    return pixel < 0x80000000u;
}

// Whether `next` is transparent anywhere `current` shows a colour. Left in place, `current`
// would show through there, so it must be cleared before `next` is drawn.
bool Uncovers(const QImage& current, const QImage& next) {
    for (int y = 0; y < current.height(); ++y) {
        const std::uint32_t *a = Row(current, y), *b = Row(next, y);
        for (int x = 0; x < current.width(); ++x)
            if (IsTransparent(b[x]) && !IsTransparent(a[x]))
                return true;
    }
    return false;
}

// The smallest rectangle holding every pixel where `next` would show differently from
// `current`: with `transparency` every pixel below half alpha is one and the same clear
// pixel, without it alpha does not count. Empty when the two look alike.
QRect ChangedArea(const QImage& current, const QImage& next, bool transparency) {
    auto key = [transparency](std::uint32_t pixel) {
        return transparency && IsTransparent(pixel) ? 0xFFFFFFFFu : pixel & 0xFFFFFFu;
    };
    const int width = current.width();
    int top = -1, bottom = -1, left = width, right = -1;
    for (int y = 0; y < current.height(); ++y) {
        const std::uint32_t *a = Row(current, y), *b = Row(next, y);
        if (std::memcmp(a, b, static_cast<std::size_t>(width) * 4) == 0)
            continue;
        int first = 0, last = width - 1;
        while (first < width && key(a[first]) == key(b[first]))
            ++first;
        if (first == width)
            continue; // only alpha or the colour under a clear pixel differs
        while (key(a[last]) == key(b[last]))
            --last;
        if (top < 0)
            top = y;
        bottom = y;
        left = std::min(left, first);
        right = std::max(right, last);
    }
    return top < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

QString GifText(int code) {
    const char* text = GifErrorString(code);
    return QStringLiteral("GIF: %1").arg(QString::fromLatin1(text ? text : "unknown error"));
}

} // namespace

GifEncoder::GifEncoder() = default;

GifEncoder::GifEncoder(Options options) : options_(options) {}

QByteArray GifEncoder::encodeStill(const QImage& image) {
    return encode({GifEncodeFrame{image, 0}}, false);
}

QByteArray GifEncoder::encodeAnimation(const std::vector<GifEncodeFrame>& frames) {
    return encode(frames, true);
}

bool GifEncoder::writeStill(const QImage& image, const QString& path) {
    return write(encodeStill(image), path);
}

bool GifEncoder::writeAnimation(const std::vector<GifEncodeFrame>& frames, const QString& path) {
    return write(encodeAnimation(frames), path);
}

bool GifEncoder::write(const QByteArray& bytes, const QString& path) {
    if (bytes.isEmpty())
        return false;
    error_ = ReplaceFileContent(path, bytes);
    return error_.isEmpty();
}

QByteArray GifEncoder::encode(const std::vector<GifEncodeFrame>& frames, bool animation) {
    error_.clear();
    auto fail = [this](const QString& text) {
        error_ = text;
        return QByteArray();
    };
    if (frames.empty() || frames.front().image.isNull())
        return fail(QStringLiteral("There is no picture to save"));
    std::vector<QImage> pictures;
    pictures.reserve(frames.size());
    const QSize size = frames.front().image.size();
    for (std::size_t i = 0; i < frames.size(); ++i) {
        if (frames[i].image.size() != size)
            return fail(QStringLiteral("Frame %1 is %2×%3 pixels, not %4×%5 like the first")
                            .arg(i + 1)
                            .arg(frames[i].image.width())
                            .arg(frames[i].image.height())
                            .arg(size.width())
                            .arg(size.height()));
        pictures.push_back(AsArgb(frames[i].image));
    }
    if (size.width() > 65535 || size.height() > 65535)
        return fail(QStringLiteral("A GIF holds at most 65535 pixels each way"));
    const int width = size.width(), height = size.height();
    const bool transparency = options_.transparency;

    std::vector<int> disposal(pictures.size(), DISPOSE_DO_NOT);
    if (transparency)
        for (std::size_t i = 0; i + 1 < pictures.size(); ++i)
            if (Uncovers(pictures[i], pictures[i + 1]))
                disposal[i] = DISPOSE_BACKGROUND;

    auto countColours = [&](ColourQuantizer& quantizer, const QImage& picture) {
        for (int y = 0; y < height; ++y)
            quantizer.add(Row(picture, y), static_cast<std::size_t>(width), transparency);
    };
    const bool shared = options_.sharedPalette || pictures.size() == 1;
    ColourQuantizer sharedQuantizer;
    ColourMap globalMap;
    if (shared) {
        for (const QImage& picture : pictures)
            countColours(sharedQuantizer, picture);
        sharedQuantizer.build(sharedQuantizer.transparentSeen() ? 255 : 256);
        globalMap = MakeColourMap(sharedQuantizer.palette(), sharedQuantizer.transparentSeen());
        if (!globalMap)
            return fail(GifText(E_GIF_ERR_NOT_ENOUGH_MEM));
    }

    QByteArray bytes;
    int openError = 0;
    GifFileType* gif = EGifOpen(&bytes, AppendBytes, &openError);
    if (!gif)
        return fail(GifText(openError));
    auto abandon = [&](int code) {
        int ignored = 0;
        EGifCloseFile(gif, &ignored);
        return fail(GifText(code));
    };
    EGifSetGifVersion(gif, true);
    if (EGifPutScreenDesc(gif, width, height, 8, 0, globalMap.get()) == GIF_ERROR)
        return abandon(gif->Error);

    std::vector<GifPixelType> indices(static_cast<std::size_t>(width));
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const QImage& picture = pictures[i];
        ColourQuantizer frameQuantizer;
        ColourQuantizer* quantizer = &sharedQuantizer;
        ColourMap localMap;
        if (!shared) {
            countColours(frameQuantizer, picture);
            frameQuantizer.build(frameQuantizer.transparentSeen() ? 255 : 256);
            localMap = MakeColourMap(frameQuantizer.palette(), frameQuantizer.transparentSeen());
            if (!localMap)
                return abandon(E_GIF_ERR_NOT_ENOUGH_MEM);
            quantizer = &frameQuantizer;
        }
        const int transparentIndex =
            quantizer->transparentSeen() ? static_cast<int>(quantizer->palette().size()) : -1;

        if (animation && i == 0 && options_.loopCount >= 0) {
            // The looping extension goes before the first frame's control extension, where
            // readers look for it.
            const int loops = std::min(options_.loopCount, 65535);
            const GifByteType loop[3] = {1, static_cast<GifByteType>(loops & 0xFF),
                                         static_cast<GifByteType>(loops >> 8)};
            if (EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_ERROR ||
                EGifPutExtensionBlock(gif, 11, "NETSCAPE2.0") == GIF_ERROR ||
                EGifPutExtensionBlock(gif, 3, loop) == GIF_ERROR ||
                EGifPutExtensionTrailer(gif) == GIF_ERROR)
                return abandon(gif->Error);
        }
        if (animation || transparentIndex >= 0) {
            GraphicsControlBlock control{};
            control.DisposalMode = animation ? disposal[i] : DISPOSAL_UNSPECIFIED;
            control.UserInputFlag = false;
            control.DelayTime = animation ? std::clamp(frames[i].delayCentiseconds, 0, 65535) : 0;
            control.TransparentColor = transparentIndex;
            GifByteType extension[4];
            EGifGCBToExtension(&control, extension);
            if (EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, extension) == GIF_ERROR)
                return abandon(gif->Error);
        }
        // A frame left in place after one that is the same under one palette needs to hold
        // only what changed; the rest of the screen already shows it. A frame that is
        // cleared afterwards, and the one after it, hold everything.
        QRect area(0, 0, width, height);
        if (shared && i > 0 && disposal[i - 1] == DISPOSE_DO_NOT && disposal[i] == DISPOSE_DO_NOT) {
            area = ChangedArea(pictures[i - 1], picture, transparency);
            if (area.isEmpty())
                area = QRect(0, 0, 1, 1); // every frame holds a picture, if only one pixel
        }
        if (EGifPutImageDesc(gif, area.left(), area.top(), area.width(), area.height(), false,
                             localMap.get()) == GIF_ERROR)
            return abandon(gif->Error);
        for (int y = area.top(); y <= area.bottom(); ++y) {
            const std::uint32_t* row = Row(picture, y) + area.left();
            quantizer->map(row, static_cast<std::size_t>(area.width()), indices.data());
            if (transparentIndex >= 0)
                for (int x = 0; x < area.width(); ++x)
                    if (IsTransparent(row[x]))
                        indices[static_cast<std::size_t>(x)] =
                            static_cast<GifPixelType>(transparentIndex);
            if (EGifPutLine(gif, indices.data(), area.width()) == GIF_ERROR)
                return abandon(gif->Error);
        }
    }
    int closeError = 0;
    if (EGifCloseFile(gif, &closeError) == GIF_ERROR)
        return fail(GifText(closeError));
    return bytes;
}

} // namespace skelvane
