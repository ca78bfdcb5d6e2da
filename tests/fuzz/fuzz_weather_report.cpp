// A weather report body is whatever the server (or anything posing as it) sends: any bytes
// must decode to a result whose texts are UTF-8 and keep their lengths. The same bytes also
// serve as a warnings layer of a size taken from the first of them.
#include "net/decode/report_text.h"
#include "net/decode/report_wrap.h"
#include "net/decode/weather_report.h"
#include "net/decode/weather_summary.h"
#include "net/decode/weather_warnings.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string_view>

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

void CheckDecoded(const skelvane::DecodedWeatherReport& report) {
    using namespace skelvane;
    if (!report.usable()) {
        Check(report.lines.empty() && report.weatherText.empty());
        return;
    }
    Check(IsValidUtf8(report.weatherText) &&
          CountCharacters(report.weatherText) <= kWeatherTextMax);
    Check(IsValidUtf8(report.skyText) && CountCharacters(report.skyText) <= kSkyTextMax);
    Check(IsValidUtf8(report.temperatureText) &&
          CountCharacters(report.temperatureText) <= kTemperatureTextMax);
    Check(IsValidUtf8(report.timeStampText) &&
          CountCharacters(report.timeStampText) <= kTimeStampTextMax);
    Check(report.temperatureText.empty() == !(report.temperatureF > kNoTemperature));
    for (const auto& line : report.lines)
        Check(IsValidUtf8(line));
    for (const auto& line : report.textWindowLines)
        Check(IsValidUtf8(line));
    Check(report.textWindowLines.size() + 1 == report.lines.size() ||
          (report.lines.size() <= 1 && report.textWindowLines == report.lines));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view body(reinterpret_cast<const char*>(data), size);
    skelvane::WeatherDecodeContext context;
    context.nowUtc = 45590.5;
    context.previousObservationUtc = 45590.0;
    for (const char* units : {"F", "C"}) {
        context.temperatureUnits = units;
        CheckDecoded(skelvane::DecodeWeatherReport(body, context));
    }

    if (size >= 4) {
        const skelvane::RgbImageView layer{std::span(data, size), data[0] % 32, data[1] % 32,
                                           static_cast<std::size_t>(data[2]) + data[3] % 4};
        const auto warnings = skelvane::GetWarning(layer);
        for (const auto& text : skelvane::WarningLabelTexts(warnings))
            Check(skelvane::WarningLabelColour(text).has_value());
    }
    return 0;
}
