#pragma once

// The normal answers of the fixture HTTP server: a folder served as a web server serves
// it. Plain functions over the file system, so that the path rules are testable alone.

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace skelvane::fixture {

struct FolderAnswer {
    int status = 404;
    std::string contentType = "text/html";
    std::string body;
    std::string location; // for a 301: the path of the folder's own address (ending in "/")
    std::vector<std::pair<std::string, std::string>> headers; // sent besides the usual ones
};

// The answer for the percent-decoded request `path` from the folder `root`, which must be a
// canonical path (std::filesystem::canonical). Never reads outside `root`: a path that
// does not start with "/", holds a "." or ".." segment, a backslash or a NUL, or leads
// (through a symbolic link) out of `root` gets the 404 page, as does a missing file.
// A folder's address without the final "/" gets a 301 to the address with it; a folder
// gets its index.html, or else a generated index page.
FolderAnswer AnswerFromFolder(const std::filesystem::path& root, std::string_view path);

// The content type sent for a file name: by its extension, ASCII case ignored (.txt
// text/plain, .gif image/gif, .jpg and .jpeg image/jpeg, .mpg and .mpeg video/mpeg, .html
// and .htm text/html, .png image/png); application/octet-stream for anything else.
std::string_view ContentTypeFor(std::string_view fileName);

// A web server's generated index page of `folder`, whose address path is `urlPath`: a
// title and heading "Index of PATH", a column header line, a "Parent Directory" line, then
// one line per entry in ascending byte order of names, each
// `<a href="NAME">NAME</a>` followed by its modification time (UTC, "DD-Mon-YYYY HH:MM")
// and size ("-" for a folder, whose name ends in "/"). Names starting with "." are left out.
std::string DirectoryIndexPage(std::string_view urlPath, const std::filesystem::path& folder);

// The reason phrase of a status ("Not Found"); "Error" for one not listed.
std::string_view StatusText(int status);

// The server's HTML page for an error status, naming the path asked for.
std::string ErrorPageHtml(int status, std::string_view path);

// An HTML page of the kind a proxy or a portal sends with status 200 where a report or an
// image was expected. Starts with "<HTML>".
std::string NoticePageHtml();

// `text` with &, <, > and " written as HTML character references.
std::string EscapeHtml(std::string_view text);

} // namespace skelvane::fixture
