#pragma once

#include "astro/format_date.h"

#include <QImage>
#include <QString>

class QWidget;

namespace skelvane {

class GraphPage;
class RadarPage;
class SatellitePage;
class YearPage;

// The pages whose pictures the image commands copy, save and print.
struct ImagePages {
    RadarPage* radar = nullptr;
    SatellitePage* satellite = nullptr;
    GraphPage* graph = nullptr;
    YearPage* year = nullptr;
};

// What "Save" writes for the page showing, and how the save dialog opens for it.
struct SaveTarget {
    enum class Kind {
        Nothing,   // the page has nothing to save
        Picture,   // `picture`, in the format the user picks
        RadarLoop, // the Radar page's animated GIF
        Movie,     // a copy of `movieFile`
    };
    Kind kind = Kind::Nothing;
    QImage picture;
    QString movieFile;
    QString fileName; // offered in the dialog
    QString filter;
    QString defaultExtension;
    bool startInLastFolder = true; // the still radar and satellite pictures start anywhere
};

// The pictures of `page` (one of `pages`, or any other page, which has none) for the three
// commands. Null pictures mean there is nothing.
QImage PictureToCopy(const ImagePages& pages, const QWidget* page);
QImage PictureToPrint(const ImagePages& pages, const QWidget* page);
SaveTarget SaveTargetFor(const ImagePages& pages, const QWidget* page,
                         const DateLocale& names = EnglishDateLocale());

} // namespace skelvane
