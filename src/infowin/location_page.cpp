#include "infowin/location_page.h"

#include "app/settings.h"
#include "app/settings_store.h"
#include "astro/format.h"
#include "infowin/location_page_texts.h"
#include "infowin/weather_report_group.h"
#include "location/place_tables.h"
#include "location/place_text.h"
#include "widgets/widget_factories.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <cmath>

namespace skelvane {

namespace {

constexpr int kNewYorkStateIndex = 33; // StateBoxItemIndex when nothing usable is stored
constexpr int kNorth = 0, kSouth = 1;
constexpr int kEast = 0, kWest = 1;
constexpr int kFeet = 0, kMeters = 1;

// One coordinate group: a caption row "Degrees / Minutes / Seconds" over the three edits
// and the hemisphere list.
QGroupBox* CoordinateGroup(QWidget* parent, const char* title, QLineEdit* degrees,
                           QLineEdit* minutes, QLineEdit* seconds, QComboBox* hemisphere) {
    auto* group = new QGroupBox(QLatin1String(title), parent);
    auto* grid = new QGridLayout(group);
    const char* captions[] = {"Degrees", "Minutes", "Seconds"};
    QLineEdit* edits[] = {degrees, minutes, seconds};
    for (int column = 0; column < 3; ++column) {
        grid->addWidget(new QLabel(QLatin1String(captions[column]), group), 0, column);
        edits[column]->setParent(group);
        grid->addWidget(edits[column], 1, column);
    }
    hemisphere->setParent(group);
    grid->addWidget(hemisphere, 1, 3);
    grid->setColumnStretch(4, 1);
    return group;
}

} // namespace

LocationPage::LocationPage(Settings& settings, SettingsStore& store, QWidget* parent)
    : QWidget(parent), settings_(settings), store_(store),
      bigList_(std::make_unique<BigList>(PlaceListFolders(ProgramFolder()))), choice_(settings) {
    setObjectName(QStringLiteral("SettingsSheet1"));
    setWindowTitle(QStringLiteral("Settings1"));
    buildControls();
    showLoadFileLines();
}

LocationPage::~LocationPage() = default;

void LocationPage::buildControls() {
    // Left: the two ways to find a place.
    auto* zipGroup =
        new QGroupBox(QStringLiteral(" Find City by 5 digit Zip Code (USA only) "), this);
    auto* zipRow = new QHBoxLayout(zipGroup);
    zipRow->addWidget(new QLabel(QStringLiteral("Zip Code:"), zipGroup));
    ZipEd = NamedEdit(zipGroup, QStringLiteral("ZipEd"), 80);
    zipRow->addWidget(ZipEd);
    FindZipBut =
        NamedPushButton(zipGroup, QStringLiteral("FindZipBut"), QStringLiteral("Find City"),
                        QStringLiteral("Find US City from Zip Code"));
    FindZipBut->setDefault(true);
    zipRow->addWidget(FindZipBut);
    zipRow->addStretch(1);

    auto* selectGroup = new QGroupBox(QStringLiteral(" Select Location "), this);
    auto* selectGrid = new QGridLayout(selectGroup);
    CountryBox = new QComboBox(selectGroup);
    CountryBox->setObjectName(QStringLiteral("CountryBox"));
    for (std::string_view country : kCountryNames)
        CountryBox->addItem(ToQString(country));
    StateBox1 = new QComboBox(selectGroup);
    StateBox1->setObjectName(QStringLiteral("StateBox1"));
    for (const StateName& state : kStates)
        StateBox1->addItem(ToQString(state.name));
    for (QComboBox* box : {CountryBox, StateBox1}) {
        box->setMaxVisibleItems(20);
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        box->setMinimumContentsLength(16);
    }
    StateBox1Label = new QLabel(QStringLiteral("State"), selectGroup);
    selectGrid->addWidget(new QLabel(QStringLiteral("Country"), selectGroup), 0, 0);
    selectGrid->addWidget(CountryBox, 0, 1);
    selectGrid->addWidget(StateBox1Label, 1, 0);
    selectGrid->addWidget(StateBox1, 1, 1);
    PlaceListBox = new QListWidget(selectGroup);
    PlaceListBox->setObjectName(QStringLiteral("PlaceListBox"));
    selectGrid->addWidget(PlaceListBox, 2, 0, 1, 2);
    selectGrid->setRowStretch(2, 1);

    auto* left = new QVBoxLayout;
    left->addWidget(zipGroup);
    left->addWidget(selectGroup, 1);

    // Right: the place the clock computes for, and the station for the temperature.
    auto* placeGroup = new QGroupBox(
        QStringLiteral(" Location used to calculate rise/set times and get maps  "), this);
    auto* placeBox = new QVBoxLayout(placeGroup);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(new QLabel(QStringLiteral(" Name"), placeGroup));
    PlaceNameEd = NamedEdit(placeGroup, QStringLiteral("PlaceNameEd"));
    nameRow->addWidget(PlaceNameEd, 1);
    placeBox->addLayout(nameRow);

    LatDegreesLabel = NamedEdit(this, QStringLiteral("LatDegreesLabel"), 56);
    LatMinutesLabel = NamedEdit(this, QStringLiteral("LatMinutesLabel"), 56);
    LatSecondsLabel = NamedEdit(this, QStringLiteral("LatSecondsLabel"), 56);
    NorthSouthComboBox = NamedList(this, QStringLiteral("NorthSouthComboBox"), {"North", "South"});
    placeBox->addWidget(CoordinateGroup(placeGroup, " Latitude ", LatDegreesLabel, LatMinutesLabel,
                                        LatSecondsLabel, NorthSouthComboBox));
    LonDegreesLabel = NamedEdit(this, QStringLiteral("LonDegreesLabel"), 56);
    LonMinutesLabel = NamedEdit(this, QStringLiteral("LonMinutesLabel"), 56);
    LonSecondsLabel = NamedEdit(this, QStringLiteral("LonSecondsLabel"), 56);
    EastWestComboBox = NamedList(this, QStringLiteral("EastWestComboBox"), {"East", "West"});
    placeBox->addWidget(CoordinateGroup(placeGroup, " Longitude ", LonDegreesLabel, LonMinutesLabel,
                                        LonSecondsLabel, EastWestComboBox));

    auto* altitudeRow = new QHBoxLayout;
    AltitudeEd = NamedEdit(placeGroup, QStringLiteral("AltitudeEd"), 72);
    FeetMeterBox = NamedList(placeGroup, QStringLiteral("FeetMeterBox"), {"Feet", "Meters"});
    altitudeRow->addWidget(AltitudeEd);
    altitudeRow->addWidget(FeetMeterBox);
    altitudeRow->addWidget(new QLabel(QStringLiteral("(Above Sea Level)"), placeGroup));
    altitudeRow->addStretch(1);
    auto* saveLocation = NamedPushButton(placeGroup, QStringLiteral("SaveLocationOnlyBut"),
                                         QStringLiteral("Save"), QStringLiteral("Save Location"));
    altitudeRow->addWidget(saveLocation);
    placeBox->addLayout(altitudeRow);

    auto* stationGroup = new QGroupBox(QStringLiteral(" Location used for temperature "), this);
    auto* stationGrid = new QGridLayout(stationGroup);
    WeatherStationNameEd2 = NamedEdit(stationGroup, QStringLiteral("WeatherStationNameEd2"));
    WeatherStationCodeEd2 = NamedEdit(stationGroup, QStringLiteral("WeatherStationCodeEd2"), 72);
    WeatherStationCodeEd2->setReadOnly(true);
    auto* saveStation =
        NamedPushButton(stationGroup, QStringLiteral("SaveWeatherStationOnlyBut"),
                        QStringLiteral("Save"), QStringLiteral("Save Weather Station"));
    stationGrid->addWidget(new QLabel(QStringLiteral(" Name"), stationGroup), 0, 0);
    stationGrid->addWidget(WeatherStationNameEd2, 0, 1, 1, 2);
    stationGrid->addWidget(new QLabel(QStringLiteral(" Code"), stationGroup), 1, 0);
    stationGrid->addWidget(WeatherStationCodeEd2, 1, 1);
    stationGrid->addWidget(saveStation, 1, 2, Qt::AlignRight);
    stationGrid->setColumnStretch(1, 1);

    auto* buttons = new QGridLayout;
    auto* saveAll = NamedPushButton(this, QStringLiteral("SaveAllBut"), QStringLiteral("Save ALL"));
    auto* reset = NamedPushButton(this, QStringLiteral("ResetBut"), QStringLiteral("Reset"));
    auto* cancel = NamedPushButton(this, QStringLiteral("CloseBut"), QStringLiteral("Cancel"));
    auto* getMap = NamedPushButton(this, QStringLiteral("GetMapBut"), QStringLiteral("Get Map"));
    auto* goToMaps =
        NamedPushButton(this, QStringLiteral("GoToMapsBut"), QStringLiteral("Go To Maps"));
    buttons->addWidget(saveAll, 0, 0);
    buttons->addWidget(reset, 0, 1);
    buttons->addWidget(cancel, 0, 2);
    buttons->addWidget(getMap, 1, 0);
    buttons->addWidget(goToMaps, 1, 1);

    auto* right = new QVBoxLayout;
    right->addWidget(placeGroup);
    right->addWidget(stationGroup);
    right->addLayout(buttons);
    right->addStretch(1);
    weatherGroup_ = new WeatherReportGroup(this);
    connect(weatherGroup_, &WeatherReportGroup::getWeatherClicked, this, [this] {
        weatherGroup_->clearMemo();
        QCoreApplication::processEvents(); // the cleared memo shows before the download
        emit getWeatherRequested(WeatherStationNameEd2->text(), WeatherStationCodeEd2->text());
    });

    // Bottom: how far the picked place is from the saved one and from the last pick.
    auto* distancePanel = new QFrame(this);
    distancePanel->setObjectName(QStringLiteral("DistancePanel"));
    distancePanel->setFrameShape(QFrame::StyledPanel);
    auto* distanceBox = new QVBoxLayout(distancePanel);
    DistanceLab1 = new QLabel(distancePanel);
    DistanceLab1->setObjectName(QStringLiteral("DistanceLab1"));
    DistanceLab2 = new QLabel(distancePanel);
    DistanceLab2->setObjectName(QStringLiteral("DistanceLab2"));
    for (QLabel* label : {DistanceLab1, DistanceLab2}) {
        label->setWordWrap(true);
        label->setTextFormat(Qt::PlainText);
        distanceBox->addWidget(label);
    }

    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);
    auto* page = new QVBoxLayout(this);
    page->addLayout(columns, 3);
    page->addWidget(weatherGroup_, 2);
    page->addWidget(distancePanel);

