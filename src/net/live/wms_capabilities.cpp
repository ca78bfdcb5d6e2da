#include "net/live/wms_capabilities.h"

#include "net/live/iso_time.h"

#include <QXmlStreamReader>
#include <algorithm>
#include <map>

namespace skelvane {

namespace {

// A document bigger than this is not one layer's capabilities.
constexpr qsizetype kMaxDocument = 16 << 20;

struct OpenLayer {
    std::string name;
    std::string title;
    std::string times; // the text of its time extent; empty when it has none
    bool hasTimes = false;
};

bool NameMatches(std::string_view name, std::string_view wanted) {
    if (name == wanted)
        return true;
    const auto strip = [](std::string_view text) {
        const std::size_t colon = text.rfind(':');
        return colon == std::string_view::npos ? text : text.substr(colon + 1);
    };
    return !wanted.empty() && strip(name) == strip(wanted);
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t' || text.front() == '\n' ||
                             text.front() == '\r'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\n' ||
                             text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

// Adds the instants of one list entry: an instant, or start/end/period.
void AddTimes(std::string_view entry, std::map<std::int64_t, std::string>& times,
              std::size_t maxTimes) {
    entry = Trim(entry);
    if (entry.empty())
        return;
    const std::size_t slash = entry.find('/');
    if (slash == std::string_view::npos) {
        if (const auto ms = ParseIsoInstant(entry))
            times.emplace(*ms, std::string(entry));
        return;
    }
    const std::string_view rest = entry.substr(slash + 1);
    const std::size_t slash2 = rest.find('/');
    if (slash2 == std::string_view::npos)
        return;
    const auto start = ParseIsoInstant(entry.substr(0, slash));
    const auto end = ParseIsoInstant(rest.substr(0, slash2));
    const auto period = ParseIsoDuration(Trim(rest.substr(slash2 + 1)));
    if (!start || !end || !period || *end < *start)
        return;
    // From the end backwards: only the newest are kept anyway.
    const std::int64_t steps = (*end - *start) / *period;
    const std::int64_t first =
        std::max<std::int64_t>(0, steps - static_cast<std::int64_t>(maxTimes));
    for (std::int64_t i = steps; i >= first; --i) {
        const std::int64_t ms = *start + i * *period;
        times.emplace(ms, IsoInstantText(ms));
    }
}

} // namespace

WmsLayerTimes ReadWmsLayerTimes(QByteArrayView xml, std::string_view layer, std::size_t maxTimes) {
    WmsLayerTimes result;
    if (xml.size() > kMaxDocument || maxTimes == 0)
        return result;
    QXmlStreamReader reader(xml.toByteArray());
    std::vector<OpenLayer> stack;
    std::string found; // the time text of the layer asked for
    bool foundHasTimes = false;
    while (!reader.atEnd() && !result.layerFound) {
        reader.readNext();
        if (reader.isStartElement()) {
            const QStringView element = reader.name();
            if (element == u"Layer") {
                stack.push_back({});
            } else if (element == u"Style" || element == u"Attribution") {
                reader.skipCurrentElement(); // their names are not the layer's
            } else if (!stack.empty() && element == u"Name" && stack.back().name.empty()) {
                stack.back().name = reader.readElementText().trimmed().toStdString();
            } else if (!stack.empty() && (element == u"Extent" || element == u"Dimension") &&
                       reader.attributes()
                               .value(QStringLiteral("name"))
                               .compare(u"time", Qt::CaseInsensitive) == 0) {
                const std::string text = reader.readElementText().toStdString();
                // 1.1.1 declares the dimension empty and gives its values in Extent.
                if (!Trim(text).empty()) {
                    stack.back().times = text;
                    stack.back().hasTimes = true;
                }
            }
        } else if (reader.isEndElement() && reader.name() == u"Layer" && !stack.empty()) {
            const OpenLayer closing = stack.back();
            if (!closing.name.empty() && NameMatches(closing.name, layer)) {
                result.layerFound = true;
                if (closing.hasTimes) {
                    found = closing.times;
                    foundHasTimes = true;
                } else {
                    for (auto open = stack.rbegin() + 1; open != stack.rend(); ++open)
                        if (open->hasTimes) {
                            found = open->times;
                            foundHasTimes = true;
                            break;
                        }
                }
            }
            stack.pop_back();
        }
    }
    if (!result.layerFound || !foundHasTimes)
        return result;
    std::map<std::int64_t, std::string> times;
    std::string_view rest = found;
    while (!rest.empty()) {
        const std::size_t comma = rest.find(',');
        AddTimes(rest.substr(0, comma), times, maxTimes);
        if (comma == std::string_view::npos)
            break;
        rest.remove_prefix(comma + 1);
        // A list far longer than asked for keeps only its newest part in memory.
        while (times.size() > maxTimes)
            times.erase(times.begin());
    }
    while (times.size() > maxTimes)
        times.erase(times.begin());
    for (auto& [ms, text] : times)
        result.times.push_back({std::move(text), ms});
    return result;
}

std::vector<WmsLayer> ReadWmsLayers(QByteArrayView xml) {
    std::vector<WmsLayer> layers;
    if (xml.size() > kMaxDocument)
        return layers;
    QXmlStreamReader reader(xml.toByteArray());
    std::vector<OpenLayer> stack;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            const QStringView element = reader.name();
            if (element == u"Layer") {
                stack.push_back({});
            } else if (element == u"Style" || element == u"Attribution") {
                reader.skipCurrentElement(); // their names and titles are not the layer's
            } else if (!stack.empty() && element == u"Name" && stack.back().name.empty()) {
                stack.back().name = reader.readElementText().trimmed().toStdString();
            } else if (!stack.empty() && element == u"Title" && stack.back().title.empty()) {
                stack.back().title = reader.readElementText().trimmed().toStdString();
            }
        } else if (reader.isEndElement() && reader.name() == u"Layer" && !stack.empty()) {
            if (!stack.back().name.empty())
                layers.push_back({stack.back().name, stack.back().title});
            stack.pop_back();
        }
    }
    return layers; // inner layers before the layer that holds them
}

std::string WmsLayerNameByTitle(const std::vector<WmsLayer>& layers, std::string_view titles) {
    std::string_view rest = titles;
    while (!rest.empty()) {
        const std::size_t bar = rest.find('|');
        const std::string wanted = Lower(Trim(rest.substr(0, bar)));
        if (!wanted.empty())
            for (const WmsLayer& layer : layers)
                if (Lower(Trim(layer.title)) == wanted)
                    return layer.name;
        if (bar == std::string_view::npos)
            break;
        rest.remove_prefix(bar + 1);
    }
    return {};
}

bool IsOgcExceptionReport(QByteArrayView body) {
    const QByteArrayView head = body.first(std::min<qsizetype>(body.size(), 512));
    return head.contains("ServiceExceptionReport") || head.contains("ExceptionReport");
}

} // namespace skelvane
