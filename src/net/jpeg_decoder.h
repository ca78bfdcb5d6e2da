#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QString>
#include <cstdint>

namespace skelvane {

// Bounds on what one JPEG may cost; a file past any of them is refused before its pixels are
// decoded.
struct JpegDecodeLimits {
    int maxSide = 16384;
    std::int64_t maxPixels = std::int64_t{1} << 26;
    int maxScans = 100;                        // progressive files use about ten
    std::int64_t maxMemoryBytes = 512ll << 20; // libjpeg's own working memory
};

// Decodes a JPEG body held in memory with libjpeg-turbo. Colour, grey and CMYK files (the
// inverted CMYK that Adobe programs write, YCCK included) come out as Format_RGB32. Needs no
// QGuiApplication.
class JpegDecoder {
public:
    explicit JpegDecoder(JpegDecodeLimits limits = {});

    // Returns the picture, or a null image and sets errorString() when the body is not a
    // JPEG, ends before its picture does, is corrupt or goes past the limits. A file whose
    // data stops early is refused rather than shown with a grey bottom.
    QImage decode(QByteArrayView body);

    // One line saying why the last call failed; empty after a success.
    QString errorString() const { return error_; }

private:
    JpegDecodeLimits limits_;
    QString error_;
};

} // namespace skelvane
