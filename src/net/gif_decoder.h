#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QSize>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace skelvane {

// Bounds on what one GIF may cost, so that a hostile or broken file cannot take the memory or
// the time of the program. A file past any bound is refused as a whole.
struct GifDecodeLimits {
    int maxSide = 8192;  // logical screen and frames, in pixels each way
    int maxFrames = 400; // images in one file
    std::int64_t maxTotalPixels = std::int64_t{1} << 26; // summed over the frames, for both
                                                         // the composed pictures kept and
                                                         // the frame areas decoded
};

// One picture of a GIF as it shows on the logical screen after its image was drawn.
struct GifFrame {
    QImage image;              // Format_ARGB32, the logical screen's size
    int delayCentiseconds = 0; // from its graphic control extension, 0 without one
    // The colour-table entry of the frame's transparent index (0xFFRRGGBB): the colour a
    // painter that keys on colour treats as transparent. None without a transparent index
    // or when the index lies past the colour table.
    std::optional<std::uint32_t> transparentColour;
};

struct GifAnimation {
    QSize screen;
    std::vector<GifFrame> frames; // never empty
    int loopCount = -1;           // NETSCAPE2.0 loop count (0 = for ever), -1 without one
};

// Decodes GIF87a and GIF89a bodies held in memory with giflib. Every frame is composed onto
// the logical screen in order: transparent pixels leave what is below, an index past the
// colour table draws nothing, and each frame's disposal method (leave, restore to background,
// restore to previous) acts before the next frame is drawn. The screen starts transparent and
// "restore to background" clears to transparent, as today's browsers do; a logical screen of
// zero width or height takes the first frame's extent. Needs no QGuiApplication.
class GifDecoder {
public:
    explicit GifDecoder(GifDecodeLimits limits = {});

    // Returns every frame, or nothing and sets errorString() when the body is not a GIF, is
    // cut short inside a frame, is corrupt or goes past the limits. A file that ends after a
    // complete frame, without its trailer, keeps the frames it holds.
    std::optional<GifAnimation> decode(QByteArrayView body);

    // The first frame alone, for stills; whatever follows it is not read. Returns a null
    // image and sets errorString() on failure.
    QImage decodeFirstFrame(QByteArrayView body);

    // One line saying why the last call failed; empty after a success.
    QString errorString() const { return error_; }

private:
    std::optional<GifAnimation> run(QByteArrayView body, bool firstFrameOnly);

    GifDecodeLimits limits_;
    QString error_;
};

} // namespace skelvane
