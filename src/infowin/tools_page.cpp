#include "infowin/tools_page.h"

#include "app/settings.h"
#include "infowin/calculator_widget.h"
#include "net/decode/lookup_address.h"
#include "net/decode/web_history.h"
#include "widgets/enter_key.h"
#include "widgets/link_label.h"
#include "widgets/widget_factories.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>
#include <iterator>

namespace skelvane {

namespace {

struct FunctionButton {
    ToolFunction function;
    const char* name;
    const char* caption; // UTF-8
};

// In pairs, each conversion beside its inverse.
constexpr FunctionButton kConversionButtons[] = {
    {ToolFunction::KgToLb, "KgToLbBut", "Kg to Lb"},
    {ToolFunction::LbToKg, "LbToKgBut", "Lb to Kg"},
    {ToolFunction::CToF, "CToFBut", "C° to F°"},
    {ToolFunction::FToC, "FToCBut", "F° to C°"},
    {ToolFunction::LToGal, "LtoGalBut", "L to Gal"},
    {ToolFunction::GalToL, "GalToLBut", "Gal to L"},
    {ToolFunction::MmToIn, "MMToInBut", "MM to In"},
    {ToolFunction::InToMm, "InToMMBut", "In to MM"},
    {ToolFunction::KmToMi, "KmToMiBut", "Km to Mi"},
    {ToolFunction::MiToKm, "MiToKmBut", "Mi to Km"},
    {ToolFunction::GmToOz, "GmToOzBut", "Gm to Oz"},
    {ToolFunction::OzToGm, "OzToGmBut", "Oz to Gm"},
    {ToolFunction::MlToOz, "MLtoOzBut", "ML to Oz"},
    {ToolFunction::OzToMl, "OzToMLBut", "Oz to ML"},
};

// Each function beside its inverse, then π on its own.
constexpr FunctionButton kTrigonometryButtons[] = {
    {ToolFunction::Sin, "SinBut", "SIN"},
    {ToolFunction::ASin, "ASinBut", "ASIN"},
    {ToolFunction::Cos, "CosBut", "COS"},
    {ToolFunction::ACos, "ACosBut", "ACOS"},
    {ToolFunction::Tan, "TanBut", "TAN"},
    {ToolFunction::ATan, "ATanBut", "ATAN"},
    // The Symbol font's "p" is not found on every desktop: the letter itself is used.
    {ToolFunction::Pi, "PiButton", "π"},
};

} // namespace

ToolsPage::ToolsPage(Settings& settings, QWidget* parent) : QWidget(parent), settings_(settings) {
    setObjectName(QStringLiteral("ToolSheet"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(buildCalculatorGroup(), 0, Qt::AlignLeft);
    layout->addWidget(buildLookupGroups(), 0, Qt::AlignLeft);
    layout->addStretch(1);
}

QGroupBox* ToolsPage::buildCalculatorGroup() {
    auto* group = new QGroupBox(QStringLiteral(" Calculator "), this);
    group->setObjectName(QStringLiteral("CalculatorGroup"));
    calculator_ = new CalculatorWidget(group);

    auto makeButton = [this, group](const FunctionButton& entry) {
        auto* button = new QPushButton(QString::fromUtf8(entry.caption), group);
        button->setObjectName(QLatin1String(entry.name));
        button->setAutoDefault(false);
        button->setMinimumWidth(72);
        connect(button, &QPushButton::clicked, this,
                [this, f = entry.function] { ConversionButtonClick(f); });
        return button;
    };

    auto* conversions = new QGridLayout;
    conversions->setSpacing(4);
    for (std::size_t i = 0; i < std::size(kConversionButtons); ++i)
        conversions->addWidget(makeButton(kConversionButtons[i]), static_cast<int>(i / 2),
                               static_cast<int>(i % 2));

    auto* functions = new QGridLayout;
    functions->setSpacing(4);
    for (std::size_t i = 0; i < std::size(kTrigonometryButtons); ++i)
        functions->addWidget(makeButton(kTrigonometryButtons[i]), static_cast<int>(i / 2),
                             static_cast<int>(i % 2));
    auto* copy = new QPushButton(QStringLiteral("Copy"), group);
    copy->setObjectName(QStringLiteral("CopyBut"));
    copy->setToolTip(QStringLiteral("Copy Number To Clipboard"));
    copy->setAutoDefault(false);
    connect(copy, &QPushButton::clicked, this, &ToolsPage::CopyButClick);
    auto* paste = new QPushButton(QStringLiteral("Paste"), group);
    paste->setObjectName(QStringLiteral("PasteBut"));
    paste->setToolTip(QStringLiteral("Paste Number From Clipboard"));
    paste->setAutoDefault(false);
    connect(paste, &QPushButton::clicked, this, &ToolsPage::PasteButClick);
    const int next = static_cast<int>((std::size(kTrigonometryButtons) + 1) / 2);
    functions->addWidget(copy, next, 0);
    functions->addWidget(paste, next, 1);

    auto* row = new QHBoxLayout(group);
    row->setSpacing(12);
    row->addWidget(calculator_, 0, Qt::AlignTop);
    row->addLayout(conversions);
    row->addLayout(functions);
    conversions->setAlignment(Qt::AlignTop);
    functions->setAlignment(Qt::AlignTop);
    return group;
}

QWidget* ToolsPage::buildLookupGroups() {
    auto* holder = new QWidget(this);
    auto* column = new QVBoxLayout(holder);
    column->setContentsMargins(0, 0, 0, 0);

    // One look-up group: an editable drop-down of this run's terms, its buttons and a
    // logo that acts like the first button.
    const auto makeGroup = [&](const char* caption, const char* name, QComboBox*& box,
                               const char* boxName, const char* logoName, const char* logoText,
                               void (ToolsPage::*logoHandler)()) {
        auto* group = new QGroupBox(QString::fromLatin1(caption), holder);
        group->setObjectName(QLatin1String(name));
        box = new QComboBox(group);
        box->setObjectName(QLatin1String(boxName));
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert); // the button adds the term
        box->setMinimumContentsLength(28);
        auto* logo = NamedLink(group, QLatin1String(logoName), this,
                               [this, logoHandler] { (this->*logoHandler)(); });
        logo->setText(QString::fromLatin1(logoText));
        QFont bold = logo->font();
        bold.setBold(true);
        logo->setFont(bold);
        auto* row = new QHBoxLayout(group);
        row->addWidget(logo);
        row->addWidget(box, 1);
        column->addWidget(group);
        return std::pair{group, row};
    };
    const auto button = [this](QGroupBox* group, const char* name, const char* caption,
                               void (ToolsPage::*handler)()) {
        QPushButton* b = NamedPushButton(group, QLatin1String(name), QString::fromLatin1(caption));
        connect(b, &QPushButton::clicked, this, handler);
        return b;
    };

    auto [dictionary, dictionaryRow] =
        makeGroup(" Dictionary ", "DictionaryGroup", DictionaryComboBox, "DictionaryComboBox",
                  "DictionaryLogo", "Merriam-Webster", &ToolsPage::DictionaryButClick);
    dictionaryRow->addWidget(
        button(dictionary, "DictionaryBut", "Dictionary", &ToolsPage::DictionaryButClick));
    dictionaryRow->addWidget(
        button(dictionary, "ThesaurusBut", "Thesaurus", &ToolsPage::ThesaurusButClick));

    auto [google, googleRow] =
        makeGroup(" Google Search ", "GoogleGroup", GoogleComboBox, "GoogleComboBox", "GoogleLogo",
                  "Google", &ToolsPage::GoogleButClick);
    googleRow->addWidget(button(google, "GoogleBut", "Search", &ToolsPage::GoogleButClick));
    googleRow->addWidget(NamedLabel(google, QStringLiteral("GoogleLuckyLabel"),
                                    QStringLiteral("Go directly to first page found:")));
    googleRow->addWidget(
        button(google, "GoogleLuckyBut", "Feel Lucky", &ToolsPage::GoogleLuckyButClick));

    auto [wiki, wikiRow] = makeGroup(" Wikipedia ", "WikiGroup", WikiComboBox, "WikiComboBox",
                                     "WikiLogo", "Wikipedia", &ToolsPage::WikiButClick);
    wikiRow->addWidget(button(wiki, "WikiBut", "Search", &ToolsPage::WikiButClick));

    // Enter in a drop-down acts like the group's first button.
    OnEnterPressed(DictionaryComboBox, [this] { DictionaryButClick(); });
    OnEnterPressed(GoogleComboBox, [this] { GoogleButClick(); });
    OnEnterPressed(WikiComboBox, [this] { WikiButClick(); });
    return holder;
}

void ToolsPage::lookUp(Lookup lookup, QComboBox* box) {
    const QString text = box->currentText();
    if (text.isEmpty())
        return;
    const std::size_t list = box == DictionaryComboBox ? 0 : box == GoogleComboBox ? 1 : 2;
    if (AddToHistoryList(terms_[list], text.toStdString())) {
        box->insertItem(0, text);
        box->setCurrentIndex(0);
    }
    box->setEditText(text);
    if (const std::optional<std::string> address = LookupAddress(lookup, text.toStdString()))
        emit webAddressRequested(QString::fromStdString(*address));
}

void ToolsPage::DictionaryButClick() {
    lookUp(Lookup::kDictionary, DictionaryComboBox);
}

void ToolsPage::ThesaurusButClick() {
    lookUp(Lookup::kThesaurus, DictionaryComboBox);
}

void ToolsPage::GoogleButClick() {
    lookUp(Lookup::kSearch, GoogleComboBox);
}

void ToolsPage::GoogleLuckyButClick() {
    lookUp(Lookup::kFeelLucky, GoogleComboBox);
}

void ToolsPage::WikiButClick() {
    lookUp(Lookup::kWikipedia, WikiComboBox);
}

QPushButton* ToolsPage::functionButton(ToolFunction function) const {
    for (const FunctionButton& entry : kConversionButtons)
        if (entry.function == function)
            return findChild<QPushButton*>(QLatin1String(entry.name));
    for (const FunctionButton& entry : kTrigonometryButtons)
        if (entry.function == function)
            return findChild<QPushButton*>(QLatin1String(entry.name));
    return nullptr;
}

QChar ToolsPage::decimalSeparator() const {
    return calculator_->engine().decimalSeparator();
}

void ToolsPage::showStoredNumber() {
    const double number = settings_.NumberInCalculator;
    calculator_->setDisplayText(
        FormatCalculatorNumber(std::isfinite(number) ? number : 0.0, decimalSeparator()));
}

bool ToolsPage::storeNumber() {
    const std::optional<double> number =
        ParseCalculatorNumber(calculator_->displayText(), decimalSeparator());
    if (!number)
        return false;
    settings_.NumberInCalculator = *number;
    return true;
}

void ToolsPage::ConversionButtonClick(ToolFunction function) {
    const std::optional<double> x =
        ParseCalculatorNumber(calculator_->displayText(), decimalSeparator());
    if (x || function == ToolFunction::Pi) {
        const ToolResult result = ApplyToolFunction(function, x.value_or(0));
        if (result.value)
            calculator_->setDisplayText(FormatCalculatorNumber(*result.value, decimalSeparator()));
        else
            reportError(result.error);
    }
    calculator_->setFocus();
}

void ToolsPage::CopyButClick() {
    QApplication::clipboard()->setText(calculator_->displayText());
    calculator_->setFocus();
}

void ToolsPage::PasteButClick() {
    const QString text = QApplication::clipboard()->text();
    if (text.isEmpty())
        return;
    calculator_->clear();
    for (const QChar c : FilterPastedText(text, decimalSeparator()))
        calculator_->pressCharacter(c);
    calculator_->setFocus();
}

void ToolsPage::reportError(const QString& message) {
    lastError_ = message;
    // Window-modal but not blocking: the clock keeps ticking while the message shows.
    if (!errorBox_) {
        errorBox_ = new QMessageBox(QMessageBox::Warning, QStringLiteral("Skelvane"), QString(),
                                    QMessageBox::Ok, this);
        errorBox_->setObjectName(QStringLiteral("CalculatorErrorBox"));
    }
    errorBox_->setText(message);
    errorBox_->open();
}

} // namespace skelvane
