#include "net/decode/radar_map_mouse.h"

#include "astro/angles.h"
#include "astro/format.h"
#include "net/decode/radar_views.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace skelvane {

namespace {

constexpr int kHintDropPixels = 5;

std::string Decimal6(double value, char decimalSeparator) {
    char text[64];
    std::snprintf(text, sizeof text, "%.6f", value);
    std::string out(text);
    for (char& c : out)
        if (c == '.')
            c = decimalSeparator;
    return out + "\u00B0";
}

bool Usable(const RadarMapContext& context) {
    return !context.radarBusy && IsRadarView(context.view);
}

LonLat PointAt(int x, int y, const RadarMapContext& context) {
    return XYtoLonLat(x, y, GetScaleLonLat(context.view, context.productEntry), context.zoom);
}

std::string WholeNumber(double value) {
    return std::to_string(static_cast<long long>(std::nearbyint(value)));
}

} // namespace

RadarLonLatTexts RadarLonLatLabelTexts(const std::string& name, LonLat point,
                                       char decimalSeparator) {
    RadarLonLatTexts texts;
    texts.siteName = name;
    if (point.longitude >= -180 && point.longitude <= 180) {
        texts.longitudeDecimal = Decimal6(point.longitude, decimalSeparator);
        texts.longitudeDms = FormatDms(point.longitude);
    }
    if (point.latitude >= -90 && point.latitude <= 90) {
        texts.latitudeDecimal = Decimal6(point.latitude, decimalSeparator);
        texts.latitudeDms = FormatDms(point.latitude);
    }
    return texts;
}

RadarMouseMove RadarMapMouse::MouseMove(int x, int y, const RadarMapContext& context) {
    RadarMouseMove move;
    if (!Usable(context))
        return move;
    move.handled = true;
    move.point = PointAt(x, y, context);
    if (context.leftClickGroupIndex != kRadarMoveRadarMode)
        return move;
    const ClosestRadar nearest =
        FindClosestRadar(0, move.point.longitude, move.point.latitude, context.productEntry);
    move.siteName = nearest.name;
    const bool nearLast =
        lastHint_ && std::abs(x - lastHint_->x) <= 1 && std::abs(y - lastHint_->y) <= 1;
    if (!nearLast) {
        lastHint_ = MapPixel{x, y};
        move.hint = RadarMapHint{nearest.name, x, y + kHintDropPixels};
    }
    return move;
}

RadarMouseClick RadarMapMouse::MouseDown(bool leftButton, int x, int y,
                                         const RadarMapContext& context) {
    RadarMouseClick click;
    if (!leftButton || !Usable(context))
        return click;
    click.point = PointAt(x, y, context);
    if (context.leftClickGroupIndex != kRadarDistanceMode) {
        const ClosestRadar nearest =
            FindClosestRadar(0, click.point.longitude, click.point.latitude, context.productEntry);
        click.action = RadarMouseClick::Action::MoveToView;
        click.targetView = nearest.view;
        click.siteName = nearest.name;
        return click;
    }
    if (distanceStart_) {
        distanceStart_ = false;
        start_ = click.point;
        click.action = RadarMouseClick::Action::DistanceStart;
        return click;
    }
    distanceStart_ = true;
    const double miles = GreatCircleMiles(start_.longitude, start_.latitude, click.point.longitude,
                                          click.point.latitude);
    // Two clicks on one point measure nothing: the labels go blank rather than read 0.
    if (!(miles > 0)) {
        click.action = RadarMouseClick::Action::DistanceBlank;
        return click;
    }
    click.action = RadarMouseClick::Action::DistanceShown;
    click.milesText = WholeNumber(miles) + " Miles";
    click.kilometresText = WholeNumber(MilesToKm(miles)) + " Kilometers";
    click.hint =
        RadarMapHint{click.milesText + " = " + click.kilometresText, x, y + kHintDropPixels};
    return click;
}

} // namespace skelvane