    connect(FindZipBut, &QPushButton::clicked, this, &LocationPage::FindZipButClick);
    // The page sits in a tab, not a dialog: Enter in the postal-code edit stands in for the
    // default button.
    connect(ZipEd, &QLineEdit::returnPressed, this, &LocationPage::FindZipButClick);
    connect(CountryBox, &QComboBox::activated, this, &LocationPage::CountryBoxSelect);
    connect(StateBox1, &QComboBox::activated, this, &LocationPage::StateBox1Select);
    // A click picks even the entry already selected; the arrow keys pick as they move.
    // A mouse press also moves the current row, so that move waits for the click.
    connect(PlaceListBox, &QListWidget::itemClicked, this, &LocationPage::PlaceListBoxClick);
    connect(PlaceListBox, &QListWidget::currentRowChanged, this, [this] {
        if (QGuiApplication::mouseButtons() == Qt::NoButton)
            PlaceListBoxClick();
    });
    connect(saveLocation, &QPushButton::clicked, this, &LocationPage::SaveOrUpdateLocation);
    connect(saveStation, &QPushButton::clicked, this, [this] { SaveWeatherStation(true); });
    connect(saveAll, &QPushButton::clicked, this, &LocationPage::SaveAllButClick);
    connect(reset, &QPushButton::clicked, this, &LocationPage::ResetButClick);
    connect(cancel, &QPushButton::clicked, this, &LocationPage::CloseButClick);
    connect(getMap, &QPushButton::clicked, this, &LocationPage::getMapRequested);
    connect(goToMaps, &QPushButton::clicked, this, &LocationPage::goToMapsRequested);
}

