// The book's words in the player: search, highlights, the table of contents,
// copying, screen-reader text, the text edition and window.foliant, on books
// published by foliant-cli from the project's test PDFs and a real document,
// checked against pdftotext and qpdf, served and opened from disk.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { existsSync, readFileSync, rmSync } from 'node:fs';
import { execFileSync } from 'node:child_process';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import * as S from './player_support.mjs';

const buildDir = process.env.FOLIANT_BUILD_DIR || join(S.sourceDir, 'build');
const cli = join(buildDir, 'bin', 'foliant-cli');
const REAL = '/usr/share/doc/libtasn1-doc/libtasn1.pdf'; // pdfTeX, with links and an outline
const skip = !existsSync(cli) && 'foliant-cli is not built';
const root = S.tempDir('foliant-text-');
const testPdfs = join(root, 'pdfs');
let browser;
let server;

function publish(pdf, name, args = []) {
  const env = { ...process.env, QT_QPA_PLATFORM: 'offscreen', FOLIANT_RESOURCES: process.env.FOLIANT_RESOURCES || join(buildDir, 'resources'), HOME: root, XDG_DATA_HOME: join(root, 'data'), XDG_CONFIG_HOME: join(root, 'config') };
  execFileSync(cli, ['publish', pdf, '--out', join(root, name), '--links', '--bookmarks', '--force', '-q', ...args], { env, stdio: ['ignore', 'ignore', 'inherit'], timeout: 300000 });
}

// pdftotext's words of each page, folded like the player folds them.
const fold = (w) => w.normalize('NFKD').replace(/\p{M}/gu, '').toLowerCase();
function pdftotextPages(pdf) {
  return execFileSync('pdftotext', ['-cropbox', '-enc', 'UTF-8', pdf, '-'], { maxBuffer: 1 << 26 })
    .toString()
    .split('\f')
    .slice(0, -1)
    .map((t) => new Set((t.match(/[\p{L}\p{N}\p{M}]+/gu) || []).map(fold)));
}

// qpdf's outline as { title, page, children }, page numbers from 1.
function qpdfOutline(pdf) {
  const j = JSON.parse(execFileSync('qpdf', ['--json', '--json-key=outlines', '--json-key=pages', pdf], { maxBuffer: 1 << 26 }));
  const pageOf = new Map(j.pages.map((p, i) => [p.object, i + 1]));
  const map = (items) =>
    items.map((o) => ({ title: o.title, page: o.destpageposfrom1 ?? pageOf.get((o.dest?.['/D'] ?? o.dest)?.[0]) ?? 0, children: map(o.kids) }));
  return map(j.outlines);
}

// Words spread across the book: every page contributes, long words first.
function chooseWords(pages, count) {
  const seen = new Set();
  const out = [];
  for (let round = 0; out.length < count && round < 50; round++) {
    for (const words of pages) {
      const w = [...words].filter((x) => x.length >= 5 && /^\p{L}+$/u.test(x) && !seen.has(x)).sort()[round];
      if (w && out.length < count) out.push(w), seen.add(w);
    }
  }
  return out;
}

const pagesWith = (pages, w) => pages.flatMap((s, i) => (s.has(w) ? [i + 1] : []));
// Page 9 of links.pdf crops its text: a word cut by the crop box keeps only
// its visible letters here, while pdftotext keeps whole words.
const CROPPED = 9;

before(async () => {
  if (skip) return;
  execFileSync('python3', [join(S.sourceDir, 'tests', 'data', 'make_pdfs.py'), testPdfs]);
  publish(join(testPdfs, 'links.pdf'), 'links', ['--mobile', 'flip']);
  publish(join(testPdfs, 'links.pdf'), 'links-images', ['--images', '--pages', '2-9']);
  if (existsSync(REAL)) publish(REAL, 'real');
  server = await S.serve(root);
  browser = await S.launchBrowser();
});

after(async () => {
  await browser?.close();
  await server?.close();
  rmSync(root, { recursive: true, force: true });
});

async function open(url) {
  const context = await browser.newContext({ viewport: { width: 1200, height: 800 } });
  const page = await S.openBook(context, url);
  await page.evaluate(() => window.foliant.ready);
  return page;
}

