#include "fetch/fetch.h"

#include "fixture_http_server.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sstream>

namespace skelvane::fetch {
namespace {

using fixture::FixtureHttpServer;
using fixture::FixtureRule;

struct SatelliteRun {
    int status = 0;
    std::string out, err;
};

class FetchSatelliteTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.listening()) << server.error();
        ASSERT_TRUE(scratch.isValid());
    }
    SatelliteRun fetch(std::vector<std::string> options, bool json = true) {
        std::vector<std::string> words{"satellite", "--server", server.server(), "--out",
                                       outFolder().toStdString()};
        words.insert(words.end(), options.begin(), options.end());
        if (json)
            words.push_back("--json");
        std::ostringstream out, err;
        SatelliteRun run;
        run.status = RunFetch(words, out, err);
        run.out = out.str();
        run.err = err.str();
        return run;
    }
    QString outFolder() const { return scratch.filePath(QStringLiteral("out")); }
    std::string file(const char* name) const {
        return QDir(outFolder()).absoluteFilePath(QString::fromLatin1(name)).toStdString();
    }
    std::string url(const std::string& path) const { return server.url(path); }
    static QByteArray bytes(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    FixtureHttpServer server{SKELVANE_DEMO_DATA};
    QTemporaryDir scratch;
};

TEST_F(FetchSatelliteTest, StillsFullDisksAndMoviesAreWrittenAsTheyCame) {
    struct Case {
        std::vector<std::string> options;
        std::string code, path, name;
        bool movie;
    };
    const Case cases[] = {
        {{"--location", "0", "--type", "1", "--color", "1"},
         "ECI5",
         "/GIFS/ECI5.JPG",
         "ECI5.JPG",
         false},
        {{"--location", "13", "--type", "2"}, "GMIR", "/FULLDISK/GMIR.JPG", "GMIR.JPG", false},
        {{"--location", "10", "--type", "2"}, "NHWV", "/GIFS/NHWV.JPG", "NHWV.JPG", false},
        {{"--location", "0", "--type", "1", "--color", "1", "--animate"},
         "ECVS",
         "/MOVIES/ECVS.mpg",
         "ECVS.mpg",
         true},
    };
    for (const Case& c : cases) {
        const SatelliteRun run = fetch(c.options);
        ASSERT_EQ(run.status, 0) << run.out << run.err;
        const std::string expected = "{\"status\":\"ok\",\"code\":\"" + c.code +
                                     "\",\"movie\":" + (c.movie ? "true" : "false") +
                                     ",\"tropical\":false,\"urls\":[\"" + url(c.path) +
                                     "\"],\"files\":[\"" + file(c.name.c_str()) + "\"]}\n";
        EXPECT_EQ(run.out, expected);
        EXPECT_EQ(bytes(QString::fromStdString(file(c.name.c_str()))),
                  bytes(QStringLiteral(SKELVANE_DEMO_DATA) + QString::fromStdString(c.path)))
            << c.code;
    }
}

TEST_F(FetchSatelliteTest, TropicalLoopsListEveryAddressAndEveryFrame) {
    const SatelliteRun run = fetch({"--location", "8", "--type", "0", "--animate"}, false);
    ASSERT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_EQ(run.out.rfind("status: ok\ncode: GULFIR\nmovie: yes\ntropical: yes\nurl: " +
                                url("/HURRLOOPS/gulfir/file_names.txt") + "\n",
                            0),
              0u)
        << run.out;
    std::size_t urls = 0, files = 0;
    std::istringstream lines(run.out);
    for (std::string line; std::getline(lines, line);) {
        urls += line.rfind("url: ", 0) == 0;
        files += line.rfind("file: ", 0) == 0;
    }
    EXPECT_EQ(urls, 11u);
    EXPECT_EQ(files, 10u);
    EXPECT_EQ(QDir(outFolder()).entryList(QDir::Files).size(), 10);

    // The numbered loops have no list.
    const SatelliteRun numbered = fetch({"--location", "9", "--type", "1", "--animate"});
    ASSERT_EQ(numbered.status, 0);
    EXPECT_NE(numbered.out.find("\"urls\":[\"" + url("/HURRLOOPS/hpvs/1.jpg") + "\","),
              std::string::npos)
        << numbered.out;
    EXPECT_TRUE(QFile::exists(QString::fromStdString(file("10.jpg"))));
}

TEST_F(FetchSatelliteTest, FailuresHaveTheirStatusExitOneAndWriteNothing) {
    server.setRule("/GIFS/ECIR.JPG", FixtureRule::htmlPage());
    server.setRule("/HURRLOOPS/gulfvs/file_names.txt", FixtureRule::errorPage(404));
    const struct {
        std::vector<std::string> options;
        const char* status;
    } rows[] = {
        {{"--location", "0", "--type", "0"}, "failed"},
        {{"--location", "8", "--type", "1", "--animate"}, "list-failed"},
    };
    for (const auto& row : rows) {
        const SatelliteRun run = fetch(row.options);
        EXPECT_EQ(run.status, 1) << row.status;
        EXPECT_EQ(run.out.rfind(std::string("{\"status\":\"") + row.status + "\"", 0), 0u)
            << run.out;
        EXPECT_NE(run.out.find("\"files\":[]"), std::string::npos) << run.out;
    }
    std::ostringstream out, err;
    const int refused = RunFetch({"satellite", "--location", "1", "--type", "0", "--json", "--out",
                                  outFolder().toStdString(), "--server",
                                  "127.0.0.1:" + std::to_string(fixture::ClosedLoopbackPort())},
                                 out, err);
    EXPECT_EQ(refused, 1);
    EXPECT_EQ(out.str().rfind("{\"status\":\"refused\",\"code\":\"WCIR\"", 0), 0u) << out.str();
    EXPECT_TRUE(QDir(outFolder()).entryList(QDir::Files).isEmpty());
}

TEST_F(FetchSatelliteTest, BadArgumentsExitTwo) {
    QFile blocker(scratch.filePath(QStringLiteral("a-file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const std::vector<std::string> bad[] = {
        {"satellite", "--type", "0", "--out", "x"},
        {"satellite", "--location", "16", "--type", "0", "--out", "x"},
        {"satellite", "--location", "0", "--type", "3", "--out", "x"},
        {"satellite", "--location", "0", "--type", "0", "--color", "5", "--out", "x"},
        {"satellite", "--location", "0", "--type", "0"},
        {"satellite", "--location", "0", "--type", "0", "--out", "x", "--server", "a b"},
        {"satellite", "--location", "0", "--type", "0", "--out",
         blocker.fileName().toStdString() + "/sub"},
    };
    for (const auto& words : bad) {
        std::ostringstream out, err;
        EXPECT_EQ(RunFetch(words, out, err), 2) << words.size();
        EXPECT_FALSE(err.str().empty());
    }
    EXPECT_TRUE(server.requests().empty());
}

} // namespace
} // namespace skelvane::fetch