void LocationPage::setPlaceListFolders(std::vector<std::string> folders) {
    if (bigList_->loaded())
        return;
    bigList_ = std::make_unique<BigList>(
        std::vector<std::filesystem::path>(folders.begin(), folders.end()));
}

bool LocationPage::placeListLoaded() const {
    return bigList_->loaded();
}

void LocationPage::FormShow() {
    DistanceLab1->clear();
    DistanceLab2->clear();
    LoadBigList();
    fillFromSaved();
}

bool LocationPage::LoadBigList() {
    const bool loaded = bigList_->loaded() || bigList_->LoadBigList();
    PlaceListBox->setEnabled(loaded);
    if (loaded)
        return true;
    showLoadFileLines();
    // The file is looked for again at every showing, but the user hears about it once.
    if (!loadMessageShown_) {
        loadMessageShown_ = true;
        const std::string& error = bigList_->lastError();
        emit messageRequested(error.empty() ? ToQString(kLoadFileMessage) : ToQString(error));
    }
    return false;
}

void LocationPage::showLoadFileLines() {
    const QSignalBlocker block(PlaceListBox);
    PlaceListBox->clear();
    for (std::string_view line : kLoadFileLines)
        PlaceListBox->addItem(ToQString(line));
    PlaceListBox->setEnabled(false);
    placeShadow_.clear();
}

