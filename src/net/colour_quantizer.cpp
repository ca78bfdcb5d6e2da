#include "net/colour_quantizer.h"

#include <algorithm>
#include <cmath>

namespace skelvane {

namespace {

constexpr std::uint32_t kTransparentKey = 0xFFFFFFFFu; // no 0x00RRGGBB colour has it

int Red(std::uint32_t c) {
    return static_cast<int>((c >> 16) & 0xFF);
}
int Green(std::uint32_t c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
int Blue(std::uint32_t c) {
    return static_cast<int>(c & 0xFF);
}

std::uint32_t Pack(double r, double g, double b) {
    auto channel = [](double v) {
        return static_cast<std::uint32_t>(std::clamp(std::lround(v), 0L, 255L));
    };
    return (channel(r) << 16) | (channel(g) << 8) | channel(b);
}

// One grid cell as a point at its mean colour, weighted by its pixel count.
struct Point {
    double channel[3];
    double weight;
};

// The mean of a cell's pixels from its number (the top 5 bits a channel) and its low-bit sums.
template <typename Cell> Point MeanOf(int number, const Cell& cell) {
    const double n = cell.count;
    return Point{{static_cast<double>((number >> 7) & 0xF8) + cell.red / n,
                  static_cast<double>((number >> 2) & 0xF8) + cell.green / n,
                  static_cast<double>((number << 3) & 0xF8) + cell.blue / n},
                 n};
}

struct Sums {
    double weight = 0;
    double channel[3] = {0, 0, 0};
    double squares = 0; // Σ weight · |colour|²
    void add(const Point& p) {
        weight += p.weight;
        for (int c = 0; c < 3; ++c) {
            channel[c] += p.weight * p.channel[c];
            squares += p.weight * p.channel[c] * p.channel[c];
        }
    }
    // |Σ weight · colour|² / Σ weight: what the squared error about the mean subtracts.
    double meanTerm() const {
        return weight > 0
                   ? (channel[0] * channel[0] + channel[1] * channel[1] + channel[2] * channel[2]) /
                         weight
                   : 0;
    }
};

struct Box {
    std::size_t begin, end;
    Sums sums;
    double error() const { return end - begin > 1 ? sums.squares - sums.meanTerm() : 0; }
};

Sums SumsOf(const std::vector<Point>& points, std::size_t begin, std::size_t end) {
    Sums sums;
    for (std::size_t i = begin; i < end; ++i)
        sums.add(points[i]);
    return sums;
}

// Cuts `box` in two at the place along its widest channel that leaves the least squared
// error; `points` in the box are reordered along that channel.
std::pair<Box, Box> Cut(std::vector<Point>& points, const Box& box) {
    int axis = 0;
    double widest = -1;
    for (int c = 0; c < 3; ++c) {
        double sum = 0, squares = 0;
        for (std::size_t i = box.begin; i < box.end; ++i) {
            sum += points[i].weight * points[i].channel[c];
            squares += points[i].weight * points[i].channel[c] * points[i].channel[c];
        }
        const double variance = squares - sum * sum / box.sums.weight;
        if (variance > widest) {
            widest = variance;
            axis = c;
        }
    }
    std::sort(points.begin() + static_cast<std::ptrdiff_t>(box.begin),
              points.begin() + static_cast<std::ptrdiff_t>(box.end),
              [axis](const Point& a, const Point& b) { return a.channel[axis] < b.channel[axis]; });
    // The squares split additively, so the least error is where the two mean terms are largest.
    Sums left;
    double best = -1;
    std::size_t cut = box.begin + 1;
    for (std::size_t i = box.begin; i + 1 < box.end; ++i) {
        left.add(points[i]);
        Sums right;
        right.weight = box.sums.weight - left.weight;
        for (int c = 0; c < 3; ++c)
            right.channel[c] = box.sums.channel[c] - left.channel[c];
        const double score = left.meanTerm() + right.meanTerm();
        if (score > best) {
            best = score;
            cut = i + 1;
        }
    }
    return {Box{box.begin, cut, SumsOf(points, box.begin, cut)},
            Box{cut, box.end, SumsOf(points, cut, box.end)}};
}

} // namespace

ColourQuantizer::ColourQuantizer() : cells_(kCells) {
    distinctSlots_.fill(-1);
}

void ColourQuantizer::add(const std::uint32_t* pixels, std::size_t count, bool skipTransparent) {
    auto key = [skipTransparent](std::uint32_t pixel) {
        return skipTransparent && pixel < 0x80000000u ? kTransparentKey : pixel & 0xFFFFFFu;
    };
    // While the colours may still be few, every new one is noted. Pictures drawn rather than
    // photographed repeat a colour along a row, so runs are counted at once.
    std::size_t i = 0;
    while (i < count && !tooManyDistinct_) {
        const std::uint32_t colour = key(pixels[i]);
        std::size_t j = i + 1;
        while (j < count && key(pixels[j]) == colour)
            ++j;
        if (colour == kTransparentKey)
            transparentSeen_ = true;
        else
            countRun(colour, static_cast<std::uint32_t>(j - i));
        i = j;
    }
    // Past that only the counts matter, and a plain pass over the pixels is quickest: the
    // runs of a photograph are too short and too irregular to pay for finding them.
    const std::size_t rest = std::min<std::uint64_t>(count - i, kMaxCounted - counted_);
    counted_ += rest;
    Cell* cells = cells_.data();
    for (const std::uint32_t* pixel = pixels + i; pixel != pixels + i + rest; ++pixel) {
        const std::uint32_t p = *pixel;
        if (skipTransparent && p < 0x80000000u) {
            transparentSeen_ = true;
            continue;
        }
        Cell& cell = cells[CellOf(p)];
        ++cell.count;
        cell.red += (p >> 16) & 7;
        cell.green += (p >> 8) & 7;
        cell.blue += p & 7;
    }
}

void ColourQuantizer::countRun(std::uint32_t colour, std::uint32_t run) {
    if (counted_ + run <= kMaxCounted) {
        counted_ += run;
        Cell& cell = cells_[static_cast<std::size_t>(CellOf(colour))];
        cell.count += run;
        cell.red += run * ((colour >> 16) & 7);
        cell.green += run * ((colour >> 8) & 7);
        cell.blue += run * (colour & 7);
    }
    if (!tooManyDistinct_)
        noteDistinct(colour);
}

int ColourQuantizer::findDistinct(std::uint32_t colour) const {
    std::size_t slot = (colour * 2654435761u) >> 22;
    for (;; slot = (slot + 1) % kDistinctSlots) {
        const int index = distinctSlots_[slot];
        if (index < 0 || distinct_[static_cast<std::size_t>(index)] == colour)
            return index;
    }
}

void ColourQuantizer::noteDistinct(std::uint32_t colour) {
    if (findDistinct(colour) >= 0)
        return;
    if (distinct_.size() == kMaxDistinct) {
        tooManyDistinct_ = true;
        return;
    }
    std::size_t slot = (colour * 2654435761u) >> 22;
    while (distinctSlots_[slot] >= 0)
        slot = (slot + 1) % kDistinctSlots;
    distinctSlots_[slot] = static_cast<std::int16_t>(distinct_.size());
    distinct_.push_back(colour);
}

void ColourQuantizer::build(int maxColours) {
    maxColours = std::clamp(maxColours, 1, 256);
    palette_.clear();
    cellIndex_.assign(kCells, -1);
    exact_ = !tooManyDistinct_ && distinct_.size() <= static_cast<std::size_t>(maxColours);
    if (exact_)
        palette_ = distinct_;
    else
        medianCut(maxColours);
    if (palette_.empty())
        palette_.push_back(0);
    if (!exact_)
        for (int number = 0; number < kCells; ++number)
            if (cells_[static_cast<std::size_t>(number)].count > 0)
                cellEntry(number);
}

void ColourQuantizer::medianCut(int maxColours) {
    std::vector<Point> points;
    for (int number = 0; number < kCells; ++number)
        if (cells_[static_cast<std::size_t>(number)].count > 0)
            points.push_back(MeanOf(number, cells_[static_cast<std::size_t>(number)]));
    if (points.empty())
        return;
    std::vector<Box> boxes{Box{0, points.size(), SumsOf(points, 0, points.size())}};
    while (boxes.size() < static_cast<std::size_t>(maxColours)) {
        auto worst = std::max_element(boxes.begin(), boxes.end(), [](const Box& a, const Box& b) {
            return a.error() < b.error();
        });
        if (worst->error() <= 0)
            break; // every box is one cell
        const auto [first, second] = Cut(points, *worst);
        *worst = first;
        boxes.push_back(second);
    }
    for (const Box& box : boxes) {
        const double w = box.sums.weight;
        palette_.push_back(
            Pack(box.sums.channel[0] / w, box.sums.channel[1] / w, box.sums.channel[2] / w));
    }
}

std::uint8_t ColourQuantizer::nearest(std::uint32_t colour) const {
    int best = 0, bestDistance = 1 << 30;
    for (std::size_t i = 0; i < palette_.size(); ++i) {
        const int dr = Red(colour) - Red(palette_[i]), dg = Green(colour) - Green(palette_[i]),
                  db = Blue(colour) - Blue(palette_[i]);
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = static_cast<int>(i);
        }
    }
    return static_cast<std::uint8_t>(best);
}

std::uint8_t ColourQuantizer::cellEntry(int cellNumber) {
    std::int16_t& slot = cellIndex_[static_cast<std::size_t>(cellNumber)];
    if (slot < 0) {
        // Every colour of a cell maps alike: to the palette colour nearest the cell's mean,
        // or its centre for a cell nothing was counted in.
        const Cell& cell = cells_[static_cast<std::size_t>(cellNumber)];
        const Point mean =
            cell.count > 0 ? MeanOf(cellNumber, cell) : MeanOf(cellNumber, Cell{2, 7, 7, 7});
        slot = nearest(Pack(mean.channel[0], mean.channel[1], mean.channel[2]));
    }
    return static_cast<std::uint8_t>(slot);
}

std::uint8_t ColourQuantizer::indexOf(std::uint32_t colour) {
    colour &= 0xFFFFFFu;
    if (exact_) {
        const int index = findDistinct(colour);
        return index >= 0 ? static_cast<std::uint8_t>(index) : nearest(colour);
    }
    return cellEntry(CellOf(colour));
}

void ColourQuantizer::map(const std::uint32_t* pixels, std::size_t count, std::uint8_t* indices) {
    if (!exact_) {
        // One look-up a pixel; the cells counted were given their entries by build().
        const std::int16_t* table = cellIndex_.data();
        for (std::size_t i = 0; i < count; ++i) {
            const int cellNumber = CellOf(pixels[i]);
            const std::int16_t known = table[cellNumber];
            indices[i] = known >= 0 ? static_cast<std::uint8_t>(known) : cellEntry(cellNumber);
        }
        return;
    }
    std::uint32_t previous = 0;
    std::uint8_t previousIndex = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t colour = pixels[i] & 0xFFFFFFu;
        if (i == 0 || colour != previous) {
            previous = colour;
            previousIndex = indexOf(colour);
        }
        indices[i] = previousIndex;
    }
}

} // namespace skelvane
