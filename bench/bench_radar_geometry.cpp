// The radar map's arithmetic and the animation step, all on the user-interface thread.
// Targets: one animation step under 0.5 ms (the step decides; drawing the frame is the
// page's); the nearest-site search and the pixel conversions fast enough to run on every
// mouse move (well under 1 ms).
#include "net/decode/radar_animation.h"
#include "net/decode/radar_direction_panel.h"
#include "net/decode/radar_directory.h"
#include "net/decode/radar_geometry.h"
#include "net/decode/radar_map_marks.h"
#include "net/decode/radar_map_mouse.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace skelvane {
namespace {

void BM_RadarAnimationStep(benchmark::State& state) {
    RadarAnimation animation;
    animation.LoadSettings(true, true, state.range(0) != 0);
    animation.SetFrameCount(30);
    animation.FramesComplete();
    for (auto _ : state)
        benchmark::DoNotOptimize(animation.Tick(false, true, true));
}
BENCHMARK(BM_RadarAnimationStep)->Arg(1)->Arg(0)->ArgName("loop");

void BM_LonLatToXY(benchmark::State& state) {
    const RadarGeometry geometry = GetScaleLonLat(120, 1);
    double longitude = -73.5;
    for (auto _ : state) {
        benchmark::DoNotOptimize(LonLatToXY(longitude, 40.75, geometry, 2.0));
        longitude += 1e-9;
    }
}
BENCHMARK(BM_LonLatToXY);

void BM_FindClosestRadar(benchmark::State& state) {
    const int direction = static_cast<int>(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(FindClosestRadar(direction, -73.5, 40.75, 1));
}
BENCHMARK(BM_FindClosestRadar)->Arg(0)->Arg(3)->ArgName("direction")->Unit(benchmark::kMicrosecond);

void BM_RadarMouseMove(benchmark::State& state) {
    RadarMapMouse mouse;
    RadarMapContext context;
    context.view = 120;
    context.productEntry = 1;
    int x = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(mouse.MouseMove(x, 275, context));
        x = (x + 3) % 600;
    }
}
BENCHMARK(BM_RadarMouseMove)->Unit(benchmark::kMicrosecond);

void BM_SetupRadarDirectionPanel(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(SetupRadarDirectionPanel(120, 1));
}
BENCHMARK(BM_SetupRadarDirectionPanel)->Unit(benchmark::kMicrosecond);

void BM_BuildSmallMapCenterArray(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(BuildSmallMapCenterArray(1, 1, 1.0, 40.75, -73.5));
}
BENCHMARK(BM_BuildSmallMapCenterArray)->Unit(benchmark::kMicrosecond);

// A directory page of 120 frames in the web server's index style.
void BM_ReadRadarDirectory(benchmark::State& state) {
    std::string page = "<html><head><title>Index of /ridge/RadarImg/N0R/OKX</title></head>\n";
    for (int i = 0; i < 120; ++i) {
        char line[256];
        std::snprintf(line, sizeof line,
                      "<tr><td valign=\"top\"><img src=\"/icons/image2.gif\" alt=\"[IMG]\"></td>"
                      "<td><a href=\"OKX_20201201_%02d%02d_N0R.gif\">OKX_20201201_%02d%02d_N0R.gif"
                      "</a></td><td align=\"right\">01-Dec-2020 15:45  </td><td align=\"right\">"
                      " 12K</td></tr>\n",
                      i / 6 + 4, i % 6 * 10, i / 6 + 4, i % 6 * 10);
        page += line;
    }
    page += "</table></body></html>\n";
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadRadarDirectory(page, "OKX_20", "", 30));
}
BENCHMARK(BM_ReadRadarDirectory)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace skelvane
