#include "net/live/mpeg1_writer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace skelvane {

namespace {

// Bits written most significant first.
class BitWriter {
public:
    void put(std::uint32_t value, int bits) {
        for (int i = bits - 1; i >= 0; --i) {
            current_ = static_cast<std::uint8_t>((current_ << 1) | ((value >> i) & 1u));
            if (++used_ == 8) {
                bytes_.push_back(current_);
                current_ = 0;
                used_ = 0;
            }
        }
    }
    // Zero bits up to the next byte.
    void align() {
        if (used_ > 0)
            put(0, 8 - used_);
    }
    void startCode(std::uint8_t code) {
        align();
        put(0x000001, 24);
        put(code, 8);
    }
    std::size_t size() const { return bytes_.size(); }
    std::vector<std::uint8_t>& bytes() { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
    std::uint8_t current_ = 0;
    int used_ = 0;
};

struct Code {
    std::uint16_t bits;
    std::uint8_t length;
};

// dct_dc_size_luminance and dct_dc_size_chrominance, by size 0 ... 8 (ISO/IEC 11172-2,
// tables B.5a and B.5b).
constexpr std::array<Code, 9> kDcLuma{{{0b100, 3},
                                       {0b00, 2},
                                       {0b01, 2},
                                       {0b101, 3},
                                       {0b110, 3},
                                       {0b1110, 4},
                                       {0b11110, 5},
                                       {0b111110, 6},
                                       {0b1111110, 7}}};
constexpr std::array<Code, 9> kDcChroma{{{0b00, 2},
                                         {0b01, 2},
                                         {0b10, 2},
                                         {0b110, 3},
                                         {0b1110, 4},
                                         {0b11110, 5},
                                         {0b111110, 6},
                                         {0b1111110, 7},
                                         {0b11111110, 8}}};

// The shortest codes of dct_coeff_next (table B.5c), without their sign bit; every other
// run and level goes out as an escape, which any decoder reads.
struct RunLevelCode {
    int run, level;
    Code code;
};
constexpr std::array kRunLevel{
    RunLevelCode{0, 1, {0b11, 2}},      RunLevelCode{1, 1, {0b011, 3}},
    RunLevelCode{0, 2, {0b0100, 4}},    RunLevelCode{2, 1, {0b0101, 4}},
    RunLevelCode{0, 3, {0b00101, 5}},   RunLevelCode{3, 1, {0b00111, 5}},
    RunLevelCode{4, 1, {0b00110, 5}},   RunLevelCode{1, 2, {0b000110, 6}},
    RunLevelCode{5, 1, {0b000111, 6}},  RunLevelCode{6, 1, {0b000101, 6}},
    RunLevelCode{7, 1, {0b000100, 6}},  RunLevelCode{0, 4, {0b0000110, 7}},
    RunLevelCode{2, 2, {0b0000100, 7}}, RunLevelCode{8, 1, {0b0000111, 7}},
    RunLevelCode{9, 1, {0b0000101, 7}},
};

// The default intra quantiser matrix, row by row (vertical frequency), and the zigzag order.
constexpr std::array<int, 64> kIntraMatrix{
    8,  16, 19, 22, 26, 27, 29, 34, 16, 16, 22, 24, 27, 29, 34, 37, 19, 22, 26, 27, 29, 34,
    34, 38, 22, 22, 26, 27, 29, 34, 37, 40, 22, 26, 27, 29, 32, 35, 40, 48, 26, 27, 29, 32,
    35, 40, 48, 58, 26, 27, 29, 34, 38, 46, 56, 69, 27, 29, 35, 38, 46, 56, 69, 83};
constexpr std::array<int, 64> kZigzag{
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
    41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
    30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

constexpr std::uint8_t kPictureStart = 0x00;
constexpr std::uint8_t kSequenceHeader = 0xB3;
constexpr std::uint8_t kSequenceEnd = 0xB7;
constexpr std::uint8_t kGroupStart = 0xB8;
constexpr int kMaxWidth = 4095;
constexpr int kMaxHeight = 175 * 16; // slice start codes name at most 175 rows

// cos((2x + 1) u pi / 16) scaled by C(u) / 2, so that a block's transform is two products.
const std::array<std::array<double, 8>, 8>& CosineTable() {
    static const auto table = [] {
        std::array<std::array<double, 8>, 8> t{};
        for (int u = 0; u < 8; ++u)
            for (int x = 0; x < 8; ++x)
                t[u][x] = (u == 0 ? std::numbers::sqrt2 / 4 : 0.5) *
                          std::cos((2 * x + 1) * u * std::numbers::pi / 16);
        return t;
    }();
    return table;
}

// The two-dimensional DCT of an 8 x 8 block (rows of samples), F(v, u) at [v * 8 + u].
std::array<double, 64> ForwardDct(const std::array<double, 64>& block) {
    const auto& c = CosineTable();
    std::array<double, 64> rows{};
    for (int y = 0; y < 8; ++y)
        for (int u = 0; u < 8; ++u) {
            double sum = 0;
            for (int x = 0; x < 8; ++x)
                sum += c[u][x] * block[y * 8 + x];
            rows[y * 8 + u] = sum;
        }
    std::array<double, 64> out{};
    for (int v = 0; v < 8; ++v)
        for (int u = 0; u < 8; ++u) {
            double sum = 0;
            for (int y = 0; y < 8; ++y)
                sum += c[v][y] * rows[y * 8 + u];
            out[v * 8 + u] = sum;
        }
    return out;
}

int Clamp(long value, int low, int high) {
    return static_cast<int>(std::clamp<long>(value, low, high));
}

} // namespace

struct Mpeg1Writer::Video {
    BitWriter stream;
    std::vector<std::size_t> pictureOffsets; // where each picture's start code begins
    int width = 0, height = 0, mbWidth = 0, mbHeight = 0, quantiser = 6;
    std::vector<std::uint8_t> y, cb, cr; // padded planes of the picture being coded

