#pragma once

#include "astro/format_date.h"
#include "infowin/image_sources.h"

#include <QMenu>
#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>

class QAction;
class QWidget;

namespace skelvane {

class BrowserView;
class ImagePrinter;
class ImageSaveQuestions;
struct Settings;

// The image commands "Copy", "Save" and "Print" of the Radar, Satellite, Year and Graph pages
// and of the image pop-up menu (ImagePopupMenu). Each acts on the page showing, with the
// pictures of image_sources.h; on any other page they do nothing. The user's choices go
// through ImageSaveQuestions and ImagePrinter, which tests replace.
class ImageExport : public QObject {
    Q_OBJECT
public:
    // `currentPage` gives the page showing; `owner` owns the dialogs.
    ImageExport(Settings& settings, ImagePages pages, std::function<QWidget*()> currentPage,
                QWidget* owner);
    ~ImageExport() override;

    void setQuestions(std::unique_ptr<ImageSaveQuestions> questions);
    void setPrinter(std::unique_ptr<ImagePrinter> printer);
    // The Weather page's browser when it has the keyboard focus, else null: Print then prints
    // the web page instead of a picture.
    void setFocusedBrowser(std::function<BrowserView*()> focusedBrowser);
    void setDateNames(const DateLocale& names) { names_ = names; }

    // "Copy": the page's picture on the clipboard as a picture.
    void CopyToClipboard2Click();
    // "Save": the save dialog, then the picture, the radar loop or the satellite movie written
    // under the chosen name; LastSaveFolder follows.
    void SaveAsFile2Click();
    // "Print": the print-setup dialog, then the web page or the page's picture on one page.
    void PrintImageAction1Execute();

    // The image pop-up menu: "Copy", "Save as File", "Print".
    QMenu* ImagePopupMenu() const { return menu_; }
    QAction* PrintImageAction1 = nullptr;
    // Right clicks on `widget` open the image pop-up menu.
    void attachImageMenu(QWidget* widget);

signals:
    // A print went to the printer (the web page's is reported when it ends); for tests.
    void printed(bool ok);

private:
    QWidget* currentPage() const { return currentPage_ ? currentPage_() : nullptr; }

    Settings& settings_;
    ImagePages pages_;
    std::function<QWidget*()> currentPage_;
    QPointer<QWidget> owner_;
    std::unique_ptr<ImageSaveQuestions> questions_;
    std::unique_ptr<ImagePrinter> printer_;
    std::function<BrowserView*()> focusedBrowser_;
    DateLocale names_ = EnglishDateLocale();
    QPointer<QMenu> menu_; // owned by the owner widget, or by this object without one
};

} // namespace skelvane
