#include "net/decode/server_addresses.h"

#include <gtest/gtest.h>

namespace skelvane {
namespace {

constexpr std::string_view kReport = "/pub/data/observations/metar/decoded/KNYC.TXT";

TEST(ServerAddress, MovedLayoutsAndPlainHosts) {
    const std::vector<MovedLayout> known = MovedLayoutsFromSetting("");
    const struct {
        const char* host;
        std::string_view path;
        const char* address;
    } rows[] = {
        {"tgftp.nws.noaa.gov", kReport,
         "https://tgftp.nws.noaa.gov/data/observations/metar/decoded/KNYC.TXT"},
        {"TGFTP.nws.noaa.gov", kReport,
         "https://TGFTP.nws.noaa.gov/data/observations/metar/decoded/KNYC.TXT"},
        // The table moves only the paths it names.
        {"tgftp.nws.noaa.gov", "/other/file.txt", "http://tgftp.nws.noaa.gov/other/file.txt"},
        // Any other host gets the path as it stands, a port included.
        {"127.0.0.1:8089", kReport,
         "http://127.0.0.1:8089/pub/data/observations/metar/decoded/KNYC.TXT"},
        {"weather.example.org", kReport,
         "http://weather.example.org/pub/data/observations/metar/decoded/KNYC.TXT"},
        {"[::1]:8089", "/x", "http://[::1]:8089/x"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ServerAddress(row.host, row.path, known), std::optional<std::string>(row.address))
            << row.host << row.path;
}

TEST(ServerAddress, HostSettingsThatWouldChangeTheAddressAreRefused) {
    for (const char* host :
         {"", "evil.example/x?", "user@host", "host name", "http://host", "host:0", "host:65536",
          "host:80a", "host:", ".host", "-host", "[::1", "host\r\nX-Header: 1", "host#frag"})
        EXPECT_FALSE(ServerAddress(host, kReport, {})) << host;
    EXPECT_FALSE(ServerAddress("host", "relative/path", {}));
    EXPECT_TRUE(IsValidHostSetting("localhost:65535"));
}

TEST(MovedLayoutsFromSetting, ReplacesTurnsOffOrKeepsTheTable) {
    ASSERT_EQ(MovedLayoutsFromSetting("").size(), KnownMovedLayouts().size());
    EXPECT_TRUE(MovedLayoutsFromSetting(" none ").empty());
    const std::vector<MovedLayout> own = MovedLayoutsFromSetting(
        "mirror.example.org /pub/ /files/ https; bad entry; x /a /b ftp; y a/ /b http");
    ASSERT_EQ(own.size(), 1u) << "only the well-formed entry";
    EXPECT_EQ(ServerAddress("mirror.example.org:8443", "/pub/data/a.TXT", own),
              std::optional<std::string>("https://mirror.example.org:8443/files/data/a.TXT"));
    EXPECT_EQ(ServerAddress("tgftp.nws.noaa.gov", kReport, own),
              std::optional<std::string>(
                  "http://tgftp.nws.noaa.gov/pub/data/observations/metar/decoded/KNYC.TXT"))
        << "a table of one's own replaces the built-in one";
}

} // namespace
} // namespace skelvane
