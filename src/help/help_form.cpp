#include "help/help_form.h"

#include "help/user_guide.h"
#include "widgets/window_placement.h"

#include <QAction>
#include <QFont>
#include <QMenuBar>
#include <QPlainTextEdit>

namespace skelvane {

THelpForm::THelpForm(bool stayOnTop, QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("HelpForm"));
    setWindowTitle(tr("Skelvane Help"));
    ApplyStayOnTop(this, stayOnTop);

    Close1 = menuBar()->addAction(tr("Close"));
    Close1->setObjectName(QStringLiteral("Close1"));
    connect(Close1, &QAction::triggered, this, &QWidget::close);
    SendEmail1 = menuBar()->addAction(tr("&Send Email"));
    SendEmail1->setObjectName(QStringLiteral("SendEmail1"));
    connect(SendEmail1, &QAction::triggered, this, &THelpForm::sendEmailRequested);
    HomePage1 = menuBar()->addAction(tr("&Home Page"));
    HomePage1->setObjectName(QStringLiteral("HomePage1"));
    connect(HomePage1, &QAction::triggered, this, &THelpForm::homePageRequested);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(13);
    Memo1->setFont(font);
    Memo1->setPlainText(BuiltInGuideText());
    setCentralWidget(Memo1);

    // The client area is what lies under the menu strip.
    resize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
    setMinimumSize(250, 200);
    CentreOnDesktop(this);
}

void THelpForm::setStayOnTop(bool on) {
    ApplyStayOnTop(this, on);
}

} // namespace skelvane
