// radar: a radar view's download and composition as the Radar page makes them, without a
// window: the composed frames as PNG files and, when animating, the animated GIF.
#include "fetch/fetch_commands.h"
#include "net/decode/image_signatures.h"
#include "net/decode/radar_frame_time.h"
#include "net/decode/radar_map_marks.h"
#include "net/decode/radar_paths.h"
#include "net/decode/radar_views.h"
#include "net/download_settings.h"
#include "net/gif_decoder.h"
#include "net/radar_animation_gif.h"
#include "net/radar_compose.h"
#include "net/radar_site_download.h"

#include <QDir>
#include <QPainter>
#include <cstdio>
#include <sstream>

namespace skelvane::fetch {

namespace {

// The text as a JSON string value.
std::string JsonText(const std::string& text) {
    const std::string object = JsonLine().add("", text).str();
    return object.substr(4, object.size() - 5);
}

std::string JsonBool(bool value) {
    return value ? "true" : "false";
}

// "topo,radar,..." as layer choices; every layer not named is off.
RadarLayerChoices LayersOption(const std::string& text, bool warnText) {
    RadarLayerChoices choices;
    bool* flags[kRadarLayerCount] = {&choices.topo,     &choices.radar,     &choices.counties,
                                     &choices.rivers,   &choices.highways,  &choices.cities,
                                     &choices.warnings, &choices.rangeRing, &choices.legend};
    for (bool* flag : flags)
        *flag = false;
    std::stringstream words(text);
    std::string word;
    while (std::getline(words, word, ',')) {
        bool known = false;
        for (int layer = 0; layer < kRadarLayerCount; ++layer) {
            if (word == RadarLayerName(static_cast<RadarLayer>(layer))) {
                *flags[layer] = true;
                known = true;
            }
        }
        if (!known)
            throw UsageError{"--layers takes topo, radar, counties, rivers, highways, cities, "
                             "warnings, rangering and legend, separated by commas"};
    }
    choices.warnText = warnText;
    return choices;
}

// --home LAT,LON
std::pair<double, double> HomeOption(const std::string& text) {
    double latitude = 0, longitude = 0;
    char end = 0;
    if (std::sscanf(text.c_str(), "%lf,%lf%c", &latitude, &longitude, &end) != 2 ||
        !(latitude >= -90 && latitude <= 90) || !(longitude >= -180 && longitude <= 180))
        throw UsageError{"--home needs LAT,LON in degrees (north and east positive)"};
    return {latitude, longitude};
}

std::string HostName(RadarHost host) {
    switch (host) {
    case RadarHost::Alternative1:
        return "alternative1";
    case RadarHost::Alternative2:
        return "alternative2";
    case RadarHost::Regional:
        break;
    }
    return "regional";
}

// The run's results for the record.
struct RadarRun {
    std::string status = "failed";
    std::string product;
    std::string activeHost;
    std::vector<std::pair<std::string, std::optional<DateTime>>> frames;
    std::vector<std::string> layersLoaded;
    WeatherWarnings warnings;
    std::vector<std::string> written;
};

class FrameWriter {
public:
    explicit FrameWriter(QString folder) : folder_(std::move(folder)) {}

    bool write(int index, const QImage& picture, std::vector<std::string>& written) {
        const QString path = QDir(folder_).absoluteFilePath(
            QStringLiteral("frame-%1.png").arg(index + 1, 2, 10, QLatin1Char('0')));
        if (!picture.save(path, "PNG")) {
            error_ = true;
            return false;
        }
        written.push_back(path.toStdString());
        return true;
    }
    QString path(const char* name) const {
        return QDir(folder_).absoluteFilePath(QLatin1String(name));
    }
    bool failed() const { return error_; }

private:
    QString folder_;
    bool error_ = false;
};

class SiteRecorder final : public RadarSiteObserver {
public:
    SiteRecorder(FrameWriter& writer, RadarRun& run, bool animate)
        : writer_(writer), run_(run), animate_(animate) {}

    void ConnectionRefused() override { refused = true; }
    void ShowRadarFrame(int index, const RadarComposedFrame& frame) override {
        writer_.write(index, frame.picture, run_.written);
        if (animate_)
            gif.appendFrame(frame.picture);
    }

