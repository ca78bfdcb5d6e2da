#include "almanac/almanac.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <sstream>
#include <unistd.h>

namespace skelvane::almanac {
namespace {

namespace fs = std::filesystem;

const std::string kShipped = std::string(SKELVANE_TEST_DATA) + "/../../data/sitename.dat";

struct RunResult {
    int status;
    std::string out;
    std::string err;
};

RunResult run(std::vector<std::string> words) {
    std::ostringstream out, err;
    const int status = RunAlmanac(words, out, err);
    return {status, out.str(), err.str()};
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        result.push_back(line);
    return result;
}

TEST(PlaceCommand, PostalCodeGivesItsLineAsJson) {
    const RunResult result = run({"place", "--zip", "10001", "--file", kShipped});
    ASSERT_EQ(result.status, 0) << result.err;
    const std::regex shape(
        R"(\{"name":"New York","state":"NY","country":"United States","station":"KNYC",)"
        R"("lat":40\.7[0-9]*,"lon":-7[34]\.[0-9]*,"elevation_m":null,"zone":null,"zip":"10001"\}\n)");
    EXPECT_TRUE(std::regex_match(result.out, shape)) << result.out;
}

TEST(PlaceCommand, ListsAndNearestStation) {
    const RunResult state = run({"place", "--state", "ny", "--file", kShipped});
    ASSERT_EQ(state.status, 0) << state.err;
    const auto stateLines = lines(state.out);
    EXPECT_GT(stateLines.size(), 1000u);
    EXPECT_EQ(std::count_if(
                  stateLines.begin(), stateLines.end(),
                  [](const std::string& l) { return l.rfind("{\"name\":\"New York\",", 0) == 0; }),
              1);
    // The United States with a state is the same list.
    EXPECT_EQ(
        run({"place", "--country", "United States", "--state", "New York", "--file", kShipped}).out,
        state.out);

    const RunResult france = run({"place", "--country", "france", "--file", kShipped});
    ASSERT_EQ(france.status, 0) << france.err;
    for (const std::string& line : lines(france.out))
        EXPECT_NE(line.find("\"country\":\"France\""), std::string::npos) << line;

    const RunResult nearest =
        run({"place", "--nearest-station", "51.47", "-0.45", "--file", kShipped});
    ASSERT_EQ(nearest.status, 0) << nearest.err;
    EXPECT_NE(nearest.out.find("\"station\":\"EGLL\""), std::string::npos) << nearest.out;
    EXPECT_EQ(lines(nearest.out).size(), 1u);

    const RunResult unknown = run({"place", "--zip", "99999", "--file", kShipped});
    EXPECT_EQ(unknown.status, 1);
    EXPECT_EQ(unknown.err, "skelvane-almanac: no US place has postal code 99999\n");
}

TEST(PlaceCommand, BadArgumentsAreUsageErrors) {
    const std::vector<std::vector<std::string>> cases = {
        {"place"},
        {"place", "--zip", "10001", "--state", "NY"},
        {"place", "--zip", "1000a"},
        {"place", "--zip", ""},
        {"place", "--country", "Atlantis"},
        {"place", "--country", "United States"}, // needs --state
        {"place", "--state", "XX"},
        {"place", "--nearest-station", "40"},
        {"place", "--nearest-station", "91", "0"},
        {"place", "--nearest-station", "40", "east"},
        {"place", "--nearest-station", "1", "2", "--nearest-station", "1", "2"},
    };
    for (const auto& words : cases) {
        const RunResult result = run(words);
        EXPECT_EQ(result.status, 2) << words.size();
        EXPECT_TRUE(result.out.empty());
        EXPECT_EQ(lines(result.err).size(), 1u) << result.err;
    }
}

// A missing or damaged list: one clear line and status 1, never a crash.
TEST(PlaceCommand, DamagedFilesGiveOneClearLine) {
    std::string pattern = (fs::temp_directory_path() / "skelvane-place-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    const fs::path dir = pattern;
    std::ifstream source(kShipped, std::ios::binary);
    const std::string good((std::istreambuf_iterator<char>(source)),
                           std::istreambuf_iterator<char>());
    std::string noise(5000, '\0');
    unsigned state = 7;
    for (char& c : noise)
        c = static_cast<char>((state = state * 1103515245u + 12345u) >> 16);
    struct Case {
        const char* name;
        std::string bytes;
        const char* message;
    };
    const Case cases[] = {
        {"half.dat", good.substr(0, good.size() / 2),
         "Inflate: stream ends too early (the file is cut off)"},
        {"noise.dat", noise, "Inflate: stream is encrypted but passphrase is wrong"},
        {"empty.dat", "", "Inflate: stream is too short to hold the encryption header"},
    };
    for (const Case& c : cases) {
        const fs::path file = dir / c.name;
        std::ofstream(file, std::ios::binary) << c.bytes;
        const RunResult result = run({"place", "--zip", "10001", "--file", file.string()});
        EXPECT_EQ(result.status, 1) << c.name;
        EXPECT_TRUE(result.out.empty()) << c.name;
        EXPECT_EQ(result.err, "skelvane-almanac: " + file.string() + ": " + c.message + "\n");
    }
    const RunResult missing = run({"place", "--zip", "10001", "--file", (dir / "none").string()});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(lines(missing.err).size(), 1u);
    EXPECT_NE(missing.err.find("Cannot read"), std::string::npos) << missing.err;
    fs::remove_all(dir);
}

} // namespace
} // namespace skelvane::almanac