    void sequenceHeader() {
        stream.startCode(kSequenceHeader);
        stream.put(static_cast<std::uint32_t>(width), 12);
        stream.put(static_cast<std::uint32_t>(height), 12);
        stream.put(1, 4);        // square pixels
        stream.put(3, 4);        // 25 pictures a second
        stream.put(0x3FFFF, 18); // variable bit rate
        stream.put(1, 1);        // marker
        stream.put(1023, 10);    // video buffer (16 kbit units): the largest
        stream.put(0, 1);        // not constrained
        stream.put(0, 1);        // default intra matrix
        stream.put(0, 1);        // default non-intra matrix
    }

    void groupHeader(int picture) {
        stream.startCode(kGroupStart);
        const int seconds = picture / kPicturesPerSecond;
        stream.put(0, 1); // no dropped frames
        stream.put(static_cast<std::uint32_t>(seconds / 3600 % 24), 5);
        stream.put(static_cast<std::uint32_t>(seconds / 60 % 60), 6);
        stream.put(1, 1);
        stream.put(static_cast<std::uint32_t>(seconds % 60), 6);
        stream.put(static_cast<std::uint32_t>(picture % kPicturesPerSecond), 6);
        stream.put(1, 1); // closed: no picture refers back past it
        stream.put(0, 1);
    }

    void pictureHeader(int temporalReference, bool intra) {
        stream.align();
        pictureOffsets.push_back(stream.size());
        stream.startCode(kPictureStart);
        stream.put(static_cast<std::uint32_t>(temporalReference & 1023), 10);
        stream.put(intra ? 1 : 2, 3);
        stream.put(0xFFFF, 16); // no buffer delay given
        if (!intra) {
            stream.put(0, 1); // half-pel vectors
            stream.put(1, 3); // forward_f_code 1
        }
        stream.put(0, 1); // no extra information
    }

    void sliceHeader(int row) {
        stream.startCode(static_cast<std::uint8_t>(0x01 + row));
        stream.put(static_cast<std::uint32_t>(quantiser), 5);
        stream.put(0, 1);
    }

    void loadPlanes(const QImage& picture) {
        const int lumaWidth = mbWidth * 16, lumaHeight = mbHeight * 16;
        y.assign(static_cast<std::size_t>(lumaWidth * lumaHeight), 0);
        cb.assign(static_cast<std::size_t>(lumaWidth * lumaHeight / 4), 0);
        cr.assign(cb.size(), 0);
        std::vector<double> fullCb(y.size()), fullCr(y.size());
        for (int row = 0; row < lumaHeight; ++row) {
            const auto* line =
                reinterpret_cast<const QRgb*>(picture.constScanLine(std::min(row, height - 1)));
            for (int column = 0; column < lumaWidth; ++column) {
                const QRgb pixel = line[std::min(column, width - 1)];
                const double r = qRed(pixel), g = qGreen(pixel), b = qBlue(pixel);
                const auto at = static_cast<std::size_t>(row * lumaWidth + column);
                y[at] = static_cast<std::uint8_t>(
                    Clamp(std::lround(16 + 0.257 * r + 0.504 * g + 0.098 * b), 16, 235));
                fullCb[at] = 128 - 0.148 * r - 0.291 * g + 0.439 * b;
                fullCr[at] = 128 + 0.439 * r - 0.368 * g - 0.071 * b;
            }
        }
        const int chromaWidth = lumaWidth / 2;
        for (int row = 0; row < lumaHeight / 2; ++row)
            for (int column = 0; column < chromaWidth; ++column) {
                const auto a = static_cast<std::size_t>(2 * row * lumaWidth + 2 * column);
                const auto sum = [&](const std::vector<double>& plane) {
                    return (plane[a] + plane[a + 1] + plane[a + lumaWidth] +
                            plane[a + lumaWidth + 1]) /
                           4;
                };
                const auto at = static_cast<std::size_t>(row * chromaWidth + column);
                cb[at] = static_cast<std::uint8_t>(Clamp(std::lround(sum(fullCb)), 16, 240));
                cr[at] = static_cast<std::uint8_t>(Clamp(std::lround(sum(fullCr)), 16, 240));
            }
    }