void LocationPage::showPlaceList(std::vector<PlaceChoice> places) {
    // The queries hand the entries over sorted; the box must not sort them again, or its
    // rows would part from their shadow entries.
    const QSignalBlocker block(PlaceListBox);
    PlaceListBox->clear();
    for (const PlaceChoice& place : places)
        PlaceListBox->addItem(QString::fromStdString(place.name));
    placeShadow_ = std::move(places);
}

void LocationPage::fillFromSaved() {
    WeatherStationCodeEd2->setText(settings_.WeatherStationCode);
    WeatherStationNameEd2->setText(settings_.WeatherStationName);

    // Stored indexes come from a file the user may have edited.
    const int stateIndex =
        settings_.StateBoxItemIndex >= 0 && settings_.StateBoxItemIndex < StateBox1->count()
            ? settings_.StateBoxItemIndex
            : kNewYorkStateIndex;
    const int countryIndex =
        settings_.CountryBoxItemIndex >= 0 && settings_.CountryBoxItemIndex < CountryBox->count()
            ? settings_.CountryBoxItemIndex
            : 0;
    StateBox1->setCurrentIndex(stateIndex);
    CountryBox->setCurrentIndex(countryIndex);

    // The pending values start again from the saved ones; filling the boxes must not
    // replace the saved country with whatever the Country box last showed.
    const PlaceStrings& saved = settings_.SaveLocation;
    fillCountryList();
    StateBox2Select(stateIndex);

    PlaceNameEd->setText(saved.PlaceName);
    NorthSouthComboBox->setCurrentIndex(settings_.Latitude >= 0 ? kNorth : kSouth);
    EastWestComboBox->setCurrentIndex(settings_.Longitude >= 0 ? kEast : kWest);
    const Hms lat = HoursToHms(std::fabs(settings_.Latitude));
    LatDegreesLabel->setText(QString::number(lat.hours));
    LatMinutesLabel->setText(QString::number(lat.minutes));
    LatSecondsLabel->setText(QString::number(lat.seconds));
    const Hms lon = HoursToHms(std::fabs(settings_.Longitude));
    LonDegreesLabel->setText(QString::number(lon.hours));
    LonMinutesLabel->setText(QString::number(lon.minutes));
    LonSecondsLabel->setText(QString::number(lon.seconds));
    choice_.startFromSaved(settings_, coordinateTexts());
    const bool meters = settings_.DistanceUnits == QLatin1Char('M');
    FeetMeterBox->setCurrentIndex(meters ? kMeters : kFeet);
    showAltitude(AltitudeEditFromFeet(saved.Altitude, meters), saved.Altitude);
    ZipEd->setText(saved.ZipCode);
}