for (const [name, pdf, range] of [
  ['links', () => join(testPdfs, 'links.pdf'), null],
  ['links-images', () => join(testPdfs, 'links.pdf'), [2, 9]],
  ['real', () => REAL, null],
]) {
  test(`${name}: search, outline, copy and screen-reader text match pdftotext and qpdf, served and from disk`, { skip: skip || (name === 'real' && !existsSync(REAL) && 'no real PDF') }, async () => {
    const first = range ? range[0] : 1;
    const all = pdftotextPages(pdf());
    const pages = range ? all.slice(range[0] - 1, range[1]) : all;
    const words = chooseWords(pages, 20);
    assert.ok(words.length >= (name === 'real' ? 20 : 5), `words chosen: ${words}`);
    const keep = (items) => items.flatMap((o) => (o.page >= first && o.page < first + pages.length ? [{ ...o, page: o.page - first + 1, children: keep(o.children) }] : keep(o.children)));
    const outline = keep(qpdfOutline(pdf()));

    for (const url of [`${server.url}${name}/index.html`, pathToFileURL(join(root, name, 'index.html')).href]) {
      const page = await open(url);
      const api = await page.evaluate(async (ws) => {
        const f = window.foliant;
        const out = { count: f.pageCount, outline: f.outline, found: {} };
        for (const w of ws) out.found[w] = [...new Set((await f.search(w)).map((h) => h.page))];
        out.odd = await Promise.all(['', '   ', 'x'.repeat(10000), '.*(', '"'].map((q) => f.search(q).then((r) => r.length)));
        return out;
      }, words);
      assert.equal(api.count, pages.length);
      const uncut = (list) => list.filter((p) => name === 'real' || p + first - 1 !== CROPPED);
      for (const w of words) assert.deepEqual(uncut(api.found[w]), uncut(pagesWith(pages, w)), `pages of "${w}" (${url})`);
      assert.deepEqual(api.odd, [0, 0, 0, 0, 0]);
      assert.deepEqual(api.outline, outline);
      // Links are named by the words under them; bare page numbers on the
      // contents page keep their "Link to page N".
      if (name === 'real') {
        const names = {};
        for (const n of [3, 7]) {
          await page.evaluate((n) => window.foliant.goToPage(n), n);
          await page.waitForSelector(`.fo-page[data-page="${n}"] .fo-text`, { state: 'attached' });
          names[n] = await page.$$eval(`.fo-page[data-page="${n}"] .fo-link`, (ls) => ls.map((l) => l.getAttribute('aria-label')));
        }
        assert.ok(names[7].includes('[asn1 decode simple der], page 22,') && names[3][0] === 'Link to page 4', JSON.stringify(names));
        // Redrawing the pages for a zoom blocks the page for no task over 50 ms
        // (once the text layers are laid out).
        await page.waitForTimeout(1000);
        await page.evaluate(() => new PerformanceObserver((l) => (window.longTasks = l.getEntries().map((e) => e.duration))).observe({ type: 'longtask' }));
        await page.click('[data-button=zoomIn]');
        await page.waitForFunction(() => document.querySelector('.fo-page[data-page="7"] canvas.fo-face').dataset.scale !== String(devicePixelRatio));
        assert.equal(await page.evaluate(() => window.longTasks), undefined, url);
      }
      assert.deepEqual(page.errors, []);
      await page.context().close();
    }
  });
}

