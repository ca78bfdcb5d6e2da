#!/usr/bin/env python3
"""Writes src/net/decode/radar_site_tables.cpp: the picture corner and scale of every radar
site in both range classes, derived from the radar positions in data/nexrad-stations.txt.

    python3 tools/radar-sites/generate_radar_sites.py          rewrite the table
    python3 tools/radar-sites/generate_radar_sites.py --check  compare, exit 1 on a difference

Standard library only. See README.md in this folder for the rules and the sources.
"""

import hashlib
import math
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
STATIONS = ROOT / "data" / "nexrad-stations.txt"
OUTPUT = ROOT / "src" / "net" / "decode" / "radar_site_tables.cpp"
GENERATOR = "tools/radar-sites/generate_radar_sites.py"
STATION_LIST_DATE = "2026-12-10"

# The site identifiers of the radar views 14 ... 168, in the order of the location box.
SITE_IDS = [
    "ahg", "abc", "apd", "acg", "akc", "aih", "aec", "bmx", "mxx", "eox",  # views 14-23
    "htx", "mob", "srx", "lzk", "fsx", "iwa", "emx", "yux", "eyx", "bhx",  # views 24-33
    "hnx", "vtx", "bbx", "dax", "nkx", "mux", "sox", "vbx", "ftg", "gjx",  # views 34-43
    "pux", "lwx", "dox", "jax", "byx", "mlb", "amx", "evx", "tlh", "tbw",  # views 44-53
    "ffc", "vax", "jgx", "gua", "hkm", "hmo", "hwa", "hki", "dvn", "dmx",  # views 54-63
    "cbx", "sfx", "lot", "ilx", "vwx", "ind", "iwx", "ddc", "gld", "twx",  # views 64-73
    "ict", "hpx", "jkl", "lvx", "pah", "poe", "lch", "lix", "shv", "box",  # views 74-83
    "cbw", "gyx", "dtx", "apx", "grr", "mqt", "dlh", "mpx", "eax", "sgf",  # views 84-93
    "lsx", "gwx", "dgx", "blx", "ggw", "tfx", "msx", "mhx", "rax", "ltx",  # views 94-103
    "bis", "mvx", "mbx", "uex", "lnx", "oax", "hdx", "abx", "fdx", "lrx",  # views 104-113
    "esx", "rgx", "enx", "bgm", "buf", "tyx", "okx", "iln", "cle", "vnx",  # views 114-123
    "fdr", "tlx", "inx", "max", "pdt", "rtx", "dix", "pbz", "ccx", "jua",  # views 124-133
    "clx", "cae", "gsp", "abr", "udx", "fsd", "mrx", "nqa", "ohx", "dyx",  # views 134-143
    "ama", "ewx", "dfx", "bro", "grk", "crp", "fws", "epz", "hgx", "lbb",  # views 144-153
    "maf", "sjt", "icx", "mtx", "akq", "fcx", "cxx", "atx", "otx", "grb",  # views 154-163
    "arx", "mkx", "rlx", "cys", "riw",  # views 164-168
]

# Fixed rows, kept exactly as written here: long-range west and north, short-range scale,
# west and north. They also fit the short-range rule's constant k below.
FIXED_ROWS = {
    "ahg": ("-155.705363", "64.718729", "0.014696211", "-155.750514", "64.760112"),
    "gua": ("140.454641", "17.445727", "0.007397683", "142.595399", "15.483664"),
    "hkm": ("-160.137369", "24.121727", "0.007662575", "-158.075947", "22.232377"),
    "okx": ("-77.220362", "44.858728", "0.009511441", "-75.712675", "43.476892"),
    "atx": ("-126.850367", "52.187727", "0.010788491", "-125.725156", "51.156440"),
}

LONG_RANGE_SCALE = 4 / 275  # degrees a pixel on both axes
CENTRE_X, CENTRE_Y = 300, 275  # the radar: the centre of a 600 x 550 picture


def fail(message):
    print(f"generate_radar_sites: {message}", file=sys.stderr)
    sys.exit(2)


def read_stations(path):
    """Reads the fixed-width list: column spans come from the dashed line under the header."""
    lines = path.read_text(encoding="ascii").splitlines()
    if len(lines) < 3:
        fail(f"{path} has no stations")
    header, dashes = lines[0], lines[1]
    spans, start = {}, None
    for i, ch in enumerate(dashes + " "):
        if ch == "-" and start is None:
            start = i
        elif ch != "-" and start is not None:
            spans[header[start:i].strip()] = (start, i)
            start = None
    for column in ("ICAO", "NAME", "LAT", "LON", "STNTYPE"):
        if column not in spans:
            fail(f"{path} lacks the column {column}")

    def field(line, column):
        a, b = spans[column]
        return line[a:b].strip()

    stations = {}
    for line in lines[2:]:
        if not line.strip():
            continue
        icao = field(line, "ICAO")
        site = icao[1:].lower()
        entry = {
            "icao": icao,
            "name": field(line, "NAME"),
            "lat": float(field(line, "LAT")),
            "lon": float(field(line, "LON")),
            "type": field(line, "STNTYPE"),
        }
        stations.setdefault(site, []).append(entry)
    return stations


def station_for(stations, site):
    candidates = [s for s in stations.get(site, []) if s["type"] == "NEXRAD"]
    if len(candidates) != 1:
        fail(f"site {site}: {len(candidates)} NEXRAD stations in the list, expected 1")
    return candidates[0]


