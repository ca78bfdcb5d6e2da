// The text-edit pop-up menu: which items show for the focused field and what they do.
#include "infowin/text_edit_menu.h"

#include "app/settings.h"
#include "infowin/calculator_widget.h"
#include "infowin/tools_page.h"
#include "support/fake_browser_view.h"
#include "support/qstring_printer.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <gtest/gtest.h>

namespace skelvane {
namespace {

class TextEditMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        controls.calculator = tools.calculator();
        controls.dictionaryBox = tools.DictionaryComboBox;
        controls.searchBox = tools.GoogleComboBox;
        controls.encyclopediaBox = tools.WikiComboBox;
        controls.planetsText = new QPlainTextEdit(&window);
        controls.eclipseText = new QPlainTextEdit(&window);
        controls.weatherText = new QPlainTextEdit(&window);
        controls.addressBox = new QComboBox(&window);
        controls.addressBox->setEditable(true);
        controls.locationField = new QLineEdit(&window);
        menu = std::make_unique<TextEditMenu>(controls, &window);
        menu->setFocusSource([this] { return focus; });
        menu->setCalculatorPaste([this] { tools.PasteButClick(); });
        menu->setBrowser([this] { return &browser; });
        QApplication::clipboard()->clear();
    }
    void TearDown() override { QApplication::clipboard()->clear(); }
    // Which of Cut, Copy, Paste and Select All show when the menu opens.
    QString shown() {
        menu->CutPastePopupMenuPopup();
        QString items;
        for (QAction* action : {menu->CutToClipboard1, menu->CopyToClipboard1,
                                menu->PasteFromClipboard1, menu->SelectAll1})
            items += action->isVisible() ? QLatin1Char('x') : QLatin1Char('-');
        return items;
    }

    Settings settings;
    QWidget window;
    ToolsPage tools{settings};
    test::FakeBrowserView browser{&window};
    TextEditControls controls;
    std::unique_ptr<TextEditMenu> menu;
    QWidget* focus = nullptr;
};

TEST_F(TextEditMenuTest, ItemsShowByTheFocusedFieldAndTheClipboard) {
    EXPECT_EQ(menu->CutPastePopupMenu()->objectName(), QStringLiteral("CutPastePopupMenu"));
    QStringList captions;
    for (QAction* action : menu->CutPastePopupMenu()->actions())
        captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
    EXPECT_EQ(captions.join(QLatin1Char(',')), QStringLiteral("Cut,Copy,Paste,-,Select All"));

    const struct {
        const char* field;
        QWidget* widget;
        const char* withText;    // Cut, Copy, Paste, Select All with text on the clipboard
        const char* withoutText; // and without
    } rows[] = {
        {"calculator", controls.calculator, "xxx-", "xx--"},
        {"calculator key area", tools.calculator()->findChild<QWidget*>(), "xxx-", "xx--"},
        {"address box", controls.addressBox, "xxxx", "xx-x"},
        {"dictionary box", controls.dictionaryBox, "xxxx", "xx-x"},
        {"search box", controls.searchBox, "xxxx", "xx-x"},
        {"location field", controls.locationField, "xxxx", "xx-x"},
        {"planets text", controls.planetsText, "-x-x", "-x-x"},
        {"eclipse text", controls.eclipseText, "-x-x", "-x-x"},
        {"weather text", controls.weatherText, "-x-x", "-x-x"},
        {"browser", browser.widget(), "-x-x", "-x-x"},
        {"nothing", nullptr, "-x-x", "-x-x"},
    };
    for (const auto& row : rows) {
        focus = row.widget;
        QApplication::clipboard()->setText(QStringLiteral("12"));
        EXPECT_EQ(shown(), QLatin1String(row.withText)) << row.field;
        QApplication::clipboard()->clear();
        EXPECT_EQ(shown(), QLatin1String(row.withoutText)) << row.field;
    }
}

TEST_F(TextEditMenuTest, CutInTheLocationFieldEmptiesTheWholeField) {
    controls.locationField->setText(QStringLiteral("Springfield, IL"));
    controls.locationField->setSelection(0, 11);
    focus = controls.locationField;
    menu->CutToClipboard1Click();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Springfield"));
    EXPECT_EQ(controls.locationField->text(), QString());

    // Copy takes the whole field, whatever is selected.
    controls.locationField->setText(QStringLiteral("62701"));
    controls.locationField->setSelection(0, 2);
    menu->CopyToClipboard1Click();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("62701"));
    EXPECT_EQ(controls.locationField->text(), QStringLiteral("62701"));
}

TEST_F(TextEditMenuTest, PasteIntoTheCalculatorFeedsItsKeys) {
    focus = controls.calculator;
    tools.calculator()->setDisplayText(QStringLiteral("7"));
    QApplication::clipboard()->setText(QStringLiteral("2+3="));
    menu->PasteFromClipboard1Click();
    EXPECT_EQ(tools.calculator()->displayText(), QStringLiteral("5"));

    menu->CopyToClipboard1Click();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("5"));
    tools.calculator()->setDisplayText(QStringLiteral("42"));
    menu->CutToClipboard1Click();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("42"));
    EXPECT_EQ(tools.calculator()->displayText(), QStringLiteral("0"));
}

TEST_F(TextEditMenuTest, BoxesAndTextsCutCopyPasteAndSelectTheirOwnText) {
    QLineEdit* address = controls.addressBox->lineEdit();
    address->setText(QStringLiteral("https://example.org/forecast"));
    address->setSelection(8, 11);
    focus = controls.addressBox;
    menu->CutToClipboard1Click();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("example.org"));
    EXPECT_EQ(address->text(), QStringLiteral("https:///forecast"));
    address->setSelection(8, 0);
    menu->PasteFromClipboard1Click();
    EXPECT_EQ(address->text(), QStringLiteral("https://example.org/forecast"));
    menu->SelectAll1Click();
    EXPECT_EQ(address->selectedText(), address->text());

    QLineEdit* search = controls.searchBox->lineEdit();
    search->setText(QStringLiteral("meteor shower"));
    search->setSelection(0, 6);
    focus = controls.searchBox;
    menu->CutToClipboard1Click();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("meteor"));
    EXPECT_EQ(search->text(), QStringLiteral(" shower"));

    controls.weatherText->setPlainText(QStringLiteral("Temperature: 52 F\nWind: calm"));
    focus = controls.weatherText;
    menu->SelectAll1Click();
    menu->CopyToClipboard1Click();
    EXPECT_EQ(QApplication::clipboard()->text(), controls.weatherText->toPlainText());
    // The read-only texts offer no Cut: a Cut there changes nothing.
    menu->CutToClipboard1Click();
    EXPECT_EQ(controls.weatherText->toPlainText(), QStringLiteral("Temperature: 52 F\nWind: calm"));

    focus = browser.widget();
    menu->CopyToClipboard1Click();
    EXPECT_EQ(browser.calls, QStringList{QStringLiteral("copy")});
}

} // namespace
} // namespace skelvane
