#pragma once

#include <QMenu>
#include <QObject>
#include <QPointer>
#include <functional>

class QAction;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace skelvane {

class BrowserView;
class CalculatorWidget;

// The text fields that share the text-edit pop-up menu; any may be null.
struct TextEditControls {
    CalculatorWidget* calculator = nullptr;
    QPlainTextEdit* planetsText = nullptr;
    QPlainTextEdit* eclipseText = nullptr;
    QPlainTextEdit* weatherText = nullptr;
    QComboBox* addressBox = nullptr;    // the Weather page's address box
    QLineEdit* locationField = nullptr; // the Weather page's "City, ST" or zip field
    QComboBox* dictionaryBox = nullptr;
    QComboBox* searchBox = nullptr;
    QComboBox* encyclopediaBox = nullptr; // handled as a search box
};

// The text-edit pop-up menu (CutPastePopupMenu): "Cut", "Copy", "Paste", "Select All" for the
// field with the keyboard focus. Which items show and what they do depend on that field:
// the calculator copies and takes its whole display, the location field's Cut empties it.
class TextEditMenu : public QObject {
    Q_OBJECT
public:
    TextEditMenu(const TextEditControls& controls, QWidget* owner);
    ~TextEditMenu() override;

    // The calculator's filtered paste (the Tools page's "Paste").
    void setCalculatorPaste(std::function<void()> paste) { calculatorPaste_ = std::move(paste); }
    // The Weather page's browser, once made (its own Copy is used when it has the focus).
    void setBrowser(std::function<BrowserView*()> browser) { browser_ = std::move(browser); }
    // The widget with the keyboard focus; the application's by default. For tests.
    void setFocusSource(std::function<QWidget*()> focus) { focus_ = std::move(focus); }

    QMenu* CutPastePopupMenu() const { return menu_; }
    QAction* CutToClipboard1 = nullptr;
    QAction* CopyToClipboard1 = nullptr;
    QAction* PasteFromClipboard1 = nullptr;
    QAction* SelectAll1 = nullptr;

    // Shows or hides the items for the focused field (run as the menu opens).
    void CutPastePopupMenuPopup();
    void CutToClipboard1Click();
    void CopyToClipboard1Click();
    void PasteFromClipboard1Click();
    void SelectAll1Click();

private:
    void attach(QWidget* widget);
    bool focused(const QWidget* control) const;
    // The focused look-up or address box among `boxes`, else null.
    QComboBox* focusedBox(std::initializer_list<QComboBox*> boxes) const;
    bool editFieldFocused() const;

    TextEditControls controls_;
    QPointer<QMenu> menu_; // owned by the owner widget, or by this object without one
    std::function<void()> calculatorPaste_;
    std::function<BrowserView*()> browser_;
    std::function<QWidget*()> focus_;
};

} // namespace skelvane
