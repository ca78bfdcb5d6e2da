#pragma once

#include <QString>

class QGroupBox;
class QRadioButton;
class QWidget;

namespace skelvane {

// A group box of two radio buttons stacked, named <name>0 and <name>1, as the pages show
// their two-way display choices. The caller connects the buttons' clicked signals (not
// toggled: only the user's choice should run a handler, never a programmatic sync).
QGroupBox* MakeChoiceGroup(QWidget* parent, const QString& name, QRadioButton*& first,
                           const QString& firstText, QRadioButton*& second,
                           const QString& secondText);

} // namespace skelvane
