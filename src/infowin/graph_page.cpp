#include "infowin/graph_page.h"

#include "app/settings.h"
#include "platform/clock.h"
#include "widgets/widget_factories.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

namespace skelvane {

namespace {

// The engine's years: the Sun's position is defined for 1600..3999.
constexpr int kFirstGraphYear = 1600;
constexpr int kLastGraphYear = 3999;

// A bar of the legend in the colour of day or night (wider than high, so that it does not
// pass for a check box).
QLabel* Swatch(QWidget* parent, const QColor& colour) {
    QPixmap pixmap(28, 12);
    pixmap.fill(colour);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, 27, 11);
    auto* label = new QLabel(parent);
    label->setPixmap(pixmap);
    return label;
}

} // namespace

SunGraphPaintBox::SunGraphPaintBox(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PaintBox"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
}

void SunGraphPaintBox::setImage(const QImage& image) {
    image_ = image;
    setFixedSize(image.size());
    update();
}

void SunGraphPaintBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (image_.isNull())
        painter.fillRect(rect(), palette().color(QPalette::Window));
    else
        painter.drawImage(0, 0, image_);
}

void SunGraphPaintBox::mousePressEvent(QMouseEvent* event) {
    emit pressed(event->position().toPoint(), event->button());
    event->accept();
}

GraphPage::GraphPage(Settings& settings, const Clock& clock, QWidget* parent)
    : QWidget(parent), settings_(settings), clock_(clock) {
    setObjectName(QStringLiteral("GraphSheet"));

    GraphGroupBox = new QGroupBox(this);
    GraphGroupBox->setObjectName(QStringLiteral("GraphGroupBox"));
    PaintBox = new SunGraphPaintBox(GraphGroupBox);
    auto* groupLayout = new QVBoxLayout(GraphGroupBox);
    groupLayout->setContentsMargins(4, 4, 4, 4);
    groupLayout->addWidget(PaintBox, 0, Qt::AlignLeft | Qt::AlignTop);
    connect(PaintBox, &SunGraphPaintBox::pressed, this, &GraphPage::PaintBoxMouseDown);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(6);
    layout->addWidget(GraphGroupBox, 0, Qt::AlignTop);
    layout->addWidget(buildSidePanel(), 1);

    drawnDay_ = DateOf(clock_.nowLocal());
    setGroupCaption(GraphDayCaption(drawnDay_, names_));
    DrawGraph();
}

