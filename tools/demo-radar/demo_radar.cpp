// skelvane-demo-radar: writes the radar part of the demo server tree (data/demo), checks that
// the tree answers every request the Radar page makes for its demo sites and mosaics, and
// moves the frames' times to the present in a copy of the tree.
//
//   skelvane-demo-radar --out DIR            overlays, frames, warnings, legends, mosaics
//   skelvane-demo-radar --check DIR          exit 0 when the tree is complete, else 1
//   skelvane-demo-radar --shift-to-now DIR [--now YYYY-MM-DDTHH:MMZ]
//                                            renames the frames so the newest is a few
//                                            minutes old (for scripts/run --demo)
#include "folder_answer.h"
#include "radar_scenery.h"

#include "astro/datetime.h"
#include "net/decode/image_signatures.h"
#include "net/decode/radar_directory.h"
#include "net/decode/radar_frame_time.h"
#include "net/decode/radar_paths.h"
#include "net/decode/radar_views.h"
#include "net/gif_decoder.h"
#include "net/gif_encoder.h"
#include "net/jpeg_decoder.h"
#include "net/jpeg_encoder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace skelvane::demo {
namespace {

constexpr int kSiteWidth = 600;
constexpr int kSiteHeight = 550;
constexpr int kFrames = 30;
constexpr int kTopoQuality = 60;
constexpr int kMosaicLoopFrames = 8;
constexpr int kLargeMosaicLoopFrames = 5;
constexpr int kMosaicDelayCentiseconds = 50;
constexpr qint64 kMaxTreeBytes = 4 * 1024 * 1024;
// The radar folders of the server tree this tool owns.
const char* const kOwnFolders[] = {"ridge", "Conus"};

const char* const kSites[] = {"OKX", "DIX", "AHG"};

struct Product {
    const char* code;
    int entry; // the product box entry whose geometry its pictures have
    int frames;
    bool allSites;
};
// N0Z with a digit zero is what a long-range download asks once the regional server failed;
// the demo holds it for OKX only, with fewer frames.
const Product kProducts[] = {
    {"N0R", 1, kFrames, true}, {"NOZ", 0, kFrames, true}, {"N0Z", 0, 10, false}};

const char* const kRangeClasses[] = {"Short", "Long"};

// The first frame's time: 2024-09-15 15:00 UTC; a frame every five minutes.
DateTime FrameTime(int frame) {
    return SafeEncodeDateTime(2024, 9, 15, 15, 0, 0, 0) + frame * 5.0 / 1440.0;
}

std::string Stamp(DateTime utc) {
    const CivilDate date = DecodeDate(utc);
    const TimeOfDay time = DecodeTime(utc);
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02d%02d_%02d%02d", date.year, date.month, date.day,
                  time.hour, time.minute);
    return text;
}

int SiteView(const std::string& site) {
    for (int view = kFirstRadarSiteView; view < kRadarViewCount; ++view)
        if (RadarSiteIdUpper(view) == site)
            return view;
    return -1;
}

int ProductFrames(const Product& product, const std::string& site) {
    return product.allSites || site == "OKX" ? product.frames : 0;
}

// Every file of the tree, by its path under the root, with what it holds.
struct TreeFile {
    std::string path;
    enum class Kind { Jpeg, Gif, MosaicStill, MosaicLoop } kind;
    int view = -1;
};

std::string RadarFrameName(const std::string& site, int frame, const std::string& product) {
    return site + "_" + Stamp(FrameTime(frame)) + "_" + product + ".gif";
}
std::string LegendFrameName(const std::string& site, int frame, const std::string& product) {
    return site + "_" + Stamp(FrameTime(frame)) + "_" + product + "_Legend.gif";
}
std::string WarningsFrameName(const std::string& site, int frame, const std::string& range) {
    return site + "_" + Stamp(FrameTime(frame)) + "_" + range + "_Warnings.gif";
}

class Writer {
public:
    explicit Writer(QString root) : root_(std::move(root)) {}

    bool put(const std::string& path, const QByteArray& bytes) {
        if (bytes.isEmpty()) {
            std::fprintf(stderr, "nothing to write for %s\n", path.c_str());
            return ok_ = false;
        }
        const QString file = root_ + QString::fromStdString(path);
        QDir().mkpath(QFileInfo(file).absolutePath());
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size()) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return ok_ = false;
        }
        ++count_;
        bytes_ += bytes.size();
        return true;
    }
    bool ok() const { return ok_; }
    int count() const { return count_; }
    qint64 bytes() const { return bytes_; }

