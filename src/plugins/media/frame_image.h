#pragma once

#include <QImage>

class QVideoFrame;

namespace skelvane {

// The picture of a decoded movie frame as an RGB image, converted on the processor for the
// planar and semi-planar YUV 4:2:0 layouts the software decoders give (YUV420P, YV12, NV12,
// NV21), in BT.601 or BT.709 colours, video or full range as the frame says. Qt's own
// conversion would first try to create an OpenGL context, loading the OpenGL driver into the
// process; other layouts still go through it. A null image when the frame cannot be read.
QImage FrameImage(const QVideoFrame& frame);

} // namespace skelvane
