#pragma once

#include <QByteArrayView>
#include <QString>

namespace skelvane {

// Where downloaded coast movies are kept: the per-user cache folder's "movies" folder
// (~/.cache/Skelvane/Skelvane/movies on Linux), never the program's folder, which an
// installed program cannot write, nor the current folder, which holds the user's own files.
QString SatelliteMovieFolder();

struct StoredMovie {
    QString path;  // the movie's full path; empty when it was not written
    QString error; // why not, in one line
    bool ok() const { return !path.isEmpty(); }
};

// Writes a downloaded movie as `fileName` ("ECVS.mpg") into `folder`, created when missing.
// Only the program's own earlier download of that name is replaced (whole, through a new
// file, so a failed write leaves it as it was); a name that is not a plain file name, or a
// link, folder or anything else that is not a plain file at that place, is refused.
StoredMovie StoreSatelliteMovie(const QString& folder, const QString& fileName,
                                QByteArrayView body);

} // namespace skelvane
