#include "infowin/about_page.h"

#include "widgets/link_label.h"

#include <QDesktopServices>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace skelvane {

QString ProductLine(const QString& version) {
    return QStringLiteral("Skelvane v") +
           (version.trimmed().isEmpty() ? QStringLiteral("2.0") : version.trimmed());
}

AboutPage::AboutPage(QWidget* parent) : QWidget(parent) {
    auto* group = new QGroupBox(this);
    group->setObjectName(QStringLiteral("AboutGroupBox"));
    group->setGeometry(40, 40, 440, 300);

    IconLabel = new QLabel(group);
    IconLabel->setObjectName(QStringLiteral("AboutIcon"));
    IconLabel->setGeometry(24, 24, 64, 64);

    QFont titleFont = font();
    titleFont.setPixelSize(20);
    titleFont.setBold(true);
    TitleLabel = new QLabel(QStringLiteral("Skelvane"), group);
    TitleLabel->setObjectName(QStringLiteral("TitleLabel"));
    TitleLabel->setFont(titleFont);
    TitleLabel->setGeometry(110, 24, 310, 28);

    auto* description = new QLabel(QStringLiteral("Desktop clock, calendar and almanac"), group);
    description->setObjectName(QStringLiteral("DescriptionLabel"));
    description->setGeometry(110, 54, 310, 18);

    VersionLabel = new QLabel(group);
    VersionLabel->setObjectName(QStringLiteral("VersionLabel"));
    VersionLabel->setGeometry(110, 76, 310, 18);

    EmailLinkLabel = new LinkLabel(QString::fromLatin1(kSupportAddress), QColor(0, 0, 255), group);
    EmailLinkLabel->setObjectName(QStringLiteral("EmailLinkLabel"));
    EmailLinkLabel->setGeometry(110, 130, 310, 18);
    HomePageLinkLabel = new LinkLabel(QString::fromLatin1(kHomePage), QColor(0, 0, 255), group);
    HomePageLinkLabel->setObjectName(QStringLiteral("HomePageLinkLabel"));
    HomePageLinkLabel->setGeometry(110, 152, 310, 18);

    SendEmailBut = new QPushButton(QStringLiteral("Send Email"), group);
    SendEmailBut->setObjectName(QStringLiteral("SendEmailBut"));
    SendEmailBut->setGeometry(110, 200, 130, 26);
    HomePageBut = new QPushButton(QStringLiteral("Go to Home Page"), group);
    HomePageBut->setObjectName(QStringLiteral("HomePageBut"));
    HomePageBut->setGeometry(250, 200, 130, 26);

    connect(EmailLinkLabel, &LinkLabel::clicked, this, &AboutPage::SendEmail1Execute);
    connect(SendEmailBut, &QPushButton::clicked, this, &AboutPage::SendEmail1Execute);
    connect(HomePageLinkLabel, &LinkLabel::clicked, this, &AboutPage::GoToHomePage1Execute);
    connect(HomePageBut, &QPushButton::clicked, this, &AboutPage::GoToHomePage1Execute);
}

void AboutPage::setProduct(const QIcon& icon, const QString& line) {
    IconLabel->setPixmap(icon.pixmap(64, 64));
    VersionLabel->setText(line);
}

QString AboutPage::productLine() const {
    return VersionLabel->text();
}

void AboutPage::SendEmail1Execute() {
    QUrl mail(QStringLiteral("mailto:") + QString::fromLatin1(kSupportAddress));
    mail.setQuery(QStringLiteral("subject=") + productLine());
    QDesktopServices::openUrl(mail);
}

void AboutPage::GoToHomePage1Execute() {
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(kHomePage)));
}

} // namespace skelvane
