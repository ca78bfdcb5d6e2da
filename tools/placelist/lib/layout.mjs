// What goes into each section of the list, and in which order. The reader scans fixed
// line ranges, so each section is filled to exactly its size (empty lines pad a section
// the data does not fill; an empty line matches no query).
import { COUNTRY_NAMES, COUNTRY_OF_ISO, STATES } from './tables.mjs';
import { toCp1252 } from './cp1252.mjs';
import { MILES_PER_DEGREE, NearestIndex, coordinateText, parseCoordinate } from './geometry.mjs';

export const SECTIONS = {
  worldPlaces: [0, 2092],
  worldStations: [2093, 4012],
  usStations: [4013, 5695],
  usPlaces: [5696, 47885],
  forecastFirst: 47886,
};
const size = ([first, last]) => last - first + 1;

const US = 'United States';
// Stations farther than this from every other chosen station are taken first.
const US_COVERAGE_MILES = 40;
const WORLD_COVERAGE_MILES = 150;
const US_TERRITORIES = new Set(['PR', 'GU', 'VI']);
const STATE_INDEX = new Map(STATES.map((s, i) => [s.code, i]));
const COUNTRY_INDEX = new Map(COUNTRY_NAMES.map((n, i) => [n, i]));

// A field as the list holds it: no separators or line breaks inside, blanks around
// removed, and a single space for a missing value (an empty field cannot be written).
function field(value) {
  const text = String(value ?? '')
    .replace(/[;\r\n\t]/g, ' ')
    .replace(/ {2,}/g, ' ')
    .trim();
  return text === '' ? ' ' : text;
}

// Fields 1..9 joined by ';', blank fields at the end left off.
function line(fields) {
  const out = fields.map(field);
  while (out.length > 1 && out[out.length - 1] === ' ') out.pop();
  return out.join(';');
}

// Whether a name can be written in the list's 8-bit code page.
const writable = (name) => name && toCp1252(name) !== null;

const byText = (a, b) => (a < b ? -1 : a > b ? 1 : 0);
const upper = (s) => s.toUpperCase();

function metres(feet) {
  const n = Number(feet);
  return feet === '' || feet === undefined || !Number.isFinite(n) ? ' ' : String(Math.round(n * 0.3048));
}

// Stations of the US section (states and territories of the state table) and of the
// world section (countries of the Country box), with names, regions and elevations.
function classifyStations(stations, airports) {
  const us = [];
  const world = [];
  for (const s of stations) {
    const airport = airports.get(s.code);
    const noaa = /^(.*), ([A-Z]{2}), (United States|United States of America|US)$/.exec(s.description);
    let state = null;
    if (airport?.iso_country === 'US') state = airport.iso_region.split('-')[1];
    else if (airport && US_TERRITORIES.has(airport.iso_country)) state = airport.iso_country;
    else if (!airport && noaa) state = noaa[2];
    const elevation = metres(airport?.elevation_ft);
    if (state !== null) {
      if (!STATE_INDEX.has(state)) continue;
      const name = noaa ? noaa[1] : airport.name;
      if (!writable(name)) continue;
      us.push({ ...s, name, state, country: US, elevation });
    } else if (airport) {
      const country = COUNTRY_OF_ISO[airport.iso_country];
      if (!country || !writable(airport.name)) continue;
      world.push({ ...s, name: airport.name, state: ' ', country, elevation });
    }
  }
  return { us, world };
}

