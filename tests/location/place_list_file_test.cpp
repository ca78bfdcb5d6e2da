#include "location/place_list_file.h"
#include "place_list_fixtures.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace skelvane {
namespace {

namespace fs = std::filesystem;
using testing::EncodePlaceList;
using testing::ReadFixture;

// A fresh folder under the system's temporary folder, removed afterwards.
class TempFolders : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "skelvane-places-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
    }
    void TearDown() override { fs::remove_all(root_); }

    fs::path folder(const std::string& name) {
        fs::create_directories(root_ / name);
        return root_ / name;
    }
    static void write(const fs::path& file, const std::vector<std::uint8_t>& bytes) {
        std::ofstream(file, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }

    fs::path root_;
};

TEST_F(TempFolders, FoldersInSearchOrder) {
    const char* saved = std::getenv("XDG_DATA_DIRS");
    const std::string savedValue = saved ? saved : "";
    setenv("XDG_DATA_DIRS", "/opt/a::/opt/b", 1);
    const std::vector<fs::path> folders = PlaceListFolders("/opt/skelvane/bin");
    unsetenv("XDG_DATA_DIRS");
    const std::vector<fs::path> fallback = PlaceListFolders("");
    if (saved)
        setenv("XDG_DATA_DIRS", savedValue.c_str(), 1);

    EXPECT_EQ(folders, (std::vector<fs::path>{"/opt/skelvane/bin", fs::current_path(),
                                              "/opt/skelvane/share/skelvane", "/opt/a/skelvane",
                                              "/opt/b/skelvane"}));
    EXPECT_EQ(fallback, (std::vector<fs::path>{fs::current_path(), "/usr/local/share/skelvane",
                                               "/usr/share/skelvane"}));
    EXPECT_FALSE(ProgramFolder().empty());
}

TEST_F(TempFolders, TheFirstFolderHoldingTheFileWins) {
    const fs::path program = folder("bin"), current = folder("cwd"), shared = folder("share");
    const std::vector<fs::path> order = {program, current, shared};
    EXPECT_EQ(FindPlaceListFile(order), fs::path());
    write(shared / "SITENAME.DAT", {1});
    EXPECT_EQ(FindPlaceListFile(order), shared / "SITENAME.DAT");
    write(current / "sitename.dat", {1});
    EXPECT_EQ(FindPlaceListFile(order), current / "sitename.dat");
    write(program / "sitename.dat", {1});
    EXPECT_EQ(FindPlaceListFile(order), program / "sitename.dat");
    fs::create_directories(root_ / "dir" / "sitename.dat"); // a folder of that name is no file
    EXPECT_EQ(FindPlaceListFile({root_ / "dir", shared}), shared / "SITENAME.DAT");
}

TEST_F(TempFolders, LoadingReportsEachFailureWithItsMessage) {
    const fs::path good = folder("good"), bad = folder("bad");
    write(good / "sitename.dat", ReadFixture("small.dat"));
    std::vector<std::uint8_t> half = ReadFixture("small.dat");
    half.resize(half.size() / 2);
    write(bad / "sitename.dat", half);

    const PlaceListLoad loaded = LoadPlaceList({good});
    EXPECT_TRUE(loaded.loaded);
    EXPECT_EQ(loaded.list.size(), 4u);
    EXPECT_EQ(loaded.error, "");

    const PlaceListLoad none = LoadPlaceList({folder("empty")});
    EXPECT_FALSE(none.loaded);
    EXPECT_TRUE(none.file.empty());
    EXPECT_EQ(none.error, ""); // the window shows its four lines instead

    const PlaceListLoad cut = LoadPlaceList({bad, good}); // the first found is the one read
    EXPECT_FALSE(cut.loaded);
    EXPECT_EQ(cut.file, bad / "sitename.dat");
    EXPECT_EQ(cut.error, "Inflate: stream ends too early (the file is cut off)");

    const PlaceListLoad wrong = LoadPlaceListFile(good / "sitename.dat", "other words");
    EXPECT_EQ(wrong.error, "Inflate: stream is encrypted but passphrase is wrong");

    const PlaceListLoad missing = LoadPlaceListFile(good / "nothing.dat");
    EXPECT_FALSE(missing.loaded);
    EXPECT_EQ(missing.error.rfind("Cannot read ", 0), 0u) << missing.error;
}

TEST_F(TempFolders, BigListLoadsOnceAndRetriesUntilItHasAList) {
    const fs::path place = folder("place");
    BigList big({place});
    EXPECT_FALSE(big.LoadBigList()); // no file yet: no message
    EXPECT_EQ(big.lastError(), "");

    write(place / "sitename.dat", {0, 1, 2});
    EXPECT_FALSE(big.LoadBigList());
    EXPECT_EQ(big.lastError(), "Inflate: stream is too short to hold the encryption header");

    write(place / "sitename.dat", ReadFixture("small.dat"));
    EXPECT_TRUE(big.LoadBigList()); // looked for again at the next showing
    EXPECT_EQ(big.lastError(), "");
    EXPECT_EQ(big.list().size(), 4u);

    fs::remove(place / "sitename.dat");
    EXPECT_TRUE(big.LoadBigList()); // kept for the life of the program
    EXPECT_EQ(big.list().size(), 4u);
}

} // namespace
} // namespace skelvane
