// Windows-1252, the 8-bit code page of the place list.

const HIGH = [
  0x20ac, 0x81, 0x201a, 0x192, 0x201e, 0x2026, 0x2020, 0x2021, 0x2c6, 0x2030, 0x160, 0x2039,
  0x152, 0x8d, 0x17d, 0x8f, 0x90, 0x2018, 0x2019, 0x201c, 0x201d, 0x2022, 0x2013, 0x2014,
  0x2dc, 0x2122, 0x161, 0x203a, 0x153, 0x9d, 0x17e, 0x178,
];
const BYTE_OF = new Map();
for (let b = 0; b < 256; b++) BYTE_OF.set(b >= 0x80 && b < 0xa0 ? HIGH[b - 0x80] : b, b);
const CHAR_OF = [...BYTE_OF].reduce((a, [code, byte]) => ((a[byte] = code), a), []);

// Letters that lose nothing but their mark are handled by Unicode decomposition; these
// have no decomposition.
const PLAIN_LETTER = {
  ł: 'l', Ł: 'L', đ: 'd', Đ: 'D', ı: 'i', ħ: 'h', Ħ: 'H', ŀ: 'l', Ŀ: 'L', ŧ: 't', Ŧ: 'T',
  ĸ: 'k', ŉ: 'n', ſ: 's', ƒ: 'f', 'ʻ': "'", 'ʼ': "'", 'ʿ': "'", 'ʾ': "'", '’': "'",
  '‘': "'", 'ǝ': 'e', ə: 'e', Ə: 'E',
};

// The text in Windows-1252 when every character can be written there, keeping accented
// letters the code page has and dropping the marks of those it has not; null otherwise.
export function toCp1252(text) {
  const bytes = [];
  for (const ch of text.normalize('NFC')) {
    const code = ch.codePointAt(0);
    if (BYTE_OF.has(code)) {
      bytes.push(BYTE_OF.get(code));
      continue;
    }
    const base = ch.normalize('NFD').replace(/[\u0300-\u036f]/g, '');
    const replacement = base.length === 1 && BYTE_OF.has(base.codePointAt(0)) ? base : PLAIN_LETTER[ch];
    if (replacement === undefined) return null;
    for (const r of replacement) bytes.push(BYTE_OF.get(r.codePointAt(0)));
  }
  return Buffer.from(bytes);
}

export function fromCp1252(buffer) {
  let out = '';
  for (const byte of buffer) out += String.fromCodePoint(CHAR_OF[byte]);
  return out;
}
