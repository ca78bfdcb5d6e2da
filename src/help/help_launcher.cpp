#include "help/help_launcher.h"

#include "app/settings.h"
#include "help/help_form.h"
#include "help/help_search.h"
#include "help/user_guide.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QPlainTextEdit>

namespace skelvane {

HelpLauncher::HelpLauncher(const Settings& settings, QObject* parent)
    : QObject(parent), settings_(settings),
      openUrl_([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {}

HelpLauncher::~HelpLauncher() = default;

void HelpLauncher::setFolders(const QString& currentDir, const QString& programDir) {
    currentDir_ = currentDir;
    programDir_ = programDir;
    foldersSet_ = true;
}

void HelpLauncher::setUrlOpener(std::function<bool(const QUrl&)> opener) {
    openUrl_ = std::move(opener);
}

void HelpLauncher::setWindowLowerer(std::function<void()> lowerer) {
    lowerWindows_ = std::move(lowerer);
}

void HelpLauncher::setProductLineSource(std::function<QString()> source) {
    productLine_ = std::move(source);
}

HelpLauncher::Shown HelpLauncher::ShowHelp1Execute() {
    const QString currentDir = foldersSet_ ? currentDir_ : QDir::currentPath();
    const QString programDir = foldersSet_ ? programDir_ : QCoreApplication::applicationDirPath();
    const QString path = FindHelpFile(currentDir, programDir);
    if (!path.isEmpty()) {
        if (lowerWindows_)
            lowerWindows_();
        if (openUrl_ && openUrl_(QUrl::fromLocalFile(path)))
            return Shown::HelpFile;
    }
    showHelpWindow();
    return Shown::HelpWindow;
}

void HelpLauncher::showHelpWindow() {
    if (!helpForm_) {
        helpForm_ = std::make_unique<THelpForm>(settings_.StayOnTop);
        connect(helpForm_.get(), &THelpForm::sendEmailRequested, this,
                &HelpLauncher::sendEmailRequested);
        connect(helpForm_.get(), &THelpForm::homePageRequested, this,
                &HelpLauncher::homePageRequested);
    }
    if (productLine_) {
        QPlainTextEdit* memo = helpForm_->Memo1;
        const QString guide = memo->toPlainText();
        const QString updated = WithProductLine(guide, productLine_());
        if (updated != guide)
            memo->setPlainText(updated);
    }
    helpForm_->Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    if (helpForm_->isVisible()) {
        helpForm_->raise();
        helpForm_->activateWindow();
    } else {
        helpForm_->show();
    }
}

} // namespace skelvane
