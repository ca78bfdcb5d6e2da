#pragma once

class QWidget;

namespace skelvane {

// Moves a top-level window so that it sits in the middle of the screen's available area
// (the screen it is on, else the primary one).
void CentreOnDesktop(QWidget* window);

// Stay-on-top on or off. Changing window flags hides a shown window; it is shown again.
void ApplyStayOnTop(QWidget* window, bool on);

} // namespace skelvane
