// Reverses the packing of a published book's configuration: the text of
// files/config.xml is <data><![CDATA[Base64]]></data>, the Base64 holds RC4
// cipher text, and the plain text is a ZIP archive with one entry "config.xml".
import { inflateSync } from 'fflate';

export const CONFIG_KEY = 'vellumkeystone';

// A failure the player can name to the reader; `code` selects the message.
export class UnpackError extends Error {
  constructor(code, detail) {
    super(`${code}${detail ? `: ${detail}` : ''}`);
    this.code = code;
  }
}

const B64 = 'ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/';
const B64_INDEX = new Int16Array(128).fill(-1);
for (let i = 0; i < 64; i++) B64_INDEX[B64.charCodeAt(i)] = i;

export function base64Decode(text) {
  const clean = text.replace(/[\s]+/g, '');
  if (clean.length % 4 !== 0) throw new UnpackError('base64', 'length is not a multiple of four');
  let pad = 0;
  if (clean.endsWith('==')) pad = 2;
  else if (clean.endsWith('=')) pad = 1;
  const out = new Uint8Array((clean.length / 4) * 3 - pad);
  let o = 0;
  for (let i = 0; i < clean.length; i += 4) {
    let v = 0;
    for (let j = 0; j < 4; j++) {
      const c = clean.charCodeAt(i + j);
      let d;
      if (c === 61 /* = */ && i + 4 === clean.length && j >= 4 - pad) d = 0;
      else {
        d = c < 128 ? B64_INDEX[c] : -1;
        if (d < 0) throw new UnpackError('base64', `unexpected character at ${i + j}`);
      }
      v = (v << 6) | d;
    }
    if (o < out.length) out[o++] = (v >> 16) & 255;
    if (o < out.length) out[o++] = (v >> 8) & 255;
    if (o < out.length) out[o++] = v & 255;
  }
  return out;
}

// RC4 is its own inverse; the key is used as UTF-8 bytes, cut to 512 bytes.
export function rc4(keyText, data) {
  let key = new TextEncoder().encode(keyText);
  if (key.length > 512) key = key.subarray(0, 512);
  const s = new Uint8Array(256);
  for (let i = 0; i < 256; i++) s[i] = i;
  for (let i = 0, j = 0; i < 256; i++) {
    j = (j + s[i] + key[i % key.length]) & 255;
    const t = s[i];
    s[i] = s[j];
    s[j] = t;
  }
  const out = new Uint8Array(data.length);
  for (let n = 0, i = 0, j = 0; n < data.length; n++) {
    i = (i + 1) & 255;
    j = (j + s[i]) & 255;
    const t = s[i];
    s[i] = s[j];
    s[j] = t;
    out[n] = data[n] ^ s[(s[i] + s[j]) & 255];
  }
  return out;
}

const u16 = (b, o) => b[o] | (b[o + 1] << 8);
const u32 = (b, o) => (b[o] | (b[o + 1] << 8) | (b[o + 2] << 16) | (b[o + 3] << 24)) >>> 0;

let crcTable = null;
function crc32(data) {
  if (!crcTable) {
    crcTable = new Uint32Array(256);
    for (let n = 0; n < 256; n++) {
      let c = n;
      for (let k = 0; k < 8; k++) c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
      crcTable[n] = c >>> 0;
    }
  }
  let c = 0xffffffff;
  for (let i = 0; i < data.length; i++) c = crcTable[(c ^ data[i]) & 255] ^ (c >>> 8);
  return (c ^ 0xffffffff) >>> 0;
}

// Reads the entry named `name` through the central directory (so archives
// with several entries or a trailing comment read too) and checks its CRC:
// a wrong key yields bytes that fail here long before inflating.
export function readZipEntry(zip, name = 'config.xml') {
  if (zip.length < 22 || u32(zip, 0) !== 0x04034b50) throw new UnpackError('archive', 'not a ZIP archive');
  let eocd = -1;
  for (let i = zip.length - 22; i >= Math.max(0, zip.length - 22 - 65535); i--) {
    if (u32(zip, i) === 0x06054b50) {
      eocd = i;
      break;
    }
  }
  if (eocd < 0) throw new UnpackError('archive', 'no end of central directory');
  const count = u16(zip, eocd + 10);
  let p = u32(zip, eocd + 16);
  const decoder = new TextDecoder();
  for (let e = 0; e < count; e++) {
    if (p + 46 > zip.length || u32(zip, p) !== 0x02014b50) throw new UnpackError('archive', 'broken central directory');
    const method = u16(zip, p + 10);
    const crc = u32(zip, p + 16);
    const csize = u32(zip, p + 20);
    const usize = u32(zip, p + 24);
    const nlen = u16(zip, p + 28);
    const entryName = decoder.decode(zip.subarray(p + 46, p + 46 + nlen));
    const local = u32(zip, p + 42);
    p += 46 + nlen + u16(zip, p + 30) + u16(zip, p + 32);
    if (entryName !== name) continue;
    if (local + 30 > zip.length || u32(zip, local) !== 0x04034b50) throw new UnpackError('archive', 'broken local header');
    const start = local + 30 + u16(zip, local + 26) + u16(zip, local + 28);
    if (start + csize > zip.length) throw new UnpackError('archive', 'entry runs past the end');
    const raw = zip.subarray(start, start + csize);
    let data;
    try {
      data = method === 0 ? raw.slice() : method === 8 ? inflateSync(raw, { out: new Uint8Array(usize) }) : null;
    } catch (err) {
      throw new UnpackError('archive', `inflate failed (${err.message})`);
    }
    if (!data) throw new UnpackError('archive', `compression method ${method}`);
    if (data.length !== usize || crc32(data) !== crc) throw new UnpackError('archive', 'checksum mismatch');
    return data;
  }
  throw new UnpackError('archive', `no entry ${name}`);
}

// Pulls the Base64 text out of <data><![CDATA[...]]></data> without a DOM, so
// it runs in workers and node alike. A file that is already a clear book
// document (a hand-written one while designing a template) passes through.
export function extractPayload(packed) {
  const text = packed.replace(/^\uFEFF/, '');
  if (/<FlipBook3D[\s>]/.test(text) && !/<data[\s>]/.test(text)) return { clear: text };
  const open = text.match(/<data(\s[^>]*)?>/);
  if (!open) throw new UnpackError('format', 'no data element');
  const from = open.index + open[0].length;
  const close = text.indexOf('</data>', from);
  if (close < 0) throw new UnpackError('truncated', 'data element is not closed');
  let inner = text.slice(from, close).trim();
  const cdata = inner.match(/^<!\[CDATA\[([\s\S]*)\]\]>$/);
  if (cdata) inner = cdata[1];
  else if (inner.startsWith('<![CDATA[')) throw new UnpackError('truncated', 'CDATA section is not closed');
  return { base64: inner };
}

export function unpackConfig(packed, key = CONFIG_KEY) {
  const payload = extractPayload(packed);
  if (payload.clear !== undefined) return payload.clear;
  if (!payload.base64) throw new UnpackError('empty', 'the configuration holds no data');
  const cipher = base64Decode(payload.base64);
  const zip = rc4(key, cipher);
  if (u32(zip, 0) !== 0x04034b50) throw new UnpackError('key', 'the data does not decipher to an archive');
  const bytes = readZipEntry(zip);
  return new TextDecoder('utf-8').decode(bytes);
}
