#include "infowin/settings2_page.h"

#include "app/settings.h"
#include "infowin/page_services.h"
#include "infowin/schedule_box.h"
#include "infowin/time_servers.h"
#include "net/decode/server_addresses.h"
#include "widgets/platform_colours.h"
#include "widgets/widget_factories.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cstdint>

namespace skelvane {

namespace {

constexpr qsizetype kMaxTextLength = 128;

// A platform colour number from red, green and blue (red in the low byte).
constexpr int Rgb(int r, int g, int b) {
    return r | (g << 8) | (b << 16);
}

struct NamedColor {
    const char* name;
    int number;
};

// The sixteen standard colours and the button face the tray background starts with.
const NamedColor kColors[] = {
    {"Black", Rgb(0, 0, 0)},
    {"Maroon", Rgb(128, 0, 0)},
    {"Green", Rgb(0, 128, 0)},
    {"Olive", Rgb(128, 128, 0)},
    {"Navy", Rgb(0, 0, 128)},
    {"Purple", Rgb(128, 0, 128)},
    {"Teal", Rgb(0, 128, 128)},
    {"Gray", Rgb(128, 128, 128)},
    {"Silver", Rgb(192, 192, 192)},
    {"Red", Rgb(255, 0, 0)},
    {"Lime", Rgb(0, 255, 0)},
    {"Yellow", Rgb(255, 255, 0)},
    {"Blue", Rgb(0, 0, 255)},
    {"Fuchsia", Rgb(255, 0, 255)},
    {"Aqua", Rgb(0, 255, 255)},
    {"White", Rgb(255, 255, 255)},
    {"Button Face", static_cast<std::int32_t>(0xFF00000Fu)},
};

QIcon Swatch(int colour) {
    QPixmap pixmap(16, 12);
    pixmap.fill(ColorFromPlatformNumber(colour));
    return QIcon(pixmap);
}

} // namespace

std::optional<QString> WeatherServerFromText(const QString& text) {
    if (text.size() <= 5 || !text.contains(u'.'))
        return std::nullopt;
    return text.left(kMaxTextLength);
}

std::optional<QString> HostSettingFromText(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.size() > kMaxTextLength || !IsValidHostSetting(trimmed.toStdString()))
        return std::nullopt;
    return trimmed;
}

std::optional<QString> RadarServerFromText(const QString& text) {
    return HostSettingFromText(text);
}

std::optional<QString> SatelliteServerFromText(const QString& text) {
    return HostSettingFromText(text);
}

std::optional<int> ProxyPortFromText(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return 0;
    bool ok = false;
    const int port = trimmed.toInt(&ok);
    if (!ok || port < 0 || port > 65535)
        return std::nullopt;
    return port;
}

Settings2Page::Settings2Page(Settings& settings, ClockWindowLink& clockWindow,
                             QList<QAction*> settingsToggles, QWidget* parent)
    : QWidget(parent), settings_(settings), clockWindow_(clockWindow),
      settingsToggles_(std::move(settingsToggles)) {
    setObjectName(QStringLiteral("SettingsSheet2"));
    auto* left = new QVBoxLayout;
    left->setSpacing(6);
    left->addWidget(buildWeatherGroup());
    left->addWidget(buildSatelliteGroup());
    left->addWidget(buildProxyGroup());
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(buildSettingsGroup());
    right->addStretch(1);
    auto* columns = new QHBoxLayout(this);
    columns->setContentsMargins(4, 4, 4, 4);
    columns->setSpacing(6);
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);

    connect(&clockWindow_, &ClockWindowLink::trayIconGroupChanged, this, [this](int choice) {
        const QSignalBlocker blocker(trayGroup_);
        if (QAbstractButton* button = trayGroup_->button(choice))
            button->setChecked(true);
    });
}

