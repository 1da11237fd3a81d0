// Reads the SWF movies that Foliant's converter writes (and simple ones like
// them): frame size, background, shapes, JPEG bitmaps and the display list of
// the first frame. Every length is checked, so a damaged file throws SwfError
// instead of hanging or drawing garbage.
import { unzlibSync } from 'fflate';

export class SwfError extends Error {
  constructor(message) {
    super(message);
    this.name = 'SwfError';
  }
}

const MAX_MOVIE = 256 * 1024 * 1024;

class Reader {
  constructor(bytes, start = 0, end = bytes.length) {
    this.b = bytes;
    this.pos = start;
    this.end = end;
    this.bit = 0;
  }
  need(n) {
    if (this.pos + n > this.end) throw new SwfError('the SWF data is truncated');
  }
  align() {
    if (this.bit) {
      this.bit = 0;
      this.pos++;
    }
  }
  u8() {
    this.align();
    this.need(1);
    return this.b[this.pos++];
  }
  u16() {
    this.align();
    this.need(2);
    const v = this.b[this.pos] | (this.b[this.pos + 1] << 8);
    this.pos += 2;
    return v;
  }
  s16() {
    const v = this.u16();
    return v & 0x8000 ? v - 0x10000 : v;
  }
  u32() {
    this.align();
    this.need(4);
    const p = this.pos;
    this.pos += 4;
    return (this.b[p] | (this.b[p + 1] << 8) | (this.b[p + 2] << 16)) + this.b[p + 3] * 0x1000000;
  }
  // Takes as many bits as the current byte holds at a time: shapes are
  // thousands of such fields, read while the reader waits for the page.
  ub(n) {
    let v = 0;
    while (n > 0) {
      if (this.pos >= this.end) throw new SwfError('the SWF data is truncated');
      const avail = 8 - this.bit;
      const take = n < avail ? n : avail;
      v = v * (1 << take) + ((this.b[this.pos] >> (avail - take)) & ((1 << take) - 1));
      n -= take;
      this.bit += take;
      if (this.bit === 8) {
        this.bit = 0;
        this.pos++;
      }
    }
    return v;
  }
  sb(n) {
    if (n === 0) return 0;
    const v = this.ub(n);
    return v >= 2 ** (n - 1) ? v - 2 ** n : v;
  }
  fb(n) {
    return this.sb(n) / 65536;
  }
  bytes(n) {
    this.align();
    this.need(n);
    const out = this.b.subarray(this.pos, this.pos + n);
    this.pos += n;
    return out;
  }
  rect() {
    this.align();
    const n = this.ub(5);
    const r = { xMin: this.sb(n), xMax: this.sb(n), yMin: this.sb(n), yMax: this.sb(n) };
    this.align();
    return r;
  }
  // [a, b, c, d, e, f] as canvas transforms take them.
  matrix() {
    this.align();
    let a = 1, b = 0, c = 0, d = 1;
    if (this.ub(1)) {
      const n = this.ub(5);
      a = this.fb(n);
      d = this.fb(n);
    }
    if (this.ub(1)) {
      const n = this.ub(5);
      b = this.fb(n);
      c = this.fb(n);
    }
    const n = this.ub(5);
    const e = this.sb(n), f = this.sb(n);
    this.align();
    return [a, b, c, d, e, f];
  }
  rgb() {
    return [this.u8(), this.u8(), this.u8(), 255];
  }
  rgba() {
    return [this.u8(), this.u8(), this.u8(), this.u8()];
  }
  cxform(withAlpha) {
    this.align();
    const hasAdd = this.ub(1), hasMult = this.ub(1), n = this.ub(4);
    const cx = { mult: [1, 1, 1, 1], add: [0, 0, 0, 0] };
    const count = withAlpha ? 4 : 3;
    if (hasMult) for (let i = 0; i < count; i++) cx.mult[i] = this.sb(n) / 256;
    if (hasAdd) for (let i = 0; i < count; i++) cx.add[i] = this.sb(n);
    this.align();
    return cx;
  }
}

function fillStyle(r, version) {
  const type = r.u8();
  if (type === 0x00) return { type: 'solid', color: version >= 3 ? r.rgba() : r.rgb() };
  if (type === 0x10 || type === 0x12 || type === 0x13) {
    const matrix = r.matrix();
    const spread = r.ub(2);
    r.ub(2);
    const count = r.ub(4);
    const stops = [];
    for (let i = 0; i < count; i++) stops.push({ ratio: r.u8() / 255, color: version >= 3 ? r.rgba() : r.rgb() });
    const focal = type === 0x13 ? r.s16() / 256 : 0;
    return { type: type === 0x10 ? 'linear' : 'radial', matrix, spread, stops, focal };
  }
  if (type >= 0x40 && type <= 0x43) {
    const bitmap = r.u16();
    const matrix = r.matrix();
    return { type: 'bitmap', bitmap, matrix, repeat: type === 0x40 || type === 0x42, smooth: type < 0x42 };
  }
  throw new SwfError(`unknown fill style type ${type}`);
}

