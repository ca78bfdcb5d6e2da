#include "hand_gif.h"

#include <algorithm>

namespace skelvane::test {

namespace {

void PutWord(QByteArray& out, int value) {
    out.append(static_cast<char>(value & 0xFF));
    out.append(static_cast<char>((value >> 8) & 0xFF));
}

// Bits needed for a table of `entries` colours (a table holds 2^bits, at least 2).
int TableBits(std::size_t entries) {
    int bits = 1;
    while ((std::size_t{1} << bits) < entries)
        ++bits;
    return bits;
}

void PutTable(QByteArray& out, const std::vector<std::uint32_t>& table) {
    const std::size_t size = std::size_t{1} << TableBits(table.size());
    for (std::size_t i = 0; i < size; ++i) {
        const std::uint32_t colour = i < table.size() ? table[i] : 0;
        out.append(static_cast<char>(colour >> 16));
        out.append(static_cast<char>(colour >> 8));
        out.append(static_cast<char>(colour));
    }
}

void PutSubBlocks(QByteArray& out, const QByteArray& data) {
    for (qsizetype i = 0; i < data.size(); i += 255) {
        const qsizetype length = std::min<qsizetype>(255, data.size() - i);
        out.append(static_cast<char>(length));
        out.append(data.mid(i, length));
    }
    out.append('\0');
}

// LZW codes at a fixed width: the clear code comes back before the decoder's table would make
// it wider.
QByteArray UncompressedLzw(const std::vector<std::uint8_t>& indices, int codeSize) {
    const int clear = 1 << codeSize, end = clear + 1, width = codeSize + 1;
    const int perClear = clear - 2;
    QByteArray bytes;
    std::uint32_t buffer = 0;
    int bits = 0;
    auto put = [&](int code) {
        buffer |= static_cast<std::uint32_t>(code) << bits;
        bits += width;
        while (bits >= 8) {
            bytes.append(static_cast<char>(buffer & 0xFF));
            buffer >>= 8;
            bits -= 8;
        }
    };
    for (std::size_t i = 0; i < indices.size(); ++i) {
        if (i % static_cast<std::size_t>(perClear) == 0)
            put(clear);
        put(indices[i]);
    }
    put(end);
    if (bits > 0)
        bytes.append(static_cast<char>(buffer & 0xFF));
    return bytes;
}

} // namespace

HandFrame SolidFrame(int left, int top, int width, int height, std::uint8_t index) {
    HandFrame frame;
    frame.left = left;
    frame.top = top;
    frame.width = width;
    frame.height = height;
    frame.pixels.assign(static_cast<std::size_t>(width * height), index);
    return frame;
}

QByteArray BuildGif(const HandGif& gif) {
    QByteArray out("GIF89a");
    PutWord(out, gif.width);
    PutWord(out, gif.height);
    const bool global = !gif.globalTable.empty();
    out.append(static_cast<char>(global ? 0xF0 | (TableBits(gif.globalTable.size()) - 1) : 0x70));
    out.append('\0'); // background index
    out.append('\0'); // aspect ratio
    if (global)
        PutTable(out, gif.globalTable);
    if (gif.loopCount >= 0) {
        out.append("\x21\xFF\x0BNETSCAPE2.0\x03\x01", 16);
        PutWord(out, gif.loopCount);
        out.append('\0');
    }
    for (const HandFrame& frame : gif.frames) {
        if (frame.control) {
            out.append("\x21\xF9\x04", 3);
            out.append(
                static_cast<char>(((frame.disposal & 7) << 2) | (frame.transparent >= 0 ? 1 : 0)));
            PutWord(out, frame.delay);
            out.append(static_cast<char>(std::max(frame.transparent, 0)));
            out.append('\0');
        }
        out.append(',');
        PutWord(out, frame.left);
        PutWord(out, frame.top);
        PutWord(out, frame.width);
        PutWord(out, frame.height);
        const bool local = !frame.localTable.empty();
        out.append(static_cast<char>((local ? 0x80 | (TableBits(frame.localTable.size()) - 1) : 0) |
                                     (frame.interlaced ? 0x40 : 0)));
        if (local)
            PutTable(out, frame.localTable);

        std::vector<std::uint8_t> order;
        if (frame.interlaced) {
            static constexpr int kStart[4] = {0, 4, 2, 1}, kStep[4] = {8, 8, 4, 2};
            for (int pass = 0; pass < 4; ++pass)
                for (int y = kStart[pass]; y < frame.height; y += kStep[pass])
                    order.insert(order.end(), frame.pixels.begin() + y * frame.width,
                                 frame.pixels.begin() + (y + 1) * frame.width);
        } else {
            order = frame.pixels;
        }
        const std::size_t tableSize = local ? frame.localTable.size() : gif.globalTable.size();
        const std::uint8_t largest =
            order.empty() ? 0 : *std::max_element(order.begin(), order.end());
        const int codeSize = std::max({2, TableBits(tableSize), TableBits(largest + 1u)});
        out.append(static_cast<char>(codeSize));
        PutSubBlocks(out, UncompressedLzw(order, codeSize));
    }
    if (gif.trailer)
        out.append(';');
    return out;
}

} // namespace skelvane::test
