// The place list: loading the shipped sitename.dat (decrypt, inflate, split) and the
// queries of the location page. Targets: the load under 300 ms and 20 MB, each query
// under 50 ms. Memory is counted by the global allocation hooks below: `peak_MB` is the
// most held at once during a load, `kept_MB` what the loaded list keeps.
#include "location/place_list_file.h"
#include "location/place_pick.h"
#include "location/place_queries.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <malloc.h>
#include <new>

namespace {

std::atomic<std::size_t> gHeld{0};
std::atomic<std::size_t> gPeak{0};

void Count(void* block) {
    const std::size_t held = gHeld += malloc_usable_size(block);
    std::size_t peak = gPeak.load();
    while (held > peak && !gPeak.compare_exchange_weak(peak, held)) {
    }
}

} // namespace

void* operator new(std::size_t size) {
    void* block = std::malloc(size ? size : 1);
    if (!block)
        throw std::bad_alloc();
    Count(block);
    return block;
}
void operator delete(void* block) noexcept {
    if (block)
        gHeld -= malloc_usable_size(block);
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
    operator delete(block);
}

namespace skelvane {
namespace {

std::filesystem::path ShippedList() {
    return FindPlaceListFile(PlaceListFolders(ProgramFolder()));
}

const PlaceList& Loaded() {
    static const PlaceList list = [] {
        PlaceListLoad load = LoadPlaceListFile(ShippedList());
        if (!load.loaded) {
            std::fprintf(stderr, "cannot load %s: %s\n", ShippedList().c_str(), load.error.c_str());
            std::exit(1);
        }
        return std::move(load.list);
    }();
    return list;
}

constexpr double kMB = 1024.0 * 1024.0;

void BM_LoadPlaceList(benchmark::State& state) {
    const std::filesystem::path file = ShippedList();
    double peak = 0, kept = 0, lines = 0;
    for (auto _ : state) {
        const std::size_t before = gHeld;
        gPeak = before;
        PlaceListLoad load = LoadPlaceListFile(file);
        if (!load.loaded) {
            state.SkipWithError(load.error.c_str());
            return;
        }
        peak = static_cast<double>(gPeak - before) / kMB;
        kept = static_cast<double>(gHeld - before) / kMB;
        lines = static_cast<double>(load.list.size());
        benchmark::DoNotOptimize(load);
    }
    state.counters["peak_MB"] = peak;
    state.counters["kept_MB"] = kept;
    state.counters["lines"] = lines;
}
BENCHMARK(BM_LoadPlaceList)->Unit(benchmark::kMillisecond);

// FindZipButClick: the code's line, then the state list to select the city in.
void BM_PostalCodeSearch(benchmark::State& state) {
    const PlaceList& list = Loaded();
    for (auto _ : state)
        benchmark::DoNotOptimize(FindZip(list, "99929")); // Wrangell AK, near the end
}
BENCHMARK(BM_PostalCodeSearch)->Unit(benchmark::kMillisecond);

void BM_PostalCodeNotFound(benchmark::State& state) {
    const PlaceList& list = Loaded();
    for (auto _ : state)
        benchmark::DoNotOptimize(FindZipLine(list, "00000"));
}
BENCHMARK(BM_PostalCodeNotFound)->Unit(benchmark::kMillisecond);

// StateBox1Select for the state with the most lines.
void BM_StateSelection(benchmark::State& state) {
    const PlaceList& list = Loaded();
    for (auto _ : state)
        benchmark::DoNotOptimize(StatePlaces(list, "TX"));
}
BENCHMARK(BM_StateSelection)->Unit(benchmark::kMillisecond);

void BM_CountrySelection(benchmark::State& state) {
    const PlaceList& list = Loaded();
    for (auto _ : state)
        benchmark::DoNotOptimize(CountryPlaces(list, "Canada"));
}
BENCHMARK(BM_CountrySelection)->Unit(benchmark::kMillisecond);

void BM_FindClosest(benchmark::State& state) {
    const PlaceList& list = Loaded();
    for (auto _ : state)
        benchmark::DoNotOptimize(FindClosest(list, {40.7484, -73.9967}));
}
BENCHMARK(BM_FindClosest)->Unit(benchmark::kMillisecond);

void BM_ForecastCities(benchmark::State& state) {
    const PlaceList& list = Loaded();
    for (auto _ : state)
        benchmark::DoNotOptimize(ForecastCities(list, "TX"));
}
BENCHMARK(BM_ForecastCities)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace skelvane
