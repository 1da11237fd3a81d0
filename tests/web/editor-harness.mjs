// Shared set-up of the browser tests for the page editor and the mobile
// players: Debian's Chromium driven by playwright-core, and small book
// folders made on the fly.
import { createRequire } from 'node:module';
import { mkdtempSync, mkdirSync, writeFileSync, rmSync, existsSync } from 'node:fs';
import { execFileSync } from 'node:child_process';
import { tmpdir } from 'node:os';
import { join, dirname, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';

const here = dirname(fileURLToPath(import.meta.url));
export const sourceDir = process.env.FOLIANT_SOURCE_DIR || resolve(here, '..', '..');
export const resourcesDir = process.env.FOLIANT_RESOURCES || join(sourceDir, 'build', 'resources');

const require = createRequire(join(sourceDir, 'web', 'package.json'));
const { chromium } = require('playwright-core');

export async function launch() {
  // playwright gives every launch a fresh profile folder of its own.
  const browser = await chromium.launch({
    executablePath: '/usr/bin/chromium',
    args: [
      '--headless',
      '--no-sandbox',
      '--disable-gpu',
      '--disable-quic',
      '--no-first-run',
      '--disable-background-networking',
      '--disable-component-update',
      '--disable-sync',
      // The application's web view lets file:// pages read their sibling
      // files; Chromium needs to be told.
      '--allow-file-access-from-files',
    ],
  });
  return {
    browser,
    async close() {
      await browser.close();
    },
  };
}

export function tempFolder(prefix) {
  return mkdtempSync(join(tmpdir(), prefix));
}

/** Writes a JPEG of the given size marked with `mark` bars (no fonts needed). */
export function makeJpeg(path, width, height, mark, colour = '#dfe7f1') {
  mkdirSync(dirname(path), { recursive: true });
  const bars = [];
  const n = Math.max(1, Math.min(12, Number(mark) || 1));
  for (let i = 0; i < n; i++) {
    const x = Math.round(width * (0.1 + i * 0.07));
    bars.push('-draw', `rectangle ${x},${Math.round(height * 0.1)} ${x + Math.max(1, Math.round(width * 0.04))},${Math.round(height * 0.3)}`);
  }
  execFileSync('convert', ['-size', `${width}x${height}`, `xc:${colour}`, '-fill', '#334455', ...bars, path]);
}

/**
 * A preview folder as the application leaves it while the editor is open:
 * pages.xml with the absolute files/ folder in `bace`, page images and
 * thumbnails, and the editor page itself.
 */
export function makePreviewFolder({ pages = 3, pageList } = {}) {
  const dir = tempFolder('foliant-preview-');
  const files = join(dir, 'files');
  for (let i = 1; i <= pages; i++) {
    makeJpeg(join(files, 'page', `${i}.jpg`), 300, 400, i);
    makeJpeg(join(files, 'thumb', `${i}.jpg`), 60, 80, i);
  }
  makeJpeg(join(files, 'editor', 'photo.jpg'), 200, 100, 'img', '#f0c080');
  const text =
    pageList ??
    `<Pages bace="${files}/" largeWidth="600" largeHeight="800" width="600" height="800" thumbWidth="135" thumbHeight="180">\n` +
      Array.from({ length: pages }, (_, k) => {
        const n = k + 1;
        return (
          `  <Page type="Image">\n` +
          `    <Item name="thumb">thumb/${n}.jpg</Item>\n` +
          `    <Item name="normal">page/${n}.jpg</Item>\n` +
          `    <Item name="large">page/${n}.jpg</Item>\n` +
          `  </Page>\n`
        );
      }).join('') +
      `</Pages>\n`;
  if (pageList !== null) writeFileSync(join(dir, 'pages.xml'), text);
  const editor = join(resourcesDir, 'PageEditor.html');
  if (!existsSync(editor)) throw new Error(`${editor} is missing: build the foliant_web target first`);
  execFileSync('cp', [editor, join(dir, 'PageEditor.html')]);
  return { dir, files, cleanup: () => rmSync(dir, { recursive: true, force: true }) };
}

/**
 * Installs a stand-in for the application's bridge before the page's own
 * scripts run. Its methods answer through the callback, as the web channel
 * does. `answers` maps a method name to the text it answers with.
 * OnSave / SaveAndExit fetch the page list and, like the application, store
 * it in pages.xml without its base folder (unless `writes` is false).
 */
export async function installBridge(page, folder, answers = {}, { writes = true } = {}) {
  await page.exposeFunction('__writePageList', (text) => {
    if (writes) writeFileSync(join(folder, 'pages.xml'), text);
  });
  await page.addInitScript((answers) => {
    const calls = (window.__bridgeCalls = []);
    window.__saved = [];
    const record = (name) =>
      function (...args) {
        const cb = typeof args[args.length - 1] === 'function' ? args.pop() : null;
        calls.push({ name, args });
        let done = Promise.resolve();
        if (name === 'OnSave' || name === 'SaveAndExit') {
          const text = window.GetPageConfig();
          window.__saved.push(text);
          const base = (/bace="([^"]*)"/.exec(text) || [])[1] || '';
          done = window.__writePageList(base ? text.split(base).join('') : text);
        }
        if (name === 'OnSelectImageFiles') calls[calls.length - 1].rename = window.ReName();
        if (cb) done.then(() => setTimeout(() => cb(answers[name] ?? ''), 10));
      };
    window.myconnector = {};
    for (const name of [
      'SelectImageFile', 'OnDeleteFile', 'SaveAndExit', 'Exit', 'OnSave', 'OnSelectImageFiles',
      'OnSelectSWFFile', 'OnSelectMovieFile', 'OnSelectMusicFile', 'OpenHelp',
    ]) {
      window.myconnector[name] = record(name);
    }
  }, answers);
}

export async function openEditor(browser, folder, answers = {}, options = {}) {
  const context = await browser.newContext({ viewport: { width: 1280, height: 720 } });
  const page = await context.newPage();
  const errors = [];
  page.on('pageerror', (e) => errors.push(String(e)));
  await installBridge(page, folder, answers, options);
  await page.goto('file://' + join(folder, 'PageEditor.html'));
  await page.waitForSelector('body[data-ready="true"]');
  return { page, context, errors };
}