void LocationPage::fillCountryList() {
    if (!placeListLoaded() || bigList_->list().empty())
        return;
    const bool unitedStates = unitedStatesChosen();
    StateBox1->setVisible(unitedStates);
    StateBox1Label->setVisible(unitedStates);
    if (unitedStates)
        StateBox1Select();
    else
        showPlaceList(CountryPlaces(bigList_->list(), CountryBox->currentText().toStdString()));
}

bool LocationPage::unitedStatesChosen() const {
    return IsUnitedStates(CountryBox->currentText().toStdString());
}

bool LocationPage::showMeters() const {
    return FeetMeterBox->currentIndex() == kMeters;
}

void LocationPage::CountryBoxSelect() {
    if (!placeListLoaded() || bigList_->list().empty())
        return;
    choice_.chooseCountry(CountryBox->currentText());
    fillCountryList();
}

void LocationPage::StateBox1Select() {
    if (!placeListLoaded())
        return;
    const int index = StateBox1->currentIndex();
    if (index < 0 || index >= static_cast<int>(kStates.size())) {
        showPlaceList({});
        return;
    }
    showPlaceList(StatePlaces(bigList_->list(), kStates[static_cast<std::size_t>(index)].code));
}

void LocationPage::StateBox2Select(int stateIndex) {
    if (!placeListLoaded())
        return;
    forecastStateIndex_ = stateIndex;
    if (stateIndex >= 0 && stateIndex < static_cast<int>(kStates.size()))
        forecastCities_ =
            ForecastCities(bigList_->list(), kStates[static_cast<std::size_t>(stateIndex)].code);
    else
        forecastCities_.clear();
    emit forecastCitiesChanged();
}

void LocationPage::FindZipButClick() {
    if (!placeListLoaded()) {
        emit messageRequested(ToQString(kLoadFileMessage));
        return;
    }
    std::optional<ZipSearch> search = FindZip(bigList_->list(), ZipEd->text().toStdString());
    if (!search)
        return;
    // The country step for the United States, then the state of the code's line.
    CountryBox->setCurrentIndex(0);
    choice_.chooseCountry(CountryBox->currentText());
    StateBox1->setVisible(true);
    StateBox1Label->setVisible(true);
    StateBox1->setCurrentIndex(search->stateIndex);
    showPlaceList(std::move(search->places));
    if (search->selected < 0)
        return;
    {
        const QSignalBlocker block(PlaceListBox);
        PlaceListBox->setCurrentRow(search->selected);
    }
    PlaceListBox->scrollToItem(PlaceListBox->currentItem(), QAbstractItemView::PositionAtCenter);
    PlaceListBoxClick();
}

void LocationPage::PlaceListBoxClick() {
    if (!placeListLoaded())
        return;
    const int row = PlaceListBox->currentRow();
    if (row < 0 || row >= static_cast<int>(placeShadow_.size()))
        return;
    pickLine(bigList_->list().line(placeShadow_[static_cast<std::size_t>(row)].line));
}

