#pragma once

#include <QStringList>
#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace skelvane {

// The small weather text window: the last report in a read-only text box, a line about it
// below, and "Close". Closing it only hides it.
class TForm6 : public QWidget {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 490;
    static constexpr int kClientHeight = 256;

    explicit TForm6(bool stayOnTop = true, QWidget* parent = nullptr);

    // A report arrived: its lines go into Memo1, `title` becomes the caption and Label1.
    void SetReport(const QStringList& lines, const QString& title);
    // The Stay On Top action switches the window after its creation.
    void setStayOnTop(bool on);

    QPlainTextEdit* Memo1 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* CloseBut = nullptr;
};

} // namespace skelvane
