#include "folder_answer.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>
#include <vector>

namespace skelvane::fixture {

namespace fs = std::filesystem;

namespace {

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string LowerAscii(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), Lower);
    return lower;
}

// Whether `inner` is `root` or lies under it, comparing whole path elements (so that
// /srv/demo2 is not inside /srv/demo).
bool IsWithin(const fs::path& inner, const fs::path& root) {
    auto innerPart = inner.begin();
    for (auto rootPart = root.begin(); rootPart != root.end(); ++rootPart, ++innerPart) {
        if (rootPart->empty() && std::next(rootPart) == root.end())
            return true; // a root written with a trailing separator
        if (innerPart == inner.end() || *innerPart != *rootPart)
            return false;
    }
    return true;
}

bool ReadWholeFile(const fs::path& file, std::string& contents) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    contents = std::move(buffer).str();
    return !in.bad();
}

FolderAnswer NotFound(std::string_view path) {
    FolderAnswer answer;
    answer.status = 404;
    answer.body = ErrorPageHtml(404, path);
    return answer;
}

// Percent-encodes what may not stand in an href as it is.
std::string EncodeHref(std::string_view name) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') ||
                           std::string_view("-._~/").find(c) != std::string_view::npos;
        if (plain) {
            encoded += c;
        } else {
            encoded += '%';
            encoded += kHex[byte >> 4];
            encoded += kHex[byte & 0x0F];
        }
    }
    return encoded;
}

std::string ModifiedText(const fs::directory_entry& entry) {
    std::error_code error;
    const fs::file_time_type written = entry.last_write_time(error);
    if (error)
        return "                 ";
    const std::time_t seconds = std::chrono::system_clock::to_time_t(
        std::chrono::time_point_cast<std::chrono::system_clock::duration>(
            std::chrono::file_clock::to_sys(written)));
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    std::array<char, 32> text{};
    std::strftime(text.data(), text.size(), "%d-%b-%Y %H:%M", &utc);
    return text.data();
}

std::string SizeText(std::uintmax_t bytes) {
    std::array<char, 16> text{};
    if (bytes < 1024)
        std::snprintf(text.data(), text.size(), "%ju", bytes);
    else if (bytes < 1024 * 1024)
        std::snprintf(text.data(), text.size(), "%juK", (bytes + 512) / 1024);
    else
        std::snprintf(text.data(), text.size(), "%.1fM",
                      static_cast<double>(bytes) / (1024.0 * 1024.0));
    return text.data();
}

std::string Padded(std::string text, std::size_t width, bool right) {
    if (text.size() >= width)
        return text;
    const std::string pad(width - text.size(), ' ');
    return right ? pad + text : text + pad;
}

} // namespace

FolderAnswer AnswerFromFolder(const fs::path& root, std::string_view path) {
    if (path.empty() || path.front() != '/' || path.find('\0') != std::string_view::npos ||
        path.find('\\') != std::string_view::npos)
        return NotFound(path);
    fs::path candidate = root;
    std::size_t start = 1;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find('/', start), path.size());
        const std::string_view segment = path.substr(start, end - start);
        if (segment == "." || segment == "..")
            return NotFound(path);
        if (!segment.empty())
            candidate /= segment;
        start = end + 1;
    }

    std::error_code error;
    const fs::path real = fs::canonical(candidate, error);
    if (error || !IsWithin(real, root))
        return NotFound(path);

    const fs::file_status status = fs::status(real, error);
    if (error)
        return NotFound(path);
    FolderAnswer answer;
    if (fs::is_directory(status)) {
        if (path.back() != '/') {
            answer.status = 301;
            answer.location = std::string(path) + "/";
            answer.body = ErrorPageHtml(301, path);
            return answer;
        }
        const fs::path index = real / "index.html";
        if (fs::is_regular_file(index, error) && ReadWholeFile(index, answer.body)) {
            answer.status = 200;
            return answer;
        }
        answer.status = 200;
        answer.body = DirectoryIndexPage(path, real);
        return answer;
    }
    if (!fs::is_regular_file(status) || !ReadWholeFile(real, answer.body))
        return NotFound(path);
    answer.status = 200;
    answer.contentType = ContentTypeFor(path.substr(path.rfind('/') + 1));
    return answer;
}