void LocationPage::pickLine(std::string_view line) {
    const PickedPlace pick = PickPlace(line, unitedStatesChosen());
    WeatherStationCodeEd2->setText(ToQString(pick.stationCode));
    LatDegreesLabel->setText(ToQString(pick.latitude.degrees));
    LatMinutesLabel->setText(ToQString(pick.latitude.minutes));
    LatSecondsLabel->setText(ToQString(pick.latitude.seconds));
    NorthSouthComboBox->setCurrentIndex(pick.south ? kSouth : kNorth);
    LonDegreesLabel->setText(ToQString(pick.longitude.degrees));
    LonMinutesLabel->setText(ToQString(pick.longitude.minutes));
    LonSecondsLabel->setText(ToQString(pick.longitude.seconds));
    EastWestComboBox->setCurrentIndex(pick.east ? kEast : kWest);

    choice_.pick(pick);
    if (pick.zipEdit)
        ZipEd->setText(ToQString(*pick.zipEdit));
    PlaceNameEd->setText(choice_.pending().placeName);

    const std::optional<double> metres = pick.elevationMetres
                                             ? pick.elevationMetres
                                             : StationElevation(bigList_->list(), pick.stationCode);
    if (metres) {
        choice_.setPendingAltitude(FeetFromMetres(*metres));
        showAltitude(ToQString(AltitudeEditText(*metres, showMeters())),
                     choice_.pending().altitudeFeet);
    } else {
        AltitudeEd->clear();
    }

    if (pick.needsClosestStation)
        FindClosest();
    else
        WeatherStationNameEd2->setText(choice_.pending().placeName);

    const LocationChoice::Distances distances = choice_.placedAt(GetLatLon(), settings_);
    if (distances.fromSaved)
        DistanceLab1->setText(*distances.fromSaved);
    if (distances.fromPrevious)
        DistanceLab2->setText(*distances.fromPrevious);
    emit mapLocationChanged(choice_.mapLocation());
}

void LocationPage::showAltitude(const QString& text, int feet) {
    AltitudeEd->setText(text);
    choice_.showAltitude(text, showMeters(), feet);
}

void LocationPage::FindClosest() {
    if (!placeListLoaded())
        return;
    const std::optional<LatLon> from = GetLatLon();
    if (!from)
        return;
    // With no station in reach the edits keep what they show rather than go blank.
    const std::optional<std::size_t> best = skelvane::FindClosest(bigList_->list(), *from);
    if (!best)
        return;
    const std::string_view line = bigList_->list().line(*best);
    const StationEdits station = ClosestStationEdits(line, unitedStatesChosen());
    WeatherStationNameEd2->setText(ToQString(station.name));
    WeatherStationCodeEd2->setText(ToQString(station.code));
    if (AltitudeEd->text().isEmpty()) {
        if (const std::optional<double> metres = ElevationMetres(line)) {
            choice_.setPendingAltitude(FeetFromMetres(*metres));
            showAltitude(ToQString(AltitudeEditText(*metres, showMeters())),
                         choice_.pending().altitudeFeet);
        }
    }
}

std::optional<LocationPage::ForecastCityFields> LocationPage::forecastCityFields(int index) const {
    if (!placeListLoaded() || index < 0 || index >= static_cast<int>(forecastCities_.size()))
        return std::nullopt;
    const std::size_t line = forecastCities_[static_cast<std::size_t>(index)].line;
    if (line >= bigList_->list().size())
        return std::nullopt;
    const std::string_view text = bigList_->list().line(line);
    return ForecastCityFields{std::string(PlaceField(text, 2)), std::string(PlaceField(text, 8))};
}

QString LocationPage::stationCodeText() const {
    return WeatherStationCodeEd2->text();
}

CoordinateEditTexts LocationPage::coordinateEdits() const {
    return {LatDegreesLabel->text(), LatMinutesLabel->text(),
            LatSecondsLabel->text(), NorthSouthComboBox->currentIndex() == kSouth,
            LonDegreesLabel->text(), LonMinutesLabel->text(),
            LonSecondsLabel->text(), EastWestComboBox->currentIndex() == kWest};
}

QStringList LocationPage::coordinateTexts() const {
    return {LatDegreesLabel->text(), LatMinutesLabel->text(),
            LatSecondsLabel->text(), NorthSouthComboBox->currentText(),
            LonDegreesLabel->text(), LonMinutesLabel->text(),
            LonSecondsLabel->text(), EastWestComboBox->currentText()};
}

