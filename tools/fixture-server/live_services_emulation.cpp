#include "live_services_emulation.h"

#include "net/gif_encoder.h"
#include "net/jpeg_encoder.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace skelvane::fixture {

namespace {

// The sizes the satellite CDN offers, across its sectors.
constexpr std::array<std::string_view, 13> kCdnSizes{
    "300x300", "600x600", "1000x1000", "1200x1200", "2400x2400", "900x540",  "1800x1080",
    "416x250", "625x375", "1250x750",  "339x339",   "678x678",   "1808x1808"};

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::string Upper(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}

bool Same(std::string_view a, std::string_view b) {
    return Lower(a) == Lower(b);
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    while (true) {
        const std::size_t at = text.find(separator);
        parts.push_back(text.substr(0, at));
        if (at == std::string_view::npos)
            return parts;
        text.remove_prefix(at + 1);
    }
}

std::optional<double> ReadNumber(std::string_view text) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<int> ReadSize(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

FolderAnswer Body(std::string body, std::string type) {
    FolderAnswer answer;
    answer.status = 200;
    answer.contentType = std::move(type);
    answer.body = std::move(body);
    return answer;
}

std::string Png(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toStdString();
}

std::string Jpeg(QSize size, QRgb colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return JpegEncoder(90).encode(image).toStdString();
}

// A colour of its own for each text, so that pictures of different requests differ.
QRgb ColourOf(std::string_view text) {
    std::uint32_t hash = 2166136261u;
    for (char c : text)
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    return qRgb(64 + static_cast<int>(hash & 0x7F), 64 + static_cast<int>((hash >> 8) & 0x7F),
                64 + static_cast<int>((hash >> 16) & 0x7F));
}

// "NNNxMMM" as a size, at most 128 pixels a side (the pictures' content does not matter).
QSize PictureSize(std::string_view size) {
    const std::size_t x = size.find('x');
    if (x == std::string_view::npos)
        return {64, 64};
    const auto w = ReadSize(size.substr(0, x));
    const auto h = ReadSize(size.substr(x + 1));
    if (!w || !h || *w <= 0 || *h <= 0)
        return {64, 64};
    QSize picture(*w, *h);
    return picture.scaled(128, 128, Qt::KeepAspectRatio);
}

std::string IndexPage(const std::string& path, const std::vector<std::string>& names) {
    std::string page = "<html><head><title>Index of " + path +
                       "</title></head><body>\n<h1>Index of " + path +
                       "</h1><pre><a href=\"../\">../</a>\n";
    for (const std::string& name : names)
        page += "<a href=\"" + name + "\">" + name + "</a>   01-Dec-2026 15:45   41234\n";
    return page + "</pre></body></html>\n";
}

} // namespace

LiveServicesEmulation::LiveServicesEmulation(FixtureHttpServer& server) : server_(server) {
    server_.setHandler("/geoserver/", [this](const FixtureRequestRecord& request) {
        return withHeaders(geoserver(request));
    });
    server_.setHandler("/arcgis/", [this](const FixtureRequestRecord& request) {
        return withHeaders(arcgis(request));
    });
    server_.setHandler(
        "/cdn/", [this](const FixtureRequestRecord& request) { return withHeaders(cdn(request)); });
    server_.setHandler("/images/", [this](const FixtureRequestRecord& request) {
        return withHeaders(images(request));
    });
}

std::string LiveServicesEmulation::overrides() const {
    const std::string origin = server_.origin();
    return "radar.capabilities=" + origin +
           "/geoserver/{workspace}/{layer}/ows?service=WMS&version=1.1.1&request=GetCapabilities;"
           "radar.map=" +
           origin + "/geoserver/{workspace}/ows;" + "warnings.features=" + origin +
           "/geoserver/wwa/ows?service=WFS&version=2.0.0&request=GetFeature&typeNames=warnings"
           "&outputFormat=application/json&srsName=EPSG:4326;" +
           "relief.map=" + origin + "/arcgis/USGSShadedReliefOnly/WMSServer;" +
           "boundaries.map=" + origin + "/arcgis/tigerWMS_Current/WMSServer;" +
           "roads.map=" + origin + "/arcgis/tigerWMS_Current/WMSServer;" + "rivers.map=" + origin +
           "/arcgis/nhd/WMSServer;" + "satellite.cdn=" + origin + "/cdn;" +
           "satellite.image.GMIR=" + origin + "/images/eumetsat/MSG_IR108.jpg;" +
           "satellite.image.GMVS=" + origin + "/images/eumetsat/MSG_Natural.jpg;" +
           "satellite.image.GIIR=" + origin + "/images/eumetsat/IODC_IR108.jpg;" +
           "satellite.image.GIVS=" + origin + "/images/eumetsat/IODC_Natural.jpg;" +
           "satellite.image.MTIR=" + origin + "/images/jma/fd__b13_{hhmm}.jpg;" +
           "satellite.image.MTVS=" + origin + "/images/jma/fd__trm_{hhmm}.jpg";
}

void LiveServicesEmulation::addLayer(const std::string& workspace, const std::string& layer,
                                     std::vector<std::string> times) {
    const std::lock_guard lock(mutex_);
    layers_.push_back({workspace, layer, std::move(times)});
}

void LiveServicesEmulation::setMark(double longitude, double latitude, std::uint32_t rgb) {
    const std::lock_guard lock(mutex_);
    hasMark_ = true;
    markLongitude_ = longitude;
    markLatitude_ = latitude;
    markRgb_ = rgb;
}

void LiveServicesEmulation::setWarnings(std::string geojson) {
    const std::lock_guard lock(mutex_);
    warnings_ = std::move(geojson);
}

void LiveServicesEmulation::setCdnStamps(std::vector<std::string> stamps) {
    const std::lock_guard lock(mutex_);
    stamps_ = std::move(stamps);
}

void LiveServicesEmulation::setCacheControl(std::string header) {
    const std::lock_guard lock(mutex_);
    cacheControl_ = std::move(header);
}

std::optional<FolderAnswer>
LiveServicesEmulation::withHeaders(std::optional<FolderAnswer> answer) const {
    const std::lock_guard lock(mutex_);
    if (answer && !cacheControl_.empty())
        answer->headers.emplace_back("Cache-Control", cacheControl_);
    return answer;
}

std::vector<std::string> LiveServicesEmulation::problems() const {
    const std::lock_guard lock(mutex_);
    return problems_;
}

std::vector<FixtureRequestRecord> LiveServicesEmulation::mapRequests() const {
    const std::lock_guard lock(mutex_);
    return mapRequests_;
}

FolderAnswer LiveServicesEmulation::exception(const FixtureRequestRecord& request,
                                              const std::string& problem) {
    {
        const std::lock_guard lock(mutex_);
        problems_.push_back(request.target + ": " + problem);
    }
    // As the map servers answer a request they cannot serve: status 200 with an XML report.
    return Body("<?xml version=\"1.0\"?>\n<ServiceExceptionReport version=\"1.1.1\">"
                "<ServiceException>" +
                    problem + "</ServiceException></ServiceExceptionReport>\n",
                "application/vnd.ogc.se_xml");
}

std::string LiveServicesEmulation::checkGetMap(const FixtureRequestRecord& request,
                                               const Layer* layer, bool wantsTime) const {
    if (!Same(request.param("service"), "WMS"))
        return "service is not WMS";
    if (request.param("version") != "1.1.1")
        return "version " + request.param("version") + " is not 1.1.1";
    if (!Same(request.param("srs"), "EPSG:4326"))
        return "SRS " + request.param("srs") + " is not EPSG:4326";
    const std::string bbox = request.param("bbox");
    const std::vector<std::string_view> box = Split(bbox, ',');
    if (box.size() != 4)
        return "BBOX has not four numbers";
    std::array<double, 4> edges{};
    for (std::size_t i = 0; i < 4; ++i) {
        const auto number = ReadNumber(box[i]);
        if (!number)
            return "BBOX holds something that is not a number";
        edges[i] = *number;
    }
    // 1.1.1 with EPSG:4326: west, south, east, north.
    if (!(edges[0] < edges[2]) || !(edges[1] < edges[3]) || edges[0] < -180 || edges[2] > 180 ||
        edges[1] < -90 || edges[3] > 90)
        return "BBOX is not west,south,east,north";
    const auto width = ReadSize(request.param("width"));
    const auto height = ReadSize(request.param("height"));
    if (!width || !height || *width <= 0 || *height <= 0 || *width > 4096 || *height > 4096)
        return "WIDTH and HEIGHT are not a picture size";
    const std::string format = request.param("format");
    if (format != "image/png" && format != "image/jpeg")
        return "FORMAT " + format + " is not served";
    if (layer && wantsTime) {
        const std::string time = request.param("time");
        if (std::find(layer->times.begin(), layer->times.end(), time) == layer->times.end())
            return "TIME " + time + " is not one of the layer's";
    }
    return {};
}

FolderAnswer LiveServicesEmulation::mapPicture(const FixtureRequestRecord& request,
                                               bool drawMark) const {
    const std::string bbox = request.param("bbox");
    const std::vector<std::string_view> box = Split(bbox, ',');
    const double west = *ReadNumber(box[0]), south = *ReadNumber(box[1]);
    const double east = *ReadNumber(box[2]), north = *ReadNumber(box[3]);
    const int width = *ReadSize(request.param("width"));
    const int height = *ReadSize(request.param("height"));
    const bool jpeg = request.param("format") == "image/jpeg";
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(jpeg ? qRgb(120, 140, 110) : qRgba(0, 0, 0, 0));
    if (!jpeg) {
        // Something of the layer's own: a line across the middle.
        const QRgb colour = ColourOf(request.param("layers"));
        for (int x = 0; x < width; ++x)
            image.setPixel(x, height / 2, colour);
    }
    const std::lock_guard lock(mutex_);
    if (drawMark && hasMark_) {
        const int x = static_cast<int>(std::floor((markLongitude_ - west) / (east - west) * width));
        const int y =
            static_cast<int>(std::floor((north - markLatitude_) / (north - south) * height));
        if (image.valid(x, y))
            image.setPixel(x, y, 0xFF000000u | markRgb_);
    }
    if (jpeg)
        return Body(JpegEncoder(95).encode(image).toStdString(), "image/jpeg");
    return Body(Png(image), "image/png");
}

std::optional<FolderAnswer> LiveServicesEmulation::geoserver(const FixtureRequestRecord& request) {
    // /geoserver/{workspace}/ows or /geoserver/{workspace}/{layer}/ows
    const std::vector<std::string_view> parts = Split(request.path, '/');
    if (parts.size() < 4 || parts.back() != "ows")
        return std::nullopt;
    const std::string workspace(parts[2]);
    const std::string what = request.param("request");
    if (workspace == "wwa") {
        if (!Same(request.param("service"), "WFS") || what != "GetFeature" ||
            request.param("typeNames") != "warnings" ||
            request.param("outputFormat") != "application/json")
            return exception(request, "not a GetFeature of warnings as GeoJSON");
        const std::lock_guard lock(mutex_);
        return Body(warnings_, "application/json");
    }
    if (what == "GetCapabilities") {
        if (parts.size() != 5)
            return exception(request, "capabilities asked of the whole workspace");
        const std::string name(parts[3]);
        const std::lock_guard lock(mutex_);
        for (const Layer& layer : layers_) {
            if (layer.workspace != workspace || layer.name != name)
                continue;
            std::string times;
            for (const std::string& time : layer.times)
                times += (times.empty() ? "" : ",") + time;
            return Body("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                        "<WMT_MS_Capabilities version=\"1.1.1\"><Service><Name>OGC:WMS</Name>"
                        "<Title>" +
                            workspace + "</Title></Service><Capability><Layer><Title>" + workspace +
                            "</Title><SRS>EPSG:4326</SRS><Layer queryable=\"1\"><Name>" +
                            workspace + ":" + name + "</Name><Title>" + name +
                            "</Title><Style><Name>default</Name><Title>A style</Title></Style>"
                            "<Dimension name=\"time\" units=\"ISO8601\"/>"
                            "<Extent name=\"time\" default=\"current\">" +
                            times +
                            "</Extent></Layer></Layer></Capability></WMT_MS_Capabilities>\n",
                        "application/vnd.ogc.wms_xml");
        }
        return std::nullopt;
    }
    if (what != "GetMap")
        return exception(request, "request " + what + " is not served");
    const std::string layerName = request.param("layers");
    std::optional<Layer> layer;
    {
        const std::lock_guard lock(mutex_);
        for (const Layer& candidate : layers_)
            if (candidate.workspace == workspace &&
                (candidate.name == layerName || workspace + ":" + candidate.name == layerName))
                layer = candidate;
        mapRequests_.push_back(request);
    }
    if (!layer)
        return exception(request, "no layer " + layerName + " in " + workspace);
    const std::string problem = checkGetMap(request, &*layer, true);
    if (!problem.empty())
        return exception(request, problem);
    return mapPicture(request, true);
}

std::optional<FolderAnswer> LiveServicesEmulation::arcgis(const FixtureRequestRecord& request) {
    // /arcgis/{service}/WMSServer with numbered layers.
    const std::vector<std::string_view> parts = Split(request.path, '/');
    if (parts.size() != 4 || parts[3] != "WMSServer")
        return std::nullopt;
    static const std::vector<std::pair<std::string, std::vector<std::string>>> kServices{
        {"USGSShadedReliefOnly", {"USGSShadedReliefOnly"}},
        {"tigerWMS_Current", {"States", "Counties", "Primary Roads", "Census Tracts"}},
        {"nhd", {"Point", "Flowline - Large Scale", "Flowline - Small Scale", "Area"}},
    };
    const auto service = std::find_if(kServices.begin(), kServices.end(),
                                      [&](const auto& entry) { return entry.first == parts[2]; });
    if (service == kServices.end())
        return std::nullopt;
    const std::string what = request.param("request");
    if (what == "GetCapabilities") {
        std::string layers;
        for (std::size_t i = 0; i < service->second.size(); ++i)
            layers += "<Layer queryable=\"1\"><Name>" + std::to_string(i) + "</Name><Title>" +
                      service->second[i] + "</Title></Layer>";
        return Body("<?xml version=\"1.0\"?>\n<WMS_Capabilities version=\"1.3.0\"><Capability>"
                    "<Layer><Title>" +
                        service->first + "</Title>" + layers +
                        "</Layer></Capability></WMS_Capabilities>\n",
                    "text/xml");
    }
    if (what != "GetMap")
        return exception(request, "request " + what + " is not served");
    const auto layer = ReadSize(request.param("layers"));
    if (!layer || *layer < 0 || static_cast<std::size_t>(*layer) >= service->second.size())
        return exception(request, "no layer " + request.param("layers"));
    const std::string problem = checkGetMap(request, nullptr, false);
    if (!problem.empty())
        return exception(request, problem);
    return mapPicture(request, false);
}

std::optional<FolderAnswer> LiveServicesEmulation::cdn(const FixtureRequestRecord& request) {
    // /cdn/{SAT}/ABI/{CONUS|FD|SECTOR/x}/{band}/ and its files.
    std::vector<std::string_view> parts = Split(request.path, '/');
    const bool folder = request.path.ends_with('/');
    if (folder)
        parts.pop_back();
    if (parts.size() < 6 || parts[3] != "ABI")
        return std::nullopt;
    const std::string satellite(parts[2]);
    const std::size_t bandAt = folder ? parts.size() - 1 : parts.size() - 2;
    const std::string band(parts[bandAt]);
    const std::string sector(parts[bandAt - 1]);
    std::vector<std::string> stamps;
    {
        const std::lock_guard lock(mutex_);
        stamps = stamps_;
    }
    std::vector<std::string> names;
    for (const std::string& stamp : stamps)
        for (std::string_view size : kCdnSizes)
            names.push_back(stamp + "_" + satellite + "-ABI-" + sector + "-" + band + "-" +
                            std::string(size) + ".jpg");
    for (std::string_view size : kCdnSizes) {
        names.push_back(std::string(size) + ".jpg");
        names.push_back(satellite + "-" + Upper(sector) + "-" + band + "-" + std::string(size) +
                        ".gif");
    }
    if (folder)
        return Body(IndexPage(request.path, names), "text/html");
    const std::string name(parts.back());
    if (std::find(names.begin(), names.end(), name) == names.end())
        return std::nullopt;
    const std::string size =
        name.ends_with(".gif") ? name.substr(name.rfind('-') + 1, name.size() - name.rfind('-') - 5)
        : name.find('_') == std::string::npos
            ? name.substr(0, name.size() - 4)
            : name.substr(name.rfind('-') + 1, name.size() - name.rfind('-') - 5);
    const QSize picture = PictureSize(size);
    if (name.ends_with(".gif")) {
        std::vector<GifEncodeFrame> frames;
        for (int i = 0; i < 4; ++i) {
            QImage image(picture, QImage::Format_RGB32);
            image.fill(qRgb(40 * i, 100, 200 - 40 * i));
            frames.push_back({image, 20});
        }
        return Body(GifEncoder().encodeAnimation(frames).toStdString(), "image/gif");
    }
    return Body(Jpeg(picture, ColourOf(name)), "image/jpeg");
}

std::optional<FolderAnswer> LiveServicesEmulation::images(const FixtureRequestRecord& request) {
    if (!request.path.ends_with(".jpg"))
        return std::nullopt;
    return Body(Jpeg({96, 96}, ColourOf(request.path)), "image/jpeg");
}

} // namespace skelvane::fixture
