#pragma once

#include <QIcon>
#include <QString>
#include <QWidget>

class QLabel;
class QPushButton;

namespace skelvane {

class LinkLabel;

// The program's name and version as the About page shows it: "Skelvane v" + the version
// the build carries, or "Skelvane v2.0" when there is none.
QString ProductLine(const QString& version);

// Where the About page's contact links lead.
inline constexpr const char* kSupportAddress = "skelvane@example.org";
inline constexpr const char* kHomePage = "https://skelvane.example.org/";

// The About page: the program's icon, a title line, the name and version, the support
// address and home page as links, and the "Send Email" and "Go to Home Page" buttons.
class AboutPage : public QWidget {
    Q_OBJECT
public:
    explicit AboutPage(QWidget* parent = nullptr);
    // Sets the icon and the name-and-version line.
    void setProduct(const QIcon& icon, const QString& productLine);
    QString productLine() const;

    // Opens a new e-mail message to the support address in the user's mail program.
    void SendEmail1Execute();
    // Opens the home page in the user's browser.
    void GoToHomePage1Execute();

    QLabel* TitleLabel = nullptr;
    QLabel* VersionLabel = nullptr;
    QLabel* IconLabel = nullptr;
    LinkLabel* EmailLinkLabel = nullptr;
    LinkLabel* HomePageLinkLabel = nullptr;
    QPushButton* SendEmailBut = nullptr;
    QPushButton* HomePageBut = nullptr;
};

} // namespace skelvane
