#pragma once

#include <QByteArrayView>
#include <QString>

namespace skelvane {

// Writes `bytes` as the whole content of the file at `path`. The bytes go to a new file in the
// same folder that then takes the old one's place, so a failed write leaves any earlier file
// as it was; an existing file keeps its permissions and a symbolic link keeps pointing where
// it did. A device or pipe at `path` is written directly. Returns an empty string on success,
// else the system's own text for the failure ("No such file or directory", "Permission
// denied", "No space left on device").
QString ReplaceFileContent(const QString& path, QByteArrayView bytes);

} // namespace skelvane
