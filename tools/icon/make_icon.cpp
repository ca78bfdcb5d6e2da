// skelvane-make-icon FOLDER: writes the program's desktop icon, drawn from its own Moon
// picture, as skelvane.png (64 × 64) and skelvane.svg (scalable, the picture at 256 × 256
// inside). Run by the build; needs no display (offscreen platform).
#include "widgets/full_moon_image.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

namespace {

constexpr int kLargeSize = 256;
constexpr int kSmallSize = 64;

bool Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: skelvane-make-icon FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(folder.path())) {
        std::fprintf(stderr, "skelvane-make-icon: cannot create %s\n", argv[1]);
        return 1;
    }
    // The large picture centres its disc; the small one is that picture scaled down, so the
    // two look alike.
    const QImage large =
        skelvane::FullMoonImage(QSize(kLargeSize, kLargeSize), skelvane::MoonStyle::Colour);
    const QImage small =
        large.scaled(kSmallSize, kSmallSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);

    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    large.save(&buffer, "PNG");
    const QByteArray svg =
        QByteArrayLiteral(
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<svg xmlns=\"http://www.w3.org/2000/svg\" "
            "xmlns:xlink=\"http://www.w3.org/1999/xlink\" width=\"256\" "
            "height=\"256\" viewBox=\"0 0 256 256\">\n"
            "  <title>Skelvane</title>\n"
            "  <image width=\"256\" height=\"256\" xlink:href=\"data:image/png;base64,") +
        png.toBase64() + QByteArrayLiteral("\"/>\n</svg>\n");

    QByteArray smallPng;
    QBuffer smallBuffer(&smallPng);
    smallBuffer.open(QIODevice::WriteOnly);
    small.save(&smallBuffer, "PNG");
    if (!Write(folder.filePath(QStringLiteral("skelvane.svg")), svg) ||
        !Write(folder.filePath(QStringLiteral("skelvane.png")), smallPng)) {
        std::fprintf(stderr, "skelvane-make-icon: cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