QWidget* GraphPage::buildSidePanel() {
    auto* panel = new QWidget(this);
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(6);

    GraphSunGroupBox = new QGroupBox(panel);
    GraphSunGroupBox->setObjectName(QStringLiteral("GraphSunGroupBox"));
    auto* sun = new QVBoxLayout(GraphSunGroupBox);
    sun->setSpacing(2);
    GraphSunRiseLab1 = NamedLabel(GraphSunGroupBox, QStringLiteral("GraphSunRiseLab1"));
    GraphSunRiseLab2 = NamedLabel(GraphSunGroupBox, QStringLiteral("GraphSunRiseLab2"));
    GraphSunRiseLab3 = NamedLabel(GraphSunGroupBox, QStringLiteral("GraphSunRiseLab3"));
    GraphSunSetLab1 = NamedLabel(GraphSunGroupBox, QStringLiteral("GraphSunSetLab1"));
    GraphSunSetLab2 = NamedLabel(GraphSunGroupBox, QStringLiteral("GraphSunSetLab2"));
    GraphSunSetLab3 = NamedLabel(GraphSunGroupBox, QStringLiteral("GraphSunSetLab3"));
    GraphDayHoursLab = NamedLabel(GraphSunGroupBox, QStringLiteral("GraphDayHoursLab"));
    for (QLabel* label : {GraphSunRiseLab1, GraphSunSetLab1, GraphDayHoursLab}) {
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
    }
    for (QLabel* label : {GraphSunRiseLab1, GraphSunRiseLab2, GraphSunRiseLab3})
        sun->addWidget(label);
    sun->addSpacing(6);
    for (QLabel* label : {GraphSunSetLab1, GraphSunSetLab2, GraphSunSetLab3})
        sun->addWidget(label);
    sun->addSpacing(6);
    sun->addWidget(GraphDayHoursLab);
    column->addWidget(GraphSunGroupBox);

    TimePositionBox = new QGroupBox(QStringLiteral(" Graph "), panel);
    TimePositionBox->setObjectName(QStringLiteral("TimePositionBox"));
    auto* radios = new QHBoxLayout(TimePositionBox);
    TimeRadio = new QRadioButton(QStringLiteral("Time"), TimePositionBox);
    TimeRadio->setObjectName(QStringLiteral("TimeRadio"));
    PositionRadio = new QRadioButton(QStringLiteral("Position"), TimePositionBox);
    PositionRadio->setObjectName(QStringLiteral("PositionRadio"));
    radios->addWidget(TimeRadio);
    radios->addWidget(PositionRadio);
    (settings_.TimePositionBoxIndex == 1 ? PositionRadio : TimeRadio)->setChecked(true);
    column->addWidget(TimePositionBox);

    DaylightSavingBox = new QCheckBox(QStringLiteral("Daylight Saving"), panel);
    DaylightSavingBox->setObjectName(QStringLiteral("DaylightSavingBox"));
    DaylightSavingBox->setChecked(settings_.DaylightSavingBoxChecked);
    ShowDateLinesBox = new QCheckBox(QStringLiteral("Show Date Lines"), panel);
    ShowDateLinesBox->setObjectName(QStringLiteral("ShowDateLinesBox"));
    ShowDateLinesBox->setChecked(settings_.ShowDateLinesBoxChecked);
    column->addWidget(DaylightSavingBox);
    column->addWidget(ShowDateLinesBox);

    auto* legend = new QGridLayout;
    legend->setHorizontalSpacing(6);
    legend->addWidget(Swatch(panel, kGraphDayColor), 0, 0);
    auto* dayText = NamedLabel(panel, QStringLiteral("DayLegendLab"));
    dayText->setText(QStringLiteral("White area is day"));
    legend->addWidget(dayText, 0, 1);
    legend->addWidget(Swatch(panel, kGraphNightColor), 1, 0);
    auto* nightText = NamedLabel(panel, QStringLiteral("NightLegendLab"));
    nightText->setText(QStringLiteral("Gray area is night"));
    legend->addWidget(nightText, 1, 1);
    legend->setColumnStretch(1, 1);
    column->addLayout(legend);

    auto* seasons = new QGridLayout;
    seasons->setSpacing(3);
    const struct {
        const char* name;
        const char* caption;
        void (GraphPage::*handler)();
    } seasonButtons[4] = {
        {"MarEqBut", "Mar Equinox", &GraphPage::MarEqButClick},
        {"JunSolBut", "Jun Solstice", &GraphPage::JunSolButClick},
        {"SepEqBut", "Sep Equinox", &GraphPage::SepEqButClick},
        {"DecSolBut", "Dec Solstice", &GraphPage::DecSolButClick},
    };
    for (int i = 0; i < 4; ++i) {
        const auto& season = seasonButtons[i];
        QPushButton* button =
            NamedPushButton(panel, QLatin1String(season.name), QLatin1String(season.caption),
                            QStringLiteral("Go To ") + QLatin1String(season.caption));
        connect(button, &QPushButton::clicked, this, season.handler);
        seasonButs_[static_cast<std::size_t>(i)] = button;
        seasons->addWidget(button, i / 2, i % 2);
    }
    column->addLayout(seasons);

    auto* months = new QHBoxLayout;
    PrevMonthBut2 = new QToolButton(panel);
    PrevMonthBut2->setObjectName(QStringLiteral("PrevMonthBut2"));
    PrevMonthBut2->setArrowType(Qt::LeftArrow);
    PrevMonthBut2->setToolTip(QStringLiteral("Go to Last Month"));
    PrevMonthBut2->setAutoRepeat(true);
    NextMonthBut2 = new QToolButton(panel);
    NextMonthBut2->setObjectName(QStringLiteral("NextMonthBut2"));
    NextMonthBut2->setArrowType(Qt::RightArrow);
    NextMonthBut2->setToolTip(QStringLiteral("Go to Next Month"));
    NextMonthBut2->setAutoRepeat(true);
    auto* monthText = new QLabel(QStringLiteral("Month"), panel);
    months->addWidget(PrevMonthBut2);
    months->addWidget(monthText);
    months->addWidget(NextMonthBut2);
    months->addStretch(1);
    column->addLayout(months);
    connect(PrevMonthBut2, &QToolButton::clicked, this, &GraphPage::PrevMonthBut2Click);
    connect(NextMonthBut2, &QToolButton::clicked, this, &GraphPage::NextMonthBut2Click);

    auto* images = new QHBoxLayout;
    images->setSpacing(3);
    QPushButton* copy =
        NamedPushButton(panel, QStringLiteral("CopyGraphBut"), QStringLiteral("Copy"));
    QPushButton* save =
        NamedPushButton(panel, QStringLiteral("SaveGraphBut"), QStringLiteral("Save"));
    QPushButton* print =
        NamedPushButton(panel, QStringLiteral("PrintGraphBut"), QStringLiteral("Print"));
    images->addWidget(copy);
    images->addWidget(save);
    images->addWidget(print);
    column->addLayout(images);
    column->addStretch(1);
    connect(copy, &QPushButton::clicked, this, &GraphPage::copyImageRequested);
    connect(save, &QPushButton::clicked, this, &GraphPage::saveImageRequested);
    connect(print, &QPushButton::clicked, this, &GraphPage::printImageRequested);

    connect(TimeRadio, &QRadioButton::clicked, this, &GraphPage::TimePositionBoxClick);
    connect(PositionRadio, &QRadioButton::clicked, this, &GraphPage::TimePositionBoxClick);
    connect(DaylightSavingBox, &QCheckBox::clicked, this, &GraphPage::DaylightSavingBoxClick);
    connect(ShowDateLinesBox, &QCheckBox::clicked, this, &GraphPage::ShowDateLinesBoxClick);
    return panel;
}

