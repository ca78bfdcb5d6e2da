#include "platform/autostart.h"

#include "support/test_environment.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace skelvane {
namespace {

QString ReadText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

TEST(Autostart, ExecQuotesAndEscapesThePath) {
    const struct {
        const char* name;
        QString path, exec;
    } cases[] = {
        {"plain", "/usr/bin/skelvane", R"("/usr/bin/skelvane")"},
        {"space and percent", "/opt/My Apps/skel%vane", R"("/opt/My Apps/skel%%vane")"},
        // Argument quoting puts a backslash before " ` $ \, and the string escape then
        // doubles every backslash.
        {"shell characters", R"(/tmp/a"b$c`d\e)", R"("/tmp/a\\"b\\$c\\`d\\\\e")"},
        {"field code look-alike", "/tmp/%f %u", R"("/tmp/%%f %%u")"},
        {"control characters", "/tmp/a\tb\nc", R"("/tmp/a\tb\nc")"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DesktopEntryExec(c.path), c.exec) << c.name;
}

TEST(Autostart, WritesAndRemovesTheDesktopEntry) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString folder = dir.filePath("config/autostart"); // created on demand
    const QString entry = folder + "/skelvane.desktop";
    const QString exe = "/opt/My Apps/skel%vane";

    EXPECT_FALSE(SetRunWhenWindowsStarts(false, exe, folder)) << "nothing to remove yet";
    ASSERT_TRUE(SetRunWhenWindowsStarts(true, exe, folder));
    const QStringList lines = ReadText(entry).split('\n', Qt::SkipEmptyParts);
    EXPECT_EQ(lines.value(0), "[Desktop Entry]");
    for (const char* line :
         {"Type=Application", "Name=Skelvane", R"(Exec="/opt/My Apps/skel%%vane")"})
        EXPECT_TRUE(lines.contains(line)) << line;

    // Writing again replaces the entry rather than adding a second one.
    ASSERT_TRUE(SetRunWhenWindowsStarts(true, "/usr/bin/skelvane", folder));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{"skelvane.desktop"});
    EXPECT_TRUE(ReadText(entry).contains(R"(Exec="/usr/bin/skelvane")"));

    EXPECT_TRUE(SetRunWhenWindowsStarts(false, exe, folder));
    EXPECT_FALSE(QFile::exists(entry));
    EXPECT_FALSE(SetRunWhenWindowsStarts(false, exe, folder));
}

TEST(Autostart, FoldersItCreatesAreTheUsersOwn) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(QDir(dir.path()).mkdir("shared"));
    ASSERT_TRUE(QFile::setPermissions(dir.filePath("shared"),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                          QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                                          QFile::ExeOther));
    const QString config = dir.filePath("shared/config");
    ASSERT_TRUE(SetRunWhenWindowsStarts(true, "/usr/bin/skelvane", config + "/autostart"));

    const QFile::Permissions owner = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    const QFile::Permissions everyone = owner | QFile::ReadGroup | QFile::WriteGroup |
                                        QFile::ExeGroup | QFile::ReadOther | QFile::WriteOther |
                                        QFile::ExeOther;
    for (const QString& made : {config, config + "/autostart"})
        EXPECT_EQ(QFile::permissions(made) & everyone, owner) << made.toStdString();
    EXPECT_EQ(QFile::permissions(dir.filePath("shared")) & everyone,
              owner | QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther)
        << "a folder that was there keeps its mode";
}

TEST(Autostart, FolderThatCannotBeCreatedFailsWithoutChanges) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString blocker = dir.filePath("plain-file");
    QFile file(blocker);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    EXPECT_FALSE(SetRunWhenWindowsStarts(true, "/usr/bin/skelvane", blocker + "/autostart"));
    EXPECT_FALSE(SetRunWhenWindowsStarts(false, "/usr/bin/skelvane", blocker + "/autostart"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{"plain-file"});
}

TEST(Autostart, DefaultEntryRunsThisExecutableFromTheUserAutostartFolder) {
    QTemporaryDir configHome;
    ASSERT_TRUE(configHome.isValid());
    const test::ScopedEnv env("XDG_CONFIG_HOME", configHome.path().toUtf8());
    const QString entry = configHome.filePath("autostart/skelvane.desktop");

    ASSERT_TRUE(SetRunWhenWindowsStarts(true));
    EXPECT_TRUE(ReadText(entry).contains(
        "Exec=" + DesktopEntryExec(QCoreApplication::applicationFilePath()) + "\n"));
    EXPECT_TRUE(SetRunWhenWindowsStarts(false));
    EXPECT_FALSE(QFile::exists(entry));
}

} // namespace
} // namespace skelvane
