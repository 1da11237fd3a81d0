// The book player in Chromium: hand-packed books served over loopback HTTP
// and opened from disk, checked by what is drawn on the screen.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { join } from 'node:path';
import { rmSync } from 'node:fs';
import * as S from './player_support.mjs';

let browser;
let server;
const root = S.tempDir('foliant-player-tests-');
const books = {};

async function book(name, options) {
  books[name] = await S.makeBook(join(root, name), options);
  return name;
}

const open = (name, { via = 'http', hash = '', viewport } = {}) =>
  S.openBook(browser, via === 'http' ? `${server.url}${name}/index.html${hash}` : `file://${books[name]}/index.html${hash}`, { viewport });
const { bookState: state, settle, spread } = S;
const shown = async (page) => {
  const s = await spread(page);
  return [s.left, s.right];
};

before(async () => {
  server = await S.serve(root);
  browser = await S.launch();
  await book('plain', { pages: 8 });
});

after(async () => {
  await browser?.close();
  await server?.close();
});

for (const via of ['http', 'file']) {
  test(`from ${via}: the cover shows first, and click, keys and swipes turn pages`, async () => {
    const page = await open('plain', { via });
    const { r } = await spread(page);
    assert.deepEqual(await shown(page), [0, 1], 'the cover stands alone on the right');
    await page.mouse.click(r.left + r.pw * 1.8, r.top + r.h / 2);
    await settle(page);
    assert.deepEqual(await shown(page), [2, 3]);
    await page.keyboard.press('ArrowRight');
    await settle(page);
    assert.deepEqual(await shown(page), [4, 5]);
    await page.keyboard.press('ArrowLeft');
    await settle(page);
    assert.deepEqual(await shown(page), [2, 3]);
    // A swipe from right to left turns forward; it ends past the spine, so a
    // slow one (on a loaded machine) counts as a drag that turns as well.
    const y = r.top + r.h / 2;
    await S.swipe(await page.context().newCDPSession(page), { x: r.left + r.pw * 1.8, y }, { x: r.left + r.pw * 0.5, y });
    await settle(page);
    assert.deepEqual(await shown(page), [4, 5]);
    await page.keyboard.press('End');
    await settle(page);
    assert.equal((await state(page)).visible, '8');
    assert.deepEqual(page.errors, []);
    assert.deepEqual(page.outside, []);
    await page.close();
  });
}

test('without the script sidecar the book loads config.xml, opens deep links lazily and names pages missing from the folder', async () => {
  await book('nosidecar', { pages: 12, skipPages: [2] });
  rmSync(join(books.nosidecar, 'files', 'config.js'));
  server.requests.length = 0;
  const page = await open('nosidecar', { hash: '#page=5' });
  assert.ok(server.requests.includes('/nosidecar/files/config.xml'));
  assert.deepEqual(await shown(page), [4, 5]);
  assert.ok(!server.requests.includes('/nosidecar/files/page/12.png'), `far pages are not fetched at start: ${server.requests.join(' ')}`);
  // The other pages still show around the missing one.
  await page.keyboard.press('ArrowLeft');
  await page.waitForSelector('.fo-page[data-page="2"][data-ready="missing"]');
  await settle(page);
  assert.equal((await spread(page)).right, 3);
  assert.match(await page.evaluate(() => document.querySelector('.fo-page[data-page="2"]').innerText), /Page 2 could not be loaded/);
  assert.equal((await state(page)).missing, '1');
  await page.close();
});

