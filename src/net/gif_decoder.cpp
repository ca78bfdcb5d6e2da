#include "net/gif_decoder.h"

#include <gif_lib.h>

#include <QRect>
#include <algorithm>
#include <array>
#include <cstring>
#include <memory>

namespace skelvane {

namespace {

// The body as giflib reads it. `ranOut` tells a cut-short file from a corrupt one.
struct Source {
    const GifByteType* data = nullptr;
    std::size_t size = 0;
    std::size_t position = 0;
    bool ranOut = false;
};

int ReadSource(GifFileType* gif, GifByteType* buffer, int length) {
    auto* source = static_cast<Source*>(gif->UserData);
    const std::size_t wanted = length > 0 ? static_cast<std::size_t>(length) : 0;
    const std::size_t count = std::min(wanted, source->size - source->position);
    if (count < wanted)
        source->ranOut = true;
    if (count > 0)
        std::memcpy(buffer, source->data + source->position, count);
    source->position += count;
    return static_cast<int>(count);
}

struct GifCloser {
    void operator()(GifFileType* gif) const {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};
using GifHandle = std::unique_ptr<GifFileType, GifCloser>;

// Palette index to ARGB for one frame; 0 (fully transparent) means "draw nothing", which is
// what the transparent index and every index past the colour table do.
using ColourLookup = std::array<std::uint32_t, 256>;

ColourLookup MakeLookup(const ColorMapObject* map, int transparentIndex) {
    ColourLookup lookup{};
    if (map) {
        const int count = std::clamp(map->ColorCount, 0, 256);
        for (int i = 0; i < count; ++i) {
            const GifColorType& c = map->Colors[i];
            lookup[static_cast<std::size_t>(i)] =
                0xFF000000u | (std::uint32_t{c.Red} << 16) | (std::uint32_t{c.Green} << 8) | c.Blue;
        }
    }
    if (transparentIndex >= 0 && transparentIndex < 256)
        lookup[static_cast<std::size_t>(transparentIndex)] = 0;
    return lookup;
}

bool IsLoopExtension(const GifByteType* block) {
    return block && block[0] == 11 &&
           (std::memcmp(block + 1, "NETSCAPE2.0", 11) == 0 ||
            std::memcmp(block + 1, "ANIMEXTS1.0", 11) == 0);
}

QString SizeText(int width, int height) {
    return QStringLiteral("%1×%2").arg(width).arg(height);
}

} // namespace

GifDecoder::GifDecoder(GifDecodeLimits limits) : limits_(limits) {}

std::optional<GifAnimation> GifDecoder::decode(QByteArrayView body) {
    return run(body, false);
}

QImage GifDecoder::decodeFirstFrame(QByteArrayView body) {
    auto animation = run(body, true);
    return animation ? animation->frames.front().image : QImage();
}

std::optional<GifAnimation> GifDecoder::run(QByteArrayView body, bool firstFrameOnly) {
    error_.clear();
    Source source;
    source.data = reinterpret_cast<const GifByteType*>(body.data());
    source.size = static_cast<std::size_t>(body.size());

    int frameNumber = 0; // 1-based number of the frame being read, 0 before the first
    auto fail = [&](const QString& text) -> std::optional<GifAnimation> {
        error_ = text;
        return std::nullopt;
    };
    auto failGif = [&](int code) -> std::optional<GifAnimation> {
        if (source.ranOut)
            return fail(
                frameNumber == 0
                    ? QStringLiteral("The GIF data ends early")
                    : QStringLiteral("The GIF data ends early, in frame %1").arg(frameNumber));
        if (code == D_GIF_ERR_NOT_GIF_FILE)
            return fail(QStringLiteral("Not a GIF file"));
        const char* text = GifErrorString(code);
        const QString what = QString::fromLatin1(text ? text : "unknown error");
        return fail(frameNumber == 0
                        ? QStringLiteral("Corrupt GIF: %1").arg(what)
                        : QStringLiteral("Corrupt GIF in frame %1: %2").arg(frameNumber).arg(what));
    };

    int openError = 0;
    GifHandle gif(DGifOpen(&source, ReadSource, &openError));
    if (!gif)
        return failGif(openError);

    QSize screen(gif->SWidth, gif->SHeight);
    if (screen.width() > limits_.maxSide || screen.height() > limits_.maxSide)
        return fail(QStringLiteral("The GIF's screen of %1 pixels is larger than %2")
                        .arg(SizeText(screen.width(), screen.height()),
                             SizeText(limits_.maxSide, limits_.maxSide)));

    GifAnimation animation;
    QImage canvas; // made at the first frame, once the screen's size is certain
    GraphicsControlBlock control{};
    bool haveControl = false;
    std::int64_t pixelsKept = 0, pixelsDecoded = 0;
    std::vector<GifPixelType> row;

    for (;;) {
        // A file that stops cleanly after a complete frame has only lost its trailer; one
        // that stops after a control extension has lost the frame it announced.
        const bool atEnd = source.position == source.size;
        GifRecordType type = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif.get(), &type) == GIF_ERROR) {
            if (atEnd && !animation.frames.empty() && !haveControl)
                break;
            return failGif(gif->Error);
        }
        if (type == TERMINATE_RECORD_TYPE)
            break;