    void block(const std::vector<std::uint8_t>& plane, int planeWidth, int left, int top, bool luma,
               int& predictor) {
        std::array<double, 64> samples{};
        for (int row = 0; row < 8; ++row)
            for (int column = 0; column < 8; ++column)
                samples[row * 8 + column] =
                    plane[static_cast<std::size_t>((top + row) * planeWidth + left + column)];
        const std::array<double, 64> coefficients = ForwardDct(samples);

        const int dc = Clamp(std::lround(coefficients[0] / 8), 1, 254);
        const int difference = dc - predictor;
        predictor = dc;
        int size = 0;
        for (int magnitude = std::abs(difference); magnitude > 0; magnitude >>= 1)
            ++size;
        const Code& sizeCode = (luma ? kDcLuma : kDcChroma)[static_cast<std::size_t>(size)];
        stream.put(sizeCode.bits, sizeCode.length);
        if (size > 0)
            stream.put(static_cast<std::uint32_t>(difference > 0 ? difference
                                                                 : difference + (1 << size) - 1),
                       size);

        int run = 0;
        for (int i = 1; i < 64; ++i) {
            const int at = kZigzag[static_cast<std::size_t>(i)];
            const double scaled = 8.0 * coefficients[static_cast<std::size_t>(at)] /
                                  (quantiser * kIntraMatrix[static_cast<std::size_t>(at)]);
            const int level = Clamp(std::lround(scaled), -255, 255);
            if (level == 0) {
                ++run;
                continue;
            }
            coefficient(run, level);
            run = 0;
        }
        stream.put(0b10, 2); // end of block
    }

    void coefficient(int run, int level) {
        const int magnitude = std::abs(level);
        for (const RunLevelCode& entry : kRunLevel)
            if (entry.run == run && entry.level == magnitude) {
                stream.put(entry.code.bits, entry.code.length);
                stream.put(level < 0 ? 1 : 0, 1);
                return;
            }
        stream.put(0b000001, 6); // escape
        stream.put(static_cast<std::uint32_t>(run), 6);
        if (magnitude < 128) {
            stream.put(static_cast<std::uint32_t>(level & 0xFF), 8);
        } else {
            stream.put(level > 0 ? 0x00 : 0x80, 8);
            stream.put(static_cast<std::uint32_t>(level & 0xFF), 8);
        }
    }

    void intraPicture(int temporalReference) {
        pictureHeader(temporalReference, true);
        const int lumaWidth = mbWidth * 16, chromaWidth = mbWidth * 8;
        for (int row = 0; row < mbHeight; ++row) {
            sliceHeader(row);
            int yPredictor = 128, cbPredictor = 128, crPredictor = 128;
            for (int column = 0; column < mbWidth; ++column) {
                stream.put(1, 1); // the next macroblock
                stream.put(1, 1); // intra
                const int x = column * 16, top = row * 16;
                block(y, lumaWidth, x, top, true, yPredictor);
                block(y, lumaWidth, x + 8, top, true, yPredictor);
                block(y, lumaWidth, x, top + 8, true, yPredictor);
                block(y, lumaWidth, x + 8, top + 8, true, yPredictor);
                block(cb, chromaWidth, column * 8, row * 8, false, cbPredictor);
                block(cr, chromaWidth, column * 8, row * 8, false, crPredictor);
            }
        }
    }

