#include "infowin/weather_page.h"

#include "app/settings.h"
#include "app/settings_store.h"
#include "infowin/browser_handoff.h"
#include "infowin/browser_loader.h"
#include "infowin/browser_view.h"
#include "infowin/location_page.h"
#include "location/place_tables.h"
#include "net/decode/forecast_address.h"
#include "net/decode/web_history.h"
#include "widgets/enter_key.h"
#include "widgets/widget_factories.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace skelvane {

namespace {

constexpr int kTextForecastSource = 2; // the zone forecast: state and city lists
constexpr int kMetarSource = 3;        // the station's report: neither place input
constexpr int kListRows = 40;

std::unique_ptr<BrowserView> PluginBrowser(QWidget* parent, QString* error) {
    const BrowserPlugin plugin = LoadBrowserPlugin();
    if (!plugin.factory) {
        *error = plugin.error;
        return nullptr;
    }
    return plugin.factory->createView(parent, error);
}

} // namespace

WeatherPage::WeatherPage(Settings& settings, SettingsStore& store, BrowserHandOff& handOff,
                         QWidget* parent)
    : QWidget(parent), settings_(settings), store_(store), handOff_(handOff),
      browserSource_(PluginBrowser), endpoints_(&DefaultWebEndpoints()) {
    setObjectName(QStringLiteral("WeatherSheet"));
    buildControls();
}

WeatherPage::~WeatherPage() {
    // The view goes before the area that holds it.
    browser_.reset();
}

void WeatherPage::buildControls() {
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("WeatherTopPanel"));
    panel->setFixedHeight(90);

    GetWeatherBut = NamedPushButton(panel, QStringLiteral("GetWeatherBut"),
                                    QStringLiteral("Get Weather"), QStringLiteral("Get Weather"));
    WeatherSourceBox = new QComboBox(panel);
    WeatherSourceBox->setObjectName(QStringLiteral("WeatherSourceBox"));
    WeatherSourceBox->setMaxVisibleItems(kListRows);
    for (const std::string_view caption : ForecastSourceCaptions())
        WeatherSourceBox->addItem(ToQString(caption));
    StateBox2 = new QComboBox(panel);
    StateBox2->setObjectName(QStringLiteral("StateBox2"));
    StateBox2->setMaxVisibleItems(kListRows);
    for (const StateName& state : kStates)
        StateBox2->addItem(ToQString(state.name));
    CityBox = new QComboBox(panel);
    CityBox->setObjectName(QStringLiteral("CityBox"));
    CityBox->setMaxVisibleItems(kListRows);
    CityBox->setMinimumContentsLength(18);
    CityBox->addItem(QString::fromLatin1(kDefaultForecastCity));

    CityStateZipLabel = NamedLabel(panel, QStringLiteral("CityStateZipLabel"),
                                   QStringLiteral("Enter \"City, ST\"  or  Zip Code:"));
    CityStateZipEd = NamedEdit(panel, QStringLiteral("CityStateZipEd"), 220);

    BrowseBox = new QComboBox(panel);
    BrowseBox->setObjectName(QStringLiteral("BrowseBox"));
    BrowseBox->setEditable(true);
    BrowseBox->setInsertPolicy(QComboBox::NoInsert); // the history follows visited pages only
    BrowseBox->setMaxVisibleItems(kListRows);
    BrowseBox->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    BrowseBox->setMinimumContentsLength(40);
    BrowserGoBut = NamedPushButton(panel, QStringLiteral("BrowserGoBut"), QStringLiteral("GO"));
    GoBrowserBut =
        NamedPushButton(panel, QStringLiteral("GoBrowserBut"), QStringLiteral("Open Browser"),
                        QStringLiteral("Open this address in your own browser"));
    SaveAddressBut =
        NamedPushButton(panel, QStringLiteral("SaveAddressBut"), QStringLiteral("Save Address"),
                        QStringLiteral("Open this address when the program starts on this page"));
    RefreshBut = NamedPushButton(panel, QStringLiteral("RefreshBut"), QStringLiteral("Refresh"));
    BackBut = NamedPushButton(panel, QStringLiteral("BackBut"), QStringLiteral("Back"));
    ForwardBut = NamedPushButton(panel, QStringLiteral("ForwardBut"), QStringLiteral("Fwd"));

    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(4, 2, 4, 2);
    grid->setVerticalSpacing(2);
    auto* first = new QHBoxLayout;
    first->addWidget(GetWeatherBut);
    first->addWidget(WeatherSourceBox);
    first->addWidget(StateBox2);
    first->addWidget(CityBox);
    first->addStretch(1);
    auto* second = new QHBoxLayout;
    second->addWidget(CityStateZipLabel);
    second->addWidget(CityStateZipEd);
    second->addStretch(1);
    auto* third = new QHBoxLayout;
    third->addWidget(BrowseBox, 1);
    for (QPushButton* button :
         {BrowserGoBut, GoBrowserBut, SaveAddressBut, RefreshBut, BackBut, ForwardBut}) {
        button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        third->addWidget(button);
    }
    grid->addLayout(first, 0, 0);
    grid->addLayout(second, 1, 0);
    grid->addLayout(third, 2, 0);

    browserArea_ = new QWidget(this);
    browserArea_->setObjectName(QStringLiteral("BrowserArea"));
    browserLayout_ = new QVBoxLayout(browserArea_);
    browserLayout_->setContentsMargins(0, 0, 0, 0);
    browserMessage_ = NamedLabel(browserArea_, QStringLiteral("BrowserMessage"));
    browserMessage_->setWordWrap(false);
    browserMessage_->hide();
    browserLayout_->addWidget(browserMessage_, 0, Qt::AlignTop);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(panel);
    layout->addWidget(browserArea_, 1);

    connect(GetWeatherBut, &QPushButton::clicked, this, &WeatherPage::GetForecast);
    connect(WeatherSourceBox, &QComboBox::activated, this, &WeatherPage::WeatherSourceBoxSelect);
    connect(StateBox2, &QComboBox::activated, this, [this](int index) {
        if (location_)
            location_->StateBox2Select(index);
    });
    connect(CityBox, &QComboBox::activated, this, &WeatherPage::CityBoxSelect);
    connect(BrowseBox, &QComboBox::activated, this, &WeatherPage::GetForecast);
    OnEnterPressed(BrowseBox, [this] { BrowserGoButClick(); });
    connect(BrowserGoBut, &QPushButton::clicked, this, &WeatherPage::BrowserGoButClick);
    connect(GoBrowserBut, &QPushButton::clicked, this, &WeatherPage::GoBrowserButClick);
    connect(SaveAddressBut, &QPushButton::clicked, this, &WeatherPage::SaveAddressButClick);
    connect(RefreshBut, &QPushButton::clicked, this, &WeatherPage::RefreshButClick);
    connect(BackBut, &QPushButton::clicked, this, &WeatherPage::BackButClick);
    connect(ForwardBut, &QPushButton::clicked, this, &WeatherPage::ForwardButClick);
}