    RadarAnimationGif gif;
    bool refused = false;

private:
    FrameWriter& writer_;
    RadarRun& run_;
    bool animate_;
};

void RunSite(const Arguments& arguments, const Settings& settings, int view, FrameWriter& writer,
             RadarRun& run) {
    RadarSiteRequest request;
    request.view = view;
    request.productEntry = arguments.integerOr("product", settings.RadarReflectivityBoxIndex, 0,
                                               kRadarProductEntryCount - 1);
    request.product = std::string(GetRadarType(request.productEntry));
    request.site = RadarSiteIdUpper(view);
    request.animate = arguments.flag("animate");
    request.layers = arguments.has("layers")
                         ? LayersOption(arguments.text("layers"), arguments.flag("warn-text"))
                         : RadarLayerChoicesFromSettings(settings);
    request.layers.warnText = arguments.flag("warn-text");
    request.desiredFrames = arguments.integerOr("frames", settings.StateMaxImages, 1, 30);
    request.zoom = arguments.integerOr("zoom", 1, 1, 2);
    request.tinyCircles = arguments.flag("circles");
    request.homeLatitude = settings.Latitude;
    request.homeLongitude = settings.Longitude;
    if (arguments.has("home"))
        std::tie(request.homeLatitude, request.homeLongitude) = HomeOption(arguments.text("home"));
    request.servers = RadarServersFromSettings(settings);
    request.servers.regional = HostOption(arguments, "server", request.servers.regional);
    request.servers.alternative1 = HostOption(arguments, "alt1", request.servers.alternative1);
    request.servers.alternative2 = HostOption(arguments, "alt2", request.servers.alternative2);
    request.proxy = ProxyInForce(settings);
    request.movedLayouts = MovedLayoutsFromSetting(settings.MovedServerLayouts.toStdString());

    HttpClient client(RadarClientOptions(HttpLimits{}));
    SiteRecorder recorder(writer, run, request.animate);
    const RadarSiteOutcome outcome = RunRadarSiteDownload(request, client, recorder);

    run.product = outcome.product;
    run.activeHost = HostName(outcome.activeHost);
    for (const std::string& name : outcome.lists.radar)
        run.frames.emplace_back(name, GetRadarFileTimeStamp(name));
    for (int layer = 0; layer < kRadarLayerCount; ++layer)
        if (outcome.layersLoaded[static_cast<std::size_t>(layer)])
            run.layersLoaded.emplace_back(RadarLayerName(static_cast<RadarLayer>(layer)));
    run.warnings = outcome.warnings;
    if (request.animate && recorder.gif.frameCount() > 1) {
        if (recorder.gif.write(writer.path("animation.gif")))
            run.written.push_back(writer.path("animation.gif").toStdString());
        else
            run.status = "unwritten";
    }
    if (outcome.successful && outcome.radarShown)
        run.status = "ok";
    else if (recorder.refused)
        run.status = "refused";
}

void RunMosaic(const Arguments& arguments, const Settings& settings, int view, FrameWriter& writer,
               RadarRun& run) {
    const bool animate = arguments.flag("animate");
    const std::string host =
        HostOption(arguments, "alt2", settings.RadarServerAlternative2.toStdString());
    const std::string path = RadarMosaicPath(view, animate);
    run.activeHost = "alternative2";
    const std::optional<std::string> address = ServerAddress(
        host, path, MovedLayoutsFromSetting(settings.MovedServerLayouts.toStdString()));
    HttpClient client(InteractiveClientOptions());
    client.setProxy(ProxyInForce(settings));
    const HttpResult result = client.get(QString::fromStdString(address.value_or("")));
    if (!result.ok()) {
        run.status = result.refused() ? "refused" : "failed";
        return;
    }
    const std::string_view body(result.body.constData(),
                                static_cast<std::size_t>(result.body.size()));
    std::optional<GifAnimation> gif;
    if (CheckGIFSignature(body))
        gif = GifDecoder().decode(result.body);
    if (!gif)
        return;
    run.frames.emplace_back(path.substr(path.rfind('/') + 1), std::nullopt);
    // The large map is never zoomed.
    const double zoom = view == kRadarUsaLargeView ? 1.0 : arguments.integerOr("zoom", 1, 1, 2);
    const RadarMapSize scaled{static_cast<int>(std::nearbyint(gif->screen.width() * zoom)),
                              static_cast<int>(std::nearbyint(gif->screen.height() * zoom))};
    std::vector<RadarCircleMark> marks;
    if (arguments.flag("circles")) {
        double latitude = settings.Latitude, longitude = settings.Longitude;
        if (arguments.has("home"))
            std::tie(latitude, longitude) = HomeOption(arguments.text("home"));
        marks = BuildSmallMapCenterArray(view, 1, zoom, latitude, longitude);
    }
    const int loopFrames = static_cast<int>(gif->frames.size());
    if (animate && loopFrames > 1) {
        const int count = MosaicFrameCount(
            arguments.integerOr("frames", settings.NationalMaxImages, 1, 30), loopFrames);
        QImage working(gif->screen, QImage::Format_RGB32);
        working.fill(Qt::black);
        for (int i = 0; i < count; ++i) {
            {
                QPainter painter(&working);
                painter.drawImage(0, 0, gif->frames[static_cast<std::size_t>(i)].image);
            }
            writer.write(i, MosaicPicture(working, scaled, marks), run.written);
        }
        RadarAnimationGif animation;
        animation.setFile(result.body, loopFrames);
        if (animation.write(writer.path("animation.gif")))
            run.written.push_back(writer.path("animation.gif").toStdString());
    } else {
        writer.write(0, MosaicPicture(gif->frames.front().image, scaled, marks), run.written);
    }
    run.status = writer.failed() ? "unwritten" : "ok";
}

} // namespace

int RadarCommand(const std::vector<std::string>& words, std::ostream& out) {
    const Arguments arguments(words,
                              {"view", "product", "frames", "zoom", "layers", "home", "server",
                               "alt1", "alt2", "out", "settings-dir"},
                              {"animate", "circles", "warn-text", "json"});
    const Settings settings = ReadSettings(arguments);
    const int view = arguments.integer("view", 0, kRadarViewCount - 1);
    const QString folder = QString::fromStdString(arguments.text("out"));
    if (!QDir().mkpath(folder))
        throw UsageError{"--out: cannot make the folder " + arguments.text("out")};

    FrameWriter writer(folder);
    RadarRun run;
    if (IsRadarSiteView(view))
        RunSite(arguments, settings, view, writer, run);
    else
        RunMosaic(arguments, settings, view, writer, run);
    if (writer.failed())
        run.status = "unwritten";

    std::string frames = "[";
    for (const auto& [name, time] : run.frames) {
        if (frames.size() > 1)
            frames += ',';
        frames += "{\"name\":" + JsonText(name) +
                  ",\"utc\":" + (time ? JsonText(cli::IsoInstant(*time)) : std::string("null")) +
                  "}";
    }
    frames += "]";
    std::string layers = "[";
    for (const std::string& layer : run.layersLoaded)
        layers += (layers.size() > 1 ? "," : "") + JsonText(layer);
    layers += "]";
    const WeatherWarnings& w = run.warnings;
    const std::string warnings = "{\"extreme_weather\":" + JsonBool(w.extremeWeather) +
                                 ",\"tornado\":" + JsonBool(w.tornado) +
                                 ",\"severe_weather\":" + JsonBool(w.severeWeather) +
                                 ",\"flash_flood\":" + JsonBool(w.flashFlood) + "}";
    std::string written = "[";
    for (const std::string& path : run.written)
        written += (written.size() > 1 ? "," : "") + JsonText(path);
    written += "]";
    const std::string site = RadarSiteIdUpper(view);

    if (arguments.flag("json")) {
        JsonLine json;
        json.add("status", run.status).add("view", view);
        if (site.empty())
            json.addNull("site").addNull("product");
        else
            json.add("site", site).add("product", run.product);
        json.add("active_host", run.activeHost)
            .addRaw("frames", frames)
            .addRaw("layers_loaded", layers)
            .addRaw("warnings", warnings)
            .addRaw("written", written);
        out << json.str() << '\n';
    } else {
        out << "status: " << run.status << "\nview: " << view << " " << RadarViewName(view)
            << "\nsite: " << site << "\nproduct: " << run.product
            << "\nactive host: " << run.activeHost << '\n';
        for (const auto& [name, time] : run.frames)
            out << "frame: " << name << ' ' << (time ? cli::IsoInstant(*time) : "-") << '\n';
        out << "layers loaded:";
        for (const std::string& layer : run.layersLoaded)
            out << ' ' << layer;
        out << "\nwarnings:";
        for (const std::string& text : WarningLabelTexts(w))
            out << " [" << text << ']';
        out << '\n';
        for (const std::string& path : run.written)
            out << "written: " << path << '\n';
    }
    return run.status == "ok" ? 0 : 1;
}

} // namespace skelvane::fetch
