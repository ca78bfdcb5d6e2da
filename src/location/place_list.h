#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace skelvane {

// The place list in memory: every line's text (converted to UTF-8) in one buffer, with the
// offset of each line. About 4 MB for the full list; lines are views into the buffer.
class PlaceList {
public:
    PlaceList() = default;

    // Splits 8-bit Windows-1252 text into lines at CR, LF or CR LF. An empty line counts as
    // a line; a terminator at the very end does not start another one.
    static PlaceList FromAnsiText(std::string_view text);
    // The same from text that is UTF-8 already (tests build small lists this way).
    static PlaceList FromUtf8Text(std::string_view text);

    std::size_t size() const { return starts_.empty() ? 0 : starts_.size() - 1; }
    bool empty() const { return size() == 0; }
    // Line i (0-based) without its terminator; i < size().
    std::string_view line(std::size_t i) const {
        return std::string_view(text_).substr(starts_[i], starts_[i + 1] - starts_[i]);
    }
    // Bytes held, for the memory figures.
    std::size_t memoryBytes() const {
        return text_.capacity() + starts_.capacity() * sizeof(std::uint32_t);
    }

private:
    static PlaceList Split(std::string text);

    std::string text_;                  // all lines back to back
    std::vector<std::uint32_t> starts_; // size() + 1 offsets into text_
};

} // namespace skelvane
