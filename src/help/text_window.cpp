#include "help/text_window.h"

#include "widgets/window_placement.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace skelvane {

TForm6::TForm6(bool stayOnTop, QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(tr("Weather"));
    ApplyStayOnTop(this, stayOnTop);
    // A fixed single border: the window keeps its size.
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint, true);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true); // the long date may not fit one line beside "Close"
    CloseBut = new QPushButton(tr("Close"), this);
    CloseBut->setObjectName(QStringLiteral("CloseBut"));
    connect(CloseBut, &QPushButton::clicked, this, &QWidget::close);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Label1, 1);
    bottom->addWidget(CloseBut, 0, Qt::AlignRight | Qt::AlignBottom);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Memo1, 1);
    layout->addLayout(bottom);

    setFixedSize(kClientWidth, kClientHeight);
    CentreOnDesktop(this);
}

void TForm6::SetReport(const QStringList& lines, const QString& title) {
    Memo1->setPlainText(lines.join(QLatin1Char('\n')));
    setWindowTitle(title);
    Label1->setText(title);
}

void TForm6::setStayOnTop(bool on) {
    ApplyStayOnTop(this, on);
}

} // namespace skelvane
