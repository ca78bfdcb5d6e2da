#include "location/place_list.h"

#include "location/place_text.h"

#include <stdexcept>

namespace skelvane {

PlaceList PlaceList::FromAnsiText(std::string_view text) {
    return Split(Cp1252ToUtf8(text));
}

PlaceList PlaceList::FromUtf8Text(std::string_view text) {
    return Split(std::string(text));
}

PlaceList PlaceList::Split(std::string text) {
    if (text.size() >= UINT32_MAX)
        throw std::length_error("place list text too large");
    PlaceList list;
    list.starts_.reserve(text.size() / 48 + 2);
    // Compact in place: copy each line's bytes down over the terminators before it.
    std::size_t write = 0;
    std::size_t read = 0;
    while (read < text.size()) {
        list.starts_.push_back(static_cast<std::uint32_t>(write));
        while (read < text.size() && text[read] != '\r' && text[read] != '\n')
            text[write++] = text[read++];
        if (read < text.size() && text[read] == '\r')
            ++read;
        if (read < text.size() && text[read] == '\n')
            ++read;
    }
    list.starts_.push_back(static_cast<std::uint32_t>(write));
    if (list.starts_.size() == 1)
        list.starts_.clear();
    text.resize(write);
    text.shrink_to_fit();
    list.text_ = std::move(text);
    list.starts_.shrink_to_fit();
    return list;
}

} // namespace skelvane
