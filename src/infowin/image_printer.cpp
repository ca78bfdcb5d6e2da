#include "infowin/image_printer.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

namespace skelvane {

QRect FitToPage(QSize picture, QSize page) {
    if (picture.isEmpty() || page.isEmpty())
        return {};
    const float byHeight = static_cast<float>(page.height()) / static_cast<float>(picture.height());
    const float byWidth = static_cast<float>(page.width()) / static_cast<float>(picture.width());
    const float scale = byHeight < byWidth ? byHeight : byWidth;
    const int width = static_cast<int>(static_cast<float>(picture.width()) * scale);
    const int height = static_cast<int>(static_cast<float>(picture.height()) * scale);
    return {0, 0, width, height};
}

DialogImagePrinter::DialogImagePrinter() = default;
DialogImagePrinter::~DialogImagePrinter() = default;

QPrinter* DialogImagePrinter::setUp(QWidget* owner) {
    if (!printer_)
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(printer_.get(), owner);
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    return printer_.get();
}

bool PrintImageOnPage(QPrinter& printer, const QImage& picture) {
    if (picture.isNull())
        return false;
    const QRect target = FitToPage(picture.size(), QSize(printer.width(), printer.height()));
    if (target.isEmpty())
        return false;
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    painter.drawImage(target, picture.convertToFormat(QImage::Format_RGB888));
    return painter.end();
}

} // namespace skelvane
