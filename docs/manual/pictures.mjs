// The manual's pictures of a published book: the sample book published by
// foliant-cli with a phone edition, in Chromium on a desktop and on a phone.
//   node pictures.mjs BUILD_DIR OUTPUT_DIR
import { execFileSync } from 'node:child_process';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve, dirname } from 'node:path';
import { fileURLToPath } from 'node:url';

const source = resolve(dirname(fileURLToPath(import.meta.url)), '..', '..');
const [build, out] = process.argv.slice(2).map((p) => resolve(p));
const pw = await import(join(source, 'web', 'node_modules', 'playwright-core', 'index.js'));
const chromium = pw.chromium ?? pw.default.chromium;
const work = mkdtempSync(join(tmpdir(), 'foliant-pictures-'));
try {
  const book = join(work, 'book');
  execFileSync(join(build, 'bin', 'foliant-cli'),
    ['publish', '--sample', '--out', book, '--mobile', 'slide', '--title', 'Foliant sample book', '--set', 'direction=Right'],
    { env: { ...process.env, QT_QPA_PLATFORM: 'offscreen', FOLIANT_RESOURCES: join(build, 'resources') }, stdio: ['ignore', 'ignore', 'inherit'] });
  const browser = await chromium.launch({
    executablePath: '/usr/bin/chromium',
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync', '--allow-file-access-from-files'],
  });
  const desktop = await browser.newPage({ viewport: { width: 1280, height: 800 } });
  await desktop.goto('file://' + join(book, 'index.html'));
  await desktop.waitForFunction(() => [...document.querySelectorAll('img.fo-face')].some((i) => i.complete && i.naturalWidth > 0), null, { timeout: 60000 });
  await desktop.waitForTimeout(1500);
  await desktop.screenshot({ path: join(out, 'published-book.png') });
  const phone = await browser.newContext({ viewport: { width: 390, height: 780 }, deviceScaleFactor: 2, isMobile: true, hasTouch: true });
  const tab = await phone.newPage();
  await tab.goto('file://' + join(book, 'mobile', 'index.html'));
  await tab.waitForSelector('body[data-ready="true"]');
  await tab.waitForFunction(() => document.querySelector('.slide img')?.complete, null, { timeout: 30000 });
  await tab.waitForTimeout(500);
  await tab.screenshot({ path: join(out, 'phone-edition.png') });
  await browser.close();
} finally {
  rmSync(work, { recursive: true, force: true });
}
