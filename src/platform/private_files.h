#pragma once

#include <QString>

namespace skelvane {

// Files that hold the user's secrets (the proxy password among the settings) are readable
// by their owner only. Each function returns false and puts the system's reason into
// `error` (when given) when it fails.

// Creates `folder` and every missing folder above it, each one it creates with mode 0700.
// Folders that are there already keep their modes. True when the folder exists afterwards.
bool MakePrivateFolder(const QString& folder, QString* error = nullptr);

// Makes `path` a file with mode 0600: creates it empty when it is missing, and takes the
// other users' and the group's access away from one that is there. Its contents are left
// alone.
bool MakePrivateFile(const QString& path, QString* error = nullptr);

// Why writing `bytes` bytes into a new file in `folder` fails, in the system's words ("No
// space left on device", "Permission denied"); empty when it works. The trial file is
// removed again. Qt's file classes lose the reason when a write stops part way.
QString WhyWritesFail(const QString& folder, qint64 bytes);

// Puts the file `replacement` in the place of `path` in one step (a rename within their
// folder), so that `path` is at every moment either the old file or the whole new one.
bool ReplaceFile(const QString& replacement, const QString& path, QString* error = nullptr);

} // namespace skelvane
