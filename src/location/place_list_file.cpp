#include "location/place_list_file.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <system_error>

namespace skelvane {

namespace fs = std::filesystem;

namespace {

// Far above the real file (about 1.5 MB); guards against reading a wrong, huge file.
constexpr std::uintmax_t kMaxFileBytes = 32u << 20;

bool IsFile(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

std::string ReadError(const fs::path& file, const char* what) {
    return "Cannot read " + file.string() + ": " + what;
}

} // namespace

fs::path ProgramFolder() {
    std::error_code error;
    const fs::path exe = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::path() : exe.parent_path();
}

std::vector<fs::path> PlaceListFolders(const fs::path& programFolder) {
    std::vector<fs::path> folders;
    if (!programFolder.empty())
        folders.push_back(programFolder);
    std::error_code error;
    const fs::path current = fs::current_path(error);
    if (!error)
        folders.push_back(current);
    if (!programFolder.empty())
        folders.push_back(programFolder.parent_path() / "share" / "skelvane");
    const char* dataDirs = std::getenv("XDG_DATA_DIRS");
    std::string_view dirs =
        (dataDirs && *dataDirs) ? std::string_view(dataDirs) : "/usr/local/share:/usr/share";
    while (!dirs.empty()) {
        const std::size_t colon = dirs.find(':');
        const std::string_view dir = dirs.substr(0, colon);
        if (!dir.empty())
            folders.push_back(fs::path(dir) / "skelvane");
        dirs = colon == std::string_view::npos ? std::string_view() : dirs.substr(colon + 1);
    }
    return folders;
}

fs::path FindPlaceListFile(const std::vector<fs::path>& folders) {
    for (const fs::path& folder : folders) {
        for (const char* name : {"sitename.dat", "SITENAME.DAT"}) {
            fs::path candidate = folder / name;
            if (IsFile(candidate))
                return candidate;
        }
    }
    return {};
}

PlaceListLoad LoadPlaceListFile(const fs::path& file, std::string_view passphrase) {
    PlaceListLoad load;
    load.file = file;
    std::error_code sizeError;
    const std::uintmax_t size = fs::file_size(file, sizeError);
    if (sizeError) {
        load.error = ReadError(file, sizeError.message().c_str());
        return load;
    }
    if (size > kMaxFileBytes) {
        load.error = ReadError(file, "the file is far too large for a place list");
        return load;
    }
    std::ifstream stream(file, std::ios::binary);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    if (!stream || !stream.read(reinterpret_cast<char*>(bytes.data()),
                                static_cast<std::streamsize>(bytes.size()))) {
        load.error = ReadError(file, errno ? std::strerror(errno) : "read failed");
        return load;
    }
    DecodedPlaceList decoded = DecodePlaceList(bytes, passphrase);
    bytes = {};
    if (!decoded.error.empty()) {
        load.error = std::move(decoded.error);
        return load;
    }
    try {
        load.list = PlaceList::FromAnsiText(decoded.text);
    } catch (const std::exception& error) {
        load.error = std::string("Cannot split the place list into lines: ") + error.what();
        return load;
    }
    load.loaded = true;
    return load;
}

PlaceListLoad LoadPlaceList(const std::vector<fs::path>& folders, std::string_view passphrase) {
    const fs::path file = FindPlaceListFile(folders);
    if (file.empty())
        return {};
    return LoadPlaceListFile(file, passphrase);
}

bool BigList::LoadBigList() {
    error_.clear();
    if (loaded_)
        return true;
    PlaceListLoad load = LoadPlaceList(folders_, passphrase_);
    loaded_ = load.loaded;
    if (loaded_)
        list_ = std::move(load.list);
    else
        error_ = std::move(load.error);
    return loaded_;
}

} // namespace skelvane
