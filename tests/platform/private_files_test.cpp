#include "platform/private_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "support/test_environment.h"

#include <cerrno>
#include <cstring>
#include <functional>
#include <utility>

#include <sys/stat.h>

namespace skelvane {
namespace {

// The permission bits of a path as the system holds them.
int ModeOf(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return -1;
    return static_cast<int>(info.st_mode & 07777);
}

class PrivateFilesTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QTemporaryDir dir;
};

TEST_F(PrivateFilesTest, FoldersMadeAreOwnerOnlyAndOthersKeepTheirModes) {
    ASSERT_TRUE(QDir(dir.path()).mkdir("open"));
    ASSERT_EQ(::chmod(QFile::encodeName(dir.filePath("open")).constData(), 0755), 0);

    QString error;
    ASSERT_TRUE(MakePrivateFolder(dir.filePath("open/a/b/c"), &error)) << error.toStdString();
    EXPECT_EQ(ModeOf(dir.filePath("open")), 0755);
    for (const char* made : {"open/a", "open/a/b", "open/a/b/c"})
        EXPECT_EQ(ModeOf(dir.filePath(made)), 0700) << made;
    EXPECT_TRUE(MakePrivateFolder(dir.filePath("open/a/b/c"))) << "there already";
    EXPECT_TRUE(MakePrivateFolder(dir.filePath("open/a/./b/../b/c/"))) << "not a clean path";
}

TEST_F(PrivateFilesTest, FilesBecomeOwnerOnlyWithTheirContentsKept) {
    const QString fresh = dir.filePath("fresh.conf");
    ASSERT_TRUE(MakePrivateFile(fresh));
    EXPECT_EQ(ModeOf(fresh), 0600);
    EXPECT_EQ(QFileInfo(fresh).size(), 0);

    const QString shared = dir.filePath("shared.conf");
    {
        QFile file(shared);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[Settings]\nProxyPassword=secret\n");
    }
    ASSERT_EQ(::chmod(QFile::encodeName(shared).constData(), 0664), 0);
    ASSERT_TRUE(MakePrivateFile(shared));
    EXPECT_EQ(ModeOf(shared), 0600);
    QFile file(shared);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "[Settings]\nProxyPassword=secret\n");
}

TEST_F(PrivateFilesTest, FailuresSayWhy) {
    const QString blocker = dir.filePath("a-file");
    {
        QFile file(blocker);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const struct {
        const char* name;
        std::function<bool(QString*)> attempt;
        const char* reason;
    } cases[] = {
        {"folder under a file", [&](QString* e) { return MakePrivateFolder(blocker + "/sub", e); },
         "cannot create the folder"},
        {"folder that is a file", [&](QString* e) { return MakePrivateFolder(blocker, e); },
         "is not a folder"},
        {"file under a file",
         [&](QString* e) { return MakePrivateFile(blocker + "/Skelvane.conf", e); },
         "Not a directory"},
        {"file that is a folder", [&](QString* e) { return MakePrivateFile(dir.path(), e); },
         "is not a file"},
    };
    for (const auto& c : cases) {
        QString error;
        EXPECT_FALSE(c.attempt(&error)) << c.name;
        EXPECT_TRUE(error.contains(QLatin1String(c.reason)))
            << c.name << ": " << error.toStdString();
    }
}

TEST_F(PrivateFilesTest, ReplaceFileSwapsInTheNewFileWhole) {
    const QString path = dir.filePath("Skelvane.conf");
    const QString replacement = dir.filePath(".Skelvane-new.conf");
    for (const auto& [name, contents] : {std::pair{path, "old"}, std::pair{replacement, "new"}}) {
        QFile file(name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }
    ASSERT_TRUE(MakePrivateFile(replacement));
    QString error;
    ASSERT_TRUE(ReplaceFile(replacement, path, &error)) << error.toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "new");
    EXPECT_EQ(ModeOf(path), 0600) << "the new file's mode comes with it";
    EXPECT_FALSE(QFile::exists(replacement));

    EXPECT_FALSE(ReplaceFile(replacement, path, &error)) << "nothing left to put in place";
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(QFile::exists(path)) << "a failed replace leaves the file";
}

TEST_F(PrivateFilesTest, WhyWritesFailNamesTheSystemsReason) {
    EXPECT_EQ(WhyWritesFail(dir.path(), 100000), QString()) << "a writable folder";
    {
        const test::ScopedFileSizeLimit full(1000);
        EXPECT_EQ(WhyWritesFail(dir.path(), 100000), QString::fromLocal8Bit(std::strerror(EFBIG)));
        EXPECT_EQ(WhyWritesFail(dir.path(), 500), QString()) << "small enough to fit";
    }
    const QString blocker = dir.filePath("a-file");
    QFile file(blocker);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_EQ(WhyWritesFail(blocker, 10), QString::fromLocal8Bit(std::strerror(ENOTDIR)));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"a-file"})
        << "trial files are removed";
}

} // namespace
} // namespace skelvane
