#include "clockwin/application_rules.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>

namespace skelvane {
namespace {

TEST(ApplicationRulesTest, EnterOnlyActsInThePostalCodeBox) {
    QWidget clock;
    QWidget page;
    auto* layout = new QVBoxLayout(&page);
    auto* other = new QLineEdit(&page);
    auto* zip = new QLineEdit(&page);
    zip->setObjectName(QStringLiteral("ZipEd"));
    auto* find = new QPushButton(QStringLiteral("Find City"), &page);
    find->setObjectName(QStringLiteral("FindZipBut"));
    layout->addWidget(other);
    layout->addWidget(zip);
    layout->addWidget(find);
    page.show();
    QApplication::setActiveWindow(&page);

    ApplicationRules rules(&clock);
    qApp->installEventFilter(&rules);
    QSignalSpy otherReturn(other, &QLineEdit::returnPressed);
    QSignalSpy clicks(find, &QPushButton::clicked);

    other->setFocus();
    QTest::keyClick(other, Qt::Key_Return);
    EXPECT_EQ(otherReturn.count(), 0) << "Enter is consumed";
    EXPECT_EQ(clicks.count(), 0);

    zip->setFocus();
    QTest::keyClick(zip, Qt::Key_Enter);
    EXPECT_EQ(clicks.count(), 1) << "Enter in the postal-code box presses Find City";

    QTest::keyClick(other, Qt::Key_A);
    qApp->removeEventFilter(&rules);
}

} // namespace
} // namespace skelvane