    // A picture that repeats the one before: every macroblock copied with a zero vector.
    void repeatPicture(int temporalReference) {
        pictureHeader(temporalReference, false);
        for (int row = 0; row < mbHeight; ++row) {
            sliceHeader(row);
            for (int column = 0; column < mbWidth; ++column) {
                stream.put(1, 1);     // the next macroblock
                stream.put(0b001, 3); // motion compensated, nothing coded
                stream.put(1, 1);     // horizontal motion 0
                stream.put(1, 1);     // vertical motion 0
            }
        }
    }
};

Mpeg1Writer::Mpeg1Writer(int quantiser) : quantiser_(std::clamp(quantiser, 1, 31)) {}

Mpeg1Writer::~Mpeg1Writer() = default;

bool Mpeg1Writer::add(const QImage& image, int pictures) {
    error_.clear();
    if (image.isNull()) {
        error_ = QStringLiteral("no picture");
        return false;
    }
    if (!video_) {
        QSize size = image.size();
        if (size.width() > kMaxWidth || size.height() > kMaxHeight)
            size = size.scaled(kMaxWidth, kMaxHeight, Qt::KeepAspectRatio);
        video_ = std::make_unique<Video>();
        video_->width = width_ = std::max(size.width(), 16);
        video_->height = height_ = std::max(size.height(), 16);
        video_->mbWidth = (width_ + 15) / 16;
        video_->mbHeight = (height_ + 15) / 16;
        video_->quantiser = quantiser_;
    }
    QImage picture = image.convertToFormat(QImage::Format_RGB32);
    if (picture.size() != QSize(width_, height_))
        picture = picture.scaled(width_, height_, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    video_->loadPlanes(picture);
    // Each picture starts a closed group, so that a seek lands on any of them.
    const int count = std::clamp(pictures, 1, 1000);
    video_->sequenceHeader();
    video_->groupHeader(pictures_);
    video_->intraPicture(0);
    for (int i = 1; i < count; ++i)
        video_->repeatPicture(i);
    pictures_ += count;
    return true;
}

QByteArray Mpeg1Writer::finish() {
    if (!video_)
        return {};
    BitWriter& es = video_->stream;
    es.startCode(kSequenceEnd);
    const std::vector<std::uint8_t>& video = es.bytes();
    const std::vector<std::size_t>& offsets = video_->pictureOffsets;

    // The system stream: a pack of at most 2048 bytes per packet of video, each packet with
    // the presentation time of the first picture that starts in it.
    constexpr std::int64_t kClock = 90000;
    constexpr std::int64_t kFirstPicture = kClock / 2; // as the usual muxers start
    constexpr std::uint32_t kMuxRate = 25000;          // 50 bytes/s units: 10 Mbit/s
    constexpr std::size_t kPayload = 2048 - 12 - 6 - 5;
    QByteArray out;
    out.reserve(static_cast<qsizetype>(video.size() + video.size() / 80 + 64));
    const auto put = [&out](std::uint64_t value, int bytes) {
        for (int i = bytes - 1; i >= 0; --i)
            out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
    };
    // '0010' or '0011' + 33-bit time with marker bits, five bytes.
    const auto timeStamp = [&put](std::uint64_t prefix, std::int64_t time) {
        const auto t = static_cast<std::uint64_t>(time);
        put((prefix << 4) | (((t >> 30) & 7) << 1) | 1, 1);
        put((((t >> 15) & 0x7FFF) << 1) | 1, 2);
        put(((t & 0x7FFF) << 1) | 1, 2);
    };
    std::size_t picture = 0; // the first picture not yet given a time
    for (std::size_t at = 0; at < video.size(); at += kPayload) {
        const std::size_t length = std::min(kPayload, video.size() - at);
        const auto scr = static_cast<std::int64_t>(out.size()) * kClock / (kMuxRate * 50);
        put(0x000001BA, 4);
        timeStamp(0b0010, scr);
        put((1ull << 23) | (static_cast<std::uint64_t>(kMuxRate) << 1) | 1, 3);
        if (at == 0) {
            put(0x000001BB, 4);
            put(9, 2);                                  // header length
            put((1ull << 23) | (kMuxRate << 1) | 1, 3); // rate bound
            put(0, 1);                                  // no audio, variable rate
            put(0b00100001, 1);                         // one video stream
            put(0xFF, 1);
            put(0xE0, 1);                                  // video stream 0
            put((0b11ull << 14) | (1ull << 13) | 2048, 2); // buffer 2048 kB
        }
        const bool starts = picture < offsets.size() && offsets[picture] < at + length;
        put(0x000001E0, 4);
        put(length + (starts ? 5 : 1), 2);
        if (starts) {
            timeStamp(0b0010, kFirstPicture +
                                  static_cast<std::int64_t>(picture) * kClock / kPicturesPerSecond);
            while (picture < offsets.size() && offsets[picture] < at + length)
                ++picture;
        } else {
            put(0x0F, 1);
        }
        out.append(reinterpret_cast<const char*>(video.data() + at),
                   static_cast<qsizetype>(length));
    }
    put(0x000001B9, 4);
    video_.reset();
    pictures_ = 0;
    return out;
}

} // namespace skelvane
