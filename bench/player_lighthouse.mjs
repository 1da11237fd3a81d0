// Lighthouse (mobile, simulated slow 4G and 4x slower CPU) on an 85-page
// image book and an 85-page vector book published by foliant-cli, and the
// bytes the phone Flip edition of the image book fetches before the reader
// acts. Prints each figure beside its target and their ratio.
//   node bench/player_lighthouse.mjs [runs]     (FOLIANT_BUILD_DIR: the build with foliant-cli)
import { execFileSync } from 'node:child_process';
import { statSync, existsSync, rmSync } from 'node:fs';
import { join } from 'node:path';
import * as S from '../tests/web/player_support.mjs';

const runs = Number(process.argv[2] || 1);
const web = join(S.sourceDir, 'web', 'node_modules');
const { default: lighthouse } = await import(join(web, 'lighthouse', 'core', 'index.js'));
const chromeLauncher = await import(join(web, 'chrome-launcher', 'dist', 'index.js'));
const buildDir = process.env.FOLIANT_BUILD_DIR || join(S.sourceDir, 'build');
const cli = join(buildDir, 'bin', 'foliant-cli');
if (!existsSync(cli)) throw new Error(`${cli} is not built`);

const root = S.tempDir('foliant-lighthouse-');
const pdf = join(root, 'book.pdf');
// Text, drawings and a picture on every page, as the import tests read them.
execFileSync('python3', ['-c', `import sys; sys.path.insert(0, ${JSON.stringify(join(S.sourceDir, 'tests', 'data'))}); import make_pdfs; make_pdfs.make_real(${JSON.stringify(root)}, 'book.pdf', 85, links_per_page=2)`]);
const publish = (out, ...args) =>
  execFileSync(cli, ['publish', pdf, '--out', join(root, out), '--force', '-q', ...args], {
    env: { ...process.env, QT_QPA_PLATFORM: 'offscreen', FOLIANT_RESOURCES: process.env.FOLIANT_RESOURCES || join(buildDir, 'resources'), HOME: root, XDG_CONFIG_HOME: join(root, 'config'), XDG_DATA_HOME: join(root, 'data') },
    stdio: ['ignore', 'ignore', 'inherit'],
  });
publish('image', '--images', '--mobile', 'flip');
publish('vector');
const server = await S.serve(root);

const chrome = await chromeLauncher.launch({ chromePath: '/usr/bin/chromium', chromeFlags: ['--headless=new', '--no-sandbox', '--disable-gpu'] });
const row = (name, value, target, unit, better) => {
  const ratio = better === 'lower' ? value / target : target / value;
  console.log(`${name.padEnd(44)} ${String(Math.round(value * 100) / 100).padStart(9)} ${unit.padEnd(3)} target ${better === 'lower' ? '<' : '>='} ${target}  ratio ${ratio.toFixed(2)} ${ratio <= 1 ? 'ok' : 'MISSED'}`);
};
for (const book of ['image', 'vector']) {
  for (let r = 0; r < runs; r++) {
    const { lhr } = await lighthouse(`${server.url}${book}/index.html`, { port: chrome.port, output: 'json', logLevel: 'error', onlyCategories: ['performance', 'accessibility'] });
    const a = lhr.audits;
    console.log(`-- ${book} book, run ${r + 1}`);
    row('performance score', lhr.categories.performance.score * 100, 90, '', 'higher');
    row('accessibility score', lhr.categories.accessibility.score * 100, 100, '', 'higher');
    row('largest contentful paint', a['largest-contentful-paint'].numericValue / 1000, 2.5, 's', 'lower');
    row('total blocking time', a['total-blocking-time'].numericValue, 200, 'ms', 'lower');
    row('bytes transferred', a['total-byte-weight'].numericValue / 1e6, 3, 'MB', 'lower');
    const failed = Object.values(a).filter((x) => x.scoreDisplayMode === 'binary' && x.score === 0 && lhr.categories.accessibility.auditRefs.some((ref) => ref.id === x.id));
    if (failed.length) console.log('   accessibility audits failed:', failed.map((x) => x.id).join(', '));
  }
}
await chrome.kill();

// The phone Flip edition: what a visit fetches while the reader only looks.
const browser = await S.launchBrowser();
const phone = await browser.newContext({ viewport: { width: 390, height: 844 }, deviceScaleFactor: 2, isMobile: true, hasTouch: true });
const page = await phone.newPage();
server.requests.length = 0;
await page.goto(`${server.url}image/mobile/index.html`);
await page.waitForSelector('body[data-ready="true"]');
await page.waitForTimeout(4000);
const bytes = server.requests.reduce((sum, path) => {
  const file = join(root, path.endsWith('/') ? `${path}index.html` : path);
  return sum + (existsSync(file) ? statSync(file).size : 0);
}, 0);
console.log(`-- phone Flip edition of the image book (${server.requests.length} requests)`);
row('bytes before the reader acts', bytes / 1e6, 3, 'MB', 'lower');
await browser.close();
await server.close();
rmSync(root, { recursive: true, force: true });
