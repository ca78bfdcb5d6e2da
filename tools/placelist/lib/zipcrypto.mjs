// The traditional PKWARE stream cipher ("ZipCrypto") of the ZIP application note, and the
// place list's container around it: a 12-byte header whose last plain byte is 0xFF,
// then the encrypted raw-deflate stream.
import { createHash } from 'node:crypto';

const CRC_TABLE = (() => {
  const table = new Uint32Array(256);
  for (let n = 0; n < 256; n++) {
    let c = n;
    for (let k = 0; k < 8; k++) c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
    table[n] = c >>> 0;
  }
  return table;
})();

const crc32Step = (crc, byte) => (CRC_TABLE[(crc ^ byte) & 0xff] ^ (crc >>> 8)) >>> 0;

class Keys {
  constructor(passphrase) {
    this.k0 = 0x12345678;
    this.k1 = 0x23456789;
    this.k2 = 0x34567890;
    for (const byte of Buffer.from(passphrase, 'latin1')) this.update(byte);
  }

  update(plain) {
    this.k0 = crc32Step(this.k0, plain);
    this.k1 = (Math.imul((this.k1 + (this.k0 & 0xff)) >>> 0, 134775813) + 1) >>> 0;
    this.k2 = crc32Step(this.k2, this.k1 >>> 24);
  }

  keystream() {
    const temp = (this.k2 | 2) & 0xffff;
    return (Math.imul(temp, temp ^ 1) >>> 8) & 0xff;
  }
}

export const HEADER_SIZE = 12;
export const CHECK_BYTE = 0xff;

// Encrypts `data` behind a header. The header's first 11 bytes, random in ZIP files, are
// taken from a hash of the data so that the same list always gives the same file.
export function encrypt(data, passphrase) {
  const header = Buffer.alloc(HEADER_SIZE);
  createHash('sha256').update(data).digest().copy(header, 0, 0, HEADER_SIZE - 1);
  header[HEADER_SIZE - 1] = CHECK_BYTE;
  const plain = Buffer.concat([header, data]);
  const keys = new Keys(passphrase);
  const out = Buffer.alloc(plain.length);
  for (let i = 0; i < plain.length; i++) {
    out[i] = plain[i] ^ keys.keystream();
    keys.update(plain[i]);
  }
  return out;
}

// The data behind the header, or null when the passphrase does not fit it.
export function decrypt(file, passphrase) {
  if (file.length < HEADER_SIZE) return null;
  const keys = new Keys(passphrase);
  const out = Buffer.alloc(file.length);
  for (let i = 0; i < file.length; i++) {
    out[i] = file[i] ^ keys.keystream();
    keys.update(out[i]);
  }
  return out[HEADER_SIZE - 1] === CHECK_BYTE ? out.subarray(HEADER_SIZE) : null;
}
