#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <vector>

namespace skelvane {

// One picture of an animation and how long it shows.
struct GifEncodeFrame {
    QImage image;
    int delayCentiseconds = 0; // clamped to 0 … 65535
};

// Writes GIF89a files with giflib: a still, or an animation whose frames all have the first
// frame's size. Colours are reduced to at most 256 with ColourQuantizer (a picture with fewer
// keeps them exactly). Each frame stays in place until the next one is drawn ("leave"), so
// under a shared palette a frame holds only the rectangle that changed since the one before;
// a frame is cleared instead when the next one is transparent where it is not. An animation
// carries the NETSCAPE2.0 looping extension on its first frame.
class GifEncoder {
public:
    struct Options {
        // Pixels with alpha below 128 become the transparent colour; without this alpha is
        // ignored and every pixel is opaque.
        bool transparency = false;
        // Loop count of an animation's looping extension, 0 for ever; -1 writes none.
        int loopCount = 0;
        // One palette, chosen from every frame, for the whole animation (a global colour
        // table); otherwise each frame gets its own (local colour tables).
        bool sharedPalette = true;
    };

    GifEncoder();
    explicit GifEncoder(Options options);

    // Returns the file's bytes, or an empty array and sets errorString() when there is no
    // picture or a frame's size differs from the first frame's.
    QByteArray encodeStill(const QImage& image);
    QByteArray encodeAnimation(const std::vector<GifEncodeFrame>& frames);

    // Encode and write the file (see ReplaceFileContent). Return false and set errorString()
    // on failure: for a file that cannot be written, the system's own text ("Permission
    // denied").
    bool writeStill(const QImage& image, const QString& path);
    bool writeAnimation(const std::vector<GifEncodeFrame>& frames, const QString& path);

    // One line saying why the last call failed; empty after a success.
    QString errorString() const { return error_; }

private:
    QByteArray encode(const std::vector<GifEncodeFrame>& frames, bool animation);
    bool write(const QByteArray& bytes, const QString& path);

    Options options_;
    QString error_;
};

} // namespace skelvane
