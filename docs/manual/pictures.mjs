// The manual's pictures of a published book: a small brochure printed to PDF
// by Chromium, published by foliant-cli with a phone edition, then shown in
// Chromium on a desktop and on a phone.
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
let browser;
try {
  browser = await chromium.launch({
    executablePath: '/usr/bin/chromium',
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync', '--allow-file-access-from-files'],
  });
  const colours = ['#2f4f6f', '#8a3b12', '#2e6b3a', '#6b2e5f'];
  const pages = colours.map((c, i) => `<section style="page-break-after:always;height:100vh;display:flex;flex-direction:column;justify-content:center;align-items:center;background:linear-gradient(160deg, ${c}, #f4efe6 70%);color:#fff;font:32px/1.3 'DejaVu Sans',sans-serif"><h1 style="font-size:64px;margin:0">Chapter ${i + 1}</h1><p style="max-width:70%;text-align:center">A page of the Foliant brochure, turned into a book for the web.</p></section>`).join('');
  const printer = await browser.newPage();
  await printer.setContent(`<html><body style="margin:0">${pages}</body></html>`);
  const pdf = join(work, 'brochure.pdf');
  await printer.pdf({ path: pdf, width: '600px', height: '800px', printBackground: true });
  const book = join(work, 'book');
  execFileSync(join(build, 'bin', 'foliant-cli'),
    ['publish', pdf, '--images', '--out', book, '--mobile', 'slide', '--title', 'Foliant brochure'],
    { env: { ...process.env, QT_QPA_PLATFORM: 'offscreen', FOLIANT_RESOURCES: join(build, 'resources') }, stdio: ['ignore', 'ignore', 'inherit'] });
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
} finally {
  await browser?.close();
  rmSync(work, { recursive: true, force: true });
}