QGroupBox* Settings2Page::buildWeatherGroup() {
    auto* group = new QGroupBox(QStringLiteral(" Internet Weather Server "), this);
    group->setObjectName(QStringLiteral("WeatherServerGroup"));

    WeatherServerComboBox = new QComboBox(group);
    WeatherServerComboBox->setObjectName(QStringLiteral("WeatherServerComboBox"));
    WeatherServerComboBox->setEditable(true);
    WeatherServerComboBox->setInsertPolicy(QComboBox::NoInsert);
    WeatherServerComboBox->addItems(WeatherServerHosts());
    WeatherServerComboBox->setEditText(settings_.WeatherServer);
    connect(WeatherServerComboBox, &QComboBox::editTextChanged, this,
            &Settings2Page::WeatherServerComboBoxChange);

    auto* onStartup = new QCheckBox(QStringLiteral("Update Weather on Startup"), group);
    onStartup->setObjectName(QStringLiteral("UpdateWeatherOnStartup"));
    onStartup->setChecked(settings_.UpdateWeatherOnStartup);
    connect(onStartup, &QCheckBox::toggled, this,
            [this](bool on) { settings_.UpdateWeatherOnStartup = on; });
    UpdateWeatherPerScheduleBox =
        new ScheduleBox(settings_.UpdateWeatherPerSchedule, settings_.UpdateWeatherMinutes, group);
    UpdateWeatherPerScheduleBox->setObjectName(QStringLiteral("UpdateWeatherPerScheduleBox"));
    UpdateWeatherPerScheduleBox->minutesBox()->setObjectName(
        QStringLiteral("UpdateWeatherMinutesEd"));

    auto* units = new QGroupBox(QStringLiteral(" Temperature Units: "), group);
    units->setObjectName(QStringLiteral("TemperatureUnitsGroup"));
    FahrenheitRadio = new QRadioButton(QStringLiteral("Fahrenheit"), units);
    FahrenheitRadio->setObjectName(QStringLiteral("FahrenheitRadio"));
    CelsiusRadio = new QRadioButton(QStringLiteral("Celsius"), units);
    CelsiusRadio->setObjectName(QStringLiteral("CelsiusRadio"));
    auto* unitsRow = new QHBoxLayout(units);
    unitsRow->addWidget(FahrenheitRadio);
    unitsRow->addWidget(CelsiusRadio);
    unitsRow->addStretch(1);
    showTemperatureUnits();
    connect(CelsiusRadio, &QRadioButton::toggled, this, [this](bool celsius) {
        settings_.TemperatureUnits = celsius ? u'C' : u'F';
        emit temperatureUnitsChanged();
    });

    auto* grid = new QGridLayout(group);
    grid->addWidget(NamedLabel(group, QString(), QStringLiteral("Server:")), 0, 0);
    grid->addWidget(WeatherServerComboBox, 0, 1);
    grid->addWidget(onStartup, 1, 0, 1, 2);
    grid->addWidget(UpdateWeatherPerScheduleBox, 2, 0, 1, 2);
    grid->addWidget(units, 3, 0, 1, 2);
    addRadarServerRows(group, grid, 4);
    grid->setColumnStretch(1, 1);
    return group;
}

void Settings2Page::addRadarServerRows(QWidget* group, QGridLayout* grid, int firstRow) {
    // The radar pictures' servers, tried in this order for a site's frame lists.
    const struct {
        const char* name;
        const char* caption;
        QString Settings::*setting;
    } rows[] = {
        {"RadarServerEd", "Radar Server:", &Settings::RadarServer},
        {"RadarServerAlternative1Ed", "Radar Alt. 1:", &Settings::RadarServerAlternative1},
        {"RadarServerAlternative2Ed", "Radar Alt. 2:", &Settings::RadarServerAlternative2},
    };
    int row = firstRow;
    for (const auto& entry : rows) {
        auto* edit = new QLineEdit(settings_.*entry.setting, group);
        edit->setObjectName(QLatin1String(entry.name));
        edit->setMaxLength(kMaxTextLength);
        const auto setting = entry.setting;
        connect(edit, &QLineEdit::textChanged, this, [this, setting](const QString& text) {
            if (const std::optional<QString> host = RadarServerFromText(text))
                settings_.*setting = *host;
        });
        grid->addWidget(NamedLabel(group, QString(), QLatin1String(entry.caption)), row, 0);
        grid->addWidget(edit, row, 1);
        ++row;
    }
}

