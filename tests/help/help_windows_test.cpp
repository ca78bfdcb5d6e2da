#include "help/help_form.h"
#include "help/text_window.h"

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <gtest/gtest.h>

namespace skelvane {
namespace {

// Near the middle of the desktop: the frame is not known before the window is first shown,
// so its size may shift the window by a few pixels.
void ExpectCentred(const QWidget& window) {
    const QPoint middle = QGuiApplication::primaryScreen()->availableGeometry().center();
    const QPoint centre = window.frameGeometry().center();
    EXPECT_LE((centre - middle).manhattanLength(), 10) << centre.x() << "," << centre.y();
}

TEST(HelpWindow, LayoutCaptionAndMenu) {
    THelpForm form(true);
    form.show();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Skelvane Help"));
    EXPECT_EQ(form.centralWidget(), form.Memo1);
    EXPECT_EQ(form.Memo1->size(), QSize(THelpForm::kClientWidth, THelpForm::kClientHeight));
    EXPECT_EQ(form.minimumSize(), QSize(250, 200));
    ExpectCentred(form);
    EXPECT_TRUE(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));

    EXPECT_TRUE(form.Memo1->isReadOnly());
    EXPECT_EQ(form.Memo1->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_EQ(form.Memo1->font().pixelSize(), 13);
    EXPECT_EQ(form.Memo1->font().family(), QStringLiteral("Arial"));

    QStringList items;
    for (QAction* action : form.menuBar()->actions())
        items << action->text();
    EXPECT_EQ(items, (QStringList{QStringLiteral("Close"), QStringLiteral("&Send Email"),
                                  QStringLiteral("&Home Page")}));
    form.Close1->trigger();
    EXPECT_FALSE(form.isVisible());
}

TEST(HelpWindow, GrowsWithItsWindow) {
    THelpForm form(false);
    form.show();
    form.resize(700, 500);
    QCoreApplication::processEvents();
    EXPECT_EQ(form.Memo1->width(), 700);
    EXPECT_GT(form.Memo1->height(), THelpForm::kClientHeight);
}

TEST(WeatherTextWindow, LayoutAndCaption) {
    TForm6 form;
    form.show();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Weather"));
    EXPECT_EQ(form.size(), QSize(TForm6::kClientWidth, TForm6::kClientHeight));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    ExpectCentred(form);
    EXPECT_TRUE(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(form.Memo1->isReadOnly());

    // Memo on top, Label1 below it, "Close" in the lower right corner.
    EXPECT_EQ(form.CloseBut->text(), QStringLiteral("Close"));
    EXPECT_GE(form.Label1->y(), form.Memo1->geometry().bottom());
    EXPECT_GT(form.CloseBut->x(), form.width() / 2);
    EXPECT_GT(form.CloseBut->y(), form.Memo1->geometry().bottom());
    EXPECT_LE(form.CloseBut->geometry().right(), form.width());
    EXPECT_GT(form.Memo1->height(), form.height() / 2);

    form.CloseBut->click();
    EXPECT_FALSE(form.isVisible());
}

TEST(WeatherTextWindow, AReportFillsTextCaptionAndLabel) {
    TForm6 form;
    const QString title = QStringLiteral("Weather 5 mins ago at 10:51 AM Friday, June 7, 2024");
    form.SetReport({QStringLiteral("NEW YORK CITY CENTRAL PARK, NY, United States"),
                    QStringLiteral("Temperature: 71.1 F (21.7 C)")},
                   title);
    EXPECT_EQ(form.Memo1->toPlainText(),
              QStringLiteral("NEW YORK CITY CENTRAL PARK, NY, United States\n"
                             "Temperature: 71.1 F (21.7 C)"));
    EXPECT_EQ(form.windowTitle(), title);
    EXPECT_EQ(form.Label1->text(), title);
}

} // namespace
} // namespace skelvane
