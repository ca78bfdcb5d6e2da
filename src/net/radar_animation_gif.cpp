#include "net/radar_animation_gif.h"

#include "net/gif_encoder.h"
#include "net/replace_file.h"

#include <algorithm>

namespace skelvane {

void RadarAnimationGif::clear() {
    frames_.clear();
    file_.clear();
    fileFrames_ = 0;
    written_ = true;
    error_.clear();
}

void RadarAnimationGif::appendFrame(const QImage& picture) {
    if (picture.isNull())
        return;
    if (fileFrames_ > 0 && frames_.empty())
        file_.clear(); // a mosaic's file gives way to the frames of a site download
    fileFrames_ = 0;
    frames_.push_back(picture);
    written_ = false;
}

void RadarAnimationGif::setFile(QByteArray bytes, int frameCount) {
    frames_.clear();
    file_ = std::move(bytes);
    fileFrames_ = file_.isEmpty() ? 0 : std::max(frameCount, 0);
    written_ = true;
    error_.clear();
}

int RadarAnimationGif::frameCount() const {
    return frames_.empty() ? fileFrames_ : static_cast<int>(frames_.size());
}

QByteArray RadarAnimationGif::bytes() {
    if (!written_) {
        std::vector<GifEncodeFrame> frames;
        frames.reserve(frames_.size());
        for (const QImage& picture : frames_)
            frames.push_back({picture, kFrameDelayCentiseconds});
        GifEncoder::Options options;
        options.loopCount = 0;
        GifEncoder encoder(options);
        file_ = encoder.encodeAnimation(frames);
        error_ = encoder.errorString();
        written_ = true;
    }
    return file_;
}

bool RadarAnimationGif::write(const QString& path) {
    const QByteArray file = bytes();
    if (file.isEmpty()) {
        if (error_.isEmpty())
            error_ = QStringLiteral("There is no animation to save");
        return false;
    }
    error_ = ReplaceFileContent(path, file);
    return error_.isEmpty();
}

} // namespace skelvane
