#!/usr/bin/env node
// Builds data/sitename.dat, the place list the program ships, from public data:
//
//   node tools/placelist/build_place_list.mjs            rewrite data/sitename.dat
//   node tools/placelist/build_place_list.mjs --check    compare the committed file's
//        content with a fresh build: 0 equal, 1 different, 77 sources not installed
//   node tools/placelist/build_place_list.mjs --out FILE [--text FILE]
//   node tools/placelist/build_place_list.mjs --encode TEXT.txt OUT.dat
//        encode a hand-written UTF-8 list (test fixtures) the same way
//
// Sources: weather-util-data (Debian) and the npm packages pinned in package-lock.json;
// see data/README.md.
import fs from 'node:fs';
import path from 'node:path';
import zlib from 'node:zlib';
import { fileURLToPath } from 'node:url';

import { encrypt, decrypt } from './lib/zipcrypto.mjs';
import { toCp1252, fromCp1252 } from './lib/cp1252.mjs';
import { placeListPassphrase } from './lib/passphrase.mjs';
import { buildLines } from './lib/layout.mjs';
import {
  MissingSource,
  checkSources,
  readAirports,
  readCities,
  readPostalCodes,
  readStations,
  readZones,
} from './lib/sources.mjs';

const toolDir = path.dirname(fileURLToPath(import.meta.url));
const committed = path.resolve(toolDir, '../../data/sitename.dat');
const SKIP = 77;

// Lines as 8-bit text, each ended by CR LF.
function encodeText(lines) {
  const parts = [];
  for (const [i, text] of lines.entries()) {
    const bytes = toCp1252(text);
    if (bytes === null) throw new Error(`line ${i} cannot be written in Windows-1252: ${text}`);
    parts.push(bytes, Buffer.from('\r\n'));
  }
  return Buffer.concat(parts);
}

function pack(text) {
  return encrypt(zlib.deflateRawSync(text, { level: 9, memLevel: 9 }), placeListPassphrase());
}

function unpack(file) {
  const data = decrypt(file, placeListPassphrase());
  if (data === null) throw new Error('the passphrase does not open the file');
  return zlib.inflateRawSync(data);
}

function buildText() {
  checkSources(toolDir);
  const lines = buildLines({
    stations: readStations(),
    airports: readAirports(toolDir),
    zones: readZones(),
    cities: readCities(toolDir),
    postalCodes: readPostalCodes(toolDir),
  });
  return encodeText(lines);
}

function firstDifference(a, b) {
  const left = fromCp1252(a).split('\r\n');
  const right = fromCp1252(b).split('\r\n');
  for (let i = 0; i < Math.max(left.length, right.length); i++) {
    if (left[i] !== right[i]) return `line ${i}: committed "${left[i]}", built "${right[i]}"`;
  }
  return 'none';
}

function main(args) {
  const option = (name) => {
    const i = args.indexOf(name);
    return i >= 0 ? args[i + 1] : undefined;
  };
  if (args.includes('--encode')) {
    const [input, output] = [option('--encode'), args[args.indexOf('--encode') + 2]];
    const lines = fs.readFileSync(input, 'utf8').replace(/\r?\n$/, '').split(/\r?\n/);
    fs.writeFileSync(output, pack(encodeText(lines)));
    return 0;
  }
  let text;
  try {
    text = buildText();
  } catch (error) {
    if (!(error instanceof MissingSource)) throw error;
    console.log(`SKIP: ${error.message}`);
    return args.includes('--check') ? SKIP : 1;
  }
  if (args.includes('--check')) {
    const old = unpack(fs.readFileSync(committed));
    if (old.equals(text)) {
      console.log(`${path.relative(process.cwd(), committed)} matches a fresh build`);
      return 0;
    }
    console.log(`${committed} differs from a fresh build; first difference at ${firstDifference(old, text)}`);
    return 1;
  }
  const out = option('--out') ?? committed;
  fs.writeFileSync(out, pack(text));
  if (option('--text')) fs.writeFileSync(option('--text'), fromCp1252(text));
  console.log(`wrote ${out}: ${text.toString('latin1').split('\r\n').length - 1} lines`);
  return 0;
}

process.exitCode = main(process.argv.slice(2));
