#pragma once

// GIF files written byte by byte for the decoder's tests, independent of giflib's encoder:
// any colour table, offsets, disposal, interlacing, even indices past the colour table. The
// image data uses LZW without compression (a clear code before the table can grow).

#include <QByteArray>
#include <cstdint>
#include <vector>

namespace skelvane::test {

struct HandFrame {
    int left = 0, top = 0, width = 0, height = 0;
    std::vector<std::uint8_t> pixels;      // width × height indices, top row first
    std::vector<std::uint32_t> localTable; // 0xRRGGBB; empty: none
    bool interlaced = false;               // rows written in the four interlace passes
    bool control = false;                  // write a graphic control extension
    int disposal = 0, delay = 0, transparent = -1;
};

struct HandGif {
    int width = 0, height = 0;
    std::vector<std::uint32_t> globalTable; // 0xRRGGBB; empty: none
    int loopCount = -1;                     // NETSCAPE2.0 extension before the first frame
    std::vector<HandFrame> frames;
    bool trailer = true;
};

QByteArray BuildGif(const HandGif& gif);

// A frame of one index everywhere.
HandFrame SolidFrame(int left, int top, int width, int height, std::uint8_t index);

} // namespace skelvane::test