function styleArrays(r, version) {
  const fills = [];
  let count = r.u8();
  if (count === 0xff && version >= 2) count = r.u16();
  for (let i = 0; i < count; i++) fills.push(fillStyle(r, version));
  const lines = [];
  count = r.u8();
  if (count === 0xff) count = r.u16();
  for (let i = 0; i < count; i++) {
    const width = r.u16();
    if (version < 4) {
      lines.push({ width, color: version >= 3 ? r.rgba() : r.rgb(), cap: 'round', join: 'round', miter: 3 });
      continue;
    }
    const startCap = r.ub(2), join = r.ub(2), hasFill = r.ub(1);
    r.ub(5); // scaling and hinting flags
    r.ub(1); // no-close
    r.ub(2); // end cap: canvas has one cap for both ends
    const miter = join === 2 ? r.u16() / 256 : 3;
    const color = hasFill ? (fillStyle(r, version).color ?? [0, 0, 0, 255]) : r.rgba();
    lines.push({
      width,
      color,
      cap: ['round', 'butt', 'square'][startCap] ?? 'round',
      join: ['round', 'bevel', 'miter'][join] ?? 'round',
      miter,
    });
  }
  const fillBits = r.ub(4), lineBits = r.ub(4);
  return { fills, lines, fillBits, lineBits };
}

// Shape records become one command list per fill style and per line style
// (numbers in twips): ['M', x, y], ['L', x, y], ['Q', cx, cy, x, y].
function shape(r, version) {
  const id = r.u16();
  const bounds = r.rect();
  if (version === 4) {
    r.rect();
    r.u8();
  }
  let styles = styleArrays(r, version);
  const fills = [], lines = [];
  let fillBase = 0, lineBase = 0;
  const addStyles = (s) => {
    fillBase = fills.length;
    lineBase = lines.length;
    for (const f of s.fills) fills.push({ style: f, cmds: [], x: NaN, y: NaN });
    for (const l of s.lines) lines.push({ style: l, cmds: [], x: NaN, y: NaN });
  };
  addStyles(styles);
  let x = 0, y = 0, f0 = null, f1 = null, ln = null;
  // Adds the edge from (sx, sy) to (x, y), a curve through (cx, cy) unless
  // straight, to the path of one style in use.
  const edge = (target, straight, sx, sy, cx, cy) => {
    if (!target) return;
    const cmds = target.cmds;
    if (target.x !== sx || target.y !== sy) cmds.push('M', sx, sy);
    if (straight) cmds.push('L', x, y);
    else cmds.push('Q', cx, cy, x, y);
    target.x = x;
    target.y = y;
  };
  for (;;) {
    if (r.ub(1) === 0) {
      const flags = r.ub(5);
      if (flags === 0) break;
      if (flags & 1) {
        const n = r.ub(5);
        x = r.sb(n);
        y = r.sb(n);
      }
      if (flags & 2) f0 = fills[fillBase + r.ub(styles.fillBits) - 1] ?? null;
      if (flags & 4) f1 = fills[fillBase + r.ub(styles.fillBits) - 1] ?? null;
      if (flags & 8) ln = lines[lineBase + r.ub(styles.lineBits) - 1] ?? null;
      if (flags & 16) {
        styles = styleArrays(r, version);
        addStyles(styles);
        f0 = f1 = ln = null;
      }
      continue;
    }
    const straight = r.ub(1);
    const n = r.ub(4) + 2;
    const sx = x, sy = y;
    let cx = 0, cy = 0;
    if (straight) {
      let dx = 0, dy = 0;
      if (r.ub(1)) {
        dx = r.sb(n);
        dy = r.sb(n);
      } else if (r.ub(1)) dy = r.sb(n);
      else dx = r.sb(n);
      x += dx;
      y += dy;
    } else {
      cx = x + r.sb(n);
      cy = y + r.sb(n);
      x = cx + r.sb(n);
      y = cy + r.sb(n);
    }
    edge(f0, straight, sx, sy, cx, cy);
    if (f1 !== f0) edge(f1, straight, sx, sy, cx, cy);
    edge(ln, straight, sx, sy, cx, cy);
  }
  const keep = (list) => list.filter((p) => p.cmds.length).map(({ style, cmds }) => ({ style, cmds }));
  return { id, character: { type: 'shape', bounds, fills: keep(fills), lines: keep(lines) } };
}

// Older writers put a stray EOI/SOI pair in front of the image.
function cleanJpeg(data) {
  if (data.length >= 4 && data[0] === 0xff && data[1] === 0xd9 && data[2] === 0xff && data[3] === 0xd8) {
    return data.subarray(4);
  }
  return data;
}