void WeatherPage::setLocationPage(LocationPage* page) {
    if (location_)
        disconnect(location_, nullptr, this, nullptr);
    location_ = page;
    if (location_)
        connect(location_, &LocationPage::forecastCitiesChanged, this, &WeatherPage::fillCityBox);
}

void WeatherPage::setBrowserSource(BrowserSource source) {
    browserSource_ = std::move(source);
}

void WeatherPage::setEndpoints(const WebEndpoints& endpoints) {
    endpoints_ = &endpoints;
}

void WeatherPage::fillCityBox() {
    CityBox->clear();
    if (location_ && location_->placeListLoaded()) {
        for (const PlaceChoice& city : location_->forecastCities())
            CityBox->addItem(ToQString(city.name));
        if (location_->forecastStateIndex() >= 0 &&
            location_->forecastStateIndex() < StateBox2->count())
            StateBox2->setCurrentIndex(location_->forecastStateIndex());
    } else {
        CityBox->addItem(QString::fromLatin1(kDefaultForecastCity));
    }
    CityBox->setCurrentIndex(CityBox->count() > 0 ? 0 : -1);
    SetURL();
}

void WeatherPage::FormShow() {
    // The stored city when it is in the list (the list may have changed since).
    if (!location_ || !location_->placeListLoaded()) {
        CityBox->clear();
        CityBox->addItem(QString::fromLatin1(kDefaultForecastCity));
        CityBox->setCurrentIndex(0);
    } else if (settings_.CityBoxItemIndex >= 0 && settings_.CityBoxItemIndex < CityBox->count()) {
        CityBox->setCurrentIndex(settings_.CityBoxItemIndex);
    }
    const int source = settings_.WeatherSourceBoxItemIndex;
    WeatherSourceBox->setCurrentIndex(source >= 0 && source < kForecastSourceCount ? source : 0);
    SetWeatherBoxVisibility(WeatherSourceBox->currentIndex());
    const QString field = settings_.CityStateZipEdText.isEmpty() ? settings_.SaveLocation.PlaceName
                                                                 : settings_.CityStateZipEdText;
    CityStateZipEd->setText(field);
}

void WeatherPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous())
        SetURL();
}