QGroupBox* Settings2Page::buildSatelliteGroup() {
    auto* group = new QGroupBox(QStringLiteral(" Satellite Image Server "), this);
    group->setObjectName(QStringLiteral("SatelliteServerGroup"));
    SatelliteServerEd = new QLineEdit(settings_.SatelliteServer, group);
    SatelliteServerEd->setObjectName(QStringLiteral("SatelliteServerEd"));
    SatelliteServerEd->setMaxLength(kMaxTextLength);
    SatelliteServerEd->setToolTip(
        QStringLiteral("The server of the Satellite page's pictures, movies and loops: a host "
                       "name or address, with :port when it needs one"));
    // A text that is no host name (while it is typed, say) keeps the stored server.
    connect(SatelliteServerEd, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (const std::optional<QString> server = SatelliteServerFromText(text))
            settings_.SatelliteServer = *server;
    });
    auto* grid = new QGridLayout(group);
    grid->addWidget(NamedLabel(group, QString(), QStringLiteral("Server:")), 0, 0);
    grid->addWidget(SatelliteServerEd, 0, 1);
    grid->setColumnStretch(1, 1);
    return group;
}

QGroupBox* Settings2Page::buildProxyGroup() {
    auto* group = new QGroupBox(QStringLiteral(" Proxy Server for Weather "), this);
    group->setObjectName(QStringLiteral("ProxyGroup"));
    QLabel* note = NamedLabel(group, QString(),
                              QStringLiteral("Proxy Server NOT required on most computers."));
    QFont bold = note->font();
    bold.setBold(true);
    note->setFont(bold);

    UseProxyServerBox = new QCheckBox(QStringLiteral("Use Proxy Server"), group);
    UseProxyServerBox->setObjectName(QStringLiteral("UseProxyServerBox"));
    UseProxyServerBox->setChecked(settings_.UseProxyServer);
    connect(UseProxyServerBox, &QCheckBox::toggled, this, &Settings2Page::UseProxyServerBoxClick);

    auto makeEdit = [group](const char* name, const QString& text) {
        auto* edit = new QLineEdit(text, group);
        edit->setObjectName(QLatin1String(name));
        edit->setMaxLength(kMaxTextLength);
        return edit;
    };
    ProxyServerEd = makeEdit("ProxyServerEd", settings_.ProxyServer);
    ProxyServerPortEd = makeEdit("ProxyServerPortEd", QString::number(settings_.ProxyPort));
    ProxyUserNameEd = makeEdit("ProxyUserNameEd", settings_.ProxyUserName);
    ProxyPasswordEd = makeEdit("ProxyPasswordEd", settings_.ProxyPassword);
    ProxyPasswordEd->setEchoMode(QLineEdit::Password);
    ProxyPasswordEd->setStyleSheet(QStringLiteral("lineedit-password-character: 42;")); // "*"
    connect(ProxyServerEd, &QLineEdit::textChanged, this,
            [this](const QString& text) { settings_.ProxyServer = text.left(kMaxTextLength); });
    connect(ProxyServerPortEd, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (const std::optional<int> port = ProxyPortFromText(text))
            settings_.ProxyPort = *port;
    });
    connect(ProxyUserNameEd, &QLineEdit::textChanged, this,
            [this](const QString& text) { settings_.ProxyUserName = text.left(kMaxTextLength); });
    connect(ProxyPasswordEd, &QLineEdit::textChanged, this,
            [this](const QString& text) { settings_.ProxyPassword = text.left(kMaxTextLength); });
    UseProxyServerBoxClick(settings_.UseProxyServer);

    QLabel* explanation =
        NamedLabel(group, QString(),
                   QStringLiteral("Only a network that reaches the internet through a proxy server "
                                  "needs one. The weather, radar and satellite downloads then go "
                                  "through it. The network's administrator can tell you its name "
                                  "or address, its port and, where it asks for them, your user "
                                  "name and password."));
    explanation->setWordWrap(true);

    auto* grid = new QGridLayout(group);
    grid->setVerticalSpacing(4);
    grid->addWidget(note, 0, 0, 1, 2);
    grid->addWidget(UseProxyServerBox, 1, 0, 1, 2);
    grid->addWidget(
        NamedLabel(group, QString(), QStringLiteral("Proxy Server DNS Name or IP Address:")), 2, 0,
        1, 2);
    grid->addWidget(ProxyServerEd, 3, 0, 1, 2);
    grid->addWidget(NamedLabel(group, QString(), QStringLiteral("Proxy Server Port Number:")), 4,
                    0);
    grid->addWidget(ProxyServerPortEd, 4, 1);
    grid->addWidget(NamedLabel(group, QString(), QStringLiteral("Proxy User Name:")), 5, 0);
    grid->addWidget(ProxyUserNameEd, 5, 1);
    grid->addWidget(NamedLabel(group, QString(), QStringLiteral("Proxy Password:")), 6, 0);
    grid->addWidget(ProxyPasswordEd, 6, 1);
    grid->addWidget(explanation, 7, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    return group;
}

