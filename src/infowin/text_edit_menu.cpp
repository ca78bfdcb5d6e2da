#include "infowin/text_edit_menu.h"

#include "infowin/browser_view.h"
#include "infowin/calculator_widget.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>

namespace skelvane {

namespace {

QLineEdit* EditOf(QComboBox* box) {
    return box ? box->lineEdit() : nullptr;
}

bool ClipboardHasText() {
    return !QApplication::clipboard()->text().isEmpty();
}

} // namespace

TextEditMenu::TextEditMenu(const TextEditControls& controls, QWidget* owner)
    : QObject(owner), controls_(controls), focus_([] { return QApplication::focusWidget(); }) {
    menu_ = new QMenu(owner);
    menu_->setObjectName(QStringLiteral("CutPastePopupMenu"));
    const auto add = [this](const char* name, const char* caption) {
        QAction* action = menu_->addAction(QLatin1String(caption));
        action->setObjectName(QLatin1String(name));
        return action;
    };
    CutToClipboard1 = add("CutToClipboard1", "Cut");
    CopyToClipboard1 = add("CopyToClipboard1", "Copy");
    PasteFromClipboard1 = add("PasteFromClipboard1", "Paste");
    menu_->addSeparator();
    SelectAll1 = add("SelectAll1", "Select All");
    connect(CutToClipboard1, &QAction::triggered, this, &TextEditMenu::CutToClipboard1Click);
    connect(CopyToClipboard1, &QAction::triggered, this, &TextEditMenu::CopyToClipboard1Click);
    connect(PasteFromClipboard1, &QAction::triggered, this,
            &TextEditMenu::PasteFromClipboard1Click);
    connect(SelectAll1, &QAction::triggered, this, &TextEditMenu::SelectAll1Click);
    connect(menu_.data(), &QMenu::aboutToShow, this, &TextEditMenu::CutPastePopupMenuPopup);

    attach(controls_.calculator);
    attach(controls_.planetsText);
    attach(controls_.eclipseText);
    attach(controls_.weatherText);
    attach(controls_.locationField);
    for (QComboBox* box : {controls_.addressBox, controls_.dictionaryBox, controls_.searchBox,
                           controls_.encyclopediaBox})
        attach(EditOf(box));
}

TextEditMenu::~TextEditMenu() {
    if (menu_ && !menu_->parent())
        delete menu_;
}

void TextEditMenu::attach(QWidget* widget) {
    if (!widget)
        return;
    widget->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(widget, &QWidget::customContextMenuRequested, menu_.data(),
            [this, widget](const QPoint& at) {
                // A right click edits the field it was made on.
                widget->setFocus(Qt::MouseFocusReason);
                menu_->popup(widget->mapToGlobal(at));
            });
}

bool TextEditMenu::focused(const QWidget* control) const {
    if (!control)
        return false;
    QWidget* focus = focus_ ? focus_() : nullptr;
    return focus && (focus == control || control->isAncestorOf(focus));
}

QComboBox* TextEditMenu::focusedBox(std::initializer_list<QComboBox*> boxes) const {
    for (QComboBox* box : boxes)
        if (box && box->lineEdit() && focused(box))
            return box;
    return nullptr;
}

bool TextEditMenu::editFieldFocused() const {
    return focused(controls_.calculator) || focused(controls_.locationField) ||
           focusedBox({controls_.addressBox, controls_.dictionaryBox, controls_.searchBox,
                       controls_.encyclopediaBox});
}

void TextEditMenu::CutPastePopupMenuPopup() {
    const bool editable = editFieldFocused();
    CutToClipboard1->setVisible(editable);
    PasteFromClipboard1->setVisible(editable && ClipboardHasText());
    SelectAll1->setVisible(!focused(controls_.calculator));
    CopyToClipboard1->setVisible(true);
}

void TextEditMenu::CopyToClipboard1Click() {
    QClipboard* clipboard = QApplication::clipboard();
    if (focused(controls_.calculator)) {
        clipboard->setText(controls_.calculator->displayText());
        return;
    }
    for (QPlainTextEdit* text :
         {controls_.planetsText, controls_.eclipseText, controls_.weatherText}) {
        if (focused(text)) {
            text->copy();
            return;
        }
    }
    if (QComboBox* box = focusedBox({controls_.addressBox, controls_.dictionaryBox,
                                     controls_.searchBox, controls_.encyclopediaBox})) {
        box->lineEdit()->copy();
        return;
    }
    if (focused(controls_.locationField)) {
        clipboard->setText(controls_.locationField->text());
        return;
    }
    if (BrowserView* browser = browser_ ? browser_() : nullptr;
        browser && focused(browser->widget()))
        browser->copySelection();
}

void TextEditMenu::CutToClipboard1Click() {
    if (focused(controls_.calculator)) {
        QApplication::clipboard()->setText(controls_.calculator->displayText());
        controls_.calculator->clear();
        return;
    }
    if (QComboBox* box = focusedBox({controls_.addressBox, controls_.dictionaryBox})) {
        box->lineEdit()->cut();
        return;
    }
    if (focused(controls_.locationField)) {
        // The whole field goes, whatever part of it was selected.
        controls_.locationField->copy();
        controls_.locationField->clear();
        return;
    }
    if (QComboBox* box = focusedBox({controls_.searchBox, controls_.encyclopediaBox}))
        box->lineEdit()->cut();
}

void TextEditMenu::PasteFromClipboard1Click() {
    if (!ClipboardHasText())
        return;
    if (focused(controls_.calculator)) {
        if (calculatorPaste_)
            calculatorPaste_();
        return;
    }
    if (QComboBox* box = focusedBox({controls_.addressBox, controls_.dictionaryBox,
                                     controls_.searchBox, controls_.encyclopediaBox})) {
        box->lineEdit()->paste();
        return;
    }
    if (focused(controls_.locationField))
        controls_.locationField->paste();
}

void TextEditMenu::SelectAll1Click() {
    for (QPlainTextEdit* text :
         {controls_.planetsText, controls_.eclipseText, controls_.weatherText}) {
        if (focused(text)) {
            text->selectAll();
            return;
        }
    }
    if (QComboBox* box = focusedBox({controls_.addressBox, controls_.dictionaryBox,
                                     controls_.searchBox, controls_.encyclopediaBox})) {
        box->lineEdit()->selectAll();
        return;
    }
    if (focused(controls_.locationField))
        controls_.locationField->selectAll();
}

} // namespace skelvane
