#include "net/live/index_page.h"

#include "net/live/iso_time.h"

namespace skelvane {

namespace {

std::string Escape(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// "01-Dec-2026 15:45" from the ISO text of the instant.
std::string ListingTime(std::int64_t unixMs) {
    static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const std::string iso = IsoInstantText(unixMs); // YYYY-MM-DDThh:mm:ss.mmmZ
    const int month = std::stoi(iso.substr(5, 2));
    return iso.substr(8, 2) + "-" + kMonths[month - 1] + "-" + iso.substr(0, 4) + " " +
           iso.substr(11, 5);
}

// "812", "4.1K", "1.2M" (written without the locale, whose decimal mark may be a comma).
std::string ListingSize(std::int64_t bytes) {
    if (bytes < 0)
        return "-";
    if (bytes < 1024)
        return std::to_string(bytes);
    const bool mega = bytes >= 1024 * 1024;
    const std::int64_t tenths =
        (bytes * 10 + (mega ? 512 * 1024 : 512)) / (mega ? 1024 * 1024 : 1024);
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + (mega ? "M" : "K");
}

std::string Padding(std::size_t used, std::size_t width) {
    return std::string(used < width ? width - used : 1, ' ');
}

} // namespace

std::string MakeIndexPage(std::string_view urlPath, const std::vector<IndexEntry>& entries) {
    std::string path(urlPath);
    if (path.empty() || path.back() != '/')
        path += '/';
    std::string parent = path.substr(0, path.size() - 1);
    parent = parent.substr(0, parent.rfind('/') + 1);
    if (parent.empty())
        parent = "/";
    const std::string title = Escape(path);
    std::string page;
    page += "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2 Final//EN\">\n";
    page += "<html>\n <head>\n  <title>Index of " + title + "</title>\n </head>\n <body>\n";
    page += "<h1>Index of " + title + "</h1>\n";
    page += "<pre>Name                                   Last modified      Size\n<hr>";
    page +=
        "<a href=\"" + Escape(parent) + "\">Parent Directory</a>" + std::string(23, ' ') + "-\n";
    for (const IndexEntry& entry : entries) {
        const std::string name = Escape(entry.name);
        page += "<a href=\"" + name + "\">" + name + "</a>" + Padding(entry.name.size(), 39) +
                ListingTime(entry.unixMs) + "  " + ListingSize(entry.bytes) + "\n";
    }
    page += "<hr></pre>\n</body></html>\n";
    return page;
}

} // namespace skelvane