private:
    QString root_;
    bool ok_ = true;
    int count_ = 0;
    qint64 bytes_ = 0;
};

void WriteSite(Writer& writer, const std::string& site) {
    const int view = SiteView(site);
    for (const char* range : kRangeClasses) {
        const int entry = std::string(range) == "Long" ? 0 : 1;
        const RadarGeometry geometry = GetScaleLonLat(view, entry);
        const auto overlay = [&](RadarOverlay which, const QImage& picture) {
            const std::string path = RadarOverlayPath(which, site, range);
            if (which == RadarOverlay::Topo)
                writer.put(path, JpegEncoder(kTopoQuality).encode(picture));
            else
                writer.put(path, IndexedTransparentGif(picture));
        };
        overlay(RadarOverlay::Topo, DrawTopo(geometry, kSiteWidth, kSiteHeight));
        overlay(RadarOverlay::Counties, DrawCounties(geometry, kSiteWidth, kSiteHeight));
        overlay(RadarOverlay::Rivers, DrawRivers(geometry, kSiteWidth, kSiteHeight));
        overlay(RadarOverlay::Highways, DrawHighways(geometry, kSiteWidth, kSiteHeight));
        overlay(RadarOverlay::Cities, DrawCities(geometry, kSiteWidth, kSiteHeight));
        if (RadarOverlayExists(RadarOverlay::RangeRing, range))
            overlay(RadarOverlay::RangeRing, DrawRangeRings(geometry, kSiteWidth, kSiteHeight));
        const std::string warnings = RadarWarningsDirectory(range, site);
        for (int frame = 0; frame < kFrames; ++frame)
            writer.put(warnings + WarningsFrameName(site, frame, range),
                       IndexedTransparentGif(
                           DrawWarnings(site, frame, geometry, kSiteWidth, kSiteHeight)));
    }
    for (const Product& product : kProducts) {
        const int frames = ProductFrames(product, site);
        const RadarGeometry geometry = GetScaleLonLat(view, product.entry);
        const std::string radar = RadarFrameDirectory(product.code, site);
        const std::string legend = RadarLegendDirectory(product.code, site);
        for (int frame = kFrames - frames; frame < kFrames; ++frame) {
            const double hours = frame * 5.0 / 60.0;
            writer.put(radar + RadarFrameName(site, frame, product.code),
                       IndexedTransparentGif(DrawEchoes(geometry, kSiteWidth, kSiteHeight, hours)));
            writer.put(legend + LegendFrameName(site, frame, product.code),
                       IndexedTransparentGif(DrawLegend(product.code, kSiteWidth, kSiteHeight)));
        }
    }
}

void WriteMosaics(Writer& writer) {
    for (int view = 0; view <= kRadarHawaiiMosaicView; ++view) {
        const int last = kFrames - 1;
        writer.put(RadarMosaicPath(view, false),
                   GifEncoder().encodeStill(DrawMosaic(view, last * 5.0 / 60.0)));
        const int frames = view == kRadarUsaLargeView ? kLargeMosaicLoopFrames : kMosaicLoopFrames;
        std::vector<GifEncodeFrame> loop;
        for (int frame = kFrames - frames; frame < kFrames; ++frame)
            loop.push_back({DrawMosaic(view, frame * 5.0 / 60.0), kMosaicDelayCentiseconds});
        writer.put(RadarMosaicPath(view, true), GifEncoder().encodeAnimation(loop));
    }
}

int WriteTree(const QString& root) {
    for (const char* folder : kOwnFolders)
        QDir(root + QLatin1Char('/') + QLatin1String(folder)).removeRecursively();
    Writer writer(root);
    for (const char* site : kSites)
        WriteSite(writer, site);
    WriteMosaics(writer);
    std::printf("%d files, %lld bytes\n", writer.count(), static_cast<long long>(writer.bytes()));
    return writer.ok() ? 0 : 1;
}

// --check: the tree as the fixture server answers it.
class Checker {
public:
    explicit Checker(const QString& root) : root_(std::filesystem::canonical(root.toStdString())) {}

