// A map server's capabilities document comes straight from the network. Whatever it holds,
// the reader gives at most the times asked for, oldest first and each once, every one sent
// back as the server wrote it; layer lists and the error-report test never fail.
#include "net/live/wms_capabilities.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace skelvane;
    const QByteArrayView xml(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (const char* layer : {"kokx_sr_bref", "conus:conus_bref_qcd", ""}) {
        const WmsLayerTimes found = ReadWmsLayerTimes(xml, layer, 20);
        Check(found.times.size() <= 20);
        Check(found.layerFound || found.times.empty());
        for (std::size_t i = 1; i < found.times.size(); ++i)
            Check(found.times[i - 1].unixMs < found.times[i].unixMs);
        for (const WmsTime& time : found.times)
            Check(!time.text.empty());
    }
    const std::vector<WmsLayer> layers = ReadWmsLayers(xml);
    const std::string name = WmsLayerNameByTitle(layers, "Counties|States");
    if (!name.empty()) {
        bool listed = false;
        for (const WmsLayer& layer : layers)
            listed = listed || layer.name == name;
        Check(listed);
    }
    (void)IsOgcExceptionReport(xml);
    return 0;
}
