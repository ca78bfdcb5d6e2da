#include "net/radar_compose.h"

#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>
#include <cstdint>

namespace skelvane {

namespace {

constexpr std::uint32_t kRgbMask = 0x00FFFFFFu;

std::size_t Slot(RadarLayer layer) {
    return static_cast<std::size_t>(layer);
}

int Scaled(int side, double zoom) {
    return static_cast<int>(std::nearbyint(side * zoom));
}

bool UsableZoom(double zoom) {
    return std::isfinite(zoom) && zoom > 0;
}

} // namespace

const char* RadarLayerName(RadarLayer layer) {
    static constexpr const char* kNames[kRadarLayerCount] = {"topo",     "radar",     "counties",
                                                             "rivers",   "highways",  "cities",
                                                             "warnings", "rangering", "legend"};
    return kNames[Slot(layer)];
}

QImage KeyedRadarLayer(const GifFrame& frame, RadarLayerKeying keying, int targetHeight) {
    if (frame.image.isNull())
        return {};
    const QImage source = frame.image.format() == QImage::Format_ARGB32
                              ? frame.image
                              : frame.image.convertToFormat(QImage::Format_ARGB32);
    QImage keyed(source.size(), QImage::Format_ARGB32_Premultiplied);
    if (keyed.isNull())
        return {};
    const bool byColour = keying != RadarLayerKeying::OwnTransparency && frame.transparentColour;
    const std::uint32_t key = frame.transparentColour.value_or(0) & kRgbMask;
    for (int y = 0; y < source.height(); ++y) {
        const auto* in = reinterpret_cast<const std::uint32_t*>(source.constScanLine(y));
        auto* out = reinterpret_cast<std::uint32_t*>(keyed.scanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            const std::uint32_t pixel = in[x];
            const std::uint32_t alpha = pixel >> 24;
            if (alpha < 128 || (byColour && (pixel & kRgbMask) == key))
                out[x] = 0;
            else
                out[x] = 0xFF000000u | (pixel & kRgbMask);
        }
    }
    if (keying == RadarLayerKeying::ColourKeyAndCorner && targetHeight >= 1 &&
        targetHeight <= keyed.height())
        keyed.setPixel(0, targetHeight - 1, 0);
    return keyed;
}

void DrawTransparent(const GifFrame& frame, QImage& target) {
    const QImage keyed =
        KeyedRadarLayer(frame, RadarLayerKeying::ColourKeyAndCorner, target.height());
    if (keyed.isNull() || target.isNull())
        return;
    QPainter painter(&target);
    painter.drawImage(0, 0, keyed);
}

bool RadarLayers::loaded(RadarLayer layer) const {
    if (layer == RadarLayer::Topo)
        return !topo.isNull();
    return !keyed[Slot(layer)].isNull();
}

void RadarLayers::setGif(RadarLayer layer, const GifFrame& frame, int targetHeight) {
    RadarLayerKeying keying = RadarLayerKeying::ColourKeyAndCorner;
    if (layer == RadarLayer::RangeRing)
        keying = RadarLayerKeying::ColourKey;
    else if (layer == RadarLayer::Legend)
        keying = RadarLayerKeying::OwnTransparency;
    keyed[Slot(layer)] = KeyedRadarLayer(frame, keying, targetHeight);
    if (layer == RadarLayer::Warnings)
        warningsPlain = keyed[Slot(layer)].isNull() ? QImage() : frame.image;
}

void RadarLayers::clear(RadarLayer layer) {
    if (layer == RadarLayer::Topo)
        topo = QImage();
    else
        keyed[Slot(layer)] = QImage();
    if (layer == RadarLayer::Warnings)
        warningsPlain = QImage();
}

RadarComposedFrame ComposeRadarFrame(const RadarLayers& layers,
                                     const RadarComposeOptions& options) {
    RadarComposedFrame result;
    const int width = std::max(options.size.width, 1);
    const int height = std::max(options.size.height, 1);
    QImage composite(width, height, QImage::Format_RGB32);
    composite.fill(Qt::black);
    {
        QPainter painter(&composite);
        if (layers.loaded(RadarLayer::Topo))
            painter.drawImage(0, 0, layers.topo);
        for (RadarLayer layer : {RadarLayer::Radar, RadarLayer::Counties, RadarLayer::Rivers,
                                 RadarLayer::Highways, RadarLayer::Cities}) {
            if (layers.loaded(layer))
                painter.drawImage(0, 0, layers.keyed[Slot(layer)]);
        }
        if (layers.loaded(RadarLayer::Warnings)) {
            if (options.drawWarnings)
                painter.drawImage(0, 0, layers.keyed[Slot(RadarLayer::Warnings)]);
            if (options.scanWarnings)
                result.warnings = ScanWarningsLayer(layers.warningsPlain, options.size);
        }
        for (RadarLayer layer : {RadarLayer::RangeRing, RadarLayer::Legend})
            if (layers.loaded(layer))
                painter.drawImage(0, 0, layers.keyed[Slot(layer)]);
    }
    if (UsableZoom(options.zoom) && options.zoom != 1.0)
        composite = composite.scaled(std::max(Scaled(width, options.zoom), 1),
                                     std::max(Scaled(height, options.zoom), 1),
                                     Qt::IgnoreAspectRatio, Qt::FastTransformation);
    DrawRadarMarks(composite, options.marks);
    result.picture = std::move(composite);
    return result;
}

void DrawRadarMarks(QImage& picture, const std::vector<RadarCircleMark>& marks) {
    if (marks.empty() || picture.isNull())
        return;
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, kRadarMarkPenWidth));
    for (const RadarCircleMark& mark : marks) {
        painter.setBrush(QColor(mark.fill.red, mark.fill.green, mark.fill.blue));
        painter.drawEllipse(
            QRectF(mark.left, mark.top, mark.right - mark.left, mark.bottom - mark.top));
    }
}