    int Run() {
        for (const char* site : kSites)
            checkSite(site);
        checkMosaics();
        checkNothingElse();
        if (treeBytes_ > kMaxTreeBytes)
            fail("the radar tree holds " + std::to_string(treeBytes_) + " bytes, more than " +
                 std::to_string(kMaxTreeBytes));
        if (failures_ == 0)
            std::printf("radar tree complete: %zu requests answered, %lld bytes\n", asked_.size(),
                        static_cast<long long>(treeBytes_));
        return failures_ == 0 ? 0 : 1;
    }

private:
    void fail(const std::string& text) {
        std::fprintf(stderr, "%s\n", text.c_str());
        ++failures_;
    }

    // The answer for a path, which must be a 200.
    std::optional<std::string> answer(const std::string& path) {
        asked_.insert(path);
        const fixture::FolderAnswer got = fixture::AnswerFromFolder(root_, path);
        if (got.status != 200) {
            fail(path + ": status " + std::to_string(got.status));
            return std::nullopt;
        }
        return got.body;
    }

    void checkGif(const std::string& path, RadarMapSize size, int minFrames = 1) {
        const std::optional<std::string> body = answer(path);
        if (!body)
            return;
        if (!CheckGIFSignature(*body)) {
            fail(path + ": not a GIF");
            return;
        }
        GifDecoder decoder;
        const auto gif = decoder.decode(QByteArrayView(body->data(), qsizetype(body->size())));
        if (!gif)
            fail(path + ": " + decoder.errorString().toStdString());
        else if (gif->screen != QSize(size.width, size.height))
            fail(path + ": wrong size");
        else if (static_cast<int>(gif->frames.size()) < minFrames)
            fail(path + ": too few frames");
    }

    void checkJpeg(const std::string& path) {
        const std::optional<std::string> body = answer(path);
        if (!body)
            return;
        const QImage picture =
            JpegDecoder().decode(QByteArrayView(body->data(), qsizetype(body->size())));
        if (!CheckJPGSignature(*body) || picture.size() != QSize(kSiteWidth, kSiteHeight))
            fail(path + ": not a 600 × 550 JPEG");
    }

    // A directory page read as the program reads it, and every name it gives.
    void checkDirectory(const std::string& directory, const std::string& key1,
                        const std::string& key2, int count) {
        const std::optional<std::string> body = answer(directory);
        if (!body)
            return;
        const RadarDirectoryListing listing = ReadRadarDirectory(*body, key1, key2, count);
        if (!listing.ok() || static_cast<int>(listing.names.size()) != count) {
            fail(directory + ": the page does not list " + std::to_string(count) + " frames");
            return;
        }
        if (!GetRadarFileTimeStamp(listing.names.back()))
            fail(directory + ": the newest name has no time stamp");
        for (const std::string& name : listing.names)
            checkGif(directory + name, {kSiteWidth, kSiteHeight});
    }

    void checkSite(const std::string& site) {
        const std::string key = RadarFrameKey(site);
        for (const char* range : kRangeClasses) {
            for (RadarOverlay overlay :
                 {RadarOverlay::Topo, RadarOverlay::Counties, RadarOverlay::Rivers,
                  RadarOverlay::Highways, RadarOverlay::Cities, RadarOverlay::RangeRing}) {
                if (!RadarOverlayExists(overlay, range))
                    continue;
                const std::string path = RadarOverlayPath(overlay, site, range);
                if (overlay == RadarOverlay::Topo)
                    checkJpeg(path);
                else
                    checkGif(path, {kSiteWidth, kSiteHeight});
            }
            checkDirectory(RadarWarningsDirectory(range, site), key, RadarWarningsKey(range),
                           kFrames);
        }
        for (const Product& product : kProducts) {
            const int frames = ProductFrames(product, site);
            if (frames == 0)
                continue;
            checkDirectory(RadarFrameDirectory(product.code, site), key, {}, frames);
            checkDirectory(RadarLegendDirectory(product.code, site), key, {}, frames);
        }
    }

    void checkMosaics() {
        for (int view = 0; view <= kRadarHawaiiMosaicView; ++view) {
            checkGif(RadarMosaicPath(view, false), GetMapSize(view));
            checkGif(RadarMosaicPath(view, true), GetMapSize(view), 2);
        }
    }

