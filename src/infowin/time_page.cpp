#include "infowin/time_page.h"

#include "app/settings.h"
#include "infowin/schedule_box.h"
#include "infowin/time_page_texts.h"
#include "infowin/time_servers.h"
#include "net/decode/web_links.h"
#include "platform/locale_formats.h"
#include "widgets/widget_factories.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace skelvane {

namespace {

const QColor kPanelColour(224, 255, 255); // light cyan
constexpr int kMaxServerLength = 128;

QChar DecimalSeparatorOf(const QLocale& locale) {
    const QString point = locale.decimalPoint();
    return point.isEmpty() ? QChar(u'.') : point.at(0);
}

// QLabel repaints on every setText; most panels change once a second at most.
void SetText(QLabel* label, const QString& text) {
    if (label->text() != text)
        label->setText(text);
}

} // namespace

TimePage::TimePage(Settings& settings, QWidget* parent)
    : QWidget(parent), settings_(settings), longDate_(LocaleDateFormatsFrom(locale()).longDate),
      names_(DateLocaleFrom(locale())) {
    setObjectName(QStringLiteral("TimeSheet"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->setSpacing(6);
    grid->addWidget(buildTimeNowGroup(), 0, 0);
    grid->addWidget(buildInternetTimeGroup(), 1, 0);
    grid->addWidget(buildWorldTimeGroup(), 0, 1, 2, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(2, 1);

    if (settings_.LastTimeStamp != 0)
        UpdateInternetTimeDisplay(true, settings_.LastTimeAdjust, settings_.LastTimeStamp);
}

QLabel* TimePage::makePanel(QWidget* parent, const QString& name) {
    QLabel* panel = NamedLabel(parent, name);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    panel->setAutoFillBackground(true);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, kPanelColour);
    palette.setColor(QPalette::WindowText, Qt::black);
    panel->setPalette(palette);
    panel->setMinimumHeight(panel->fontMetrics().height() + 6);
    return panel;
}

QCheckBox* TimePage::makeCheckBox(QWidget* parent, const QString& name, const QString& text,
                                  bool& setting) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(name);
    box->setChecked(setting);
    connect(box, &QCheckBox::toggled, this, [&setting](bool on) { setting = on; });
    return box;
}

QGroupBox* TimePage::buildTimeNowGroup() {
    auto* group = new QGroupBox(QStringLiteral(" Time Now "), this);
    group->setObjectName(QStringLiteral("TimeNowGroup"));
    LocTimeLabel = NamedLabel(group, QStringLiteral("LocTimeLabel"));
    LocTimePanel = makePanel(group, QStringLiteral("LocTimePanel"));
    UTCTimeLabel = NamedLabel(group, QStringLiteral("UTCTimeLabel"),
                              QStringLiteral(" Greenwich Time (GMT = UTC)"));
    UTCTimePanel = makePanel(group, QStringLiteral("UTCTimePanel"));
    SiderealTimeLabel = NamedLabel(group, QStringLiteral("SiderealTimeLabel"),
                                   QStringLiteral(" Local Apparent Sidereal Time"));
    SiderealTimePanel = makePanel(group, QStringLiteral("SiderealTimePanel"));
    JulianDateLabel =
        NamedLabel(group, QStringLiteral("JulianDateLabel"), QStringLiteral(" Julian Date"));
    JulianDatePanel = makePanel(group, QStringLiteral("JulianDatePanel"));

    auto* column = new QVBoxLayout(group);
    column->setSpacing(2);
    const std::pair<QLabel*, QLabel*> rows[] = {{LocTimeLabel, LocTimePanel},
                                                {UTCTimeLabel, UTCTimePanel},
                                                {SiderealTimeLabel, SiderealTimePanel},
                                                {JulianDateLabel, JulianDatePanel}};
    for (const auto& [label, panel] : rows) {
        column->addWidget(label);
        column->addWidget(panel);
        column->addSpacing(4);
    }
    return group;
}

QGroupBox* TimePage::buildWorldTimeGroup() {
    auto* group = new QGroupBox(QStringLiteral(" World Time "), this);
    group->setObjectName(QStringLiteral("WorldTimeGroup"));
    auto* column = new QVBoxLayout(group);
    column->setSpacing(2);
    for (std::size_t i = 0; i < kWorldCityCount; ++i) {
        const WorldCity& city = WorldCities()[i];
        column->addWidget(NamedLabel(group, QStringLiteral("CityLabel%1").arg(i + 1),
                                     QStringLiteral(" ") + QLatin1String(city.name)));
        cityPanels_[i] = makePanel(group, QLatin1String(city.panelName));
        column->addWidget(cityPanels_[i]);
        column->addSpacing(4);
    }
    auto* worldClock = new QPushButton(QStringLiteral("World Clock"), group);
    worldClock->setObjectName(QStringLiteral("WorldClockBut"));
    worldClock->setToolTip(QStringLiteral("Go to World Clock"));
    worldClock->setAutoDefault(false);
    connect(worldClock, &QPushButton::clicked, this,
            [this] { emit worldClockRequested(WorldClockAddress()); });
    column->addSpacing(6);
    column->addWidget(worldClock, 0, Qt::AlignLeft);
    column->addStretch(1);
    return group;
}

QGroupBox* TimePage::buildInternetTimeGroup() {
    auto* group = new QGroupBox(QStringLiteral(" Internet Time Server "), this);
    group->setObjectName(QStringLiteral("InternetTimeGroup"));

    TimeServerBox = new QComboBox(group);
    TimeServerBox->setObjectName(QStringLiteral("TimeServerBox"));
    TimeServerBox->setEditable(true);
    TimeServerBox->setInsertPolicy(QComboBox::NoInsert);
    TimeServerBox->setMaxVisibleItems(40);
    TimeServerBox->addItems(TimeServerHosts());
    TimeServerBox->lineEdit()->setMaxLength(kMaxServerLength);
    TimeServerBox->setEditText(settings_.TimeServer);

    TimeStampEd = new QLineEdit(group);
    TimeStampEd->setObjectName(QStringLiteral("TimeStampEd"));
    TimeStampEd->setReadOnly(true);
    AdjustLab = NamedLabel(group, QStringLiteral("AdjustLab"));

    GetInternetTimeBut = new QPushButton(QStringLiteral("Get Time"), group);
    GetInternetTimeBut->setObjectName(QStringLiteral("GetInternetTimeBut"));
    GetInternetTimeBut->setToolTip(QStringLiteral("Get Time from Internet"));
    GetInternetTimeBut->setDefault(true);
    connect(GetInternetTimeBut, &QPushButton::clicked, this, &TimePage::synchroniseRequested);
    // A server picked from the list is ready to be asked; Enter in the box asks it.
    connect(TimeServerBox, &QComboBox::activated, GetInternetTimeBut,
            qOverload<>(&QWidget::setFocus));
    TimeServerBox->lineEdit()->installEventFilter(this);

    QCheckBox* updateClock = makeCheckBox(group, QStringLiteral("UpdateClock"),
                                          QStringLiteral("Update PC Clock"), settings_.UpdateClock);
    QCheckBox* onStartup =
        makeCheckBox(group, QStringLiteral("UpdateClockOnStartup"),
                     QStringLiteral("Update PC Clock on Startup"), settings_.UpdateClockOnStartup);
    UpdateClockPerScheduleBox =
        new ScheduleBox(settings_.UpdateClockPerSchedule, settings_.UpdateClockMinutes, group);
    UpdateClockPerScheduleBox->setObjectName(QStringLiteral("UpdateClockPerScheduleBox"));
    UpdateClockPerScheduleBox->minutesBox()->setObjectName(QStringLiteral("UpdateClockMinutesEd"));

    auto* grid = new QGridLayout(group);
    grid->setVerticalSpacing(6);
    grid->addWidget(
        NamedLabel(group, QStringLiteral("TimeServerLabel"), QStringLiteral("Time Server:")), 0, 0);
    grid->addWidget(TimeServerBox, 0, 1);
    grid->addWidget(
        NamedLabel(group, QStringLiteral("TimeStampLabel"), QStringLiteral("TimeStamp:")), 1, 0);
    grid->addWidget(TimeStampEd, 1, 1);
    grid->addWidget(AdjustLab, 2, 0, 1, 2);
    grid->addWidget(GetInternetTimeBut, 3, 0, 1, 2, Qt::AlignLeft);
    grid->addWidget(updateClock, 4, 0, 1, 2);
    grid->addWidget(onStartup, 5, 0, 1, 2);
    grid->addWidget(UpdateClockPerScheduleBox, 6, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    return group;
}

bool TimePage::eventFilter(QObject* watched, QEvent* event) {
    // Enter in the server box presses "Get Time". Taken here, because the line edit passes
    // the key on and the combo box hands it back to the line edit, which would report
    // returnPressed twice and ask the server twice.
    if (watched == TimeServerBox->lineEdit() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            GetInternetTimeBut->click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TimePage::setDateFormat(std::string longDate, DateLocale names) {
    longDate_ = std::move(longDate);
    names_ = std::move(names);
}

void TimePage::refreshTimePage(DateTime local, DateTime utc, const QString& zoneName,
                               const std::string& timeFormat) {
    SetText(LocTimePanel, ClockPanelText(local, timeFormat, longDate_, names_));
    SetText(UTCTimePanel, ClockPanelText(utc, timeFormat, longDate_, names_));
    SetText(SiderealTimePanel, SiderealPanelText(utc, settings_.Longitude));
    SetText(JulianDatePanel, JulianDatePanelText(utc, DecimalSeparatorOf(locale())));
    SetText(LocTimeLabel, QStringLiteral(" ") + zoneName);
    for (std::size_t i = 0; i < kWorldCityCount; ++i)
        SetText(cityPanels_[i],
                ClockPanelText(WorldCityTime(i, utc), timeFormat, longDate_, names_));
}

QString TimePage::localTimePanelText() const {
    return LocTimePanel->text();
}

QString TimePage::greenwichTimePanelText() const {
    return UTCTimePanel->text();
}

QString TimePage::siderealTimeText() const {
    return SiderealTimePanel->text();
}

QString TimePage::timeServerText() const {
    return TimeServerSetting(TimeServerBox->currentText());
}

void TimePage::UpdateInternetTimeDisplay(bool clockSet, double offsetDays, DateTime time) {
    TimeStampEd->setText(LocaleDateTimeText(locale(), time));
    AdjustLab->setText(TimeAdjustText(clockSet, offsetDays, DecimalSeparatorOf(locale())));
}

void TimePage::showClockNotSet(const QString& reason) {
    AdjustLab->setText(QStringLiteral("PC Clock not set:  ") + reason);
}

QUrl TimePage::WorldClockAddress() {
    return QUrl(QString::fromStdString(skelvane::WorldClockAddress()));
}

} // namespace skelvane
