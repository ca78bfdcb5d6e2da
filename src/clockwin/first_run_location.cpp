#include "clockwin/first_run_location.h"

#include "app/settings.h"
#include "astro/timezone.h"
#include "location/location_guess.h"

namespace skelvane {

void ApplyGuessedLocation(Settings& settings, const GuessedLocation& guess) {
    settings.Latitude = guess.latitude;
    settings.Longitude = guess.longitude;
    const QString station = QString::fromStdString(guess.stationCode);
    settings.WeatherStationCode = station;
    settings.LoadedWeatherStationCode = station;
    settings.CityName = QString::fromStdString(guess.city);
    settings.StateName = QString::fromStdString(guess.state);
    settings.CountryName = QString::fromStdString(guess.country);
    settings.PlaceName = QString::fromStdString(guess.placeName);
    if (guess.altitudeFeet)
        settings.Altitude = *guess.altitudeFeet;
    settings.SaveLocation.PlaceName = settings.PlaceName;
    settings.SaveLocation.CityName = settings.CityName;
    settings.SaveLocation.StateName = settings.StateName;
    settings.SaveLocation.CountryName = settings.CountryName;
    settings.SaveLocation.ZipCode = settings.ZipCode;
    settings.SaveLocation.Altitude = settings.Altitude;
}

bool GuessLocationWhenNoneIsStored(Settings& settings) {
    if (!settings.PlaceName.isEmpty())
        return false;
    // The zone reading of the first tick is the freshest; its standard offset picks the row.
    ApplyGuessedLocation(settings, GuessLatLon(StandardOffsetHours(CurrentTimeZoneState())));
    return true;
}

} // namespace skelvane
