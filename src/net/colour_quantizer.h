#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace skelvane {

// Chooses a palette of at most 256 colours for a set of pixels and maps pixels to it, for
// writing GIF files. A set with no more distinct colours than allowed keeps every colour
// exactly; a larger one is reduced by median cut: the colours are counted on a grid of 32
// levels per channel (keeping each cell's mean), the cell with the largest squared error
// around its mean is cut in two along its widest channel where the error of the two halves is
// least, until there are as many cells as colours allowed, and each colour is its cell's
// mean. Pixels map to the nearest palette colour of their grid cell. Plain data, no Qt.
class ColourQuantizer {
public:
    ColourQuantizer();

    // Counts `count` pixels of the form 0xAARRGGBB. With `skipTransparent`, pixels whose alpha
    // is below 128 are left out (see transparentSeen()); otherwise alpha is ignored.
    void add(const std::uint32_t* pixels, std::size_t count, bool skipTransparent);
    bool transparentSeen() const { return transparentSeen_; }

    // Chooses the palette, at most `maxColours` (clamped to 1 … 256) entries, from everything
    // added so far. Without any pixel added the palette is one black entry.
    void build(int maxColours);

    // The colours chosen, 0x00RRGGBB; valid after build().
    const std::vector<std::uint32_t>& palette() const { return palette_; }
    // Whether every colour added is in the palette as it was.
    bool exact() const { return exact_; }

    // The palette index for one colour (alpha ignored); valid after build().
    std::uint8_t indexOf(std::uint32_t colour);
    // indexOf() for `count` pixels.
    void map(const std::uint32_t* pixels, std::size_t count, std::uint8_t* indices);

private:
    static constexpr int kCells = 1 << 15; // 5 bits for each of red, green and blue
    static constexpr int kMaxDistinct = 256;
    static constexpr std::size_t kDistinctSlots = 1024; // open addressing, a quarter full at most

    // The cell fixes the top 5 bits of each channel, so only the low 3 are summed: 16 bytes a
    // cell keep the grid small enough for the processor's caches.
    struct Cell {
        std::uint32_t count = 0;
        std::uint32_t red = 0, green = 0, blue = 0; // sums of the low 3 bits of each channel
    };
    // Pixels counted in all; past this the counts could overflow, and the rest only decide
    // whether the colours are few.
    static constexpr std::uint64_t kMaxCounted = std::uint64_t{1} << 29;

    static int CellOf(std::uint32_t colour) {
        return static_cast<int>(((colour >> 9) & 0x7C00) | ((colour >> 6) & 0x03E0) |
                                ((colour >> 3) & 0x001F));
    }
    void countRun(std::uint32_t colour, std::uint32_t run);
    void noteDistinct(std::uint32_t colour);
    int findDistinct(std::uint32_t colour) const;
    void medianCut(int maxColours);
    std::uint8_t nearest(std::uint32_t colour) const;
    std::uint8_t cellEntry(int cellNumber);

    std::vector<Cell> cells_;
    std::uint64_t counted_ = 0;
    // Every distinct colour while there are no more than kMaxDistinct, in order of appearance.
    std::vector<std::uint32_t> distinct_;
    std::array<std::int16_t, kDistinctSlots> distinctSlots_;
    bool tooManyDistinct_ = false;
    bool transparentSeen_ = false;

    std::vector<std::uint32_t> palette_;
    bool exact_ = false;
    std::vector<std::int16_t> cellIndex_; // palette index of each grid cell, -1 until needed
};

} // namespace skelvane
