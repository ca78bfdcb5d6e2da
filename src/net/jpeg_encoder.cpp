#include "net/jpeg_encoder.h"

#include "net/replace_file.h"

#include <QSysInfo>
#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <memory>

// libjpeg's headers need FILE and size_t declared first.
#include <jerror.h>
#include <jpeglib.h>

namespace skelvane {

namespace {

// Fatal libjpeg errors jump back to the encoder with their message instead of ending the
// process.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

[[noreturn]] void JumpBack(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

void DiscardMessage(j_common_ptr) {}

// Collects the compressed bytes in a QByteArray, a block at a time.
struct Destination {
    jpeg_destination_mgr base;
    QByteArray* bytes;
    JOCTET block[16384];
};

void StartBlock(j_compress_ptr info) {
    auto* destination = reinterpret_cast<Destination*>(info->dest);
    destination->base.next_output_byte = destination->block;
    destination->base.free_in_buffer = sizeof destination->block;
}

boolean FlushBlock(j_compress_ptr info) {
    auto* destination = reinterpret_cast<Destination*>(info->dest);
    destination->bytes->append(reinterpret_cast<const char*>(destination->block),
                               sizeof destination->block);
    StartBlock(info);
    return TRUE;
}

void FlushLastBlock(j_compress_ptr info) {
    auto* destination = reinterpret_cast<Destination*>(info->dest);
    destination->bytes->append(
        reinterpret_cast<const char*>(destination->block),
        static_cast<qsizetype>(sizeof destination->block - destination->base.free_in_buffer));
}

// Everything the jump may cross lives here, on the heap.
struct Compression {
    jpeg_compress_struct info{};
    ErrorManager error{};
    Destination destination{};
    bool created = false;
    QByteArray bytes;

    ~Compression() {
        if (created)
            jpeg_destroy_compress(&info);
    }
};

// `pixels` is Format_RGB32 or Format_ARGB32; its alpha bytes are skipped.
bool Run(Compression& c, const QImage& pixels, int quality) {
    if (setjmp(c.error.jump))
        return false;
    jpeg_create_compress(&c.info);
    c.created = true;
    c.destination.base.init_destination = StartBlock;
    c.destination.base.empty_output_buffer = FlushBlock;
    c.destination.base.term_destination = FlushLastBlock;
    c.destination.bytes = &c.bytes;
    c.info.dest = &c.destination.base;

    c.info.image_width = static_cast<JDIMENSION>(pixels.width());
    c.info.image_height = static_cast<JDIMENSION>(pixels.height());
    c.info.input_components = 4;
    c.info.in_color_space =
        QSysInfo::ByteOrder == QSysInfo::LittleEndian ? JCS_EXT_BGRX : JCS_EXT_XRGB;
    jpeg_set_defaults(&c.info); // JFIF header, YCbCr, Huffman tables of the standard
    jpeg_set_quality(&c.info, quality, TRUE);
    if (quality >= 90) {
        // Halving the colour resolution would blur thin coloured lines (radar echoes, map
        // borders) more than the quality asked for allows.
        for (int i = 0; i < c.info.num_components; ++i)
            c.info.comp_info[i].h_samp_factor = c.info.comp_info[i].v_samp_factor = 1;
    }
    jpeg_start_compress(&c.info, TRUE);
    while (c.info.next_scanline < c.info.image_height) {
        JSAMPROW row =
            const_cast<JSAMPROW>(pixels.constScanLine(static_cast<int>(c.info.next_scanline)));
        jpeg_write_scanlines(&c.info, &row, 1);
    }
    jpeg_finish_compress(&c.info);
    return true;
}

} // namespace

JpegEncoder::JpegEncoder(int quality) : quality_(std::clamp(quality, 1, kBestQuality)) {}

QByteArray JpegEncoder::encode(const QImage& image) {
    error_.clear();
    if (image.isNull()) {
        error_ = QStringLiteral("There is no picture to save");
        return QByteArray();
    }
    if (image.width() > JPEG_MAX_DIMENSION || image.height() > JPEG_MAX_DIMENSION) {
        error_ = QStringLiteral("A JPEG holds at most %1 pixels each way").arg(JPEG_MAX_DIMENSION);
        return QByteArray();
    }
    const QImage pixels =
        image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32
            ? image
            : image.convertToFormat(QImage::Format_RGB32);
    auto c = std::make_unique<Compression>();
    c->info.err = jpeg_std_error(&c->error.base);
    c->error.base.error_exit = JumpBack;
    c->error.base.output_message = DiscardMessage;
    c->bytes.reserve(static_cast<qsizetype>(pixels.width()) * pixels.height());
    if (!Run(*c, pixels, quality_)) {
        char text[JMSG_LENGTH_MAX];
        (*c->error.base.format_message)(reinterpret_cast<j_common_ptr>(&c->info), text);
        error_ = QStringLiteral("JPEG: %1").arg(QString::fromLatin1(text));
        return QByteArray();
    }
    c->bytes.squeeze();
    return std::move(c->bytes);
}

bool JpegEncoder::write(const QImage& image, const QString& path) {
    const QByteArray bytes = encode(image);
    if (bytes.isEmpty())
        return false;
    error_ = ReplaceFileContent(path, bytes);
    return error_.isEmpty();
}

} // namespace skelvane
