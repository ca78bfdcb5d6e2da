// eclipses and planets: the year's eclipses and the planet table from the engine.
#include "almanac/commands.h"

#include "astro/eclipses.h"
#include "astro/planet_text.h"
#include "astro/planets.h"

namespace skelvane::almanac {

namespace {

// "Mars  RA 01h 23m  Dec +04° 05'  elongation 45.6°"
std::string PlanetLine(const std::string& name, const std::string& raText,
                       const std::string& decText, double elongation) {
    std::string line = name;
    line.append("  RA ").append(raText).append("  Dec ").append(decText);
    line.append("  elongation ").append(NumberText(elongation)).append("°");
    return line;
}

// An instant, or null for a contact that does not occur (0).
void AddContact(JsonLine& json, std::string_view key, DateTime instant) {
    if (instant == 0)
        json.addNull(key);
    else
        json.addInstant(key, instant);
}

std::string TrackJson(const std::vector<EclipseTrackPoint>& track) {
    std::string json = "[";
    for (const EclipseTrackPoint& point : track) {
        if (json.size() > 1)
            json += ',';
        json += JsonLine()
                    .addInstant("ut", point.instant)
                    .add("lat", point.latitude)
                    .add("lon", point.longitude)
                    .add("duration", point.durationSeconds)
                    .str();
    }
    return json + "]";
}

} // namespace

void EclipsesCommand(const std::vector<std::string>& words, std::ostream& out) {
    const Arguments arguments(words, {"from-year", "to-year"}, {"json"});
    const auto [from, to] = ReadYearRange(arguments);
    Output output(out, arguments.flag("json"));
    TStEclipses list;
    for (int year = from; year <= to; ++year) {
        list.FindEclipses(year);
        for (std::size_t i = 0; i < list.Count(); ++i) {
            const EclipseRecord& eclipse = *list.EclipseAt(static_cast<int>(i));
            std::string_view name = EclipseKindName(eclipse.kind);
            if (!name.empty() && name.front() == ' ')
                name.remove_prefix(1);
            JsonLine json;
            json.add("kind", static_cast<int>(eclipse.kind))
                .add("name", name)
                .addInstant("max_ut", eclipse.maximum)
                .add("magnitude", eclipse.magnitude)
                .add("hemisphere", static_cast<int>(eclipse.hemisphere));
            AddContact(json, "penumbral_start", eclipse.penumbralStart);
            AddContact(json, "partial_start", eclipse.partialStart);
            AddContact(json, "total_start", eclipse.totalStart);
            AddContact(json, "total_end", eclipse.totalEnd);
            AddContact(json, "partial_end", eclipse.partialEnd);
            AddContact(json, "penumbral_end", eclipse.penumbralEnd);
            json.addRaw("track", TrackJson(eclipse.track));
            const std::string magnitude = eclipse.magnitude == kMagnitudeNotComputed
                                              ? "Mag: N/A"
                                              : "Mag: " + NumberText(eclipse.magnitude);
            output.write(json, IsoInstant(eclipse.maximum) + "  " + std::string(name) + "  " +
                                   magnitude + "  track points " +
                                   std::to_string(eclipse.track.size()));
        }
    }
}

void PlanetsCommand(const std::vector<std::string>& words, std::ostream& out) {
    const Arguments arguments(words, {"utc"}, {"json"});
    const DateTime utc = arguments.utcInstant("utc");
    const PlanetTable table = PlanetPositions(ToJulianDate(utc));
    Output output(out, arguments.flag("json"));
    for (std::size_t i = 0; i < table.size(); ++i) {
        const PlanetPosRec& planet = table[i];
        const std::string name(PlanetName(i));
        const std::string raText = FormatRaHours(planet.ra);
        const std::string decText = FormatDecDegrees(planet.dec);
        output.write(JsonLine()
                         .add("body", name)
                         .add("ra", planet.ra)
                         .add("dec", planet.dec)
                         .add("elongation", planet.elongation)
                         .add("ra_text", raText)
                         .add("dec_text", decText),
                     PlanetLine(name, raText, decText, planet.elongation));
    }
}

} // namespace skelvane::almanac