test('background, base colour and chrome follow the settings', async () => {
  await book('solid', { pages: 4, template: 'classic', settings: { BackgroundType: 'Color', Color: 0x00c000, BaseColor: 0x2040a0 } });
  await book('gradient', { pages: 4, settings: { BackgroundType: 'GradientColor', GradientStartColor: 0xff0000, GradientEndColor: 0x0000ff, GradientAngle: 90 } });
  await book('image', {
    pages: 4,
    template: 'slim',
    settings: { BackgroundType: 'Image', ImagePath: 'extfiles/ImagePath.png', BaseColor: 0x101010 },
    extra: { 'extfiles/ImagePath.png': S.solidImage('#ff00ff') },
  });
  let page = await open('solid');
  let img = await S.shot(page);
  assert.ok(S.near(img.at(20, 120), '#00c000', 10), `solid background, got ${img.at(20, 120)}`);
  // The classic bars are the base colour, a shade darker.
  assert.ok(S.near(img.at(500, 697), '#1b3688', 14), `bottom bar, got ${img.at(500, 697)}`);
  assert.ok(S.near(img.at(500, 3), '#1b3688', 14), `title bar, got ${img.at(500, 3)}`);
  await page.close();

  page = await open('gradient');
  img = await S.shot(page);
  const top = img.at(20, 60);
  const bottom = img.at(20, 630);
  assert.ok(top[0] > 180 && top[2] < 90, `top is red, got ${top}`);
  assert.ok(bottom[2] > 170 && bottom[0] < 90, `bottom is blue, got ${bottom}`);
  await page.close();

  page = await open('image');
  img = await S.shot(page);
  assert.ok(S.near(img.at(990, 690), '#ff00ff', 10), `image background, got ${img.at(990, 690)}`);
  // The slim chrome keeps its controls in a column at the left edge.
  assert.ok(S.near(img.at(4, 350), '#0e0e0e', 12), `left column, got ${img.at(4, 350)}`);
  const bar = await page.evaluate(() => document.querySelector('.fo-toolbar').getBoundingClientRect().toJSON());
  assert.ok(bar.width < 80 && bar.height > 600);
  await page.close();
});

test('title, logo, hidden buttons, language, download, music, print, info and help', async () => {
  await book('dressed', {
    pages: 4,
    settings: {
      Title: 'Atlas & <Maps>',
      Logo: 'extfiles/LogoFile.png',
      LogoLink: 'https://example.org/home',
      ControlButtonsInvisible: 'Zoom,Print,,Content',
      LanguageSetting: 'Deutsch',
      Download: 'extfiles/DownloadFile.pdf',
      BackgroundMusic: 'extfiles/SoundFile.mp3',
      circle: '0',
      GoogleID: 'G-TEST123',
    },
    extra: { 'extfiles/LogoFile.png': S.solidImage('#00ffff', 120, 30), 'extfiles/DownloadFile.pdf': '%PDF-1.4\n' },
  });
  await book('bare', {
    pages: 6,
    settings: { Logo: 'extfiles/LogoFile.png', displayLogo: 'false', LanguageSetting: 'fr', AuthorName: 'Ada Writer', AuthorEmail: 'ada@example.org', AuthorInfo: 'Second edition' },
    extra: { 'extfiles/LogoFile.png': S.solidImage('#00ffff', 120, 30) },
  });
  let page = await open('dressed');
  const d = await page.evaluate(() => ({
    title: document.querySelector('.fo-title').textContent,
    logoHref: document.querySelector('.fo-logo')?.href,
    buttons: [...document.querySelectorAll('.fo-toolbar button')].map((b) => b.dataset.button),
    next: document.querySelector('[data-button=next]').getAttribute('aria-label'),
    lang: document.getElementById('foliant-book').lang,
    loop: window.foliantPlayer.music?.loop,
  }));
  assert.equal(d.title, 'Atlas & <Maps>');
  assert.equal(d.logoHref, 'https://example.org/home');
  for (const gone of ['zoomIn', 'zoomOut', 'print']) assert.ok(!d.buttons.includes(gone), gone);
  for (const kept of ['thumbnails', 'fullScreen', 'share', 'download', 'sound', 'info', 'help']) assert.ok(d.buttons.includes(kept), kept);
  assert.equal(d.next, 'Nächste Seite');
  assert.equal(d.lang, 'de');
  assert.equal(d.loop, false);
  const img = await S.shot(page);
  const logo = await page.evaluate(() => document.querySelector('.fo-logo img').getBoundingClientRect().toJSON());
  assert.ok(S.near(img.at(logo.x + logo.width / 2, logo.y + logo.height / 2), '#00ffff', 10), 'the logo is drawn');
  // "+" does nothing while zoom is hidden.
  await page.keyboard.press('+');
  assert.equal((await state(page)).zoom, undefined);
  // An analytics id is the only reason to call out, and only when served.
  assert.ok(page.outside.some((u) => u.includes('G-TEST123')), page.outside.join(' '));
  await page.close();
  page = await open('dressed', { via: 'file' });
  assert.deepEqual(page.outside, []);
  await page.close();

  page = await open('bare', { hash: '#page=4' });
  const b = await page.evaluate(() => ({
    logo: !!document.querySelector('.fo-logo'),
    next: document.querySelector('[data-button=next]').getAttribute('aria-label'),
    download: !!document.querySelector('[data-button=download]'),
    sound: !!document.querySelector('[data-button=sound]'),
  }));
  assert.deepEqual(b, { logo: false, next: 'Page suivante', download: false, sound: false });
  assert.deepEqual(page.outside, []);
  // Print puts the pages in view on paper; info and help speak the book language.
  await page.evaluate(() => (window.print = () => (window.__printed = document.querySelectorAll('.fo-print img').length)));
  await page.click('[data-button=print]');
  await page.waitForFunction(() => window.__printed !== undefined);
  assert.equal(await page.evaluate(() => window.__printed), 2);
  await page.emulateMedia({ media: 'print' });
  const printed = await page.evaluate(() => [...document.querySelectorAll('.fo-print img')].map((i) => i.src.split('/').slice(-2).join('/')));
  assert.deepEqual(printed, ['page/4.png', 'page/5.png']);
  await page.emulateMedia({ media: 'screen' });
  await page.click('[data-button=info]');
  const info = await page.evaluate(() => document.querySelector('.fo-dialog').innerText);
  assert.match(info, /Ada Writer/);
  assert.match(info, /ada@example\.org/);
  assert.match(info, /Second edition/);
  await page.keyboard.press('Escape');
  assert.equal(await page.$('.fo-dialog.fo-open'), null);
  await page.click('[data-button=help]');
  assert.match(await page.evaluate(() => document.querySelector('.fo-dialog').innerText), /Aide/);
  await page.close();
});

