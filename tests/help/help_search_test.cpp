#include "help/help_search.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>

namespace skelvane {
namespace {

enum class Where { Nowhere, Current, Program, Both, Extra };

struct SearchCase {
    const char* name;
    Where file;
    bool folderNamedLikeTheFileInCurrent;
    Where expected;
};

struct NameOfCase {
    template <typename Info> std::string operator()(const Info& row) const {
        return row.param.name;
    }
};

class HelpSearchTest : public ::testing::TestWithParam<SearchCase> {
protected:
    void SetUp() override {
        ASSERT_TRUE(root.isValid());
        for (const char* folder : {"current", "program", "extra"})
            ASSERT_TRUE(QDir(root.path()).mkdir(QLatin1String(folder)));
    }
    QString folder(const char* name) const { return root.filePath(QLatin1String(name)); }
    QString helpFileIn(const char* name) const {
        return QDir(folder(name)).filePath(QLatin1String(kHelpFileName));
    }
    void putHelpFile(const char* name) const {
        QFile file(helpFileIn(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("ITSF");
    }
    QString pathOf(Where where) const {
        switch (where) {
        case Where::Current:
        case Where::Both:
            return helpFileIn("current");
        case Where::Program:
            return helpFileIn("program");
        case Where::Extra:
            return helpFileIn("extra");
        case Where::Nowhere:
            break;
        }
        return {};
    }

    QTemporaryDir root;
};

TEST_P(HelpSearchTest, FindsTheFirstFileInSearchOrder) {
    const SearchCase& c = GetParam();
    if (c.file == Where::Current || c.file == Where::Both)
        putHelpFile("current");
    if (c.file == Where::Program || c.file == Where::Both)
        putHelpFile("program");
    if (c.file == Where::Extra)
        putHelpFile("extra");
    if (c.folderNamedLikeTheFileInCurrent) {
        ASSERT_TRUE(QDir(folder("current")).mkdir(QLatin1String(kHelpFileName)));
    }

    const QStringList searchPath =
        HelpSearchPath(folder("program"), folder("current")) + QStringList{folder("extra")};
    EXPECT_EQ(FindHelpFile(folder("current"), folder("program"), searchPath), pathOf(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, HelpSearchTest,
    ::testing::Values(SearchCase{"InProgramFolderOnly", Where::Program, false, Where::Program},
                      SearchCase{"InCurrentFolderOnly", Where::Current, false, Where::Current},
                      SearchCase{"CurrentFolderFirst", Where::Both, false, Where::Current},
                      SearchCase{"OnTheSearchPath", Where::Extra, false, Where::Extra},
                      SearchCase{"FolderIsNotAFile", Where::Program, true, Where::Program},
                      SearchCase{"Nowhere", Where::Nowhere, false, Where::Nowhere}),
    NameOfCase());

TEST(HelpSearch, UnknownFoldersFindNothing) {
    EXPECT_TRUE(FindHelpFile(QString(), QString()).isEmpty());
    EXPECT_TRUE(
        FindHelpFile(QStringLiteral("/no/such/folder"), QStringLiteral("/nor/this")).isEmpty());
}

} // namespace
} // namespace skelvane