// Chooses `slots` stations in three steps: the best of every group (state or country);
// then, for coverage, the candidate farthest from all chosen ones while it lies more than
// `radiusMiles` away (using at most 60% of the slots); then the rest by what each serves,
// the weight of the points for which it is the nearest candidate.
function chooseStations(candidates, points, groupOf, slots, radiusMiles) {
  const ordered = [...candidates].sort((a, b) => byText(a.code, b.code));
  ordered.forEach((c, i) => {
    c.order = i;
    c.score = 0;
  });
  const index = new NearestIndex(ordered);
  for (const p of points) index.nearest(p.lat, p.lon).score += p.weight;
  const ranked = [...ordered].sort((a, b) => b.score - a.score || a.order - b.order);

  // Closeness as the cosine of the central angle, from unit vectors (larger is nearer).
  const n = ordered.length;
  const [x, y, z] = [new Float64Array(n), new Float64Array(n), new Float64Array(n)];
  for (const c of ordered) {
    const [lat, lon] = [(c.lat * Math.PI) / 180, (c.lon * Math.PI) / 180];
    [x[c.order], y[c.order], z[c.order]] = [Math.cos(lat) * Math.cos(lon), Math.cos(lat) * Math.sin(lon), Math.sin(lat)];
  }
  const chosen = new Set();
  const nearestChosen = new Float64Array(n).fill(-2); // cosine to the nearest chosen station
  const choose = (c) => {
    chosen.add(c);
    const i = c.order;
    for (let j = 0; j < n; j++)
      nearestChosen[j] = Math.max(nearestChosen[j], x[i] * x[j] + y[i] * y[j] + z[i] * z[j]);
  };
  const radiusCosine = Math.cos(radiusMiles / MILES_PER_DEGREE * (Math.PI / 180));
  const groups = new Set();
  for (const c of ranked) {
    if (!groups.has(groupOf(c))) {
      groups.add(groupOf(c));
      choose(c);
    }
  }
  while (chosen.size < Math.min(slots, Math.floor(slots * 0.6))) {
    let farthest = 0;
    for (let i = 1; i < n; i++) if (nearestChosen[i] < nearestChosen[farthest]) farthest = i;
    if (!(nearestChosen[farthest] < radiusCosine)) break;
    choose(ordered[farthest]);
  }
  for (const c of ranked) {
    if (chosen.size >= slots) break;
    chosen.add(c);
  }
  return [...chosen].slice(0, slots);
}

// Places of other countries: every country's largest place first, then by population
// divided by the place's rank within its country, so that large countries get more
// places without filling the section alone.
function chooseWorldPlaces(cities, slots) {
  const byCountry = new Map();
  for (const c of cities) {
    if (!byCountry.has(c.countryName)) byCountry.set(c.countryName, []);
    byCountry.get(c.countryName).push(c);
  }
  const firsts = [];
  const rest = [];
  for (const list of byCountry.values()) {
    list.sort((a, b) => b.population - a.population || a.id - b.id);
    list.forEach((c, rank) => {
      c.score = c.population / (rank + 1);
      (rank === 0 ? firsts : rest).push(c);
    });
  }
  rest.sort((a, b) => b.score - a.score || a.id - b.id);
  return [...firsts, ...rest].slice(0, slots);
}

function pad(lines, [first, last], what) {
  const want = last - first + 1;
  if (lines.length > want) throw new Error(`${what}: ${lines.length} lines for ${want} places`);
  return [...lines, ...Array(want - lines.length).fill('')];
}