// PlaceObject2, or PlaceObject3 (version 3) with its blend mode.
function place(r, tagEnd, list, version = 2) {
  const flags = r.u8();
  const more = version === 3 ? r.u8() : 0;
  const depth = r.u16();
  const skipString = () => {
    while (r.u8() !== 0 && r.pos < tagEnd);
  };
  if (more & 0x08 || (more & 0x10 && flags & 0x02)) skipString();
  const entry = list.get(depth) ?? { depth };
  if (!(flags & 0x01)) Object.assign(entry, { matrix: [1, 0, 0, 1, 0, 0], cxform: null, clipDepth: 0, blend: 0 });
  if (flags & 0x02) entry.id = r.u16();
  if (flags & 0x04) entry.matrix = r.matrix();
  if (flags & 0x08) entry.cxform = r.cxform(true);
  if (flags & 0x10) r.u16();
  if (flags & 0x20) skipString();
  if (flags & 0x40) entry.clipDepth = r.u16();
  // Filters come before the blend mode; a page never has them, so their
  // blend mode is left unread.
  if (more & 0x02 && !(more & 0x01)) entry.blend = r.u8();
  if (entry.id !== undefined) list.set(depth, entry);
}

/** Parses an SWF file; throws SwfError when it is not one or is damaged. */
export function parseSwf(buffer) {
  const steps = parseSteps(buffer);
  for (;;) {
    const r = steps.next();
    if (r.done) return r.value;
  }
}

/**
 * parseSwf in steps: yields after each tag and returns the movie, so a caller
 * can spread a large page over several tasks.
 */
export function* parseSteps(buffer) {
  const input = buffer instanceof Uint8Array ? buffer : new Uint8Array(buffer);
  if (input.length < 8) throw new SwfError('the file is too short to be an SWF file');
  const sig = String.fromCharCode(input[0], input[1], input[2]);
  if (sig === 'ZWS') throw new SwfError('LZMA-compressed SWF files are not supported');
  if (sig !== 'FWS' && sig !== 'CWS') throw new SwfError('not an SWF file');
  const version = input[3];
  const declared = new Reader(input, 4).u32();
  if (declared < 13 || declared > MAX_MOVIE) throw new SwfError('the declared SWF length is invalid');
  let bytes;
  if (sig === 'CWS') {
    let body;
    try {
      body = unzlibSync(input.subarray(8));
    } catch (err) {
      throw new SwfError(`the compressed SWF data is damaged (${err.message})`);
    }
    if (body.length < declared - 8) throw new SwfError('the SWF data is shorter than its header declares');
    bytes = new Uint8Array(declared);
    bytes.set(input.subarray(0, 8));
    bytes.set(body.subarray(0, declared - 8), 8);
  } else {
    if (input.length < declared) throw new SwfError('the SWF file is truncated');
    bytes = input.subarray(0, declared);
  }

  const r = new Reader(bytes, 8);
  const frame = r.rect();
  if (frame.xMax < frame.xMin || frame.yMax < frame.yMin) throw new SwfError('the SWF frame size is invalid');
  r.u16();
  r.u16();
  const movie = {
    version,
    frame,
    width: (frame.xMax - frame.xMin) / 20,
    height: (frame.yMax - frame.yMin) / 20,
    background: [255, 255, 255, 255],
    characters: new Map(),
    displayList: [],
  };
  const list = new Map();
  let jpegTables = null;
  for (;;) {
    const header = r.u16();
    const code = header >> 6;
    let length = header & 0x3f;
    if (length === 0x3f) length = r.u32();
    if (length > bytes.length - r.pos) throw new SwfError('an SWF tag runs past the end of the file');
    const start = r.pos, end = start + length;
    const t = new Reader(bytes, start, end);
    if (code === 0 || code === 1) break; // the first frame is all a page has
    switch (code) {
      case 9:
        movie.background = t.rgb();
        break;
      case 2:
      case 22:
      case 32:
      case 83: {
        const { id, character } = shape(t, { 2: 1, 22: 2, 32: 3, 83: 4 }[code]);
        movie.characters.set(id, character);
        break;
      }
      case 8:
        jpegTables = t.bytes(length);
        break;
      case 6:
      case 21:
      case 35: {
        const id = t.u16();
        let jpeg, alpha = null;
        if (code === 35) {
          const size = t.u32();
          jpeg = t.bytes(size);
          try {
            alpha = unzlibSync(t.bytes(end - t.pos));
          } catch {
            throw new SwfError('the alpha channel of an SWF bitmap is damaged');
          }
        } else {
          jpeg = t.bytes(end - t.pos);
        }
        jpeg = cleanJpeg(jpeg);
        if (code === 6 && jpegTables && jpegTables.length > 4) {
          const tables = cleanJpeg(jpegTables);
          const joined = new Uint8Array(tables.length - 2 + jpeg.length - 2);
          joined.set(tables.subarray(0, tables.length - 2));
          joined.set(jpeg.subarray(2), tables.length - 2);
          jpeg = joined;
        }
        movie.characters.set(id, { type: 'bitmap', jpeg, alpha });
        break;
      }
      case 26:
        place(t, end, list);
        break;
      case 70:
        place(t, end, list, 3);
        break;
      case 5:
        t.u16();
        list.delete(t.u16());
        break;
      case 28:
        list.delete(t.u16());
        break;
      default:
        break;
    }
    r.pos = end;
    yield;
  }
  movie.displayList = [...list.values()].sort((a, b) => a.depth - b.depth);
  return movie;
}