SunGraphOptions GraphPage::currentOptions() const {
    SunGraphOptions options;
    options.mode = PositionRadio->isChecked() ? GraphMode::Position : GraphMode::Time;
    options.daylightSaving = DaylightSavingBox->isChecked();
    options.use24Hour = settings_.UseMilitaryTime;
    options.useLocalTime = settings_.UseLocalTime;
    options.latitude = settings_.Latitude;
    options.longitude = settings_.Longitude;
    options.altitudeFeet = settings_.Altitude;
    return options;
}

void GraphPage::setDate(DateTime localDay) {
    if (!std::isfinite(localDay))
        return;
    const int year = DecodeDate(localDay).year;
    if (year < kFirstGraphYear || year > kLastGraphYear)
        return;
    const DateTime day = DateOf(localDay);
    if (drawn_ && day == drawnDay_ && currentOptions() == drawnOptions_ &&
        settings_.PlaceName == drawnPlace_)
        return;
    drawnDay_ = day;
    DrawGraph();
}

void GraphPage::setGroupCaption(const QString& caption) {
    GraphSunGroupBox->setTitle(caption);
}

QString GraphPage::groupCaption() const {
    return GraphSunGroupBox->title();
}

void GraphPage::setDateNames(const DateLocale& names) {
    names_ = names;
    DrawGraph();
}

void GraphPage::DrawGraph() {
    const SunGraphOptions options = currentOptions();
    scene_ = BuildSunGraphScene(drawnDay_, clock_.nowUtc(), options, ShowDateLinesBox->isChecked(),
                                settings_.PlaceName, names_);
    GraphGroupBox->setTitle(scene_.caption);
    // The picture (a megabyte) is drawn only for a page someone sees; a hidden page draws it
    // when it shows, so the clock that runs all day does not keep it.
    imageStale_ = true;
    if (isVisible())
        renderImage();
    showSideLabels();
    drawn_ = true;
    drawnOptions_ = options;
    drawnPlace_ = settings_.PlaceName;
}

void GraphPage::showSideLabels() {
    const SunGraphSideTexts texts = SunGraphSideLabels(drawnDay_, scene_.options);
    GraphSunRiseLab1->setText(texts.riseLab1);
    GraphSunRiseLab2->setText(texts.riseLab2);
    GraphSunRiseLab3->setText(texts.riseLab3);
    GraphSunSetLab1->setText(texts.setLab1);
    GraphSunSetLab2->setText(texts.setLab2);
    GraphSunSetLab3->setText(texts.setLab3);
    GraphDayHoursLab->setText(texts.dayHoursLab);
}

void GraphPage::renderImage() {
    PaintBox->setImage(
        RenderSunGraph(scene_, GraphGroupBox->palette().color(QPalette::Window), PaintBox->font()));
    imageStale_ = false;
}

void GraphPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (imageStale_)
        renderImage();
}

QImage GraphPage::GetGraph() {
    DrawGraph();
    if (imageStale_)
        renderImage();
    return PaintBox->image();
}

void GraphPage::PaintBoxMouseDown(QPoint position, Qt::MouseButton button) {
    if (button != Qt::LeftButton)
        return;
    // The drawing on screen decides: its year and its margin.
    const auto day = GraphClickDay(position.x(), scene_.curves.year, scene_.options.mode,
                                   scene_.options.use24Hour);
    if (!day)
        return;
    ShowDateLinesBox->setChecked(true);
    settings_.ShowDateLinesBoxChecked = true;
    emit goToDate(*day);
    setGroupCaption(GraphDayCaption(*day, names_));
    // The clock window normally hands the day back through setDate; draw it here when it
    // did not (or when only the date lines were switched on).
    if (drawnDay_ != *day || !scene_.showDateLines) {
        drawnDay_ = *day;
        DrawGraph();
    }
}

void GraphPage::TimePositionBoxClick() {
    settings_.TimePositionBoxIndex = PositionRadio->isChecked() ? 1 : 0;
    DrawGraph();
}

void GraphPage::DaylightSavingBoxClick() {
    settings_.DaylightSavingBoxChecked = DaylightSavingBox->isChecked();
    DrawGraph();
}

void GraphPage::ShowDateLinesBoxClick() {
    settings_.ShowDateLinesBoxChecked = ShowDateLinesBox->isChecked();
    DrawGraph();
}

} // namespace skelvane
