#include "infowin/image_export.h"

#include "app/settings.h"
#include "infowin/browser_view.h"
#include "infowin/image_files.h"
#include "infowin/image_printer.h"
#include "infowin/image_save_dialog.h"
#include "infowin/radar_page.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QWidget>

namespace skelvane {

ImageExport::ImageExport(Settings& settings, ImagePages pages,
                         std::function<QWidget*()> currentPage, QWidget* owner)
    : QObject(owner), settings_(settings), pages_(pages), currentPage_(std::move(currentPage)),
      owner_(owner), questions_(std::make_unique<DialogImageSaveQuestions>(owner)),
      printer_(std::make_unique<DialogImagePrinter>()) {
    menu_ = new QMenu(owner);
    menu_->setObjectName(QStringLiteral("ImagePopupMenu"));
    QAction* copy = menu_->addAction(QStringLiteral("Copy"));
    copy->setObjectName(QStringLiteral("CopyToClipboard2"));
    QAction* save = menu_->addAction(QStringLiteral("Save as File"));
    save->setObjectName(QStringLiteral("SaveAsFile2"));
    save->setToolTip(QStringLiteral("Save As"));
    save->setStatusTip(QStringLiteral("Saves the active file with a new name"));
    PrintImageAction1 = menu_->addAction(QStringLiteral("Print"));
    PrintImageAction1->setObjectName(QStringLiteral("PrintImageAction1"));
    PrintImageAction1->setToolTip(QStringLiteral("Print"));
    connect(copy, &QAction::triggered, this, &ImageExport::CopyToClipboard2Click);
    connect(save, &QAction::triggered, this, &ImageExport::SaveAsFile2Click);
    connect(PrintImageAction1, &QAction::triggered, this, &ImageExport::PrintImageAction1Execute);
}

ImageExport::~ImageExport() {
    if (menu_ && !menu_->parent())
        delete menu_;
}

void ImageExport::setQuestions(std::unique_ptr<ImageSaveQuestions> questions) {
    questions_ = std::move(questions);
}

void ImageExport::setPrinter(std::unique_ptr<ImagePrinter> printer) {
    printer_ = std::move(printer);
}

void ImageExport::setFocusedBrowser(std::function<BrowserView*()> focusedBrowser) {
    focusedBrowser_ = std::move(focusedBrowser);
}

void ImageExport::attachImageMenu(QWidget* widget) {
    widget->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(widget, &QWidget::customContextMenuRequested, menu_.data(),
            [this, widget](const QPoint& at) { menu_->popup(widget->mapToGlobal(at)); });
}

void ImageExport::CopyToClipboard2Click() {
    const QImage picture = PictureToCopy(pages_, currentPage());
    if (picture.isNull())
        return;
    QGuiApplication::clipboard()->setImage(picture);
}

void ImageExport::SaveAsFile2Click() {
    const SaveTarget target = SaveTargetFor(pages_, currentPage(), names_);
    if (target.kind == SaveTarget::Kind::Nothing)
        return;
    SaveDialogRequest request;
    request.title = QStringLiteral("Save As");
    request.defaultExtension = target.defaultExtension;
    request.filter = target.filter;
    if (target.startInLastFolder)
        request.startFolder = settings_.LastSaveFolder;
    request.fileName = target.fileName;
    const std::optional<SaveDialogChoice> choice = questions_->chooseSaveFile(request);
    if (!choice || choice->path.isEmpty())
        return;
    ImageSaveContext context{*questions_, settings_.LastSaveFolder};
    switch (target.kind) {
    case SaveTarget::Kind::RadarLoop:
        SaveGIFFile(pages_.radar->animationGif(), choice->path, true, context);
        break;
    case SaveTarget::Kind::Movie:
        CopyMovieFile(target.movieFile, choice->path, true, context);
        break;
    case SaveTarget::Kind::Picture:
        SaveImageFile(target.picture, choice->path, true, choice->filterIndex, context);
        break;
    case SaveTarget::Kind::Nothing:
        break;
    }
    // The next dialog starts where this one ended, whatever became of the file.
    settings_.LastSaveFolder = QDir::toNativeSeparators(QFileInfo(choice->path).absolutePath());
}

void ImageExport::PrintImageAction1Execute() {
    BrowserView* browser = focusedBrowser_ ? focusedBrowser_() : nullptr;
    QImage picture;
    if (!browser) {
        // Nothing to print: no dialog either.
        picture = PictureToPrint(pages_, currentPage());
        if (picture.isNull())
            return;
    }
    QPrinter* printer = printer_->setUp(owner_);
    if (!printer)
        return;
    if (browser) {
        QPointer<ImageExport> self(this);
        browser->print(printer, [self](bool ok) {
            if (self)
                emit self->printed(ok);
        });
        return;
    }
    emit printed(PrintImageOnPage(*printer, picture));
}

} // namespace skelvane