std::string_view ContentTypeFor(std::string_view fileName) {
    struct Type {
        std::string_view extension, contentType;
    };
    static constexpr Type kTypes[] = {
        {".txt", "text/plain"},  {".gif", "image/gif"},  {".jpg", "image/jpeg"},
        {".jpeg", "image/jpeg"}, {".mpg", "video/mpeg"}, {".mpeg", "video/mpeg"},
        {".html", "text/html"},  {".htm", "text/html"},  {".png", "image/png"},
    };
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos)
        return "application/octet-stream";
    const std::string extension = LowerAscii(fileName.substr(dot));
    for (const Type& type : kTypes)
        if (type.extension == extension)
            return type.contentType;
    return "application/octet-stream";
}

std::string DirectoryIndexPage(std::string_view urlPath, const fs::path& folder) {
    struct Entry {
        std::string name; // with a final "/" for a folder
        std::string modified, size;
    };
    std::vector<Entry> entries;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        std::string name = entry.path().filename().string();
        if (name.empty() || name.front() == '.')
            continue;
        std::error_code statusError;
        const bool isFolder = entry.is_directory(statusError);
        const std::uintmax_t bytes = isFolder ? 0 : entry.file_size(statusError);
        entries.push_back({isFolder ? name + "/" : name, ModifiedText(entry),
                           isFolder ? std::string("-") : SizeText(bytes)});
    }
    std::sort(entries.begin(), entries.end(),
              [](const Entry& a, const Entry& b) { return a.name < b.name; });

    std::string parent(urlPath);
    if (parent.size() > 1) {
        parent.pop_back(); // the final "/"
        parent.erase(parent.rfind('/') + 1);
    }
    const std::string title = EscapeHtml(urlPath);
    std::string page;
    page += "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2 Final//EN\">\n";
    page += "<html>\n <head>\n  <title>Index of " + title + "</title>\n </head>\n <body>\n";
    page += "<h1>Index of " + title + "</h1>\n";
    page += "<pre>Name                                   Last modified      Size\n<hr>";
    page += "<a href=\"" + EncodeHref(parent) + "\">Parent Directory</a>" + std::string(23, ' ') +
            "-\n";
    for (const Entry& entry : entries) {
        // Names are padded by their shown length, as the columns line up on screen.
        page += "<a href=\"" + EncodeHref(entry.name) + "\">" + EscapeHtml(entry.name) + "</a>" +
                Padded("", entry.name.size() < 39 ? 39 - entry.name.size() : 1, false) +
                entry.modified + Padded(entry.size, 6, true) + "\n";
    }
    page += "<hr></pre>\n</body></html>\n";
    return page;
}

std::string_view StatusText(int status) {
    switch (status) {
    case 200:
        return "OK";
    case 301:
        return "Moved Permanently";
    case 302:
        return "Found";
    case 400:
        return "Bad Request";
    case 403:
        return "Forbidden";
    case 404:
        return "Not Found";
    case 405:
        return "Method Not Allowed";
    case 407:
        return "Proxy Authentication Required";
    case 500:
        return "Internal Server Error";
    case 501:
        return "Not Implemented";
    case 502:
        return "Bad Gateway";
    case 503:
        return "Service Unavailable";
    case 504:
        return "Gateway Timeout";
    default:
        return "Error";
    }
}

std::string ErrorPageHtml(int status, std::string_view path) {
    const std::string heading = std::to_string(status) + " " + std::string(StatusText(status));
    return "<HTML><HEAD>\n<TITLE>" + heading + "</TITLE>\n</HEAD><BODY>\n<H1>" +
           std::string(StatusText(status)) + "</H1>\n<P>The request for " + EscapeHtml(path) +
           " was answered with status " + std::to_string(status) + ".</P>\n</BODY></HTML>\n";
}

std::string NoticePageHtml() {
    return "<HTML>\n<HEAD><TITLE>Service Notice</TITLE></HEAD>\n<BODY>\n"
           "<H1>This page is not available at the moment</H1>\n"
           "<P>Please try again later.</P>\n</BODY>\n</HTML>\n";
}

std::string EscapeHtml(std::string_view text) {
    std::string escaped;
    for (const char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

} // namespace skelvane::fixture
