#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <memory>

class QPrinter;
class QWidget;

namespace skelvane {

// The rectangle a picture of `picture` pixels is stretched into on a page of `page` pixels:
// from the top-left corner, scaled by s = the smaller of page height / picture height and
// page width / picture width (in single precision, as the printer driver is given it), each
// side truncated. An empty picture or page gives an empty rectangle.
QRect FitToPage(QSize picture, QSize page);

// The printer of the image commands. The program asks the user with the print-setup dialog;
// tests hand over a printer that writes a PDF file.
class ImagePrinter {
public:
    virtual ~ImagePrinter() = default;
    // The set-up printer, or null when the user cancelled. It lives as long as this object.
    virtual QPrinter* setUp(QWidget* owner) = 0;
};

// The desktop's print-setup dialog over one printer kept for the run.
class DialogImagePrinter final : public ImagePrinter {
public:
    DialogImagePrinter();
    ~DialogImagePrinter() override;
    QPrinter* setUp(QWidget* owner) override;

private:
    std::unique_ptr<QPrinter> printer_;
};

// Prints `picture` on one page of `printer`: as 24-bit pixels, stretched into FitToPage of
// the page's printable area. Returns whether a page was printed; failures say nothing more.
bool PrintImageOnPage(QPrinter& printer, const QImage& picture);

} // namespace skelvane
