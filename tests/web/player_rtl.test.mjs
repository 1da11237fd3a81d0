// Right-to-left books and two-finger zoom in the book player, in Chromium:
// hand-packed books whose script sidecar sets the reading direction.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { join } from 'node:path';
import { appendFileSync } from 'node:fs';
import * as S from './player_support.mjs';

let browser;
let server;
const root = S.tempDir('foliant-player-rtl-');
const books = {};

async function book(name, { rtl = true, ...options } = {}) {
  books[name] = await S.makeBook(join(root, name), options);
  if (rtl) appendFileSync(join(books[name], 'files', 'config.js'), 'window.__foliantDirection = "rtl";\n');
}

// Opens a book and waits for the pages in view, which are read off the screen.
async function open(name, { via = 'http', hash = '', viewport } = {}) {
  const page = await S.openBook(browser, via === 'http' ? `${server.url}${name}/index.html${hash}` : `file://${books[name]}/index.html${hash}`, { viewport });
  await page.waitForFunction(() => window.foliantPlayer.visiblePages().every((i) => window.foliantPlayer.pageEls[i].dataset.ready === 'true'));
  return page;
}
const { bookState: state, settle, spread } = S;
const sides = async (page) => {
  const s = await spread(page);
  return [s.left, s.right];
};

async function swipe(page, x0, x1, y) {
  await S.swipe(await page.context().newCDPSession(page), { x: x0, y }, { x: x1, y });
  await settle(page);
}

// Two fingers from `from` to `to`, each a pair of points.
async function pinch(page, from, to, steps = 6) {
  const cdp = await page.context().newCDPSession(page);
  const at = (k) => from.map((p, i) => ({ x: p.x + ((to[i].x - p.x) * k) / steps, y: p.y + ((to[i].y - p.y) * k) / steps, id: i }));
  await cdp.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: at(0) });
  for (let k = 1; k <= steps; k++) await cdp.send('Input.dispatchTouchEvent', { type: 'touchMove', touchPoints: at(k) });
  await cdp.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
  await page.waitForTimeout(300);
}

before(async () => {
  server = await S.serve(root);
  browser = await S.launch();
  await book('rtl', {
    pages: 8,
    settings: {
      items: { 2: [{ name: 'Link', type: 'rect', action: 'page', x: '0.1', y: '0.5', width: '0.3', height: '0.1', href: '6' }] },
    },
  });
});

after(async () => {
  await browser?.close();
  await server?.close();
});

for (const via of ['http', 'file']) {
  test(`from ${via}: a right-to-left book opens on page 1 and reads towards the left`, async () => {
    const page = await open('rtl', { via });
    assert.equal((await state(page)).direction, 'rtl');
    assert.equal((await state(page)).visible, '1');
    assert.deepEqual(await sides(page), [1, 0], 'the cover stands alone, the spine at its right');
    // The left arrow turns forward; the lower page of a spread is on the right.
    await page.keyboard.press('ArrowLeft');
    await settle(page);
    assert.deepEqual(await sides(page), [3, 2]);
    // A swipe from left to right turns forward, one from right to left back.
    const s = await spread(page);
    const y = s.r.top + s.r.h / 2;
    await swipe(page, s.r.left + s.r.pw * 0.2, s.r.left + s.r.pw * 1.5, y);
    assert.deepEqual(await sides(page), [5, 4]);
    await swipe(page, s.r.left + s.r.pw * 1.8, s.r.left + s.r.pw * 0.5, y);
    assert.equal((await state(page)).visible, '2,3');
    await page.keyboard.press('ArrowRight');
    await settle(page);
    assert.equal((await state(page)).visible, '1');
    await page.keyboard.press('End');
    await settle(page);
    assert.equal((await state(page)).visible, '8');
    assert.deepEqual(await sides(page), [0, 8], 'the back cover stands alone at the right');
    assert.deepEqual(page.errors, []);
    await page.close();
  });
}

