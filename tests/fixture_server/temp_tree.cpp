#include "temp_tree.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace skelvane::fixture::testing {

namespace fs = std::filesystem;

TempTree::TempTree() {
    std::string pattern = (fs::temp_directory_path() / "skelvane-fixture-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot make a temporary folder");
    path_ = pattern;
}

TempTree::~TempTree() {
    std::error_code error;
    fs::remove_all(path_, error);
}

void TempTree::write(std::string_view relative, std::string_view contents) const {
    const fs::path file = path_ / relative;
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
}

void TempTree::makeFolder(std::string_view relative) const {
    fs::create_directories(path_ / relative);
}

void TempTree::link(std::string_view relative, const fs::path& target) const {
    const fs::path at = path_ / relative;
    fs::create_directories(at.parent_path());
    fs::create_symlink(target, at);
}

} // namespace skelvane::fixture::testing
