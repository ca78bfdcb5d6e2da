#include "infowin/image_file_names.h"

namespace skelvane {

namespace {

QString OneName(QString caption) {
    caption.replace(QLatin1Char('/'), QLatin1Char('-'));
    caption.replace(QLatin1Char('\\'), QLatin1Char('-'));
    return caption;
}

} // namespace

QString ChangeToImageExt(const QString& fileName, int formatIndex) {
    QString extension;
    switch (formatIndex) {
    case kJpegFormat:
        extension = QStringLiteral(".jpg");
        break;
    case kBitmapFormat:
        extension = QStringLiteral(".bmp");
        break;
    case kGifFormat:
        extension = QStringLiteral(".gif");
        break;
    default:
        return fileName;
    }
    const qsizetype nameStart = fileName.lastIndexOf(QLatin1Char('/')) + 1;
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    if (dot < nameStart)
        return fileName + extension;
    return fileName.left(dot) + extension;
}

QStringList FilterDescriptions(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList descriptions;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty() && parts[i + 1].isEmpty())
            continue;
        QString description = parts[i];
        // A description without its pattern would show every file.
        if (!description.contains(QLatin1Char('(')))
            description += QStringLiteral(" (") + parts[i + 1] + QLatin1Char(')');
        descriptions << description;
    }
    return descriptions;
}

QString ExportTimeText(DateTime local, const DateLocale& names) {
    return QString::fromStdString(FormatDate("h;mm AM/PM - mmm dd, yyyy", local, names));
}

QString RadarLoopFileName(const QString& siteCaption, const QString& time) {
    return QStringLiteral("animated radar - ") + OneName(siteCaption) + QStringLiteral(" - ") +
           time + QStringLiteral(".gif");
}

QString RadarImageFileName(const QString& siteCaption, const QString& time) {
    return QStringLiteral("radar - ") + OneName(siteCaption) + QStringLiteral(" - ") + time +
           QStringLiteral(".jpg");
}

QString SatelliteImageFileName(const QString& areaCaption, const QString& typeCaption,
                               const QString& time) {
    return QStringLiteral("satellite - ") + OneName(areaCaption) + QStringLiteral(" - ") +
           OneName(typeCaption) + QStringLiteral(" - ") + time + QStringLiteral(".jpg");
}

QString SatelliteMovieFileName(const QString& areaCaption, const QString& typeCaption,
                               const QString& time) {
    return QStringLiteral("animated satellite - ") + OneName(areaCaption) + QStringLiteral(" - ") +
           OneName(typeCaption) + QStringLiteral(" - ") + time + QStringLiteral(".mpg");
}

} // namespace skelvane
