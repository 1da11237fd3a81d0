// Shared set-up of the vector page browser tests: test PDFs, converter runs,
// reference renderings from pdftoppm, the renderer bundle, a loopback HTTP
// server and headless Chromium.
import { createServer } from 'node:http';
import { createRequire } from 'node:module';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync, writeFileSync, existsSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve, extname, normalize } from 'node:path';

export const SOURCE = resolve(process.env.FOLIANT_SOURCE_DIR ?? join(import.meta.dirname, '..', '..'));
export const RESOURCES = resolve(process.env.FOLIANT_RESOURCES ?? join(SOURCE, 'build', 'resources'));
export const PDF2SWF = join(RESOURCES, 'lib', 'pdf2swf');
export const GETSWFSIZE = join(RESOURCES, 'lib', 'getswfSize');
const webRequire = createRequire(join(SOURCE, 'web', 'package.json'));

export function makeWorkDir() {
  return mkdtempSync(join(tmpdir(), 'foliant-swf-'));
}

export function makePdfs(dir) {
  execFileSync('python3', [join(SOURCE, 'tests', 'data', 'swf', 'make_pdfs.py'), dir]);
}

// The converter is started exactly as the import starts it.
export function pdf2swf(pdf, page, out, { quality = 85, zoom = 144, extra = [] } = {}) {
  execFileSync(PDF2SWF, [pdf, `-o${out}`, `-p ${page}-${page}`, `-s jpegquality=${quality}`, '-t', '-G', '-qq',
    '-s flashversion=8', '-s disablelinks', `-s zoom=${zoom}`, ...extra], { stdio: ['ignore', 'pipe', 'pipe'] });
  return out;
}

export function pdftoppm(pdf, page, outBase, dpi, crop) {
  const args = ['-png', '-r', String(dpi), '-f', String(page), '-l', String(page), '-singlefile'];
  if (crop) args.push('-x', String(crop.x), '-y', String(crop.y), '-W', String(crop.w), '-H', String(crop.h));
  execFileSync('pdftoppm', [...args, pdf, outBase]);
  return `${outBase}.png`;
}

export async function bundleRenderer(dir) {
  const esbuild = webRequire('esbuild');
  await esbuild.build({
    entryPoints: [join(SOURCE, 'web', 'src', 'swf', 'index.mjs')],
    bundle: true,
    format: 'esm',
    outfile: join(dir, 'swf.js'),
    nodePaths: [join(SOURCE, 'web', 'node_modules')],
    logLevel: 'silent',
  });
}

const TYPES = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm', '.png': 'image/png',
  '.swf': 'application/x-shockwave-flash', '.json': 'application/json' };

// Serves `dir` at / and the independent SWF player at /ruffle/.
export async function serve(dir) {
  const ruffle = join(SOURCE, 'web', 'node_modules', '@ruffle-rs', 'ruffle');
  const server = createServer((req, res) => {
    const path = decodeURIComponent(new URL(req.url, 'http://x').pathname);
    const root = path.startsWith('/ruffle/') ? ruffle : dir;
    const rel = normalize(path.startsWith('/ruffle/') ? path.slice(8) : path.slice(1));
    const file = join(root, rel);
    if (rel.startsWith('..') || !existsSync(file)) {
      res.writeHead(404).end();
      return;
    }
    res.writeHead(200, { 'content-type': TYPES[extname(file)] ?? 'application/octet-stream' });
    res.end(readFileSync(file));
  });
  await new Promise((ok) => server.listen(0, '127.0.0.1', ok));
  return { server, url: `http://127.0.0.1:${server.address().port}` };
}

export async function launchBrowser() {
  const { chromium } = webRequire('playwright-core');
  const profile = mkdtempSync(join(tmpdir(), 'foliant-chromium-'));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: '/usr/bin/chromium',
    headless: true,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync'],
    viewport: { width: 1300, height: 1700 },
  });
  return {
    context,
    async close() {
      await context.close();
      rmSync(profile, { recursive: true, force: true });
    },
  };
}

// In-page helper: compares two images (URLs) pixel by pixel. `mean` is the mean
// absolute difference of the colour channels (0..255). `bad` is the share of
// pixels that differ by more than 96 in some channel from every pixel of the
// other image's 3x3 neighbourhood: rasterisers place glyph edges differently
// by a fraction of a pixel, a wrong drawing is off by more.
export const COMPARE_SCRIPT = `
window.loadPixels = async (url) => {
  const img = new Image();
  img.src = url;
  await img.decode();
  const c = document.createElement('canvas');
  c.width = img.width; c.height = img.height;
  const x = c.getContext('2d');
  x.drawImage(img, 0, 0);
  return x.getImageData(0, 0, img.width, img.height);
};
window.diffPixels = (a, b, area) => {
  const w = Math.min(a.width, b.width), h = Math.min(a.height, b.height);
  const x0 = area ? area.x : 0, y0 = area ? area.y : 0;
  const x1 = area ? Math.min(w, area.x + area.w) : w, y1 = area ? Math.min(h, area.y + area.h) : h;
  const off = (img, x, y, other, i) => {
    let best = 255;
    for (let dy = -1; dy <= 1 && best > 96; dy++) for (let dx = -1; dx <= 1 && best > 96; dx++) {
      const xx = x + dx, yy = y + dy;
      if (xx < 0 || yy < 0 || xx >= w || yy >= h) continue;
      const j = (yy * img.width + xx) * 4;
      best = Math.min(best, Math.max(Math.abs(img.data[j] - other.data[i]), Math.abs(img.data[j + 1] - other.data[i + 1]),
        Math.abs(img.data[j + 2] - other.data[i + 2])));
    }
    return best > 96;
  };
  let sum = 0, bad = 0;
  for (let y = y0; y < y1; y++) for (let x = x0; x < x1; x++) {
    const i = (y * a.width + x) * 4, j = (y * b.width + x) * 4;
    for (let k = 0; k < 3; k++) sum += Math.abs(a.data[i + k] - b.data[j + k]);
    if (off(b, x, y, a, i) || off(a, x, y, b, j)) bad++;
  }
  const n = Math.max(1, (x1 - x0) * (y1 - y0));
  return { mean: sum / (n * 3), bad: bad / n, sizeA: [a.width, a.height], sizeB: [b.width, b.height] };
};
window.compareImages = async (urlA, urlB, area) => diffPixels(await loadPixels(urlA), await loadPixels(urlB), area);
`;

export function writePage(dir, name, body) {
  writeFileSync(join(dir, name), `<!doctype html><html><head><meta charset="utf-8"><style>body{margin:0;background:#fff}</style>
<script>${COMPARE_SCRIPT}</script></head><body>${body}</body></html>`);
}
