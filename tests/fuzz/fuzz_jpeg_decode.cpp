// A JPEG body is whatever a server sends: any bytes must give either a picture within the
// limits or a failure with its reason, never a crash, an exit from inside libjpeg, a hang or
// unbounded memory. A picture that decodes is written again and read back at its size.
// QImage alone is used: no QGuiApplication exists here, as in the download threads.
#include "net/jpeg_decoder.h"
#include "net/jpeg_encoder.h"

#include <QByteArrayView>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

// Smaller than the program's limits, so each input stays quick; the checks are the same.
skelvane::JpegDecodeLimits FuzzLimits() {
    skelvane::JpegDecodeLimits limits;
    limits.maxSide = 4096;
    limits.maxPixels = std::int64_t{1} << 21;
    limits.maxScans = 50;
    limits.maxMemoryBytes = 64 << 20;
    return limits;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace skelvane;
    const QByteArrayView body(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const JpegDecodeLimits limits = FuzzLimits();
    JpegDecoder decoder(limits);
    const QImage picture = decoder.decode(body);
    Check(picture.isNull() != decoder.errorString().isEmpty());
    if (picture.isNull())
        return 0;
    Check(picture.format() == QImage::Format_RGB32);
    Check(picture.width() <= limits.maxSide && picture.height() <= limits.maxSide);
    Check(std::int64_t{picture.width()} * picture.height() <= limits.maxPixels);

    JpegEncoder encoder(size > 0 ? 1 + data[0] % 100 : 100);
    const QByteArray written = encoder.encode(picture);
    Check(!written.isEmpty());
    const QImage again = decoder.decode(written);
    Check(again.size() == picture.size());
    return 0;
}
