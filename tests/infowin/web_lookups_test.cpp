// The Tools page look-ups and the hand-off of their addresses to the user's browser.
#include "app/settings.h"
#include "infowin/browser_handoff.h"
#include "infowin/browser_loader.h"
#include "infowin/tools_page.h"
#include "support/qstring_printer.h"
#include "support/test_environment.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUrlQuery>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>

namespace skelvane {
namespace {

class LookupTest : public ::testing::Test {
protected:
    LookupTest() {
        QObject::connect(&page, &ToolsPage::webAddressRequested, &page,
                         [this](const QString& address) { addresses.append(address); });
    }
    QStringList items(const QComboBox* box) const {
        QStringList list;
        for (int i = 0; i < box->count(); ++i)
            list << box->itemText(i);
        return list;
    }
    void press(const char* button) { page.findChild<QPushButton*>(QLatin1String(button))->click(); }

    Settings settings;
    ToolsPage page{settings};
    QStringList addresses;
};

TEST_F(LookupTest, EachButtonOpensItsAddressWithTheTextAsTyped) {
    const struct {
        const char* button;
        QComboBox* ToolsPage::*box;
        const char* address;
    } cases[] = {
        {"DictionaryBut", &ToolsPage::DictionaryComboBox,
         "http://www.merriam-webster.com/cgi-bin/dictionary?new moon"},
        {"ThesaurusBut", &ToolsPage::DictionaryComboBox,
         "http://www.merriam-webster.com/cgi-bin/thesaurus?book=Thesaurus&va=new moon"},
        {"GoogleBut", &ToolsPage::GoogleComboBox, "http://www.google.com/search?&q=new moon"},
        {"GoogleLuckyBut", &ToolsPage::GoogleComboBox,
         "http://www.google.com/search?&q=new moon&btnI=I'm Feeling Lucky"},
        {"WikiBut", &ToolsPage::WikiComboBox, "http://en.wikipedia.org/wiki/new moon"},
    };
    for (const auto& row : cases) {
        addresses.clear();
        (page.*row.box)->setEditText(QStringLiteral("new moon"));
        press(row.button);
        ASSERT_EQ(addresses.size(), 1) << row.button;
        EXPECT_EQ(addresses[0], QString::fromLatin1(row.address)) << row.button;
    }
}

TEST_F(LookupTest, EmptyTextDoesNothingAndATermIsListedOnceIgnoringCase) {
    page.GoogleComboBox->setEditText(QString());
    page.GoogleButClick();
    EXPECT_TRUE(addresses.isEmpty());
    EXPECT_EQ(page.GoogleComboBox->count(), 0);

    for (const char* term : {"Eclipse", "equinox", "ECLIPSE"}) {
        page.GoogleComboBox->setEditText(QLatin1String(term));
        page.GoogleButClick();
    }
    EXPECT_EQ(items(page.GoogleComboBox), (QStringList{"equinox", "Eclipse"}));
    EXPECT_EQ(addresses.size(), 3); // every search opens, also a known one
    EXPECT_EQ(page.GoogleComboBox->currentText(), QStringLiteral("ECLIPSE"));
    // The lists are the groups' own.
    EXPECT_EQ(page.DictionaryComboBox->count(), 0);
    EXPECT_EQ(page.WikiComboBox->count(), 0);
}

TEST_F(LookupTest, EnterAndTheLogoActLikeTheFirstButtonOnce) {
    page.show();
    page.WikiComboBox->setEditText(QStringLiteral("Moon"));
    QTest::keyClick(page.WikiComboBox->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(addresses, (QStringList{"http://en.wikipedia.org/wiki/Moon"}));
    auto* logo = page.findChild<QWidget*>(QStringLiteral("DictionaryLogo"));
    ASSERT_NE(logo, nullptr);
    page.DictionaryComboBox->setEditText(QStringLiteral("gibbous"));
    QTest::mouseClick(logo, Qt::LeftButton);
    ASSERT_EQ(addresses.size(), 2);
    EXPECT_EQ(addresses[1],
              QStringLiteral("http://www.merriam-webster.com/cgi-bin/dictionary?gibbous"));
}

// Text that a shell would act on reaches the opener inside one web address and runs
// nothing: no shell ever sees it.
TEST_F(LookupTest, HostileTextReachesTheOpenerAsOneAddressAndRunsNothing) {
    QTemporaryDir scratch;
    ASSERT_TRUE(scratch.isValid());
    const QString marker = scratch.filePath(QStringLiteral("ran"));
    const QString typed =
        QStringLiteral("moon; touch %1 $(touch %1) `touch %1` 'q' \"r\" & b | c").arg(marker);
    BrowserHandOff handOff;
    QList<QUrl> opened;
    handOff.setOpener([&](const QUrl& url) {
        opened.append(url);
        return true;
    });
    QObject::connect(&page, &ToolsPage::webAddressRequested, &page,
                     [&](const QString& address) { handOff.GoBrowser(address); });
    page.GoogleComboBox->setEditText(typed);
    page.GoogleButClick();
    page.DictionaryComboBox->setEditText(typed);
    page.ThesaurusButClick();

    ASSERT_EQ(opened.size(), 2);
    const QUrl& search = opened[0];
    EXPECT_TRUE(search.isValid());
    EXPECT_EQ(search.scheme(), QStringLiteral("http"));
    EXPECT_EQ(search.host(), QStringLiteral("www.google.com"));
    EXPECT_EQ(search.path(), QStringLiteral("/search"));
    // The whole text is the one query value q: ';', '&' and the rest stayed inside it.
    const QUrlQuery query(search);
    EXPECT_EQ(query.queryItemValue(QStringLiteral("q"), QUrl::FullyDecoded), typed);
    EXPECT_EQ(query.queryItems().size(), 2); // the empty key of "?&" and q
    EXPECT_FALSE(search.toString(QUrl::FullyEncoded).contains(QLatin1Char(' ')));
    const QUrlQuery thesaurus(opened[1]);
    EXPECT_EQ(thesaurus.queryItemValue(QStringLiteral("va"), QUrl::FullyDecoded), typed);
    QApplication::processEvents();
    EXPECT_FALSE(QFile::exists(marker));
}

TEST(BrowserHandOff, AddressesAreReadTolerantlyAndOnlyWebAddressesGoOut) {
    const struct {
        const char* address;
        const char* url; // FullyEncoded; empty: not handed on
    } cases[] = {
        {"http://www.google.com/search?&q=new moon", "http://www.google.com/search?&q=new%20moon"},
        {"  http://a.example/x  ", "http://a.example/x"},
        {"www.example.org/page", "http://www.example.org/page"},
        {"https://a.example/%2541", "https://a.example/%2541"},
        {"http://maps.example/dir/mapresults.htm? &zoom=3",
         "http://maps.example/dir/mapresults.htm?%20&zoom=3"},
        {"", ""},
        {"file:///etc/passwd", ""},
        {"javascript:alert(1)", ""},
        {"ftp://a.example/", ""},
        {"http://", ""},
    };
    for (const auto& row : cases)
        EXPECT_EQ(BrowserHandOff::AddressUrl(QString::fromLatin1(row.address))
                      .toString(QUrl::FullyEncoded),
                  QString::fromLatin1(row.url))
            << row.address;
}

TEST(BrowserHandOff, StayOnTopWindowsAreLoweredDuringTheHandOffAndRestored) {
    QWidget onTop;
    onTop.setWindowFlag(Qt::WindowStaysOnTopHint);
    onTop.show();
    ASSERT_TRUE(onTop.windowHandle());
    BrowserHandOff handOff;
    int sentBackAsked = 0;
    handOff.setWindowsToSendBack([&] {
        ++sentBackAsked;
        return QList<QWidget*>{&onTop, nullptr};
    });
    bool onTopDuringOpen = true;
    handOff.setOpener([&](const QUrl&) {
        onTopDuringOpen = onTop.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint);
        return false; // the desktop could not open it: no message, the windows come back
    });
    EXPECT_FALSE(handOff.GoBrowser(QStringLiteral("http://a.example/")));
    EXPECT_FALSE(onTopDuringOpen);
    EXPECT_TRUE(onTop.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(onTop.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(sentBackAsked, 1);
    // Not a web address: nothing is touched or opened.
    EXPECT_FALSE(handOff.GoBrowser(QStringLiteral("file:///tmp")));
    EXPECT_EQ(sentBackAsked, 1);
}

TEST(BrowserPluginFolders, OverrideThenBesideTheProgramThenTheInstallsLibFolder) {
    const QString program = QCoreApplication::applicationDirPath();
    QStringList expected{program, program + QStringLiteral("/plugins"),
                         QDir::cleanPath(program + QStringLiteral("/../lib/skelvane/plugins"))};
    {
        const test::ScopedEnv unset("SKELVANE_PLUGIN_DIR", QByteArray());
        EXPECT_EQ(BrowserPluginFolders(), expected);
    }
    const test::ScopedEnv set("SKELVANE_PLUGIN_DIR", "/opt/browser");
    expected.prepend(QStringLiteral("/opt/browser"));
    EXPECT_EQ(BrowserPluginFolders(), expected);
}

} // namespace
} // namespace skelvane
