#pragma once

#include <QImage>
#include <QString>

namespace skelvane {

class ImageSaveQuestions;
class RadarAnimationGif;

// Where the image commands write their files and whom they ask. `lastSaveFolder` is the
// LastSaveFolder setting: the folder of the last file saved.
struct ImageSaveContext {
    ImageSaveQuestions& questions;
    QString& lastSaveFolder;
};

// The question asked before an existing file is replaced (two spaces after the full stop).
QString ReplaceQuestion(const QString& fileName);

// Writes `picture` as JPEG (kJpegFormat: 24 bits a pixel, quality 100), GIF (kGifFormat:
// colours reduced by median cut) or, for any other index, a Windows bitmap. The name first
// takes the format's extension (ChangeToImageExt). With `confirm`, an existing file is
// replaced only after a Yes. A JPEG or GIF that cannot be written is reported to the user with
// the system's reason; a bitmap that cannot be written only returns false. Returns whether the
// file was written. An earlier file is never left half written.
bool SaveImageFile(const QImage& picture, const QString& fileName, bool confirm, int formatIndex,
                   ImageSaveContext& context);

// Writes the animation with all its frames, its frame delays and the looping extension, under
// the name with ".gif" for its extension; confirms and reports as SaveImageFile.
bool SaveGIFFile(RadarAnimationGif& animation, const QString& fileName, bool confirm,
                 ImageSaveContext& context);

// Copies the file at `source` to `target` byte for byte; the copy takes the source's
// permissions and its access and modification times. With `confirm`, an existing target is
// replaced only after a Yes. A failure is reported to the user with the system's reason.
// Returns whether the copy was made.
bool CopyMovieFile(const QString& source, const QString& target, bool confirm,
                   ImageSaveContext& context);

} // namespace skelvane