    // Every file under the tool's folders is one of the answers above.
    void checkNothingElse() {
        for (const char* folder : kOwnFolders) {
            const std::filesystem::path base = root_ / folder;
            if (!std::filesystem::exists(base)) {
                fail(std::string("missing folder ") + folder);
                continue;
            }
            for (const auto& entry : std::filesystem::recursive_directory_iterator(base)) {
                if (!entry.is_regular_file())
                    continue;
                treeBytes_ += static_cast<qint64>(entry.file_size());
                const std::string path =
                    "/" + std::filesystem::relative(entry.path(), root_).generic_string();
                if (!asked_.count(path))
                    fail(path + ": never asked for");
            }
        }
    }

    std::filesystem::path root_;
    std::set<std::string> asked_;
    qint64 treeBytes_ = 0;
    int failures_ = 0;
};

DateTime NowUtc() {
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(
                             std::chrono::system_clock::now().time_since_epoch())
                             .count();
    return 25569.0 + static_cast<double>(seconds) / 86400.0;
}

// --shift-to-now: every frame keeps its place in the sequence; the newest ends two to seven
// minutes before `now`, on a five-minute mark.
int ShiftToNow(const QString& root, DateTime now) {
    struct Frame {
        QString file;
        std::string site, rest;
        DateTime time;
    };
    std::vector<Frame> frames;
    DateTime newest = 0;
    for (const char* folder : {"RadarImg", "Warnings", "Legend"}) {
        QDirIterator it(root + QStringLiteral("/ridge/") + QLatin1String(folder), QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            const std::string name = QFileInfo(file).fileName().toStdString();
            const std::optional<DateTime> time = GetRadarFileTimeStamp(name);
            const std::size_t first = name.find('_');
            const std::size_t third =
                first == std::string::npos ? first : name.find('_', name.find('_', first + 1) + 1);
            if (!time || third == std::string::npos)
                continue;
            frames.push_back({file, name.substr(0, first), name.substr(third), *time});
            newest = std::max(newest, *time);
        }
    }
    if (frames.empty()) {
        std::fprintf(stderr, "no radar frames under %s\n", qPrintable(root));
        return 1;
    }
    const double step = 5.0 / 1440.0;
    const DateTime target = std::floor((now - 2.0 / 1440.0) / step) * step;
    const double shift = std::round((target - newest) / step) * step;
    // Later frames first when moving forward, so that no rename lands on a name still in use.
    std::sort(frames.begin(), frames.end(), [shift](const Frame& a, const Frame& b) {
        return shift > 0 ? a.time > b.time : a.time < b.time;
    });
    for (const Frame& frame : frames) {
        const std::string name = frame.site + "_" + Stamp(frame.time + shift) + frame.rest;
        const QString to =
            QFileInfo(frame.file).absolutePath() + QLatin1Char('/') + QString::fromStdString(name);
        if (to != frame.file && !QFile::rename(frame.file, to)) {
            std::fprintf(stderr, "cannot rename %s\n", qPrintable(frame.file));
            return 1;
        }
    }
    return 0;
}

int Usage() {
    std::fprintf(stderr, "usage: skelvane-demo-radar --out DIR | --check DIR | "
                         "--shift-to-now DIR [--now YYYY-MM-DDTHH:MMZ]\n");
    return 2;
}

std::optional<DateTime> ParseNow(const QString& text) {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0;
    if (std::sscanf(text.toLatin1().constData(), "%4d-%2d-%2dT%2d:%2dZ", &year, &month, &day, &hour,
                    &minute) != 5)
        return std::nullopt;
    const DateTime value = SafeEncodeDateTime(year, month, day, hour, minute, 0, 0);
    if (value == 0)
        return std::nullopt;
    return value;
}

} // namespace
} // namespace skelvane::demo

int main(int argc, char* argv[]) {
    // Drawing text needs a font database, not a screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    using namespace skelvane::demo;
    if (args.size() == 3 && args[1] == QLatin1String("--out"))
        return WriteTree(args[2]);
    if (args.size() == 3 && args[1] == QLatin1String("--check"))
        return Checker(args[2]).Run();
    if ((args.size() == 3 || args.size() == 5) && args[1] == QLatin1String("--shift-to-now")) {
        skelvane::DateTime now = NowUtc();
        if (args.size() == 5) {
            const auto given = args[3] == QLatin1String("--now") ? ParseNow(args[4]) : std::nullopt;
            if (!given)
                return Usage();
            now = *given;
        }
        return ShiftToNow(args[2], now);
    }
    return Usage();
}
