// What the book's words cost, each against a baseline measured in the same run:
// - import: an image-mode publication of 100 text pages with and without text;
// - size: the share of the text files in the book folder (image and vector);
// - first page: the player's first visible page with and without text;
// - search: queries in a 1,000-page book in headless Chromium, as
//   window.foliant.search answers them, against one pass of indexOf over the text.
//   node bench/text.mjs [rounds]
import { execFileSync } from 'node:child_process';
import { readdirSync, statSync, readFileSync, writeFileSync, mkdirSync, copyFileSync, rmSync } from 'node:fs';
import { join } from 'node:path';
import * as S from '../tests/web/player_support.mjs';

const rounds = Number(process.argv[2] || 3);
const buildDir = process.env.FOLIANT_BUILD_DIR || join(S.sourceDir, 'build');
const root = S.tempDir('foliant-bench-text-');
execFileSync('python3', [join(S.sourceDir, 'tests', 'data', 'make_pdfs.py'), join(root, 'pdfs')]);
const pdf = join(root, 'pdfs', 'real100.pdf');
const env = { ...process.env, QT_QPA_PLATFORM: 'offscreen', HOME: root, XDG_DATA_HOME: join(root, 'data'), XDG_CONFIG_HOME: join(root, 'config') };

function publish(name, args) {
  const t = process.hrtime.bigint();
  execFileSync(join(buildDir, 'bin', 'foliant-cli'), ['publish', pdf, '--out', join(root, name), '--force', '-q', ...args], { env, stdio: 'ignore' });
  return Number(process.hrtime.bigint() - t) / 1e6;
}

const median = (a) => [...a].sort((x, y) => x - y)[Math.floor(a.length / 2)];
const size = (p) => (statSync(p).isDirectory() ? readdirSync(p).reduce((n, f) => n + size(join(p, f)), 0) : statSync(p).size);
const textShare = (name) => {
  const f = join(root, name, 'files');
  const text = size(join(f, 'text')) + size(join(f, 'text.html'));
  return { text, all: size(join(root, name)) };
};

const withText = [];
const without = [];
for (let i = 0; i < rounds; i++) {
  without.push(publish('images-plain', ['--images', '--no-text']));
  withText.push(publish('images', ['--images', '--bookmarks']));
}
publish('vector', ['--bookmarks']);
const ms = (v) => `${v.toFixed(0)} ms`;
console.log(`import, 100 image pages, no text: ${ms(median(without))} (median of ${rounds})`);
console.log(`import, 100 image pages, text:    ${ms(median(withText))}`);
console.log(`ratio text/no text:               ${(median(withText) / median(without)).toFixed(3)}  (aim: at most 1.10)`);
for (const name of ['images', 'vector']) {
  const { text, all } = textShare(name);
  console.log(`text files in the ${name} book:      ${(text / 1024).toFixed(0)} KB of ${(all / 1024).toFixed(0)} KB = ${((100 * text) / all).toFixed(1)}%  (aim: at most 25%)`);
}

// A 1,000-page book's index: the 100 pages ten times over.
const index = readFileSync(join(root, 'images', 'files', 'text', 'index.js'), 'utf8');
const pages = JSON.parse(index.slice(index.indexOf('(') + 1, index.lastIndexOf(')')));
const big = join(root, 'search');
mkdirSync(big);
writeFileSync(join(big, 'index.js'), `__foliantTextIndex(${JSON.stringify(Array.from({ length: 1000 }, (_, i) => pages[i % pages.length]))});\n`);
writeFileSync(join(big, 'index.html'), '<!DOCTYPE html><meta charset="utf-8"><body></body>');
// The player's own search module, served as a script.
copyFileSync(join(S.sourceDir, 'web', 'src', 'player', 'textsearch.mjs'), join(big, 'textsearch.js'));
const server = await S.serve(root);
const browser = await S.launch();

const page = await browser.newPage();
await page.goto(`${server.url}search/index.html`);
const search = await page.evaluate(async () => {
  const { TextIndex } = await import('./textsearch.js');
  const loaded = new Promise((r) => (window.__foliantTextIndex = (p) => r(p)));
  const s = document.createElement('script');
  s.src = 'index.js';
  document.head.append(s);
  const pages = await loaded;
  let ix = new TextIndex(pages);
  // What window.foliant.search gives: every match with its snippet.
  const time = (q) => {
    const t = performance.now();
    const n = ix.search(q).map(({ page, snippet }) => ({ page, snippet })).length;
    return [performance.now() - t, n];
  };
  // The baseline: one pass over the book's text looking for the word.
  const scan = (w) => {
    const t = performance.now();
    let n = 0;
    for (const text of pages) {
      const lower = text.toLowerCase();
      for (let i = lower.indexOf(w); i >= 0; i = lower.indexOf(w, i + 1)) n++;
    }
    return [performance.now() - t, n];
  };
  const median = (f) => {
    const runs = Array.from({ length: 9 }, f);
    return runs.sort((a, b) => a[0] - b[0])[4];
  };
  const cold = time('consectetur');
  // A fresh index read the way the player reads it, in slices.
  ix = new TextIndex(pages);
  const t = performance.now();
  await ix.warm();
  const warmMs = performance.now() - t;
  const warm = ['dolor', 'incididunt', '"magna aliqua"', 'nothing', 'lorem ipsum'].map((q) => median(() => time(q)));
  return { cold, warmMs, warm, base: median(() => scan('dolor')) };
});
const first = { plain: [], text: [] };
for (let i = 0; i < 2 * rounds + 2; i++) {
  // Each book goes first every other round: the second page of a round pays
  // for the first one's clean-up.
  const order = [['plain', 'images-plain'], ['text', 'images']];
  for (const [key, name] of i % 2 ? order.reverse() : order) {
    const p = await browser.newPage();
    await p.goto(`${server.url}${name}/index.html`);
    await p.waitForFunction(() => performance.getEntriesByName('foliant-first-page').length > 0, null, { timeout: 20000 });
    first[key].push(await p.evaluate(() => performance.getEntriesByName('foliant-first-page')[0].startTime));
    await p.close();
  }
}
await browser.close();
await server.close();
rmSync(root, { recursive: true, force: true });
console.log(`first page, no text:              ${ms(median(first.plain))} (median of ${2 * rounds + 2})`);
console.log(`first page, text:                 ${ms(median(first.text))}; ratio ${(median(first.text) / median(first.plain)).toFixed(2)}`);
console.log(`search, 1000 pages, first query:  ${search.cold[0].toFixed(1)} ms (${search.cold[1]} matches; words read on the way)`);
console.log(`reading the words of 1000 pages:  ${search.warmMs.toFixed(0)} ms in 8 ms slices, after the index loads`);
console.log(`search, 1000 pages, then:         ${search.warm.map(([t, n]) => `${t.toFixed(1)} ms/${n}`).join(', ')}  (aim: under 50 ms; medians of 9)`);
console.log(`baseline, one pass of indexOf:    ${search.base[0].toFixed(1)} ms/${search.base[1]}; common word "dolor" ${(search.warm[0][0] / search.base[0]).toFixed(2)} x baseline`);