test('the toolbar, thumbnails, page links and deep links count book pages', async () => {
  const page = await open('rtl', { hash: '#page=2' });
  assert.deepEqual(await sides(page), [3, 2]);
  // Forward is on the left of the toolbar, and the buttons go where they say.
  const x = (name) => page.evaluate((n) => document.querySelector(`[data-button=${n}]`).getBoundingClientRect().x, name);
  assert.ok((await x('last')) < (await x('next')) && (await x('next')) < (await x('prev')) && (await x('prev')) < (await x('first')));
  await page.click('[data-button=next]');
  await settle(page);
  assert.equal((await state(page)).visible, '4,5');
  await page.click('[data-button=prev]');
  await settle(page);
  assert.equal((await state(page)).visible, '2,3');

  // The link on page 2 leads to page 6.
  await page.click('.fo-page[data-page="2"] button.fo-link');
  await settle(page);
  assert.equal((await state(page)).visible, '6,7');
  assert.deepEqual(await sides(page), [7, 6]);
  assert.equal(await page.inputValue('.fo-pageno input'), '6');

  // The strip runs from the right; a thumbnail opens its own page.
  await page.click('[data-button=thumbnails]');
  const thumbX = (n) => page.evaluate((k) => document.querySelector(`.fo-thumbs button[data-page="${k}"]`).getBoundingClientRect().x, n);
  assert.ok((await thumbX(1)) > (await thumbX(2)), 'page 1 is the rightmost thumbnail');
  assert.deepEqual(
    await page.evaluate(() => [...document.querySelectorAll('.fo-thumbs .fo-current')].map((b) => b.dataset.page)),
    ['6', '7'],
  );
  await page.click('.fo-thumbs button[data-page="3"]');
  await settle(page);
  assert.equal((await state(page)).visible, '2,3');
  assert.deepEqual(await sides(page), [3, 2]);
  assert.deepEqual(page.errors, []);
  await page.close();
});

test('an odd right-to-left book and a narrow screen keep page 1 first', async () => {
  // Mirrored, an odd book pairs its first page and leaves the last alone.
  await book('rtl-odd', { pages: 5 });
  let page = await open('rtl-odd');
  assert.deepEqual(await sides(page), [2, 1]);
  await page.keyboard.press('End');
  await settle(page);
  assert.equal((await state(page)).visible, '5');
  assert.deepEqual(await sides(page), [0, 5]);
  await page.close();

  // One page at a time: the left arrow still goes forward.
  page = await open('rtl', { viewport: { width: 420, height: 800 } });
  assert.equal((await state(page)).visible, '1');
  await page.keyboard.press('ArrowLeft');
  await settle(page);
  assert.equal((await state(page)).visible, '2');
  await page.close();
});

test('two fingers zoom the page around them and move it; they never turn it', async () => {
  await book('ltr', { rtl: false, pages: 6 });
  const page = await open('ltr', { hash: '#page=2' });
  const box = () => page.evaluate(() => document.querySelector('.stf__block').getBoundingClientRect().width);
  const w0 = await box();
  const s = await spread(page);
  // Spread the fingers apart over the left page, away from its number.
  const cx = s.r.left + s.r.pw * 0.25;
  const cy = s.r.top + s.r.h * 0.2;
  await pinch(page, [{ x: cx - 40, y: cy }, { x: cx + 40, y: cy }], [{ x: cx - 120, y: cy }, { x: cx + 120, y: cy }]);
  const zoom = parseFloat((await state(page)).zoom);
  assert.ok(zoom > 2.5 && zoom <= 4, `zoom ${zoom}`);
  assert.ok((await box()) > w0 * 2.5, 'the page is drawn larger');
  assert.equal((await state(page)).visible, '2,3', 'a pinch does not turn the page');
  // The point between the fingers stays under them.
  assert.equal(S.pageAt(await S.shot(page), cx, cy), 2);

  // Both fingers moving together pan the zoomed page.
  const t0 = await page.evaluate(() => document.querySelector('.fo-zoom').style.transform);
  await pinch(page, [{ x: cx - 60, y: cy }, { x: cx + 60, y: cy }], [{ x: cx + 40, y: cy + 60 }, { x: cx + 160, y: cy + 60 }]);
  const t1 = await page.evaluate(() => document.querySelector('.fo-zoom').style.transform);
  assert.notEqual(t0, t1);
  assert.equal((await state(page)).visible, '2,3');

  // Pinching in goes back to the whole book, which turns again.
  await pinch(page, [{ x: cx - 200, y: cy }, { x: cx + 200, y: cy }], [{ x: cx - 10, y: cy }, { x: cx + 10, y: cy }]);
  assert.equal((await state(page)).zoom, '1');
  assert.equal(await page.evaluate(() => document.querySelector('.fo-zoom').style.transform), '');
  await page.keyboard.press('ArrowRight');
  await settle(page);
  assert.equal((await state(page)).visible, '4,5');
  assert.deepEqual(page.errors, []);
  await page.close();
});
