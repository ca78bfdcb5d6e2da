#include "infowin/image_files.h"

#include "infowin/image_file_names.h"
#include "infowin/image_save_dialog.h"
#include "net/gif_encoder.h"
#include "net/jpeg_encoder.h"
#include "net/radar_animation_gif.h"
#include "net/replace_file.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace skelvane {

namespace {

void NoteFolder(const QString& fileName, QString& lastSaveFolder) {
    lastSaveFolder = QDir::toNativeSeparators(QFileInfo(fileName).absolutePath());
}

// Whether the file may be written: it does not exist, no confirmation is wanted, or the user
// said Yes.
bool MayWrite(const QString& fileName, bool confirm, ImageSaveContext& context) {
    if (!confirm || !QFileInfo::exists(fileName))
        return true;
    return context.questions.askReplace(ReplaceQuestion(fileName)) == ReplaceAnswer::Yes;
}

void ReportWriteError(const QString& fileName, const QString& reason, ImageSaveContext& context) {
    context.questions.showError(QStringLiteral("Cannot create file \"%1\". %2")
                                    .arg(QDir::toNativeSeparators(fileName), reason));
}

} // namespace

QString ReplaceQuestion(const QString& fileName) {
    return QDir::toNativeSeparators(fileName) +
           QStringLiteral(" already exists.  Do you want to replace it?");
}

bool SaveImageFile(const QImage& picture, const QString& fileName, bool confirm, int formatIndex,
                   ImageSaveContext& context) {
    const QString name = ChangeToImageExt(fileName, formatIndex);
    NoteFolder(name, context.lastSaveFolder);
    if (!MayWrite(name, confirm, context))
        return false;
    if (formatIndex == kJpegFormat) {
        JpegEncoder encoder(JpegEncoder::kBestQuality);
        if (!encoder.write(picture, name)) {
            ReportWriteError(name, encoder.errorString(), context);
            return false;
        }
    } else if (formatIndex == kGifFormat) {
        GifEncoder encoder;
        if (!encoder.writeStill(picture, name)) {
            ReportWriteError(name, encoder.errorString(), context);
            return false;
        }
    } else {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (picture.isNull() ||
            !picture.convertToFormat(QImage::Format_RGB888).save(&buffer, "BMP") ||
            !ReplaceFileContent(name, bytes).isEmpty())
            return false;
    }
    NoteFolder(name, context.lastSaveFolder);
    return true;
}

bool SaveGIFFile(RadarAnimationGif& animation, const QString& fileName, bool confirm,
                 ImageSaveContext& context) {
    const QString name = ChangeToImageExt(fileName, kGifFormat);
    if (!MayWrite(name, confirm, context))
        return false;
    if (!animation.write(name)) {
        ReportWriteError(name, animation.errorString(), context);
        return false;
    }
    NoteFolder(name, context.lastSaveFolder);
    return true;
}

bool CopyMovieFile(const QString& source, const QString& target, bool confirm,
                   ImageSaveContext& context) {
    if (!MayWrite(target, confirm, context))
        return false;
    QFile in(source);
    // The times as they were before this read.
    const QFileInfo original(source);
    const QDateTime accessed = original.lastRead();
    const QDateTime modified = original.lastModified();
    // The "user" flags say what this process may do; setting them would set the owner's.
    const QFileDevice::Permissions permissions =
        original.permissions() &
        ~(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser);
    if (!in.open(QIODevice::ReadOnly)) {
        ReportWriteError(target, in.errorString(), context);
        return false;
    }
    const QByteArray bytes = in.readAll();
    in.close();
    if (const QString error = ReplaceFileContent(target, bytes); !error.isEmpty()) {
        ReportWriteError(target, error, context);
        return false;
    }
    QFile out(target);
    if (out.open(QIODevice::ReadWrite)) {
        // The creation time cannot be set here: the file system keeps its own.
        out.setFileTime(accessed, QFileDevice::FileAccessTime);
        out.setFileTime(modified, QFileDevice::FileModificationTime);
        out.close();
    }
    // Last, as a read-only source makes a read-only copy.
    out.setPermissions(permissions);
    NoteFolder(target, context.lastSaveFolder);
    return true;
}

} // namespace skelvane