export function buildLines({ stations, airports, zones, cities, postalCodes }) {
  const { us: usCandidates, world: worldCandidates } = classifyStations(stations, airports);

  const worldCities = [];
  const territoryCities = [];
  for (const c of cities) {
    if (c.country === 'US' || !writable(c.name)) continue;
    if (US_TERRITORIES.has(c.country)) {
      c.state = c.country;
      territoryCities.push(c);
    }
    // The US Virgin Islands are both a state of the state box and a Country box entry.
    if (c.country !== 'US' && c.country !== 'PR' && c.country !== 'GU' && COUNTRY_OF_ISO[c.country]) {
      c.countryName = COUNTRY_OF_ISO[c.country];
      worldCities.push(c);
    }
  }
  const zips = postalCodes.filter((z) => STATE_INDEX.has(z.state) && writable(z.city));

  // Weather stations: the world's ordered by country, then the US ordered by state.
  const worldStations = chooseStations(
    worldCandidates,
    worldCities.map((c) => ({ lat: c.lat, lon: c.lon, weight: c.population })),
    (s) => s.country,
    size(SECTIONS.worldStations),
    WORLD_COVERAGE_MILES,
  ).sort((a, b) => byText(a.country, b.country) || byText(a.name, b.name) || byText(a.code, b.code));
  const usStations = chooseStations(
    usCandidates,
    [...zips, ...territoryCities].map((p) => ({ lat: p.lat, lon: p.lon, weight: 1 })),
    (s) => s.state,
    size(SECTIONS.usStations),
    US_COVERAGE_MILES,
  ).sort(
    (a, b) =>
      STATE_INDEX.get(a.state) - STATE_INDEX.get(b.state) || byText(a.name, b.name) || byText(a.code, b.code),
  );
  const stationLine = (s) =>
    line([s.name, s.state, s.country, s.code, coordinateText(s.lat, true), coordinateText(s.lon, false), s.elevation]);
  const worldStationLines = pad(worldStations.map(stationLine), SECTIONS.worldStations, 'world stations');
  const usStationLines = pad(usStations.map(stationLine), SECTIONS.usStations, 'US stations');

  // The station of a US place is the one the program's own search finds from the place's
  // written coordinates: the nearest station line, the first in file order on a tie.
  const stationPoints = [...worldStationLines, ...usStationLines].flatMap((text, i) => {
    if (text === '') return [];
    const f = text.split(';');
    return [{ lat: parseCoordinate(f[4]), lon: parseCoordinate(f[5]), order: i, code: f[3] }];
  });
  const nearestStation = new NearestIndex(stationPoints);

  // US places: one line per postal code, the lines of one city together; territory places
  // without postal codes sit with their state.
  const territoryByName = new Map();
  for (const c of territoryCities.sort((a, b) => b.population - a.population || a.id - b.id)) {
    const key = `${c.state}|${upper(c.name)}`;
    if (!territoryByName.has(key)) territoryByName.set(key, c);
  }
  const usPlaces = [
    ...zips.map((z) => ({ name: z.city, state: z.state, zip: z.zip, lat: z.lat, lon: z.lon })),
    ...[...territoryByName.values()].map((c) => ({ name: c.name, state: c.state, zip: '', lat: c.lat, lon: c.lon })),
  ].sort(
    (a, b) =>
      STATE_INDEX.get(a.state) - STATE_INDEX.get(b.state) ||
      byText(upper(a.name), upper(b.name)) ||
      byText(a.zip, b.zip),
  );
  const usPlaceLines = usPlaces.map((p) => {
    const lat = coordinateText(p.lat, true);
    const lon = coordinateText(p.lon, false);
    const station = nearestStation.nearest(parseCoordinate(lat), parseCoordinate(lon)).code;
    return line([p.name, p.state, US, station, lat, lon, ' ', ' ', p.zip]);
  });

  const worldPlaceLines = chooseWorldPlaces(worldCities, size(SECTIONS.worldPlaces))
    .sort(
      (a, b) =>
        COUNTRY_INDEX.get(a.countryName) - COUNTRY_INDEX.get(b.countryName) ||
        byText(a.name, b.name) ||
        a.id - b.id,
    )
    .map((c) => line([c.name, ' ', c.countryName, ' ', coordinateText(c.lat, true), coordinateText(c.lon, false)]));

  // Forecast cities: each public forecast zone under its name ("New York (Manhattan)"),
  // or its county's name when the zone is a whole county.
  const forecastLines = zones
    .filter((z) => STATE_INDEX.has(z.state))
    .map((z) => ({ ...z, name: z.description.replace(/, [A-Z]{2}, US$/, '').split(', ')[0] }))
    .filter((z) => writable(z.name))
    .sort((a, b) => STATE_INDEX.get(a.state) - STATE_INDEX.get(b.state) || a.zone - b.zone)
    .map((z) => line([z.name, z.state, US, ' ', coordinateText(z.lat, true), coordinateText(z.lon, false), ' ', z.zone]));

  return [
    ...pad(worldPlaceLines, SECTIONS.worldPlaces, 'world places'),
    ...worldStationLines,
    ...usStationLines,
    ...pad(usPlaceLines, SECTIONS.usPlaces, 'US places'),
    ...forecastLines,
  ];
}
