#include "net/jpeg_decoder.h"

#include <QSysInfo>
#include <csetjmp>
#include <cstdio>
#include <memory>
#include <vector>

// libjpeg's headers need FILE and size_t declared first.
#include <jerror.h>
#include <jpeglib.h>

namespace skelvane {

namespace {

// libjpeg reports a fatal error by calling error_exit, which must not return; this one jumps
// back to the decoder with the message kept, so a corrupt file never ends the process.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX + 16];
};

[[noreturn]] void JumpBack(j_common_ptr info) {
    auto* error = reinterpret_cast<ErrorManager*>(info->err);
    if (error->base.msg_code == JWRN_JPEG_EOF || error->base.msg_code == JWRN_HIT_MARKER)
        std::snprintf(error->message, sizeof error->message, "The JPEG data ends early");
    else if (error->base.msg_code == JERR_NO_BACKING_STORE)
        std::snprintf(error->message, sizeof error->message,
                      "The JPEG needs more working memory than allowed");
    else {
        char text[JMSG_LENGTH_MAX];
        (*error->base.format_message)(info, text);
        std::snprintf(error->message, sizeof error->message, "JPEG: %s", text);
    }
    std::longjmp(error->jump, 1);
}

// Warnings: data that stops early would otherwise be filled with grey and reported as a
// success, so those two end the decoding; the others (stray bytes between markers, an
// unknown JFIF revision) leave a usable picture.
void EmitMessage(j_common_ptr info, int level) {
    if (level >= 0)
        return; // trace messages
    const int code = info->err->msg_code;
    if (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER)
        JumpBack(info);
    ++info->err->num_warnings;
}

void DiscardMessage(j_common_ptr) {}

// Progressive files may hold any number of scans, each costing a pass over the whole picture.
struct ScanGuard {
    jpeg_progress_mgr base;
    int maxScans;
};

void CheckScans(j_common_ptr info) {
    if (!info->is_decompressor)
        return;
    const auto* guard = reinterpret_cast<const ScanGuard*>(info->progress);
    if (reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > guard->maxScans) {
        auto* error = reinterpret_cast<ErrorManager*>(info->err);
        std::snprintf(error->message, sizeof error->message, "The JPEG has more than %d scans",
                      guard->maxScans);
        std::longjmp(error->jump, 1);
    }
}

// Everything the jump may cross lives here, on the heap, so nothing the decoder reads after
// a jump sits in a register or in a C++ object the jump skipped.
struct Decompression {
    jpeg_decompress_struct info{};
    ErrorManager error{};
    ScanGuard guard{};
    bool created = false;
    QImage image;
    std::vector<JSAMPLE> cmykRow;
    QString failure;

    ~Decompression() {
        if (created)
            jpeg_destroy_decompress(&info);
    }
};

void CmykRowToRgb32(const JSAMPLE* cmyk, std::uint32_t* out, unsigned width, bool inverted) {
    for (unsigned x = 0; x < width; ++x, cmyk += 4) {
        // Adobe programs store 255 - ink; others store the ink itself.
        unsigned c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        const unsigned r = (c * k + 127) / 255, g = (m * k + 127) / 255, b = (y * k + 127) / 255;
        out[x] = 0xFF000000u | (r << 16) | (g << 8) | b;
    }
}

// Runs libjpeg over `body` into d.image. Returns false with d.failure or the error manager's
// message set. Only plain data lives in this frame across the libjpeg calls.
bool Run(Decompression& d, QByteArrayView body, const JpegDecodeLimits& limits) {
    if (setjmp(d.error.jump))
        return false;
    jpeg_create_decompress(&d.info);
    d.created = true;
    d.info.mem->max_memory_to_use = static_cast<long>(limits.maxMemoryBytes);
    d.guard.base.progress_monitor = CheckScans;
    d.guard.maxScans = limits.maxScans;
    d.info.progress = &d.guard.base;
    jpeg_mem_src(&d.info, reinterpret_cast<const unsigned char*>(body.data()),
                 static_cast<unsigned long>(body.size()));
    if (jpeg_read_header(&d.info, TRUE) != JPEG_HEADER_OK) {
        d.failure = QStringLiteral("The JPEG holds no image");
        return false;
    }
    const unsigned width = d.info.image_width, height = d.info.image_height;
    if (width > static_cast<unsigned>(limits.maxSide) ||
        height > static_cast<unsigned>(limits.maxSide) ||
        std::int64_t{width} * height > limits.maxPixels) {
        d.failure =
            QStringLiteral("The JPEG's %1×%2 pixels are more than allowed").arg(width).arg(height);
        return false;
    }
    const bool cmyk = d.info.jpeg_color_space == JCS_CMYK || d.info.jpeg_color_space == JCS_YCCK;
    if (cmyk)
        d.info.out_color_space = JCS_CMYK;
    else
        d.info.out_color_space =
            QSysInfo::ByteOrder == QSysInfo::LittleEndian ? JCS_EXT_BGRA : JCS_EXT_ARGB;
    jpeg_start_decompress(&d.info);

    d.image = QImage(static_cast<int>(d.info.output_width), static_cast<int>(d.info.output_height),
                     QImage::Format_RGB32);
    if (d.image.isNull()) {
        d.failure =
            QStringLiteral("Not enough memory for a JPEG of %1×%2 pixels").arg(width).arg(height);
        return false;
    }
    if (cmyk)
        d.cmykRow.resize(static_cast<std::size_t>(d.info.output_width) * 4);
    while (d.info.output_scanline < d.info.output_height) {
        const int y = static_cast<int>(d.info.output_scanline);
        JSAMPROW row = cmyk ? d.cmykRow.data() : d.image.scanLine(y);
        if (jpeg_read_scanlines(&d.info, &row, 1) != 1) {
            d.failure = QStringLiteral("The JPEG data ends early");
            return false;
        }
        if (cmyk)
            CmykRowToRgb32(d.cmykRow.data(), reinterpret_cast<std::uint32_t*>(d.image.scanLine(y)),
                           d.info.output_width, d.info.saw_Adobe_marker);
    }
    jpeg_finish_decompress(&d.info);
    return true;
}

} // namespace

JpegDecoder::JpegDecoder(JpegDecodeLimits limits) : limits_(limits) {}

QImage JpegDecoder::decode(QByteArrayView body) {
    error_.clear();
    auto d = std::make_unique<Decompression>();
    d->info.err = jpeg_std_error(&d->error.base);
    d->error.base.error_exit = JumpBack;
    d->error.base.emit_message = EmitMessage;
    d->error.base.output_message = DiscardMessage;
    if (!Run(*d, body, limits_)) {
        error_ = d->failure.isEmpty() ? QString::fromLatin1(d->error.message) : d->failure;
        return QImage();
    }
    return std::move(d->image);
}

} // namespace skelvane