        if (type == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType* block = nullptr;
            if (DGifGetExtension(gif.get(), &code, &block) == GIF_ERROR)
                return failGif(gif->Error);
            if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] == 4 &&
                DGifExtensionToGCB(4, block + 1, &control) == GIF_OK)
                haveControl = true;
            const bool loopExtension = code == APPLICATION_EXT_FUNC_CODE && IsLoopExtension(block);
            while (block) {
                if (DGifGetExtensionNext(gif.get(), &block) == GIF_ERROR)
                    return failGif(gif->Error);
                if (loopExtension && block && block[0] >= 3 && block[1] == 1)
                    animation.loopCount = block[2] | (block[3] << 8);
            }
            continue;
        }
        if (type != IMAGE_DESC_RECORD_TYPE)
            return failGif(D_GIF_ERR_WRONG_RECORD);

        ++frameNumber;
        if (DGifGetImageDesc(gif.get()) == GIF_ERROR)
            return failGif(gif->Error);
        if (frameNumber > limits_.maxFrames)
            return fail(QStringLiteral("The GIF has more than %1 frames").arg(limits_.maxFrames));
        const GifImageDesc desc = gif->Image;
        if (desc.Width > limits_.maxSide || desc.Height > limits_.maxSide)
            return fail(QStringLiteral("Frame %1 of %2 pixels is larger than %3")
                            .arg(frameNumber)
                            .arg(SizeText(desc.Width, desc.Height),
                                 SizeText(limits_.maxSide, limits_.maxSide)));
        if (canvas.isNull()) {
            if (screen.isEmpty())
                screen = QSize(std::min(desc.Left + desc.Width, limits_.maxSide),
                               std::min(desc.Top + desc.Height, limits_.maxSide));
            if (screen.isEmpty())
                return fail(QStringLiteral("The GIF's screen is empty"));
        }
        pixelsDecoded += std::int64_t{desc.Width} * desc.Height;
        pixelsKept += std::int64_t{screen.width()} * screen.height();
        if (pixelsDecoded > limits_.maxTotalPixels || pixelsKept > limits_.maxTotalPixels)
            return fail(QStringLiteral("The GIF's frames hold more than %1 pixels")
                            .arg(limits_.maxTotalPixels));
        if (canvas.isNull()) {
            canvas = QImage(screen, QImage::Format_ARGB32);
            if (canvas.isNull())
                return fail(QStringLiteral("Not enough memory for a GIF screen of %1 pixels")
                                .arg(SizeText(screen.width(), screen.height())));
            canvas.fill(0u);
        }

        GraphicsControlBlock frameControl{};
        frameControl.TransparentColor = NO_TRANSPARENT_COLOR;
        if (haveControl)
            frameControl = control; // a control extension governs the one image after it
        haveControl = false;

        const ColorMapObject* colourMap = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
        const ColourLookup lookup = MakeLookup(colourMap, frameControl.TransparentColor);
        std::optional<std::uint32_t> transparentColour;
        if (colourMap && frameControl.TransparentColor >= 0 &&
            frameControl.TransparentColor < std::clamp(colourMap->ColorCount, 0, 256)) {
            const GifColorType& c = colourMap->Colors[frameControl.TransparentColor];
            transparentColour =
                0xFF000000u | (std::uint32_t{c.Red} << 16) | (std::uint32_t{c.Green} << 8) | c.Blue;
        }
        const QRect area =
            QRect(desc.Left, desc.Top, desc.Width, desc.Height) & QRect(QPoint(0, 0), screen);
        QImage previous;
        if (frameControl.DisposalMode == DISPOSE_PREVIOUS && !area.isEmpty())
            previous = canvas.copy(area);

        if (desc.Width == 0 || desc.Height == 0) {
            // Nothing to draw, but the image data must still be passed over.
            int codeSize = 0;
            GifByteType* block = nullptr;
            if (DGifGetCode(gif.get(), &codeSize, &block) == GIF_ERROR)
                return failGif(gif->Error);
            while (block)
                if (DGifGetCodeNext(gif.get(), &block) == GIF_ERROR)
                    return failGif(gif->Error);
        } else {
            row.resize(static_cast<std::size_t>(desc.Width));
            auto* pixels = reinterpret_cast<std::uint32_t*>(canvas.bits());
            const qsizetype stride = canvas.bytesPerLine() / 4;
            const int visibleWidth = std::max(0, std::min(desc.Width, screen.width() - desc.Left));
            auto readRow = [&](int y) {
                if (DGifGetLine(gif.get(), row.data(), desc.Width) == GIF_ERROR)
                    return false;
                const int screenY = desc.Top + y;
                if (screenY >= screen.height())
                    return true;
                std::uint32_t* out = pixels + screenY * stride + desc.Left;
                for (int x = 0; x < visibleWidth; ++x)
                    if (const std::uint32_t colour = lookup[row[static_cast<std::size_t>(x)]])
                        out[x] = colour;
                return true;
            };
            if (desc.Interlace) {
                // Interlaced rows arrive in four passes: every 8th from 0, every 8th from 4,
                // every 4th from 2, every 2nd from 1.
                static constexpr int kStart[4] = {0, 4, 2, 1};
                static constexpr int kStep[4] = {8, 8, 4, 2};
                for (int pass = 0; pass < 4; ++pass)
                    for (int y = kStart[pass]; y < desc.Height; y += kStep[pass])
                        if (!readRow(y))
                            return failGif(gif->Error);
            } else {
                for (int y = 0; y < desc.Height; ++y)
                    if (!readRow(y))
                        return failGif(gif->Error);
            }
        }

        animation.frames.push_back(GifFrame{canvas, frameControl.DelayTime, transparentColour});
        if (firstFrameOnly)
            break;

        if (frameControl.DisposalMode == DISPOSE_BACKGROUND && !area.isEmpty()) {
            for (int y = area.top(); y <= area.bottom(); ++y) {
                auto* line = reinterpret_cast<std::uint32_t*>(canvas.scanLine(y));
                std::fill(line + area.left(), line + area.left() + area.width(), 0u);
            }
        } else if (frameControl.DisposalMode == DISPOSE_PREVIOUS && !previous.isNull()) {
            for (int y = 0; y < area.height(); ++y)
                std::memcpy(canvas.scanLine(area.top() + y) + area.left() * 4,
                            previous.constScanLine(y), static_cast<std::size_t>(area.width()) * 4);
        }
    }

    if (animation.frames.empty())
        return fail(QStringLiteral("The GIF holds no image"));
    animation.screen = screen;
    return animation;
}

} // namespace skelvane
