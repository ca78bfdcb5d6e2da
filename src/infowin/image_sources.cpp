#include "infowin/image_sources.h"

#include "infowin/graph_page.h"
#include "infowin/image_file_names.h"
#include "infowin/radar_page.h"
#include "infowin/satellite_page.h"
#include "infowin/year_page.h"

#include <QComboBox>
#include <QFrame>
#include <QPixmap>

namespace skelvane {

namespace {

bool Is(const QWidget* page, const QWidget* candidate) {
    return page != nullptr && page == candidate;
}

// The movie panel as it shows, 24 bits a pixel.
QImage MoviePanelPicture(const SatellitePage& page) {
    return page.SatPanel->grab().toImage().convertToFormat(QImage::Format_RGB888);
}

bool MoviePanelShowing(const SatellitePage& page) {
    return page.SatPanel->isVisibleTo(&page);
}

bool MovieLoaded(const SatellitePage& page) {
    return page.movie().loaded() && !page.movieFile().isEmpty();
}

SaveTarget PictureTarget(QImage picture, QString fileName, bool startInLastFolder) {
    SaveTarget target;
    if (picture.isNull())
        return target;
    target.kind = SaveTarget::Kind::Picture;
    target.picture = std::move(picture);
    target.fileName = std::move(fileName);
    target.filter = QLatin1String(kImageFilter);
    target.defaultExtension = QStringLiteral("jpg");
    target.startInLastFolder = startInLastFolder;
    return target;
}

SaveTarget RadarTarget(RadarPage& page, const DateLocale& names) {
    const QString time = ExportTimeText(page.downloadTimeLocal(), names);
    const RadarAnimation& animation = page.animation();
    if (animation.framesReady() && animation.animate() && page.animationGifReady() &&
        !page.animationGif().empty()) {
        SaveTarget target;
        target.kind = SaveTarget::Kind::RadarLoop;
        target.fileName = RadarLoopFileName(page.viewCaption(), time);
        target.filter = QLatin1String(kGifFilter);
        target.defaultExtension = QStringLiteral("gif");
        return target;
    }
    return PictureTarget(page.displayedPicture(), RadarImageFileName(page.viewCaption(), time),
                         false);
}

SaveTarget SatelliteTarget(const SatellitePage& page, const DateLocale& names) {
    const QString time = ExportTimeText(page.satelliteTime(), names);
    const QString area = page.SatelliteLocationBox->currentText();
    const QString type = page.SatelliteTypeBox->currentText();
    const bool stillShowing = !page.shownImage().isNull() && !MoviePanelShowing(page);
    // The picture on the screen is what is kept: the movie while its panel shows, even when
    // an older still is held behind it.
    if (MovieLoaded(page) && !stillShowing) {
        SaveTarget target;
        target.kind = SaveTarget::Kind::Movie;
        target.movieFile = page.movieFile();
        target.fileName = SatelliteMovieFileName(area, type, time);
        target.filter = QLatin1String(kMovieFilter);
        target.defaultExtension = QStringLiteral("mpg");
        return target;
    }
    return PictureTarget(page.shownImage().convertToFormat(QImage::Format_RGB888),
                         SatelliteImageFileName(area, type, time), false);
}

} // namespace

QImage PictureToCopy(const ImagePages& pages, const QWidget* page) {
    if (Is(page, pages.radar))
        return pages.radar->displayedPicture();
    if (Is(page, pages.satellite)) {
        const SatellitePage& satellite = *pages.satellite;
        if (!MoviePanelShowing(satellite) && !satellite.shownImage().isNull())
            return satellite.shownImage();
        return MovieLoaded(satellite) ? MoviePanelPicture(satellite) : QImage();
    }
    if (Is(page, pages.graph))
        return pages.graph->GetGraph();
    if (Is(page, pages.year))
        return pages.year->GetCalendar();
    return {};
}

QImage PictureToPrint(const ImagePages& pages, const QWidget* page) {
    if (Is(page, pages.radar))
        return pages.radar->displayedPicture();
    if (Is(page, pages.satellite)) {
        const SatellitePage& satellite = *pages.satellite;
        if (MoviePanelShowing(satellite) || satellite.shownImage().isNull())
            return MovieLoaded(satellite) ? MoviePanelPicture(satellite) : QImage();
        return satellite.shownImage();
    }
    if (Is(page, pages.graph)) {
        // The drawing area as shown; drawn first when the page has not shown yet.
        const QImage shown = pages.graph->paintBox()->image();
        return shown.isNull() ? pages.graph->GetGraph() : shown;
    }
    if (Is(page, pages.year))
        return pages.year->GetCalendar();
    return {};
}

SaveTarget SaveTargetFor(const ImagePages& pages, const QWidget* page, const DateLocale& names) {
    if (Is(page, pages.radar))
        return RadarTarget(*pages.radar, names);
    if (Is(page, pages.satellite))
        return SatelliteTarget(*pages.satellite, names);
    if (Is(page, pages.graph))
        return PictureTarget(pages.graph->GetGraph(), QLatin1String(kGraphFileName), true);
    if (Is(page, pages.year))
        return PictureTarget(pages.year->GetCalendar(), QLatin1String(kCalendarFileName), true);
    return {};
}

} // namespace skelvane
