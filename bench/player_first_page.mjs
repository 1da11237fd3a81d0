// How long a first visit takes to show the first page of a 1,000-page book,
// for an image book and a vector book published by foliant-cli, against the
// 10-page book of the same kind measured in the same run (loopback HTTP,
// headless Chromium, browser cache off). The long books are the published
// 12-page book grown page by page the way publishing lays a book out.
//   node bench/player_first_page.mjs [rounds]     (FOLIANT_BUILD_DIR: the build with foliant-cli)
//   BENCH_STEPS=1 also prints when each step of the start was reached.
import { execFileSync } from 'node:child_process';
import { cpSync, existsSync, linkSync, readFileSync, readdirSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { gzipSync } from 'node:zlib';
import { loadavg } from 'node:os';
import * as S from '../tests/web/player_support.mjs';
import { unpackConfig } from '../web/src/player/unpack.mjs';

const rounds = Number(process.argv[2] || 7);
const buildDir = process.env.FOLIANT_BUILD_DIR || join(S.sourceDir, 'build');
const cli = join(buildDir, 'bin', 'foliant-cli');
if (!existsSync(cli)) throw new Error(`${cli} is not built`);
const root = S.tempDir('foliant-bench-');

// Twelve pages of a real manual when the machine has one, else the project's own text pages.
const pdf = join(root, 'book.pdf');
const manual = '/usr/share/doc/valgrind/valgrind_manual.pdf.gz';
if (existsSync(manual)) {
  writeFileSync(join(root, 'manual.pdf'), execFileSync('zcat', [manual], { maxBuffer: 1 << 28 }));
  execFileSync('qpdf', ['--empty', '--pages', join(root, 'manual.pdf'), '1-12', '--', pdf]);
} else {
  execFileSync('python3', ['-c', `import sys; sys.path.insert(0, ${JSON.stringify(join(S.sourceDir, 'tests', 'data'))}); import make_pdfs; make_pdfs.make_real(${JSON.stringify(root)}, 'book.pdf', 12)`]);
}
const publish = (out, ...args) =>
  execFileSync(cli, ['publish', pdf, '--out', join(root, out), '--force', '-q', ...args], {
    env: { ...process.env, QT_QPA_PLATFORM: 'offscreen', FOLIANT_RESOURCES: process.env.FOLIANT_RESOURCES || join(buildDir, 'resources'), HOME: root, XDG_CONFIG_HOME: join(root, 'config'), XDG_DATA_HOME: join(root, 'data') },
    stdio: ['ignore', 'ignore', 'inherit'],
  });

// A copy of the published book `from` with `pages` pages: page n takes the
// files of page ((n - 1) mod 12) + 1 under its own names (the files that
// name their page are rewritten), and the configuration lists them all.
function grow(from, name, pages) {
  const dir = join(root, name);
  const files = join(dir, 'files');
  cpSync(join(root, from), dir, { recursive: true });
  const xml = unpackConfig(readFileSync(join(files, 'config.xml'), 'utf8'));
  const blocks = xml.match(/<Page[\s>][\s\S]*?<\/Page>/g);
  const start = xml.indexOf(blocks[0]);
  const end = xml.lastIndexOf(blocks.at(-1)) + blocks.at(-1).length;
  const list = [];
  for (let n = 1; n <= pages; n++) {
    const k = ((n - 1) % blocks.length) + 1;
    list.push(blocks[k - 1].replace(new RegExp(`/${k}\\.`, 'g'), `/${n}.`));
    if (n <= blocks.length) continue;
    for (const sub of ['page', 'thumb', 'text']) {
      for (const f of readdirSync(join(files, sub)).filter((f) => f.startsWith(`${k}.`))) {
        const to = join(files, sub, `${n}${f.slice(String(k).length)}`);
        if (!/\.js$/.test(f)) linkSync(join(files, sub, f), to);
        else writeFileSync(to, readFileSync(join(files, sub, f), 'utf8').replace(new RegExp(`^(__foliantText\\(|window\\.__foliantData\\("page\\\\?/)${k}\\b`), `$1${n}`));
      }
    }
  }
  const text = S.packConfig(xml.slice(0, start) + list.join('\n  ') + xml.slice(end));
  writeFileSync(join(files, 'config.xml'), text);
  writeFileSync(join(files, 'config.js'), `window.__foliantConfig=${JSON.stringify(text)};\n`);
}

publish('image-12', '--images');
publish('vector-12');
for (const kind of ['image', 'vector']) {
  grow(`${kind}-12`, `${kind}-10`, 10);
  grow(`${kind}-12`, `${kind}-1000`, 1000);
}
const server = await S.serve(root);
const browser = await S.launch();

const STEPS = ['config-read', 'config-parsed', 'built', 'first-page'];
async function firstPage(name) {
  const page = await browser.newPage();
  // A first visit: nothing comes from the browser's cache.
  const cdp = await page.context().newCDPSession(page);
  await cdp.send('Network.setCacheDisabled', { cacheDisabled: true });
  page.errors = [];
  page.on('pageerror', (e) => page.errors.push(e.message));
  // Polling the page from here would run script in it while it starts; the
  // page says when it is done instead.
  await page.addInitScript(() => {
    const said = () => console.debug('foliant-bench-done');
    new PerformanceObserver((l) => l.getEntriesByName('foliant-first-page').length && said()).observe({ type: 'mark' });
    addEventListener('error', said);
  });
  const done = page.waitForEvent('console', { predicate: (m) => m.text() === 'foliant-bench-done', timeout: 20000 });
  await page.goto(`${server.url}${name}/index.html`);
  await done.catch(() => {});
  const marks = await page.evaluate((steps) => steps.map((n) => performance.getEntriesByName(`foliant-${n}`)[0]?.startTime ?? NaN), STEPS);
  if (page.errors.length || Number.isNaN(marks.at(-1))) throw new Error(`${name}: no first page within 20 s (${JSON.stringify(await S.bookState(page))} ${page.errors.join('; ')})`);
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
  return [...marks, idle];
}

const median = (a) => [...a].sort((x, y) => x - y)[Math.floor(a.length / 2)];
const names = ['image-10', 'image-1000', 'vector-10', 'vector-1000'];
const res = Object.fromEntries(names.map((n) => [n, []]));
for (const n of names) await firstPage(n);
for (let i = 0; i < rounds; i++) for (const n of names) res[n].push(await firstPage(n));
await browser.close();
await server.close();

const ms = (v) => `${v.toFixed(0)} ms`;
console.log(`load average ${loadavg().map((v) => v.toFixed(2)).join(' ')}; median of ${rounds} first visits`);
for (const kind of ['image', 'vector']) {
  const [small, large] = [res[`${kind}-10`], res[`${kind}-1000`]].map((r) => median(r.map((m) => m[STEPS.length - 1])));
  const [idleSmall, idleLarge] = [res[`${kind}-10`], res[`${kind}-1000`]].map((r) => median(r.map((m) => m[STEPS.length])));
  console.log(`${kind} book, first page, 10 / 1000 pages: ${ms(small)} / ${ms(large)}  (aim: 1000 pages under 300 ms${large < 300 ? ', ok' : ', MISSED'})`);
  console.log(`  idle frame, 10 / 1000 pages: ${idleSmall.toFixed(1)} / ${idleLarge.toFixed(1)} ms`);
  if (process.env.BENCH_STEPS) {
    for (const n of [`${kind}-10`, `${kind}-1000`]) console.log(`  ${n.padEnd(12)} ${STEPS.map((s, j) => `${s} ${median(res[n].map((m) => m[j])).toFixed(0)}`).join(', ')}`);
  }
}
const payload = ['swfobject.js', 'theme/Main.swf'].map((f) => readFileSync(join(root, 'image-10', 'files', f)));
console.log(`player payload: ${payload.reduce((n, b) => n + gzipSync(b, { level: 9 }).length, 0)} bytes gzipped (aim: at most 81920)`);
