#include "infowin/location_choice.h"

#include "app/settings.h"
#include "infowin/location_page_texts.h"
#include "widgets/widget_factories.h"

namespace skelvane {

MapLocation MapLocationFromSettings(const Settings& settings) {
    return {settings.Latitude,    settings.Longitude, settings.Altitude, settings.PlaceName,
            settings.CountryName, settings.StateName, settings.CityName};
}

LocationChoice::LocationChoice(const Settings& settings)
    : mapLocation_(MapLocationFromSettings(settings)) {}

void LocationChoice::startFromSaved(const Settings& settings,
                                    const QStringList& savedCoordinateTexts) {
    const PlaceStrings& saved = settings.SaveLocation;
    pending_ = {saved.PlaceName,   saved.CityName, saved.StateName,
                saved.CountryName, saved.ZipCode,  saved.Altitude};
    skipSecondDistance_ = true;
    savedCoordinatesShown_ = savedCoordinateTexts;
}

void LocationChoice::chooseCountry(const QString& country) {
    pending_.country = CutPlaceText(country.trimmed());
}

void LocationChoice::pick(const PickedPlace& place) {
    pending_.city = ToQString(place.city);
    pending_.state = ToQString(place.state);
    pending_.country = ToQString(place.country);
    pending_.placeName = ToQString(place.placeName);
}

void LocationChoice::showAltitude(const QString& text, bool meters, int feet) {
    altitudeShown_ = {text, meters, feet};
}

LocationChoice::Distances LocationChoice::placedAt(std::optional<LatLon> where,
                                                   const Settings& settings) {
    Distances distances;
    if (where) {
        const std::string name = pending_.placeName.toStdString();
        const LatLon saved{settings.Latitude, settings.Longitude};
        distances.fromSaved = ToQString(DistanceLabelText(
            DistanceMiles(saved, *where), settings.SaveLocation.PlaceName.toStdString(), name));
        if (skipSecondDistance_)
            skipSecondDistance_ = false;
        else if (previousPick_)
            distances.fromPrevious =
                ToQString(DistanceLabelText(DistanceMiles(previousPick_->where, *where),
                                            previousPick_->placeName.toStdString(), name));
        previousPick_ = PreviousPick{*where, pending_.placeName};
    }
    // A place whose coordinates do not read keeps the map where the last one put it.
    if (previousPick_) {
        mapLocation_.latitude = previousPick_->where.latitude;
        mapLocation_.longitude = previousPick_->where.longitude;
    }
    mapLocation_.altitudeFeet = pending_.altitudeFeet;
    mapLocation_.placeName = pending_.placeName;
    mapLocation_.country = pending_.country;
    mapLocation_.state = pending_.state;
    mapLocation_.city = pending_.city;
    return distances;
}

void LocationChoice::save(const Edits& edits, Settings& settings) {
    // Unreadable coordinates keep the saved ones rather than turn into 0. So do edits
    // still showing the saved place: they hold it only to the nearest second.
    if (edits.coordinateTexts != savedCoordinatesShown_) {
        if (edits.coordinates) {
            settings.Latitude = edits.coordinates->latitude;
            settings.Longitude = edits.coordinates->longitude;
        }
        savedCoordinatesShown_ = edits.coordinateTexts;
    }
    settings.SouthernHemisphere = settings.Latitude < 0;

    pending_.placeName = CutPlaceText(edits.placeName);
    pending_.zip = CutPlaceText(edits.zip);
    settings.CityStateZipEdText = pending_.placeName;
    // Whole metres are coarser than feet: a height shown in metres and left alone keeps
    // its exact feet instead of drifting by a foot at every save.
    const bool untouched =
        edits.altitudeText == altitudeShown_.text && edits.meters == altitudeShown_.meters;
    if (untouched)
        pending_.altitudeFeet = altitudeShown_.feet;
    else if (const std::optional<int> feet = AltitudeFeetFromEdit(edits.altitudeText, edits.meters))
        pending_.altitudeFeet = *feet;
    altitudeShown_ = {edits.altitudeText, edits.meters, pending_.altitudeFeet};

    // The copy the displays read and the copy the store writes take the same values.
    const PlaceStrings saved{pending_.placeName, pending_.city, pending_.state,
                             pending_.country,   pending_.zip,  pending_.altitudeFeet};
    settings.SaveLocation = saved;
    settings.PlaceName = saved.PlaceName;
    settings.CityName = saved.CityName;
    settings.StateName = saved.StateName;
    settings.CountryName = saved.CountryName;
    settings.ZipCode = saved.ZipCode;
    settings.Altitude = saved.Altitude;
    settings.DistanceUnits = edits.meters ? QLatin1Char('M') : QLatin1Char('F');
}

} // namespace skelvane