QCheckBox* Settings2Page::makeActionBox(QWidget* parent, QAction* action) {
    auto* box = new QCheckBox(action->text(), parent);
    box->setObjectName(action->objectName() + QStringLiteral("Box"));
    box->setToolTip(action->toolTip() == action->text() ? QString() : action->toolTip());
    box->setChecked(action->isChecked());
    box->setEnabled(action->isEnabled());
    // The box runs the action, whose handler flips the setting; the action's check mark is
    // what the box shows, whoever changed it.
    connect(box, &QCheckBox::clicked, action, [box, action] {
        action->trigger();
        box->setChecked(action->isChecked());
    });
    connect(action, &QAction::changed, box, [box, action] {
        box->setChecked(action->isChecked());
        box->setEnabled(action->isEnabled());
    });
    return box;
}

QComboBox* Settings2Page::makeColorBox(QWidget* parent, const QString& name) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    for (const NamedColor& colour : kColors)
        box->addItem(Swatch(colour.number), QLatin1String(colour.name), colour.number);
    connect(box, &QComboBox::currentIndexChanged, this, &Settings2Page::colorBoxChange);
    return box;
}

QGroupBox* Settings2Page::buildSettingsGroup() {
    auto* group = new QGroupBox(QStringLiteral(" Settings "), this);
    group->setObjectName(QStringLiteral("SettingsGroup"));
    auto* column = new QVBoxLayout(group);
    column->setSpacing(4);
    for (QAction* action : settingsToggles_)
        column->addWidget(makeActionBox(group, action));

    TrayIconGroup = new QGroupBox(QStringLiteral(" Tray Icon "), group);
    TrayIconGroup->setObjectName(QStringLiteral("TrayIconGroup"));
    trayGroup_ = new QButtonGroup(TrayIconGroup);
    auto* trayColumn = new QVBoxLayout(TrayIconGroup);
    trayColumn->setSpacing(2);
    const char* const trayChoices[] = {"Tray Icon Off", "Tray Temperature", "Tray Moon",
                                       "Tray Animation"};
    for (int i = 0; i < 4; ++i) {
        auto* radio = new QRadioButton(QLatin1String(trayChoices[i]), TrayIconGroup);
        radio->setObjectName(QStringLiteral("TrayIconGroupItem%1").arg(i));
        trayGroup_->addButton(radio, i);
        trayColumn->addWidget(radio);
    }
    if (QAbstractButton* current = trayGroup_->button(clockWindow_.trayIconGroup()))
        current->setChecked(true);
    connect(trayGroup_, &QButtonGroup::idClicked, this, &Settings2Page::TrayIconGroupClick);
    column->addSpacing(4);
    column->addWidget(TrayIconGroup);

    ForeColorBox = makeColorBox(group, QStringLiteral("ForeColorBox"));
    BackColorBox = makeColorBox(group, QStringLiteral("BackColorBox"));
    TrayBackTransparentBox = new QCheckBox(QStringLiteral("Tray Transparent Background"), group);
    TrayBackTransparentBox->setObjectName(QStringLiteral("TrayBackTransparentBox"));
    {
        const QSignalBlocker fore(ForeColorBox), back(BackColorBox);
        selectColor(ForeColorBox, settings_.TrayForeColor);
        selectColor(BackColorBox, settings_.TrayBackColor);
        TrayBackTransparentBox->setChecked(settings_.TrayBackTransparent);
    }
    connect(TrayBackTransparentBox, &QCheckBox::toggled, this, [this](bool on) {
        settings_.TrayBackTransparent = on;
        clockWindow_.RedrawTrayTemperature();
    });
    column->addSpacing(4);
    column->addWidget(NamedLabel(group, QString(), QStringLiteral("Tray Temperature Color")));
    column->addWidget(ForeColorBox);
    column->addWidget(NamedLabel(group, QString(), QStringLiteral("Tray Temperature Background")));
    column->addWidget(BackColorBox);
    column->addWidget(TrayBackTransparentBox);
    return group;
}