test('automatic page turning runs at its interval and loops when asked', async () => {
  await book('auto', { pages: 4, settings: { Enable: 'Yes', Interval: 1, loop: '1', PlayFlipSound: 'No' } });
  const page = await open('auto');
  const seen = new Set();
  for (let i = 0; i < 22; i++) {
    seen.add((await state(page)).visible);
    await page.waitForTimeout(250);
  }
  assert.ok(seen.has('2,3'), [...seen].join(' '));
  assert.ok(seen.has('4'), [...seen].join(' '));
  // Looping brings the cover back after the last page.
  await page.waitForFunction(() => document.getElementById('foliant-book').dataset.visible === '1', null, { timeout: 4000 });
  await page.click('[data-button=autoPlay]');
  assert.equal((await state(page)).auto, 'false');
  await page.close();
});

test('links, page actions and placed media work; unsafe links are dropped', async () => {
  await book('linked', {
    pages: 6,
    settings: {
      items: {
        2: [
          { name: 'Link', type: 'rect', action: 'web', x: '0.1', y: '0.1', width: '0.3', height: '0.1', href: 'https://example.org/a' },
          { name: 'Link', type: 'rect', action: 'page', x: '0.1', y: '0.5', width: '0.3', height: '0.1', href: '5' },
          { name: 'Link', type: 'rect', action: 'web', x: '0.1', y: '0.7', width: '0.3', height: '0.1', href: 'javascript:alert(1)' },
        ],
        3: [{ name: 'Image', type: 'rect', x: '0.5', y: '0.5', width: '0.5', height: '0.5', src: 'editor/pic.png' }],
      },
    },
    extra: { 'editor/pic.png': S.solidImage('#ffff00') },
  });
  const page = await open('linked', { hash: '#page=2' });
  const links = await page.evaluate(() => [...document.querySelectorAll('.fo-page[data-page="2"] .fo-link')].map((a) => a.tagName + ' ' + (a.getAttribute('href') || a.getAttribute('aria-label'))));
  assert.deepEqual(links, ['A https://example.org/a', 'BUTTON Link to page 5']);
  // The placed image covers the lower right quarter of page 3.
  const s = await spread(page);
  const yellow = s.img.at(s.r.left + s.r.pw * 1.8, s.r.top + s.r.h * 0.8);
  assert.ok(S.near(yellow, '#ffff00', 12), `placed image, got ${yellow}`);
  await page.click('.fo-page[data-page="2"] button.fo-link');
  await settle(page);
  assert.equal((await state(page)).visible, '4,5');
  await page.close();
});