def fitted_k(stations):
    """The short-range constant: the mean of s * cos(lat) over the fixed rows, which is the
    least-squares fit of the relative scale error (the error in pixels at the picture's
    edge)."""
    products = []
    for site, row in FIXED_ROWS.items():
        lat = station_for(stations, site)["lat"]
        products.append(float(row[2]) * math.cos(math.radians(lat)))
    return sum(products) / len(products)


def centre_offset_pixels(row, station):
    """Largest distance, in pixels of either table, between a row's picture centre and the
    station."""
    long_west, long_north, scale, short_west, short_north = (float(v) for v in row)
    worst = 0.0
    for x_scale, west, north in ((LONG_RANGE_SCALE, long_west, long_north),
                                 (scale, short_west, short_north)):
        lon = west + CENTRE_X * x_scale
        lat = north - CENTRE_Y * x_scale
        worst = max(worst, abs(lon - station["lon"]) / x_scale,
                    abs(lat - station["lat"]) / x_scale)
    return worst


def build(stations_path):
    stations = read_stations(stations_path)
    if len(set(SITE_IDS)) != 155:
        fail("the site list must hold 155 different identifiers")
    k = fitted_k(stations)
    digest = hashlib.sha256(stations_path.read_bytes()).hexdigest()

    rows = []
    for site in SITE_IDS:
        station = station_for(stations, site)
        if site in FIXED_ROWS:
            row = FIXED_ROWS[site]
            note = "fixed row"
        else:
            lat, lon = station["lat"], station["lon"]
            scale = k / math.cos(math.radians(lat))
            row = (
                f"{lon - CENTRE_X * LONG_RANGE_SCALE:.9f}",
                f"{lat + CENTRE_Y * LONG_RANGE_SCALE:.9f}",
                f"{scale:.12f}",
                f"{lon - CENTRE_X * scale:.9f}",
                f"{lat + CENTRE_Y * scale:.9f}",
            )
            note = "derived"
        offset = centre_offset_pixels(row, station)
        if offset > 1.0:
            fail(f"site {site}: picture centre {offset:.3f} pixels from the station")
        rows.append((site, row, f"{station['icao']} {station['name']}, {note}"))

    out = []
    out.append("// Picture corner and scale of every radar site in both range classes, one row per")
    out.append("// site in the order of the radar views 14 ... 168.")
    out.append("//")
    out.append("// Source: data/nexrad-stations.txt, NOAA's list of weather-radar stations from the")
    out.append("// Historical Observing Metadata Repository (HOMR), a work of the US Government in")
    out.append(f"// the public domain; copy of {STATION_LIST_DATE}, SHA-256")
    out.append(f"// {digest}.")
    out.append("// A site's identifier is the station's ICAO identifier without its first letter.")
    out.append("//")
    out.append("// Long range: both scales 4/275 degrees a pixel; west = lon - 300 * 4/275,")
    out.append("// north = lat + 275 * 4/275.")
    out.append("// Short range: one scale s = k / cos(lat) for both axes, west = lon - 300 * s,")
    out.append(f"// north = lat + 275 * s, with k = {k:.10f}, the mean of s * cos(lat) over the")
    out.append("// five fixed rows.")
    out.append("// So the radar lies at the centre of the 600 x 550 picture, 300 pixels east and 275")
    out.append("// pixels south of the corner. The five fixed rows (ahg, gua, hkm, okx, atx) are kept")
    out.append("// exactly as given and override the derived values; they put the radar within one")
    out.append("// pixel of the centre.")
    out.append("//")
    out.append(f"// Generated by {GENERATOR}, do not edit.")
    out.append('#include "net/decode/radar_site_tables.h"')
    out.append("")
    out.append("namespace skelvane::tables {")
    out.append("")
    out.append("// id, long-range west and north, short-range scale, west and north.")
    out.append("// clang-format off")
    out.append("constinit const std::array<RadarSiteRow, kRadarSiteRowCount> kRadarSiteRows{{")
    for view, (site, row, comment) in enumerate(rows, start=14):
        out.append(f"    // view {view}: {comment}")
        out.append(f'    {{"{site}", {row[0]}, {row[1]}, {row[2]}, {row[3]}, {row[4]}}},')
    out.append("}};")
    out.append("// clang-format on")
    out.append("")
    out.append("} // namespace skelvane::tables")
    return "\n".join(out) + "\n", k


def main(argv):
    check = "--check" in argv[1:]
    text, k = build(STATIONS)
    if check:
        committed = OUTPUT.read_text(encoding="utf-8") if OUTPUT.exists() else ""
        if committed != text:
            print(f"{OUTPUT.relative_to(ROOT)} differs from what {GENERATOR} writes; "
                  "run it without --check", file=sys.stderr)
            return 1
        print(f"{OUTPUT.relative_to(ROOT)} matches the generator (k = {k:.10f})")
        return 0
    if not OUTPUT.exists() or OUTPUT.read_text(encoding="utf-8") != text:
        OUTPUT.write_text(text, encoding="utf-8")
        print(f"wrote {OUTPUT.relative_to(ROOT)} (k = {k:.10f})")
    else:
        print(f"{OUTPUT.relative_to(ROOT)} unchanged (k = {k:.10f})")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
