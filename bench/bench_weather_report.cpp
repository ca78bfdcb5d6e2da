// Decoding one weather report, as each weather download does: the whole body (lines, time,
// wrap, temperature, sky and summary), and the field reading and the wrap on their own.
#include "net/decode/report_wrap.h"
#include "net/decode/weather_report.h"
#include "net/decode/weather_summary.h"

#include <benchmark/benchmark.h>

#include <string>
#include <string_view>
#include <vector>

namespace skelvane {
namespace {

// A report of the usual size and shape (the demo server's Seattle report).
constexpr std::string_view kReport =
    "Seattle-Tacoma International Airport, WA, United States (KSEA) 47-27N 122-19W 132M\n"
    "Nov 19, 2024 - 01:53 PM EST / 2024.11.19 1853 UTC\n"
    "Wind: from the S (180 degrees) at 9 MPH (8 KT):0\n"
    "Visibility: 4 mile(s):0\n"
    "Sky conditions: overcast\n"
    "Weather: light rain; mist\n"
    "Precipitation last hour: 0.04 inches\n"
    "Temperature: 48.0 F (8.9 C)\n"
    "Dew Point: 46.0 F (7.8 C)\n"
    "Relative Humidity: 93%\n"
    "Pressure (altimeter): 29.83 in. Hg (1010 hPa)\n"
    "ob: KSEA 191853Z 18008KT 4SM -RA BR OVC014 09/08 A2983 RMK AO2 SLP103 P0004 T00890078\n"
    "cycle: 19\n";

constexpr DateTime kObserved = 45615.0 + (18 * 60 + 53) / 1440.0;

void BM_DecodeWeatherReport(benchmark::State& state) {
    WeatherDecodeContext context;
    context.temperatureUnits = "C";
    context.nowUtc = kObserved + 2.0 / 1440;
    for (auto _ : state)
        benchmark::DoNotOptimize(DecodeWeatherReport(kReport, context));
}
BENCHMARK(BM_DecodeWeatherReport);

void BM_ReadWeatherTexts(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadWeatherTexts(kReport, "C", kObserved, kObserved + 0.01));
}
BENCHMARK(BM_ReadWeatherTexts);

void BM_WrapReportLines(benchmark::State& state) {
    std::vector<std::string> lines;
    for (std::string_view line : SplitReportLines(kReport))
        lines.emplace_back(line);
    for (auto _ : state)
        benchmark::DoNotOptimize(WrapReportLines(lines));
}
BENCHMARK(BM_WrapReportLines);

} // namespace
} // namespace skelvane
