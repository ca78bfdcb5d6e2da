#include "net/replace_file.h"
#include "support/file_modes_obeyed.h"
#include "support/qstring_printer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace skelvane {
namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

QString SystemText(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

TEST(ReplaceFileContent, WritesNewAndReplacesOldFiles) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("radar.gif"));
    EXPECT_EQ(ReplaceFileContent(path, "first version, longer"), QString());
    EXPECT_EQ(ReadAll(path), "first version, longer");
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0604), 0);
    EXPECT_EQ(ReplaceFileContent(path, "second"), QString());
    EXPECT_EQ(ReadAll(path), "second");
    struct stat status {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0604u) << "the old file's permissions";
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("radar.gif")})
        << "no temporary file left behind";
}

TEST(ReplaceFileContent, ALinkKeepsPointingAtTheFileItNames) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString real = folder.filePath(QStringLiteral("real.jpg"));
    const QString link = folder.filePath(QStringLiteral("link.jpg"));
    ASSERT_EQ(ReplaceFileContent(real, "old"), QString());
    ASSERT_TRUE(QFile::link(real, link));
    EXPECT_EQ(ReplaceFileContent(link, "new"), QString());
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), real);
    EXPECT_EQ(ReadAll(real), "new");
}

TEST(ReplaceFileContent, FailuresGiveTheSystemsOwnText) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString plainFile = folder.filePath(QStringLiteral("plain"));
    ASSERT_EQ(ReplaceFileContent(plainFile, "x"), QString());
    struct Case {
        const char* name;
        QString path;
        int error;
    };
    const Case cases[] = {
        {"a folder that does not exist", folder.filePath(QStringLiteral("missing/a.gif")), ENOENT},
        {"a folder", folder.path(), EISDIR},
        {"below a plain file", plainFile + QStringLiteral("/a.gif"), ENOTDIR},
        {"an empty name", QString(), ENOENT},
        {"a full device", QStringLiteral("/dev/full"), ENOSPC},
    };
    for (const Case& c : cases) {
        if (c.error == ENOSPC && ::access("/dev/full", W_OK) != 0)
            continue; // no such device here
        EXPECT_EQ(ReplaceFileContent(c.path, "bytes"), SystemText(c.error)) << c.name;
    }
    EXPECT_EQ(ReadAll(plainFile), "x");
}

TEST(ReplaceFileContent, AFolderThatTakesNoNewFilesStillHasItsFileRewritten) {
    const FileModesObeyed asAnyUser;
    if (!asAnyUser.obeyed())
        GTEST_SKIP() << "the superuser may write into any folder";
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("graph.jpg"));
    ASSERT_EQ(ReplaceFileContent(path, "old"), QString());
    const QByteArray name = QFile::encodeName(folder.path());
    ASSERT_EQ(::chmod(name.constData(), 0500), 0);
    EXPECT_EQ(ReplaceFileContent(path, "new"), QString());
    EXPECT_EQ(ReadAll(path), "new");
    EXPECT_EQ(ReplaceFileContent(folder.filePath(QStringLiteral("other.jpg")), "x"),
              SystemText(EACCES));
    ::chmod(name.constData(), 0700);
}

} // namespace
} // namespace skelvane
