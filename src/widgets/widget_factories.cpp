#include "widgets/widget_factories.h"

#include "widgets/link_label.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace skelvane {

QString ToQString(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QLabel* NamedLabel(QWidget* parent, const QString& name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

LinkLabel* NamedLink(QWidget* parent, const QString& name, const QObject* receiver,
                     std::function<void()> action) {
    auto* label = new LinkLabel(QString(), kLinkColour, parent);
    label->setObjectName(name);
    QObject::connect(label, &LinkLabel::clicked, receiver, std::move(action));
    return label;
}

QToolButton* IconButton(QWidget* parent, const QString& name) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setAutoRaise(true);
    button->setIconSize(QSize(16, 16));
    button->setFixedSize(22, 22);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QToolButton* ArrowButton(QWidget* parent, const QString& name, Qt::ArrowType arrow,
                         const QString& hint) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setArrowType(arrow);
    button->setToolTip(hint);
    button->setAutoRepeat(true);
    return button;
}

QPushButton* NamedPushButton(QWidget* parent, const QString& name, const QString& caption,
                             const QString& hint) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    if (!hint.isEmpty())
        button->setToolTip(hint);
    return button;
}

QLineEdit* NamedEdit(QWidget* parent, const QString& name, int maxWidth) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    if (maxWidth > 0)
        edit->setMaximumWidth(maxWidth);
    return edit;
}

QComboBox* NamedList(QWidget* parent, const QString& name,
                     std::initializer_list<const char*> items) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    for (const char* item : items)
        box->addItem(QString::fromUtf8(item));
    return box;
}

} // namespace skelvane
