// Shared set-up of the browser tests for the page editor and the mobile
// players: small preview folders made on the fly and a stand-in for the
// application's bridge.
import { mkdirSync, writeFileSync, rmSync, existsSync, cpSync } from 'node:fs';
import { join, dirname } from 'node:path';
import { pageImage, resourcesDir, tempDir } from './player_support.mjs';

/** Writes page n's picture (see pageImage) as a JPEG of the given size. */
export function writeJpeg(path, n, width, height) {
  mkdirSync(dirname(path), { recursive: true });
  writeFileSync(path, pageImage(n, width, height, 'jpg'));
}

/**
 * A preview folder as the application leaves it while the editor is open:
 * pages.xml with the absolute files/ folder in `bace`, page images and
 * thumbnails, and the editor page itself.
 */
export function makePreviewFolder({ pages = 3, pageList } = {}) {
  const dir = tempDir('foliant-preview-');
  const files = join(dir, 'files');
  for (let i = 1; i <= pages; i++) {
    writeJpeg(join(files, 'page', `${i}.jpg`), i, 300, 400);
    writeJpeg(join(files, 'thumb', `${i}.jpg`), i, 60, 80);
  }
  writeJpeg(join(files, 'editor', 'photo.jpg'), 9, 200, 100);
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
  cpSync(editor, join(dir, 'PageEditor.html'));
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

// Runs `fn` with the editor opened over a fresh preview folder (made from
// `folder` options), then closes both.
export async function withEditor(browser, folder, answers, fn, options = {}) {
  const book = makePreviewFolder(folder);
  if (options.prepare) options.prepare(book);
  const context = await browser.newContext({ viewport: { width: 1280, height: 720 } });
  try {
    const page = await context.newPage();
    const errors = [];
    page.on('pageerror', (e) => errors.push(String(e)));
    await installBridge(page, book.dir, answers, options);
    await page.goto('file://' + join(book.dir, 'PageEditor.html'));
    await page.waitForSelector('body[data-ready="true"]');
    await fn({ page, errors, book });
  } finally {
    await context.close();
    book.cleanup();
  }
}