void WeatherPage::SetURL() {
    // The texts the inputs view must live until the address is built.
    const std::string field = CityStateZipEd->text().toStdString();
    std::string city, state, country, zip, station;
    int countryIndex = -1;
    if (location_) {
        const LocationChoice::Pending& pending = location_->pending();
        city = pending.city.toStdString();
        state = pending.state.toStdString();
        country = pending.country.toStdString();
        zip = pending.zip.toStdString();
        station = location_->stationCodeText().toStdString();
        countryIndex = CountryIndexOf(country);
    }
    std::optional<LocationPage::ForecastCityFields> cityFields;
    if (location_)
        cityFields = location_->forecastCityFields(CityBox->currentIndex());

    ForecastInputs inputs;
    inputs.source = WeatherSourceBox->currentIndex();
    inputs.locationField = field;
    inputs.pendingCity = city;
    inputs.pendingState = state;
    inputs.pendingCountry = country;
    inputs.pendingCountryIndex = countryIndex;
    inputs.pendingPostalCode = zip;
    inputs.stationCode = station;
    inputs.celsius = settings_.TemperatureUnits == u'C';
    if (cityFields)
        inputs.forecastCity = ForecastCity{cityFields->state, cityFields->zoneNumber};
    if (const std::optional<std::string> address = ForecastAddress(inputs, *endpoints_))
        setAddressText(QString::fromStdString(*address));
}

void WeatherPage::SetWeatherBoxVisibility(int source) {
    const bool textForecast = source == kTextForecastSource;
    StateBox2->setVisible(textForecast);
    CityBox->setVisible(textForecast);
    const bool placeTyped = source != kTextForecastSource && source != kMetarSource;
    CityStateZipLabel->setVisible(placeTyped);
    CityStateZipEd->setVisible(placeTyped);
}

void WeatherPage::WeatherSourceBoxSelect() {
    settings_.WeatherSourceBoxItemIndex = WeatherSourceBox->currentIndex();
    SetWeatherBoxVisibility(WeatherSourceBox->currentIndex());
    SetURL();
}

void WeatherPage::CityBoxSelect() {
    settings_.CityBoxItemIndex = CityBox->currentIndex();
    SetURL();
}

void WeatherPage::GetForecast() {
    setEnabled(false);
    settings_.CityStateZipEdText = CityStateZipEd->text();
    SetURL();
    if (!addressText().isEmpty())
        navigate(addressText());
    setEnabled(true);
}

void WeatherPage::BrowserGoButClick() {
    if (addressText().isEmpty())
        return;
    setEnabled(false);
    navigate(addressText());
    setEnabled(true);
}

void WeatherPage::BackButClick() {
    if (browser_)
        browser_->back();
}

void WeatherPage::ForwardButClick() {
    if (browser_)
        browser_->forward();
}

void WeatherPage::RefreshButClick() {
    if (browser_)
        browser_->reloadCompletely();
}

void WeatherPage::SaveAddressButClick() {
    settings_.SaveURL = addressText();
    store_.WriteURL(settings_.SaveURL);
}

void WeatherPage::GoBrowserButClick() {
    handOff_.GoBrowser(addressText());
}

void WeatherPage::OpenStartAddress() {
    if (settings_.SaveURL.isEmpty()) {
        GetForecast();
        return;
    }
    setAddressText(settings_.SaveURL);
    BrowserGoButClick();
}

void WeatherPage::WebBrowser1NavigateComplete2(const QUrl& address) {
    navigationPending_ = false;
    const QString text = address.toString();
    if (text.isEmpty())
        return;
    if (AddToHistoryList(history_, text.toStdString()))
        BrowseBox->insertItem(0, text);
    setAddressText(text);
}

QString WeatherPage::addressText() const {
    return BrowseBox->currentText();
}

void WeatherPage::setAddressText(const QString& text) {
    BrowseBox->setEditText(text);
}

QString WeatherPage::browserMessage() const {
    return browserMessage_->isHidden() ? QString() : browserMessage_->text();
}

bool WeatherPage::ensureBrowser() {
    if (browser_)
        return true;
    if (browserTried_)
        return false;
    browserTried_ = true;
    QString error;
    browser_ = browserSource_ ? browserSource_(browserArea_, &error) : nullptr;
    if (!browser_) {
        if (error.isEmpty())
            error = QStringLiteral("The built-in browser is not available.");
        browserMessage_->setText(error + QStringLiteral(" Use \"Open Browser\" to see the page."));
        browserMessage_->show();
        return false;
    }
    browserLayout_->addWidget(browser_->widget(), 1);
    browser_->setNavigateCompleteHandler(
        [this](const QUrl& address) { WebBrowser1NavigateComplete2(address); });
    return true;
}

void WeatherPage::navigate(const QString& address) {
    if (!ensureBrowser())
        return;
    const QUrl url = QUrl::fromUserInput(address.trimmed());
    if (url.isValid()) {
        navigationPending_ = true;
        browser_->navigate(url);
    }
}

} // namespace skelvane
