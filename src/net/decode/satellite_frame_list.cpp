#include "net/decode/satellite_frame_list.h"

#include <algorithm>
#include <cctype>

namespace skelvane {

namespace {

bool IsBlank(char ch) {
    return ch == ' ' || ch == '\t';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

char LowerAscii(char ch) {
    return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch;
}

// Order of the list: ASCII case ignored; names equal but for case in byte order, so the
// result never depends on the order of the lines.
bool ListOrder(std::string_view a, std::string_view b) {
    const auto mismatch = std::mismatch(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return LowerAscii(x) == LowerAscii(y);
    });
    if (mismatch.first != a.end() && mismatch.second != b.end())
        return LowerAscii(*mismatch.first) < LowerAscii(*mismatch.second);
    if (a.size() != b.size())
        return a.size() < b.size();
    return a < b;
}

} // namespace

bool IsPlainFrameName(std::string_view name) {
    if (name.empty() || name.size() > kSatelliteFrameNameMaxLength)
        return false;
    const auto plain = [](char ch) {
        return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') || (ch >= '0' && ch <= '9') ||
               ch == '.' || ch == '_' || ch == '-';
    };
    const char first = name.front();
    if (first == '.' || first == '_' || first == '-')
        return false;
    return std::all_of(name.begin(), name.end(), plain);
}

SatelliteFrameList ParseJPGList(std::string_view body) {
    SatelliteFrameList result;
    if (body.size() > kSatelliteFrameListMaxBytes) {
        result.status = FrameListStatus::TooLarge;
        return result;
    }
    if (body.starts_with("\xEF\xBB\xBF"))
        body.remove_prefix(3);

    // Keeps the first ten names in list order while reading, so the work stays linear in the
    // body's length and the memory bounded however many lines there are.
    std::vector<std::string_view> best;
    best.reserve(kSatelliteLoopFrames + 1);
    bool anyLine = false;
    while (!body.empty()) {
        const std::size_t end = body.find_first_of("\r\n");
        const std::string_view line = Trim(body.substr(0, end));
        if (end == std::string_view::npos) {
            body = {};
        } else {
            const bool crlf = body[end] == '\r' && end + 1 < body.size() && body[end + 1] == '\n';
            body.remove_prefix(end + (crlf ? 2 : 1));
        }
        if (line.empty())
            continue;
        anyLine = true;
        if (!IsPlainFrameName(line)) {
            ++result.refused;
            continue;
        }
        if (best.size() == kSatelliteLoopFrames && !ListOrder(line, best.back()))
            continue;
        best.insert(std::upper_bound(best.begin(), best.end(), line, ListOrder), line);
        if (best.size() > kSatelliteLoopFrames)
            best.pop_back();
    }

    if (best.empty()) {
        result.status = anyLine ? FrameListStatus::NoNames : FrameListStatus::Empty;
        return result;
    }
    result.status = FrameListStatus::Ok;
    result.names.assign(best.begin(), best.end());
    return result;
}

const std::vector<std::string>& NumberedFrameNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> out;
        for (std::size_t n = 1; n <= kSatelliteLoopFrames; ++n)
            out.push_back(std::to_string(n) + ".jpg");
        return out;
    }();
    return names;
}

} // namespace skelvane
