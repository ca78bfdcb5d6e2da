#pragma once

#include <QByteArrayView>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace skelvane {

// Reading a map server's WMS GetCapabilities document (versions 1.1.1 and 1.3.0).

struct WmsTime {
    std::string text; // as the server wrote it, to be sent back in TIME=
    std::int64_t unixMs = 0;
    friend bool operator==(const WmsTime&, const WmsTime&) = default;
};

struct WmsLayerTimes {
    bool layerFound = false;    // a layer of that name is in the document
    std::vector<WmsTime> times; // oldest first, one per instant
};

// The time dimension of the layer named `layer` ("kokx_sr_bref"; a name written with its
// workspace, "kokx:kokx_sr_bref", matches too): the values of its <Extent name="time">
// (1.1.1) or <Dimension name="time"> (1.3.0), or of the nearest enclosing layer's when it has
// none. Values are a comma-separated list of instants and of intervals "start/end/period",
// which give every instant from start to end; at most `maxTimes`, the newest. Values that
// do not read as instants are left out. A document that is not XML gives no layer.
WmsLayerTimes ReadWmsLayerTimes(QByteArrayView xml, std::string_view layer,
                                std::size_t maxTimes = 500);

struct WmsLayer {
    std::string name;
    std::string title;
    friend bool operator==(const WmsLayer&, const WmsLayer&) = default;
};

// Every layer with a name, in document order (servers whose layers are numbers name them
// "0", "1", ... and tell them apart by title).
std::vector<WmsLayer> ReadWmsLayers(QByteArrayView xml);

// The name of the first layer whose title is one of `titles` ("|"-separated, tried in
// order, compared without regard to case and surrounding blanks); empty when none is.
std::string WmsLayerNameByTitle(const std::vector<WmsLayer>& layers, std::string_view titles);

// Whether a body is a map server's error report (an XML ServiceExceptionReport or
// ExceptionReport) rather than a picture.
bool IsOgcExceptionReport(QByteArrayView body);

} // namespace skelvane
