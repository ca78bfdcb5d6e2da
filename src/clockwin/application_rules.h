#pragma once

#include <QObject>

class QWidget;

namespace skelvane {

// Rules that hold for the whole application: when the program is activated the clock
// window comes to the front, and the Enter key does nothing anywhere except in the
// postal-code box (objectName "ZipEd"), where it presses "Find City" (`FindZipBut`).
class ApplicationRules : public QObject {
    Q_OBJECT
public:
    ApplicationRules(QWidget* clockWindow, QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* clockWindow_;
};

} // namespace skelvane
