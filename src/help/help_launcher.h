#pragma once

#include <QObject>
#include <QString>
#include <QUrl>
#include <functional>
#include <memory>

namespace skelvane {

class THelpForm;
struct Settings;

// The Help command (F1): opens the full help file when one can be found, else shows the
// built-in help window, created on first use and kept for the run.
class HelpLauncher : public QObject {
    Q_OBJECT
public:
    enum class Shown { HelpFile, HelpWindow };

    // `settings` (StayOnTop at the window's creation) must outlive the launcher.
    explicit HelpLauncher(const Settings& settings, QObject* parent = nullptr);
    ~HelpLauncher() override;

    // The folders searched; until set, the working folder and the program's folder at the
    // time of each search.
    void setFolders(const QString& currentDir, const QString& programDir);
    // Opens the help file; QDesktopServices::openUrl until replaced. False when it failed.
    void setUrlOpener(std::function<bool(const QUrl&)> opener);
    // Sends the information window and the clock window to the back, so that the help
    // viewer is not hidden under them.
    void setWindowLowerer(std::function<void()> lowerer);
    // The About page's product line; empty while the information window does not exist.
    void setProductLineSource(std::function<QString()> source);

    // ShowHelp1's work. A help file that cannot be opened (no viewer for it on this
    // desktop) gives the built-in window instead of nothing.
    Shown ShowHelp1Execute();

    // The help window, or null before its first use.
    THelpForm* helpForm() const { return helpForm_.get(); }

signals:
    // The help window's "&Send Email" and "&Home Page".
    void sendEmailRequested();
    void homePageRequested();

private:
    void showHelpWindow();

    const Settings& settings_;
    QString currentDir_;
    QString programDir_;
    bool foldersSet_ = false;
    std::function<bool(const QUrl&)> openUrl_;
    std::function<void()> lowerWindows_;
    std::function<QString()> productLine_;
    std::unique_ptr<THelpForm> helpForm_;
};

} // namespace skelvane
