#pragma once

#include <QMainWindow>

class QAction;
class QPlainTextEdit;

namespace skelvane {

// The built-in help window: the user guide in a read-only, word-wrapped text box under a
// small menu strip. Closing it only hides it.
class THelpForm : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 575;
    static constexpr int kClientHeight = 384;

    explicit THelpForm(bool stayOnTop, QWidget* parent = nullptr);

    // The Stay On Top action switches the window after its creation.
    void setStayOnTop(bool on);

    QPlainTextEdit* Memo1 = nullptr;
    QAction* Close1 = nullptr;
    QAction* SendEmail1 = nullptr;
    QAction* HomePage1 = nullptr;

signals:
    // The About page's contact actions, which the information window carries out.
    void sendEmailRequested();
    void homePageRequested();
};

} // namespace skelvane
