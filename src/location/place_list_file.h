#pragma once

#include "location/place_list.h"
#include "location/place_list_decode.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace skelvane {

inline constexpr std::string_view kPlaceListFileName = "sitename.dat";

// What the window shows while no list is loaded: the place box's four lines, and the
// message box of the postal-code button (caption "Skelvane").
inline constexpr std::string_view kLoadFileLines[] = {
    "For a list of places in this box", "place the file SITENAME.DAT in the ",
    "same folder as SKELVANE.EXE and", "then restart this program."};
inline constexpr std::string_view kLoadFileMessage =
    "Place the file SITENAME.DAT in same folder as SKELVANE.EXE\nand restart this program.";

// Folder of the running executable; empty when the system does not say.
std::filesystem::path ProgramFolder();

// Where the list is looked for, in order: the program's folder, the current folder, the
// data folder of an installed program (programFolder/../share/skelvane), then skelvane/
// under each of $XDG_DATA_DIRS (by default /usr/local/share and /usr/share).
std::vector<std::filesystem::path> PlaceListFolders(const std::filesystem::path& programFolder);

// The first folder holding sitename.dat (or SITENAME.DAT); empty when none does.
std::filesystem::path FindPlaceListFile(const std::vector<std::filesystem::path>& folders);

struct PlaceListLoad {
    bool loaded = false;
    PlaceList list;
    std::filesystem::path file; // the file read; empty when none was found
    std::string error;          // why a found file gave no list; empty otherwise
};

// Reads, decrypts, inflates and splits one file. A file that cannot be read, or whose
// contents fail to decode, gives loaded = false and a message.
PlaceListLoad LoadPlaceListFile(const std::filesystem::path& file,
                                std::string_view passphrase = PlaceListPassphrase());
// The same for the first file along the folders; no file gives loaded = false and no
// error (the window then shows kLoadFileLines).
PlaceListLoad LoadPlaceList(const std::vector<std::filesystem::path>& folders,
                            std::string_view passphrase = PlaceListPassphrase());

// LoadBigList with its loaded flag: loads once and keeps the list for the life of the
// object; while no list is loaded, every call looks for the file again.
class BigList {
public:
    explicit BigList(std::vector<std::filesystem::path> folders,
                     std::string passphrase = PlaceListPassphrase())
        : folders_(std::move(folders)), passphrase_(std::move(passphrase)) {}

    // Returns the loaded flag. A failed attempt leaves its message in lastError() once:
    // the next call clears it.
    bool LoadBigList();
    bool loaded() const { return loaded_; }
    const PlaceList& list() const { return list_; }
    const std::string& lastError() const { return error_; }

private:
    std::vector<std::filesystem::path> folders_;
    std::string passphrase_;
    bool loaded_ = false;
    PlaceList list_;
    std::string error_;
};

} // namespace skelvane
