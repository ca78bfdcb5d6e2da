#include "net/satellite_movie_store.h"

#include "net/decode/satellite_frame_list.h"
#include "net/replace_file.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace skelvane {

QString SatelliteMovieFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::CacheLocation) +
           QStringLiteral("/movies");
}

StoredMovie StoreSatelliteMovie(const QString& folder, const QString& fileName,
                                QByteArrayView body) {
    StoredMovie stored;
    if (!IsPlainFrameName(fileName.toStdString())) {
        stored.error = QStringLiteral("not a plain file name: ") + fileName;
        return stored;
    }
    if (folder.isEmpty() || !QDir().mkpath(folder)) {
        stored.error = QStringLiteral("cannot make the folder ") + folder;
        return stored;
    }
    const QString path = QDir(folder).absoluteFilePath(fileName);
    const QFileInfo existing(path);
    if (existing.isSymLink() || (existing.exists() && !existing.isFile())) {
        stored.error = path + QStringLiteral(" is not a movie the program wrote");
        return stored;
    }
    const QString error = ReplaceFileContent(path, body);
    if (!error.isEmpty()) {
        stored.error = path + QStringLiteral(": ") + error;
        return stored;
    }
    stored.path = path;
    return stored;
}

} // namespace skelvane
