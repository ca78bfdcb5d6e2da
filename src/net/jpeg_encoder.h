#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace skelvane {

// Encodes pictures as baseline JFIF files with libjpeg-turbo: 24 bits a pixel (8 each for
// red, green and blue; an alpha channel is dropped), at a quality from 1 to 100. From quality
// 90 up the colour is kept at full resolution (4:4:4), below it at half (4:2:0).
class JpegEncoder {
public:
    static constexpr int kBestQuality = 100;

    // `quality` is clamped to 1 … 100.
    explicit JpegEncoder(int quality = kBestQuality);
    int quality() const { return quality_; }

    // Returns the file's bytes, or an empty array and sets errorString() when the picture is
    // null or too large for JPEG (65500 pixels each way).
    QByteArray encode(const QImage& image);

    // Encodes and writes the file (see ReplaceFileContent). Returns false and sets
    // errorString() on failure: for a file that cannot be written, the system's own text
    // ("Permission denied").
    bool write(const QImage& image, const QString& path);

    // One line saying why the last call failed; empty after a success.
    QString errorString() const { return error_; }

private:
    int quality_;
    QString error_;
};

} // namespace skelvane
