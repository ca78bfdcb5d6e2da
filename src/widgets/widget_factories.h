#pragma once

#include <QColor>
#include <QString>
#include <functional>
#include <initializer_list>
#include <string_view>

class QComboBox;
class QLabel;
class QLineEdit;
class QObject;
class QPushButton;
class QToolButton;
class QWidget;

namespace skelvane {

class LinkLabel;

// The engine's texts are UTF-8 std::strings; the windows show QStrings.
QString ToQString(std::string_view utf8);

// Navy: the resting colour of the pages' link labels.
inline const QColor kLinkColour{0, 0, 128};

// The small builders the windows share. Each widget gets `name` as its objectName (the
// control name the rest of the program and the tests look it up by); the parent owns it.

// A plain label.
QLabel* NamedLabel(QWidget* parent, const QString& name, const QString& text = {});
// A navy link label whose click runs `action` (for as long as `receiver` lives).
LinkLabel* NamedLink(QWidget* parent, const QString& name, const QObject* receiver,
                     std::function<void()> action);
// A flat 22 × 22 button for a 16-pixel icon, beside a line of text; it takes no focus.
QToolButton* IconButton(QWidget* parent, const QString& name);
// A small arrow button that repeats while held down.
QToolButton* ArrowButton(QWidget* parent, const QString& name, Qt::ArrowType arrow,
                         const QString& hint);
// A push button that never becomes the dialog default by taking the focus.
QPushButton* NamedPushButton(QWidget* parent, const QString& name, const QString& caption,
                             const QString& hint = {});
// A one-line edit, at most `maxWidth` wide when that is given.
QLineEdit* NamedEdit(QWidget* parent, const QString& name, int maxWidth = 0);
// A drop-down list of fixed items.
QComboBox* NamedList(QWidget* parent, const QString& name,
                     std::initializer_list<const char*> items);

} // namespace skelvane