test('zoom, panning and thumbnails', async () => {
  const page = await open('plain', { hash: '#page=2' });
  const unzoomed = await shown(page);
  await page.click('[data-button=zoomIn]');
  await page.click('[data-button=zoomIn]');
  assert.equal((await state(page)).zoom, '2.25');
  // Zoomed in, the middle of the screen is the book's middle, so the spine
  // region shows both pages larger: the left page reaches further left.
  const img = await S.shot(page);
  assert.equal(S.pageAt(img, 200, 350), 2);
  const t0 = await page.evaluate(() => document.querySelector('.fo-zoom').style.transform);
  await page.mouse.move(500, 350);
  await page.mouse.down();
  await page.mouse.move(700, 400, { steps: 4 });
  await page.mouse.up();
  const t1 = await page.evaluate(() => document.querySelector('.fo-zoom').style.transform);
  assert.notEqual(t0, t1, 'dragging pans');
  assert.equal((await state(page)).visible, '2,3', 'dragging a zoomed page does not turn it');
  await page.keyboard.press('Escape');
  assert.equal((await state(page)).zoom, '1');
  assert.deepEqual(await shown(page), unzoomed);

  await page.click('[data-button=thumbnails]');
  const thumbs = await page.$$('.fo-thumbs button');
  assert.equal(thumbs.length, 8);
  await thumbs[6].click();
  await settle(page);
  assert.equal((await state(page)).visible, '6,7');
  await page.close();
});

test('damaged configurations give a clear message, never a blank page', async () => {
  const good = S.packConfig(S.bookXml({}, [{ normal: 'page/1.png', thumb: 'thumb/1.jpg' }]));
  const b64 = good.match(/CDATA\[(.*)\]\]/)[1];
  const cases = {
    truncated: [good.slice(0, good.length - 40), /incomplete/],
    notbase64: [good.replace(b64, '%%%% not base64 %%%%'), /encoded data is invalid/],
    otherkey: [S.packConfig(S.bookXml({}, []), 'someotherkey'), /another player/],
    malformed: [S.packConfig('<FlipBook3D><Config><Setting><Title>x</Setting></FlipBook3D>'), /malformed document/],
    nopages: [S.packConfig(S.bookXml({}, [])), /no pages/],
  };
  for (const [name, [text]] of Object.entries(cases)) await book(`bad-${name}`, { pages: 1, configText: text });
  for (const [name, [, message]] of Object.entries(cases)) {
    for (const via of ['http', 'file']) {
      const page = await open(`bad-${name}`, { via });
      const shown = await page.evaluate(() => document.querySelector('.fo-message[role=alert]')?.innerText || '');
      assert.match(shown, message, `${name} via ${via}`);
      assert.match(shown, /cannot be shown/);
      await page.close();
    }
  }
});

test('a vector book draws its pages sharp, over HTTP and from disk, and redraws when zoomed', async () => {
  books.vector = await S.makeVectorBook(join(root, 'vector'), { pages: 4 });
  for (const via of ['http', 'file']) {
    // From disk without workers: the page draws its pages itself, in slices.
    if (via === 'file') await browser.addInitScript(() => delete window.Worker);
    const page = await open('vector', { via });
    await page.waitForSelector('.fo-page[data-page="1"] canvas.fo-face');
    assert.equal((await spread(page)).right, 1, `cover via ${via}`);
    await page.keyboard.press('ArrowRight');
    await settle(page);
    assert.deepEqual(await shown(page), [2, 3], `spread via ${via}`);
    const dpr = await page.evaluate(() => devicePixelRatio);
    const sizes = () =>
      page.evaluate(() => {
        const c = document.querySelector('.fo-page[data-page="2"] canvas.fo-face');
        return { px: c.width, css: c.getBoundingClientRect().width / window.foliantPlayer.zoom };
      });
    const s1 = await sizes();
    assert.ok(Math.abs(s1.px - s1.css * dpr) <= 2, `drawn for its size: ${JSON.stringify(s1)}`);
    for (let i = 0; i < 4; i++) await page.click('[data-button=zoomIn]');
    await page.waitForFunction(() => document.querySelector('.fo-page[data-page="2"] canvas.fo-face').dataset.scale === '4');
    const s4 = await sizes();
    assert.ok(Math.abs(s4.px - s4.css * dpr * 4) <= 4, `redrawn at 400%: ${JSON.stringify(s4)}`);
    // Back at 100% in a larger window, the page is drawn for its new size.
    await page.keyboard.press('Escape');
    await page.setViewportSize({ width: 1400, height: 950 });
    await page.waitForFunction((before) => {
      const c = document.querySelector('.fo-page[data-page="2"] canvas.fo-face');
      const w = c.getBoundingClientRect().width;
      return w > before * 1.2 && c.dataset.scale === String(devicePixelRatio) && Math.abs(c.width - w * devicePixelRatio) <= 2;
    }, s1.css);
    assert.deepEqual(page.errors, []);
    await page.close();
  }
});
