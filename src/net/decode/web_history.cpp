#include "net/decode/web_history.h"

#include <algorithm>

namespace skelvane {

namespace {

char FoldAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return FoldAscii(x) == FoldAscii(y);
           });
}

} // namespace

bool AddToHistoryList(std::vector<std::string>& list, std::string_view entry) {
    if (entry.empty())
        return false;
    const bool held = std::any_of(list.begin(), list.end(), [entry](const std::string& item) {
        return SameIgnoringAsciiCase(item, entry);
    });
    if (held)
        return false;
    list.insert(list.begin(), std::string(entry));
    return true;
}

} // namespace skelvane
