#pragma once

#include "astro/datetime.h"
#include "astro/format_date.h"

#include <QString>
#include <QStringList>

namespace skelvane {

// The save dialog's filters: pairs of description and pattern separated by "|". The image
// filter's entries are numbered from 1: JPEG, bitmap, GIF.
inline constexpr char kImageFilter[] = "JPEG Image File (*.jpg)|*.jpg|Bitmap Image File "
                                       "(*.bmp)|*.bmp|GIF Image File (*.gif)|*.gif";
inline constexpr char kGifFilter[] = "GIF Image File (*.gif)|*.gif";
inline constexpr char kMovieFilter[] = "MPEG Animation File (*.mpg)|*.mpg|";

enum ImageFormatIndex { kJpegFormat = 1, kBitmapFormat = 2, kGifFormat = 3 };

// The file name with its extension replaced by ".jpg" (kJpegFormat), ".bmp" (kBitmapFormat)
// or ".gif" (kGifFormat); a name without extension gets one. Any other index returns the
// name unchanged. Only the last part of a path counts: a dot in a folder name is kept.
QString ChangeToImageExt(const QString& fileName, int formatIndex);

// The descriptions of a "|"-separated filter, one per description and pattern pair, as a
// file dialog lists them; a trailing empty pair is dropped.
QStringList FilterDescriptions(const QString& filter);

// The time in a default file name: "h;mm AM/PM - mmm dd, yyyy" ("3;05 PM - Dec 10, 2026"),
// a semicolon between hours and minutes because file names take no colon. `local` is a
// local date-time value.
QString ExportTimeText(DateTime local, const DateLocale& names = EnglishDateLocale());

// The default names of the save dialog. Captions are the page's box texts; the time is
// ExportTimeText of the shown picture's download. A "/" or "\" in a caption ("TX -
// Midland/Odessa") becomes "-", so that the name stays one file name.
QString RadarLoopFileName(const QString& siteCaption, const QString& time);
QString RadarImageFileName(const QString& siteCaption, const QString& time);
QString SatelliteImageFileName(const QString& areaCaption, const QString& typeCaption,
                               const QString& time);
QString SatelliteMovieFileName(const QString& areaCaption, const QString& typeCaption,
                               const QString& time);
inline constexpr char kGraphFileName[] = "graph.jpg";
inline constexpr char kCalendarFileName[] = "calendar.jpg";

} // namespace skelvane