QImage MosaicPicture(const QImage& frame, RadarMapSize size,
                     const std::vector<RadarCircleMark>& marks) {
    QImage picture(std::max(size.width, 1), std::max(size.height, 1), QImage::Format_RGB32);
    picture.fill(Qt::black);
    if (!frame.isNull()) {
        QPainter painter(&picture);
        painter.drawImage(picture.rect(), frame);
    }
    DrawRadarMarks(picture, marks);
    return picture;
}

WeatherWarnings ScanWarningsLayer(const QImage& warningsLayer, RadarMapSize size) {
    if (warningsLayer.isNull() || size.width < 1 || size.height < 1)
        return {};
    // The layer over black: what it leaves transparent is black, which is no warning colour.
    const QImage layer = warningsLayer.format() == QImage::Format_ARGB32
                             ? warningsLayer
                             : warningsLayer.convertToFormat(QImage::Format_ARGB32);
    QImage copy(size.width, size.height, QImage::Format_RGB888);
    if (copy.isNull())
        return {};
    copy.fill(Qt::black);
    const int width = std::min(size.width, layer.width());
    const int height = std::min(size.height, layer.height());
    for (int y = 0; y < height; ++y) {
        const auto* in = reinterpret_cast<const std::uint32_t*>(layer.constScanLine(y));
        uchar* out = copy.scanLine(y);
        for (int x = 0; x < width; ++x, out += 3) {
            const std::uint32_t pixel = in[x];
            if ((pixel >> 24) < 128)
                continue;
            out[0] = static_cast<uchar>(pixel >> 16);
            out[1] = static_cast<uchar>(pixel >> 8);
            out[2] = static_cast<uchar>(pixel);
        }
    }
    RgbImageView view;
    view.bytes = {copy.constBits(), static_cast<std::size_t>(copy.sizeInBytes())};
    view.width = copy.width();
    view.height = copy.height();
    view.stride = static_cast<std::size_t>(copy.bytesPerLine());
    return GetWarning(view);
}

} // namespace skelvane
