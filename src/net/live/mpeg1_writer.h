#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <cstdint>
#include <vector>

namespace skelvane {

// Writes a small MPEG-1 movie (ISO/IEC 11172: a system stream holding one video stream, 25
// pictures a second) from still pictures, for the player that plays the satellite movies.
// Each picture is coded on its own (an I picture); it is held on screen by P pictures that
// repeat the one before without coding anything (a few hundred bytes each). Pictures are
// scaled to the first one's size; colour goes to 4:2:0 Y'CbCr with the BT.601 matrix.
class Mpeg1Writer {
public:
    // `quantiser` 1 (best, biggest) ... 31; 6 keeps satellite pictures sharp at about a
    // tenth of their raw size.
    explicit Mpeg1Writer(int quantiser = 6);
    ~Mpeg1Writer();
    Mpeg1Writer(const Mpeg1Writer&) = delete;
    Mpeg1Writer& operator=(const Mpeg1Writer&) = delete;

    static constexpr int kPicturesPerSecond = 25;

    // Adds `image`, shown for `pictures` (1 or more) pictures. False and errorString() when
    // the picture is null or larger than 4095 x 4095 (the first one sets the size).
    bool add(const QImage& image, int pictures = 1);

    // The whole movie; nothing when no picture was added. The writer is empty afterwards.
    QByteArray finish();

    int pictureCount() const { return pictures_; }
    QString errorString() const { return error_; }

private:
    struct Video;
    std::unique_ptr<Video> video_;
    int quantiser_;
    int pictures_ = 0;
    int width_ = 0, height_ = 0;
    QString error_;
};

} // namespace skelvane
