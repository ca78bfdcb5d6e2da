#include "help/help_launcher.h"

#include "app/settings.h"
#include "help/help_form.h"
#include "help/help_search.h"
#include "help/user_guide.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>

namespace skelvane {
namespace {

QString LineOf(const QString& text, int index) {
    return text.split(QLatin1Char('\n')).value(index);
}

int HelpWindowCount() {
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        count += qobject_cast<THelpForm*>(widget) ? 1 : 0;
    return count;
}

class HelpLauncherTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(root.isValid());
        ASSERT_TRUE(QDir(root.path()).mkdir(QStringLiteral("current")));
        ASSERT_TRUE(QDir(root.path()).mkdir(QStringLiteral("program")));
        launcher.setFolders(root.filePath(QStringLiteral("current")),
                            root.filePath(QStringLiteral("program")));
        launcher.setUrlOpener([this](const QUrl& url) {
            opened.append(url);
            return openerWorks;
        });
        launcher.setWindowLowerer([this] { ++lowered; });
    }
    void putHelpFileInProgramFolder() {
        QFile file(
            QDir(root.filePath(QStringLiteral("program"))).filePath(QLatin1String(kHelpFileName)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }

    QTemporaryDir root;
    Settings settings;
    HelpLauncher launcher{settings};
    QList<QUrl> opened;
    bool openerWorks = true;
    int lowered = 0;
};

TEST_F(HelpLauncherTest, OpensTheHelpFileFromTheProgramFolder) {
    putHelpFileInProgramFolder();
    EXPECT_EQ(launcher.ShowHelp1Execute(), HelpLauncher::Shown::HelpFile);
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(
        opened[0],
        QUrl::fromLocalFile(
            QDir(root.filePath(QStringLiteral("program"))).filePath(QLatin1String(kHelpFileName))));
    EXPECT_EQ(lowered, 1);
    EXPECT_EQ(launcher.helpForm(), nullptr);
}

TEST_F(HelpLauncherTest, AHelpFileWithoutViewerGivesTheHelpWindow) {
    putHelpFileInProgramFolder();
    openerWorks = false;
    EXPECT_EQ(launcher.ShowHelp1Execute(), HelpLauncher::Shown::HelpWindow);
    ASSERT_NE(launcher.helpForm(), nullptr);
    EXPECT_TRUE(launcher.helpForm()->isVisible());
}

TEST_F(HelpLauncherTest, WithoutHelpFileShowsOneHelpWindowAgainAndAgain) {
    const int before = HelpWindowCount();
    EXPECT_EQ(launcher.ShowHelp1Execute(), HelpLauncher::Shown::HelpWindow);
    THelpForm* first = launcher.helpForm();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isVisible());
    EXPECT_TRUE(opened.isEmpty());

    first->Close1->trigger();
    EXPECT_FALSE(first->isVisible());
    EXPECT_EQ(launcher.ShowHelp1Execute(), HelpLauncher::Shown::HelpWindow);
    EXPECT_EQ(launcher.helpForm(), first);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(HelpWindowCount(), before + 1);
}

TEST_F(HelpLauncherTest, HelpWindowTakesStayOnTopWhenCreated) {
    settings.StayOnTop = false;
    launcher.ShowHelp1Execute();
    EXPECT_FALSE(launcher.helpForm()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    settings.StayOnTop = true;
    launcher.ShowHelp1Execute();
    EXPECT_FALSE(launcher.helpForm()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    launcher.helpForm()->setStayOnTop(true);
    EXPECT_TRUE(launcher.helpForm()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(launcher.helpForm()->isVisible());
}

TEST_F(HelpLauncherTest, ContactItemsReachTheLaunchersSignals) {
    QSignalSpy email(&launcher, &HelpLauncher::sendEmailRequested);
    QSignalSpy home(&launcher, &HelpLauncher::homePageRequested);
    launcher.ShowHelp1Execute();
    launcher.helpForm()->SendEmail1->trigger();
    launcher.helpForm()->HomePage1->trigger();
    EXPECT_EQ(email.count(), 1);
    EXPECT_EQ(home.count(), 1);
}

struct ProductLineCase {
    const char* name;
    const char* productLine;
    bool replaces;
};

class HelpProductLineTest : public HelpLauncherTest,
                            public ::testing::WithParamInterface<ProductLineCase> {};

TEST_P(HelpProductLineTest, OnlyALineLongerThanTenCharactersReplacesLineTwo) {
    const ProductLineCase& c = GetParam();
    const QString productLine = QString::fromUtf8(c.productLine);
    launcher.setProductLineSource([&] { return productLine; });
    launcher.ShowHelp1Execute();
    const QString text = launcher.helpForm()->Memo1->toPlainText();
    EXPECT_EQ(LineOf(text, 1), c.replaces ? productLine : QLatin1String(kProductLine));
    EXPECT_EQ(LineOf(text, 0), LineOf(BuiltInGuideText(), 0));
    EXPECT_EQ(text.count(QLatin1Char('\n')), BuiltInGuideText().count(QLatin1Char('\n')));
}

struct NameOfCase {
    template <typename Info> std::string operator()(const Info& row) const {
        return row.param.name;
    }
};

INSTANTIATE_TEST_SUITE_P(Lines, HelpProductLineTest,
                         ::testing::Values(ProductLineCase{"NoInformationWindow", "", false},
                                           ProductLineCase{"TenCharacters", "Skelvane 2", false},
                                           ProductLineCase{"ElevenCharacters", "Skelvane v2", true},
                                           ProductLineCase{"AboutPageLine", "Skelvane v2.0.0",
                                                           true}),
                         NameOfCase());

TEST(HelpProductLine, AOneLineTextGetsALineTwo) {
    EXPECT_EQ(WithProductLine(QStringLiteral("Title"), QStringLiteral("Skelvane v2.0.0")),
              QStringLiteral("Title\nSkelvane v2.0.0"));
    EXPECT_EQ(WithProductLine(QString(), QStringLiteral("short")), QString());
}

} // namespace
} // namespace skelvane