std::optional<LatLon> LocationPage::GetLatLon() const {
    LatLonEdits edits;
    edits.latDegrees = LatDegreesLabel->text().toStdString();
    edits.latMinutes = LatMinutesLabel->text().toStdString();
    edits.latSeconds = LatSecondsLabel->text().toStdString();
    edits.south = NorthSouthComboBox->currentIndex() == kSouth;
    edits.lonDegrees = LonDegreesLabel->text().toStdString();
    edits.lonMinutes = LonMinutesLabel->text().toStdString();
    edits.lonSeconds = LonSecondsLabel->text().toStdString();
    edits.west = EastWestComboBox->currentIndex() == kWest;
    return skelvane::GetLatLon(edits);
}

void LocationPage::SetLatitudeDisplay(const QString& coordinate) {
    const std::string text = coordinate.toStdString();
    const CoordinateParts parts = SplitCoordinateField(text);
    LatDegreesLabel->setText(ToQString(parts.degrees));
    LatMinutesLabel->setText(ToQString(parts.minutes));
    LatSecondsLabel->setText(ToQString(parts.seconds));
    NorthSouthComboBox->setCurrentIndex(CoordinateIsSouth(text) ? kSouth : kNorth);
}

void LocationPage::SetLongitudeDisplay(const QString& coordinate) {
    const std::string text = coordinate.toStdString();
    const CoordinateParts parts = SplitCoordinateField(text);
    LonDegreesLabel->setText(ToQString(parts.degrees));
    LonMinutesLabel->setText(ToQString(parts.minutes));
    LonSecondsLabel->setText(ToQString(parts.seconds));
    EastWestComboBox->setCurrentIndex(CoordinateIsEast(text) ? kEast : kWest);
}

void LocationPage::SaveOrUpdateLocation() {
    LocationChoice::Edits edits;
    edits.coordinateTexts = coordinateTexts();
    edits.coordinates = GetLatLon();
    edits.placeName = PlaceNameEd->text();
    edits.zip = ZipEd->text();
    edits.altitudeText = AltitudeEd->text();
    edits.meters = showMeters();
    choice_.save(edits, settings_);
    writeStore();
    emit locationSaved();
}

void LocationPage::saveStationValues() {
    // A blank code (a place whose station search found nothing) is no station: the saved
    // one stays rather than leave the temperature without a source.
    const QString code = WeatherStationCodeEd2->text().trimmed().toUpper().left(4);
    if (!code.isEmpty()) {
        const QString name = CutPlaceText(WeatherStationNameEd2->text());
        settings_.WeatherStationCode = code;
        settings_.LoadedWeatherStationCode = code;
        settings_.WeatherStationName = name;
        settings_.LoadedWeatherStationName = name;
    }
    if (StateBox1->currentIndex() >= 0)
        settings_.StateBoxItemIndex = StateBox1->currentIndex();
    if (CountryBox->currentIndex() >= 0)
        settings_.CountryBoxItemIndex = CountryBox->currentIndex();
}

void LocationPage::SaveWeatherStation(bool persist) {
    saveStationValues();
    if (!persist)
        return;
    writeStore();
    emit locationSaved();
}

void LocationPage::SaveAllButClick() {
    SaveWeatherStation(false);
    SaveOrUpdateLocation();
}

void LocationPage::showWeatherReport(const QStringList& lines, const QString& code,
                                     const QString& name) {
    weatherGroup_->showReport(lines);
    WeatherStationCodeEd2->setText(code);
    WeatherStationNameEd2->setText(name);
}

void LocationPage::ResetButClick() {
    FormShow();
}

void LocationPage::CloseButClick() {
    FormShow();
    emit closeRequested();
}

bool LocationPage::writeStore() {
    // Written at once even with "Save Settings On Exit" off: a chosen place must survive.
    return store_.ForcedSave(settings_);
}

} // namespace skelvane
