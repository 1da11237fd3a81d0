// Shared set-up of the vector page browser tests: test PDFs, reference
// renderings from pdftoppm, the renderer bundle and an in-page image measure.
import { createRequire } from 'node:module';
import { execFileSync } from 'node:child_process';
import { writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { sourceDir } from './player_support.mjs';

export function makePdfs(dir) {
  execFileSync('python3', [join(sourceDir, 'tests', 'data', 'swf', 'make_pdfs.py'), dir]);
}

export function pdftoppm(pdf, page, outBase, dpi, crop) {
  const args = ['-png', '-r', String(dpi), '-f', String(page), '-l', String(page), '-singlefile'];
  if (crop) args.push('-x', String(crop.x), '-y', String(crop.y), '-W', String(crop.w), '-H', String(crop.h));
  execFileSync('pdftoppm', [...args, pdf, outBase]);
  return `${outBase}.png`;
}

export async function bundleRenderer(dir) {
  const esbuild = createRequire(join(sourceDir, 'web', 'package.json'))('esbuild');
  await esbuild.build({
    entryPoints: [join(sourceDir, 'web', 'src', 'swf', 'index.mjs')],
    bundle: true,
    format: 'esm',
    outfile: join(dir, 'swf.js'),
    nodePaths: [join(sourceDir, 'web', 'node_modules')],
    logLevel: 'silent',
  });
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
