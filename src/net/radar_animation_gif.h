#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <vector>

namespace skelvane {

// The animated GIF of the last animated radar download, kept for saving: either the frames
// of a site download, written on demand with 25 hundredths of a second a frame and the
// looping extension (loop for ever) on the first frame, or a mosaic loop as the server sent
// it. User-interface thread only.
class RadarAnimationGif {
public:
    static constexpr int kFrameDelayCentiseconds = 25;

    void clear();
    // A composed frame of a site download, appended (the picture is shared, not copied).
    void appendFrame(const QImage& picture);
    // A mosaic's GIF as downloaded, with the number of frames it holds.
    void setFile(QByteArray bytes, int frameCount);

    int frameCount() const;
    bool empty() const { return frameCount() == 0; }

    // The GIF file: the downloaded bytes, or the frames written once and kept until they
    // change. Empty when there is nothing or writing failed (errorString() says why).
    QByteArray bytes();
    bool write(const QString& path);
    QString errorString() const { return error_; }

private:
    std::vector<QImage> frames_;
    QByteArray file_;     // the mosaic's own file, or the frames written
    bool written_ = true; // file_ holds what the frames make
    int fileFrames_ = 0;
    QString error_;
};

} // namespace skelvane