test('a search from the address marks the word on the page; the contents, copying and the API work', { skip }, async () => {
  for (const name of ['links', 'links-images']) {
    const context = await browser.newContext({ viewport: { width: 1200, height: 800 } });
    const page = await S.openBook(context, `${server.url}${name}/index.html#search=consectetur`);
    await page.waitForSelector('.fo-hit-current');
    await S.settle(page);
    const status = await page.textContent('.fo-search-status');
    assert.match(status, /1 of \d+/);
    // Enter goes on to the next hit.
    await page.press('.fo-search input', 'Enter');
    assert.match(await page.textContent('.fo-search-status'), /2 of \d+/);
    // So does a click on a listed result.
    await page.click('.fo-search-results button[data-hit="3"]');
    assert.match(await page.textContent('.fo-search-status'), /4 of \d+/);
    await page.keyboard.press('Escape');
    await S.settle(page);
    // The current hit lies over ink of the word, in the highlight's colour.
    const box = await page.evaluate(() => {
      const r = document.querySelector('.fo-hit-current').getBoundingClientRect();
      return { x: r.left, y: r.top, w: r.width, h: r.height };
    });
    assert.ok(box.w > 5 && box.h > 3, JSON.stringify(box));
    const img = await S.shot(page);
    let orange = 0;
    let dark = 0;
    for (let x = box.x + 1; x < box.x + box.w - 1; x += 1)
      for (let y = box.y + 1; y < box.y + box.h - 1; y += 1) {
        const [r, g, b] = img.at(x, y);
        if (r > 180 && b < 120) orange++;
        if (g < 150 && b < 90) dark++; // the word's ink under the highlight
      }
    assert.ok(orange > 20 && dark > 3, `highlight ${orange} / ink ${dark} in ${JSON.stringify(box)}`);

    // Copying every word of a shown page gives its text in reading order.
    const n = Number((await S.bookState(page)).visible.split(',')[0]);
    const copied = await page.evaluate((n) => {
      const layer = document.querySelector(`.fo-page[data-page="${n}"] .fo-text`);
      const range = document.createRange();
      range.setStartBefore(layer.firstChild);
      range.setEndAfter(layer.lastChild);
      getSelection().removeAllRanges();
      getSelection().addRange(range);
      let text = null;
      window.addEventListener('copy', (e) => (text = e.clipboardData.getData('text/plain')), { once: true });
      document.execCommand('copy');
      return text;
    }, n);
    const pdfPage = n + (name === 'links-images' ? 1 : 0);
    const expected = execFileSync('pdftotext', ['-cropbox', '-f', String(pdfPage), '-l', String(pdfPage), join(testPdfs, 'links.pdf'), '-']).toString();
    assert.equal(copied.replace(/\s+/g, ' ').trim(), expected.replace(/\s+/g, ' ').trim());

    // Screen readers hear the page's words.
    const tree = (await page.locator(`.fo-page[data-page="${n}"]`).ariaSnapshot()).replace(/\s+/g, ' ');
    const words = expected.split(/\s+/).filter(Boolean);
    assert.ok(tree.includes(words.slice(3, 12).join(' ')), `page text in the accessibility tree: ${tree.slice(0, 300)}`);

    // The contents panel goes to its entry's page and marks the current section.
    await page.click('[data-button=contents]');
    const entry = name === 'links' ? 5 : 4; // "A2", PDF page 5
    await page.click(`.fo-toc button[data-page="${entry}"]`);
    await S.settle(page);
    const after = await page.evaluate(() => ({ page: window.foliant.page, current: document.querySelector('.fo-toc [aria-current]')?.dataset.page }));
    assert.ok(after.page <= entry && after.page >= entry - 1, JSON.stringify(after));
    assert.equal(after.current, String(entry));
    const events = await page.evaluate(async () => {
      const seen = [];
      window.addEventListener('foliant:pagechange', (e) => seen.push(e.detail.page));
      window.foliant.goToPage(2);
      await new Promise((r) => setTimeout(r, 1500));
      return { seen, page: window.foliant.page };
    });
    assert.ok(events.page <= 2 && events.seen.length >= 1, JSON.stringify(events));
    assert.deepEqual(page.errors, []);
    await context.close();
  }
});

test('the phone edition lists the pages a word is on, shows the one chosen and marks the word', { skip }, async () => {
  const context = await browser.newContext({ viewport: { width: 390, height: 844 }, isMobile: true, hasTouch: true });
  const page = await context.newPage();
  await page.goto(pathToFileURL(join(root, 'links', 'mobile', 'index.html')).href);
  await page.click('.btn-search');
  await page.fill('.sheet input', 'consectetur');
  await page.waitForSelector('.sheet .results button');
  const listed = await page.$$eval('.sheet .results button', (bs) => [...new Set(bs.map((b) => Number(b.dataset.page)))]);
  const uncut = (list) => list.filter((p) => p !== CROPPED);
  assert.deepEqual(uncut(listed), uncut(pagesWith(pdftotextPages(join(testPdfs, 'links.pdf')), 'consectetur')));
  await page.click(`.sheet .results button[data-page="${listed.at(-1)}"]`);
  await page.waitForSelector(`.page:has(img[data-src$="/${listed.at(-1)}.jpg"]) .hit`);
  assert.equal(await page.evaluate(() => document.body.dataset.page), String(listed.at(-1)));
  await context.close();
});

test('the text edition links back to the book and holds the words pdftotext finds', { skip: skip || (!existsSync(REAL) && 'no real PDF') }, async () => {
  const html = readFileSync(join(root, 'real', 'index.html'), 'utf8');
  assert.match(html, /<a data-foliant-text href="files\/text.html"/);
  assert.match(html, /<noscript><p><a data-foliant-text href="files\/text.html"/);
  const edition = readFileSync(join(root, 'real', 'files', 'text.html'), 'utf8');
  assert.match(edition, /<h2 id="page-3"><a href="..\/index.html#page=3">Page 3<\/a><\/h2>/);
  const text = edition.replace(/<[^>]*>/g, ' ').replace(/&amp;/g, '&').replace(/&lt;/g, '<').replace(/&gt;/g, '>').replace(/&quot;/g, '"');
  const have = new Set((text.match(/[\p{L}\p{N}\p{M}]+/gu) || []).map(fold));
  const want = new Set(pdftotextPages(REAL).flatMap((s) => [...s]));
  const found = [...want].filter((w) => have.has(w)).length;
  assert.ok(found / want.size >= 0.95, `${found} of ${want.size} words`);
});
