// Coordinate texts of the place list and the reader's distance, computed the way the
// reader computes them so that the station written into a place line is the one the
// program's closest-station search finds for it.

const KM_PER_180_DEGREES = 20015.086796020572;
const METRES_PER_MILE = 1609.344;
const RADIANS = Math.PI / 180;
export const MILES_PER_DEGREE = ((KM_PER_180_DEGREES / 180) * 1000) / METRES_PER_MILE;

// 40-45-06N / 073-59-39W: whole seconds, degrees padded to 2 (latitude) or 3 digits.
export function coordinateText(degrees, isLatitude) {
  let total = Math.round(Math.abs(degrees) * 3600);
  const d = Math.floor(total / 3600);
  total -= d * 3600;
  const m = Math.floor(total / 60);
  const s = total - m * 60;
  const hemisphere = isLatitude ? (degrees < 0 ? 'S' : 'N') : degrees < 0 ? 'W' : 'E';
  const pad = (n, w) => String(n).padStart(w, '0');
  return `${pad(d, isLatitude ? 2 : 3)}-${pad(m, 2)}-${pad(s, 2)}${hemisphere}`;
}

// The reader's parse of such a text (digits of each '-'-separated part).
export function parseCoordinate(text) {
  const upper = text.toUpperCase();
  const parts = upper.split('-').filter((p) => p.length > 0);
  const num = (i) => Number((parts[i] ?? '').replace(/[^0-9]/g, '') || '0');
  const value = num(0) + num(1) / 60 + num(2) / 3600;
  return /[WS]/.test(upper) ? -value : value;
}

export function greatCircleMiles(lon1, lat1, lon2, lat2) {
  if (lon1 === lon2 && lat1 === lat2) return 0;
  const x =
    Math.sin(lat2 * RADIANS) * Math.sin(lat1 * RADIANS) +
    Math.cos(lat2 * RADIANS) * Math.cos(lat1 * RADIANS) * Math.cos((lon1 - lon2) * RADIANS);
  const angle = x >= -1 && x <= 1 ? Math.acos(x) * (180 / Math.PI) : 0;
  return (((angle * KM_PER_180_DEGREES) / 180) * 1000) / METRES_PER_MILE;
}

// Nearest point by great-circle distance; ties go to the lower `order`. Points are kept
// sorted by latitude, and a scan outwards stops once the latitude gap alone exceeds the
// best distance (no point can then be nearer).
export class NearestIndex {
  constructor(points) {
    // points: [{lat, lon, order, ...}]
    this.points = [...points].sort((a, b) => a.lat - b.lat || a.order - b.order);
  }

  nearest(lat, lon) {
    const pts = this.points;
    let lo = 0;
    let hi = pts.length;
    while (lo < hi) {
      const mid = (lo + hi) >> 1;
      if (pts[mid].lat < lat) lo = mid + 1;
      else hi = mid;
    }
    let best = null;
    let bestMiles = Infinity;
    const consider = (p) => {
      const miles = greatCircleMiles(lon, lat, p.lon, p.lat);
      if (miles < bestMiles || (miles === bestMiles && p.order < best.order)) {
        best = p;
        bestMiles = miles;
      }
    };
    const margin = 1e-6;
    for (let i = lo; i < pts.length; i++) {
      if ((pts[i].lat - lat) * MILES_PER_DEGREE > bestMiles + margin) break;
      consider(pts[i]);
    }
    for (let i = lo - 1; i >= 0; i--) {
      if ((lat - pts[i].lat) * MILES_PER_DEGREE > bestMiles + margin) break;
      consider(pts[i]);
    }
    return best;
  }
}
