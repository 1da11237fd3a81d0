// How long the player takes to show the first page of a 1,000-page book,
// against a 10-page book measured in the same run (loopback HTTP, headless
// Chromium). Prints both times and their ratio, and the player's payload.
//   node bench/player_first_page.mjs [rounds]
import { mkdirSync, copyFileSync, readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { gzipSync } from 'node:zlib';
import * as S from '../tests/web/player_support.mjs';

const rounds = Number(process.argv[2] || 7);
const root = S.tempDir('foliant-bench-');

async function makeLarge(name, pages) {
  const dir = join(root, name);
  await S.makeBook(dir, { pages: 12 });
  // Every page gets a file of its own, as a published book has.
  const list = [];
  for (let n = 1; n <= pages; n++) {
    const src = ((n - 1) % 12) + 1;
    if (n > 12) {
      copyFileSync(join(dir, 'files', 'page', `${src}.png`), join(dir, 'files', 'page', `${n}.png`));
      copyFileSync(join(dir, 'files', 'thumb', `${src}.jpg`), join(dir, 'files', 'thumb', `${n}.jpg`));
    }
    list.push({ normal: `page/${n}.png`, thumb: `thumb/${n}.jpg` });
  }
  const text = S.packConfig(S.bookXml({}, list));
  writeFileSync(join(dir, 'files', 'config.xml'), text);
  writeFileSync(join(dir, 'files', 'config.js'), `window.__foliantConfig=${JSON.stringify(text)};\n`);
  return dir;
}

const small = await makeLarge('small', 10);
await makeLarge('large', 1000);
const server = await S.serve(root);
const browser = await S.launch();

async function firstPage(name) {
  const page = await browser.newPage();
  await page.goto(`${server.url}${name}/index.html`);
  await page.waitForFunction(() => performance.getEntriesByName('foliant-first-page').length > 0, null, { timeout: 20000 });
  const t = await page.evaluate(() => performance.getEntriesByName('foliant-first-page')[0].startTime);
  if (process.env.BENCH_STEPS) {
    const steps = await page.evaluate(() =>
      ['foliant-config-read', 'foliant-config-parsed', 'foliant-built', 'foliant-first-page'].map((n) => `${n.slice(8)} ${performance.getEntriesByName(n)[0]?.startTime.toFixed(0)}`),
    );
    console.log(name, steps.join(', '));
  }
  // Frame cost while idle: a renderer that touches every page each frame shows here.
  const idle = await page.evaluate(
    () =>
      new Promise((resolve) => {
        let frames = 0;
        const start = performance.now();
        const tick = () => (++frames < 60 ? requestAnimationFrame(tick) : resolve((performance.now() - start) / frames));
        requestAnimationFrame(tick);
      }),
  );
  await page.close();
  return { t, idle };
}

const median = (a) => [...a].sort((x, y) => x - y)[Math.floor(a.length / 2)];
const res = { small: [], large: [], idleSmall: [], idleLarge: [] };
await firstPage('small');
for (let i = 0; i < rounds; i++) {
  for (const name of ['small', 'large']) {
    const { t, idle } = await firstPage(name);
    res[name].push(t);
    res[name === 'small' ? 'idleSmall' : 'idleLarge'].push(idle);
  }
}
await browser.close();
await server.close();

const payload = ['swfobject.js', 'theme/Main.swf'].map((f) => readFileSync(join(small, 'files', f)));
const gz = payload.reduce((n, b) => n + gzipSync(b, { level: 9 }).length, 0);
const ms = (v) => `${v.toFixed(0)} ms`;
console.log(`first page, 10 pages:    ${ms(median(res.small))} (median of ${rounds})`);
console.log(`first page, 1000 pages:  ${ms(median(res.large))} (median of ${rounds})`);
console.log(`ratio 1000/10:           ${(median(res.large) / median(res.small)).toFixed(2)}  (aim: 1000 pages within 1000 ms)`);
console.log(`idle frame, 10 / 1000:   ${median(res.idleSmall).toFixed(1)} / ${median(res.idleLarge).toFixed(1)} ms`);
console.log(`player payload:          ${gz} bytes gzipped (aim: at most 81920)`);