void Settings2Page::selectColor(QComboBox* box, int colour) {
    int index = box->findData(colour);
    if (index < 0) {
        // A colour outside the list (chosen elsewhere, or stored by an older version) is
        // offered as it is, so that showing the box never changes it.
        const QString custom = QStringLiteral("Custom");
        if (box->itemText(0) != custom)
            box->insertItem(0, custom);
        box->setItemIcon(0, Swatch(colour));
        box->setItemData(0, colour);
        index = 0;
    }
    box->setCurrentIndex(index);
}

void Settings2Page::colorBoxChange() {
    settings_.TrayForeColor = ForeColorBox->currentData().toInt();
    settings_.TrayBackColor = BackColorBox->currentData().toInt();
    clockWindow_.RedrawTrayTemperature();
}

void Settings2Page::showTemperatureUnits() {
    const QSignalBlocker fahrenheit(FahrenheitRadio), celsius(CelsiusRadio);
    (settings_.TemperatureUnits == u'C' ? CelsiusRadio : FahrenheitRadio)->setChecked(true);
}

void Settings2Page::FormShow() {
    clockWindow_.SetTrayIconType(settings_.TrayType);
    {
        const QSignalBlocker blocker(trayGroup_);
        if (QAbstractButton* current = trayGroup_->button(clockWindow_.trayIconGroup()))
            current->setChecked(true);
    }
    {
        const QSignalBlocker fore(ForeColorBox), back(BackColorBox),
            transparent(TrayBackTransparentBox);
        selectColor(ForeColorBox, settings_.TrayForeColor);
        selectColor(BackColorBox, settings_.TrayBackColor);
        TrayBackTransparentBox->setChecked(settings_.TrayBackTransparent);
    }
    showTemperatureUnits();
}

int Settings2Page::weatherMinutes() const {
    return UpdateWeatherPerScheduleBox->minutes();
}

void Settings2Page::WeatherServerComboBoxChange(const QString& text) {
    if (const std::optional<QString> server = WeatherServerFromText(text))
        settings_.WeatherServer = *server;
}

void Settings2Page::UseProxyServerBoxClick(bool checked) {
    settings_.UseProxyServer = checked;
    for (QLineEdit* edit : {ProxyServerEd, ProxyServerPortEd, ProxyUserNameEd, ProxyPasswordEd})
        edit->setEnabled(checked);
}

void Settings2Page::TrayIconGroupClick(int choice) {
    clockWindow_.TrayIconGroupClick(choice);
}

} // namespace skelvane
