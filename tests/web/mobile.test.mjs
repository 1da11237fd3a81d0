// The two phone players on a phone-sized touch screen, over books laid out
// the way publishing writes them.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { cpSync, readFileSync, writeFileSync, rmSync } from 'node:fs';
import { join } from 'node:path';
import { writeJpeg } from './editor-harness.mjs';
import { launchBrowser, resourcesDir, sourceDir, swipe as swipeFromTo, tempDir } from './player_support.mjs';

const skeleton = (kind) => join(resourcesDir, 'AppFiles', 'TmplData', 'mobile', kind);

let chrome;
before(async () => {
  chrome = await launchBrowser();
});
after(async () => {
  await chrome?.close();
});

/** Page images named after the imported document's page numbers. */
function makeBook(firstPage, count) {
  const dir = tempDir('foliant-mobile-');
  for (let i = 0; i < count; i++) writeJpeg(join(dir, 'files', 'mobile', `${firstPage + i}.jpg`), i + 1, 300, 400);
  return dir;
}

function flipBook({ firstPage = 1, count = 4, settings = {} } = {}) {
  const dir = makeBook(firstPage, count);
  const player = join(dir, 'mobile');
  cpSync(skeleton('Flip'), player, { recursive: true });
  // Publishing writes every setting; those left out here hold the player's own defaults.
  const entries = {
    bookTitle: '"A Test Book"',
    totalPageCount: String(count),
    largePageWidth: '600',
    largePageHeight: '800',
    normalPath: '"../files/mobile/"',
    ...settings,
  };
  const config =
    'function orgt(s){ return binl2hex(core_hx(str2binl(s), s.length * chrsz));} var bookConfig ={' +
    Object.entries(entries)
      .map(([k, v]) => `${k}:${v}`)
      .join(',') +
    '};var pageEditor = [];ols=[]';
  const preview = join(player, 'javascript', 'main_preview.js');
  writeFileSync(join(player, 'javascript', 'main.js'), readFileSync(preview, 'utf8') + config);
  rmSync(preview);
  return dir;
}

function slideBook({ firstPage = 1, count = 4, title = 'Slides &amp; More', settings = {} } = {}) {
  const dir = makeBook(firstPage, count);
  const player = join(dir, 'mobile');
  cpSync(skeleton('Slide'), player, { recursive: true });
  const page = join(player, 'index.html');
  const extra = Object.entries(settings).map(([k, v]) => `,${k}:${v}`).join('');
  const options = `{pageWidth:600,pageHeight:800,totalPage:${count},zoomPageDir:"../files/mobile/",normalPageDir:"../files/mobile/"${extra}}`;
  writeFileSync(page, readFileSync(page, 'utf8').replaceAll('${index.title}', title).replaceAll('${fbbook.options}', options));
  return dir;
}

// Runs `fn` with the book in `dir` open on a phone-sized touch screen, then
// closes it and removes the book.
async function onPhone(dir, fn, init) {
  const context = await chrome.newContext({ viewport: { width: 390, height: 844 }, deviceScaleFactor: 2, isMobile: true, hasTouch: true });
  if (init) await context.addInitScript(init);
  try {
    const page = await context.newPage();
    const errors = [];
    page.on('pageerror', (e) => errors.push(String(e)));
    await page.goto('file://' + join(dir, 'mobile', 'index.html'));
    await page.waitForSelector('body[data-ready="true"]');
    await fn({ page, errors, cdp: await context.newCDPSession(page) });
  } finally {
    await context.close();
    rmSync(dir, { recursive: true, force: true });
  }
}

/** A quick one-finger swipe across the middle of the screen. */
const swipe = (cdp, fromX, toX) => swipeFromTo(cdp, { x: fromX, y: 420 }, { x: toX, y: 420 });

const shownPage = (page) => page.evaluate(() => Number(document.body.dataset.page));
// Polled from the test: page.waitForFunction never returned in the phone
// emulation, although a plain evaluation saw the change at once.
async function waitFor(page, fn, arg, what, timeoutMs = 10000) {
  const end = Date.now() + timeoutMs;
  while (!(await page.evaluate(fn, arg))) {
    if (Date.now() > end) assert.fail(`timed out waiting for ${what}`);
    await new Promise((r) => setTimeout(r, 50));
  }
}
// A turn asked for while a page is still moving is ignored, as on a phone.
const settled = (page) =>
  waitFor(page, () => window.flipPlayer.flip.getState() === 'read', null, 'the page to settle', 10000);
const waitForPage = (page, n, timeoutMs = 10000) =>
  waitFor(page, (n) => document.body.dataset.page === String(n), n, `page ${n}`, timeoutMs).catch(async (err) => {
    err.message += ` (page ${await shownPage(page)} shown)`;
    throw err;
  });

test('Flip: swipes and buttons turn the pages of a book made from a page range', async () => {
  // Pages 3 to 7 of a document: the images are 3.jpg to 7.jpg.
  const dir = flipBook({ firstPage: 3, count: 5 });
  await onPhone(dir, async ({ page, errors, cdp }) => {
    assert.equal(await shownPage(page), 1);
    assert.match(await page.getAttribute('.page img >> nth=0', 'src'), /files\/mobile\/3\.jpg$/);
    await page.tap('.btn-next');
    await waitForPage(page, 2);
    await settled(page);
    await page.tap('.btn-grid');
    await page.tap('.sheet .cell >> nth=3');
    await waitForPage(page, 4);
    // Taps come first: the browser takes a tap right after a swipe for the
    // end of that gesture.
    await swipe(cdp, 320, 80);
    await waitForPage(page, 5);
    await settled(page);
    await swipe(cdp, 80, 320);
    await waitForPage(page, 4);
    await settled(page);
    await swipe(cdp, 320, 80);
    await waitForPage(page, 5);
    assert.ok(await page.locator('.btn-next').isDisabled(), 'no page after the last');
    assert.equal(await page.textContent('.counter'), '5 / 5');
    // Every page image was found.
    const broken = await page.$$eval('.page img', (imgs) => imgs.filter((i) => i.complete && !i.naturalWidth).length);
    assert.equal(broken, 0);
    assert.deepEqual(errors, []);
  });
});

test('Flip: colours, title, buttons and right-to-left reading follow the settings', async () => {
  const dir = flipBook({
    count: 3,
    settings: {
      bookTitle: '"Right \\"to\\" Left"',
      bgBeginColor: '"#112233"',
      bgEndColor: '"#445566"',
      bgMRotation: '0',
      backGroundImgURL: '"../files/extfiles/ImagePath.jpg"',
      RightToLeft: '"Yes"',
      ShareButtonVisible: '"Hide"',
      ZoomButtonVisible: '"No"',
    },
  });
  await onPhone(dir, async ({ page, errors, cdp }) => {
    const look = await page.evaluate(() => ({
      background: getComputedStyle(document.body).backgroundImage,
      title: document.querySelector('.title').textContent,
      dir: document.documentElement.dir,
    }));
    // The picture lies beside the book's files, not inside the player's folder.
    assert.match(look.background, /^url\("file:\/\/[^"]*\/files\/extfiles\/ImagePath\.jpg"\), linear-gradient\(90deg, rgb\(17, 34, 51\), rgb\(68, 85, 102\)\)$/);
    assert.ok(!look.background.includes('/mobile/files/'));
    assert.equal(look.title, 'Right "to" Left');
    assert.equal(look.dir, 'rtl');
    assert.equal(await page.locator('.btn-share').count(), 0);
    assert.equal(await page.locator('.btn-zoom').count(), 0);
    assert.equal(await page.locator('.btn-grid').count(), 1);

    assert.equal(await shownPage(page), 1);
    // Reading from right to left, a swipe towards the right moves on.
    await swipe(cdp, 80, 320);
    await waitForPage(page, 2);
    assert.deepEqual(errors, []);
  });
});

test('Flip: autoplay runs through the book the set number of times and stops', async () => {
  const dir = flipBook({
    count: 3,
    settings: { enableAutoPlay: '"Yes"', autoPlayDuration: '1', autoPlayLoopCount: '1' },
  });
  await onPhone(dir, async ({ page }) => {
    assert.equal(await page.evaluate(() => document.body.dataset.playing), 'true');
    // Generous waits: a busy machine slows the page animation, not the rule.
    await waitForPage(page, 3, 20000);
    await waitFor(page, () => !document.body.dataset.playing, null, 'autoplay to stop', 20000);
    assert.equal(await shownPage(page), 3);
  });
});

test('Slide: the filled-in page shows its title, keeps the page shape and turns by swipe', async () => {
  const dir = slideBook({ firstPage: 2, count: 4 });
  await onPhone(dir, async ({ page, errors, cdp }) => {
    assert.equal(await page.title(), 'Slides & More');
    assert.equal(await page.textContent('.title'), 'Slides & More');
    assert.equal(await shownPage(page), 1);
    const box = await page.locator('.slide img >> nth=0').boundingBox();
    assert.ok(Math.abs(box.width / box.height - 0.75) < 0.02, `page shape ${box.width}x${box.height}`);
    assert.match(await page.getAttribute('.slide img >> nth=0', 'src'), /mobile\/2\.jpg$/);

    await swipe(cdp, 330, 60);
    await waitForPage(page, 2);
    await swipe(cdp, 330, 60);
    await waitForPage(page, 3);
    await swipe(cdp, 60, 330);
    await waitForPage(page, 2);
    // A vertical drag is no page turn.
    await swipeFromTo(cdp, { x: 200, y: 200 }, { x: 230, y: 600 });
    await page.waitForTimeout(100);
    assert.equal(await shownPage(page), 2);

    await page.tap('[aria-label="Next page"]');
    await page.tap('[aria-label="Next page"]');
    await waitForPage(page, 4);
    assert.ok(await page.locator('[aria-label="Next page"]').isDisabled());
    await waitFor(
      page,
      () => Math.round(document.querySelectorAll('.slide')[3].getBoundingClientRect().left) === 0,
      null,
      'the last page to slide on screen'
    );
    assert.deepEqual(errors, []);
  });
});

test('Slide: colours, background, logo and right-to-left order follow the settings', async () => {
  const dir = slideBook({
    count: 3,
    settings: {
      bgBeginColor: '"#112233"',
      bgEndColor: '"#445566"',
      bgMRotation: '0',
      backGroundImgURL: '"../files/extfiles/ImagePath.jpg"',
      appLogoIcon: '"../files/extfiles/LogoFile.png"',
      appLogoLinkURL: '"https://example.org/"',
      RightToLeft: '"Yes"',
    },
  });
  await onPhone(dir, async ({ page, errors, cdp }) => {
    const look = await page.evaluate(() => ({
      background: getComputedStyle(document.body).backgroundImage,
      dir: document.documentElement.dir,
      logo: document.querySelector('.bar.top a[href="https://example.org/"] img.logo')?.src,
    }));
    assert.match(look.background, /^url\("file:\/\/[^"]*\/files\/extfiles\/ImagePath\.jpg"\), linear-gradient\(90deg, rgb\(17, 34, 51\), rgb\(68, 85, 102\)\)$/);
    assert.equal(look.dir, 'rtl');
    assert.match(look.logo, /\/files\/extfiles\/LogoFile\.png$/);

    // The first page fills the screen and the next one waits on its left.
    const left = (n) => page.evaluate((n) => Math.round(document.querySelectorAll('.slide')[n].getBoundingClientRect().left), n);
    assert.equal(await left(0), 0);
    assert.equal(await left(1), -390);
    // A swipe towards the right moves on; the arrow key to the left does too.
    await swipe(cdp, 60, 330);
    await waitForPage(page, 2);
    await page.keyboard.press('ArrowLeft');
    await waitForPage(page, 3);
    await waitFor(page, () => Math.round(document.querySelectorAll('.slide')[2].getBoundingClientRect().left) === 0, null, 'the last page on screen');
    assert.ok(await page.locator('[aria-label="Next page"]').isDisabled());
    // The button that moves on sits on the left, where the book goes.
    const next = await page.locator('[aria-label="Next page"]').boundingBox();
    const prev = await page.locator('[aria-label="Previous page"]').boundingBox();
    assert.ok(next.x < prev.x);
    assert.deepEqual(errors, []);
  });
});

test('Slide: automatic turning runs the set rounds at the set interval, and a touch stops it', async () => {
  const dir = slideBook({ count: 3, settings: { enableAutoPlay: '"Yes"', autoPlayDuration: '0.5', autoPlayLoopCount: '2' } });
  // Every page shown, recorded from the start: a busy machine may be slow to
  // hand the page to the test.
  const record = () =>
    document.addEventListener('DOMContentLoaded', () => {
      window.pagesShown = [];
      new MutationObserver(() => {
        const n = document.body.dataset.page;
        if (n && window.pagesShown.at(-1) !== n) window.pagesShown.push(n);
      }).observe(document.body, { attributes: true, attributeFilter: ['data-page'] });
    });
  await onPhone(
    dir,
    async ({ page }) => {
      await waitFor(page, () => document.body.dataset.ready && !document.body.dataset.playing, null, 'the turning to stop', 20000);
      // Two rounds: through the book, back to the start, through again, stop.
      assert.deepEqual(await page.evaluate(() => window.pagesShown), ['1', '2', '3', '1', '2', '3']);
    },
    record
  );

  const endless = slideBook({ count: 3, settings: { enableAutoPlay: '"Yes"', autoPlayDuration: '0.5' } });
  await onPhone(endless, async ({ page, cdp }) => {
    await waitForPage(page, 2);
    await swipe(cdp, 200, 190);
    await waitFor(page, () => !document.body.dataset.playing, null, 'the touch to stop the turning');
    const at = await shownPage(page);
    await page.waitForTimeout(1200);
    assert.equal(await shownPage(page), at);
  });
});

test('both editions pass axe, also with the Flip sheets open; Flip fetches only the pages near the reader', async () => {
  const axeSource = readFileSync(join(sourceDir, 'web', 'node_modules', 'axe-core', 'axe.min.js'), 'utf8');
  const audit = async (page, label) => {
    if (!(await page.evaluate(() => !!window.axe))) await page.addScriptTag({ content: axeSource });
    const r = await page.evaluate(() => axe.run(document, { runOnly: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa', 'best-practice'] }));
    assert.deepEqual(r.violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target.join(' ')).join(' | ')}`), [], label);
  };
  await onPhone(flipBook({ count: 12 }), async ({ page, errors }) => {
    assert.deepEqual(await page.evaluate(() => [...document.querySelectorAll('.page img[src]')].map((i) => i.alt)), ['Page 1', 'Page 2', 'Page 3']);
    await audit(page, 'Flip');
    for (const [button, sheet] of [['.btn-grid', '.sheet'], ['.btn-zoom', '.zoom']]) {
      await page.focus(button);
      await page.keyboard.press('Enter');
      await audit(page, sheet);
      await page.keyboard.press('Tab');
      await page.keyboard.press('Tab');
      assert.ok(await page.evaluate((s) => document.querySelector(s).contains(document.activeElement), sheet), `${sheet} keeps focus`);
      await page.keyboard.press('Escape');
      assert.equal(await page.locator(sheet).count(), 0);
      assert.ok(await page.evaluate((b) => document.activeElement.matches(b), button), `focus back on ${button}`);
    }
    assert.deepEqual(errors, []);
  });
  await onPhone(slideBook(), async ({ page }) => audit(page, 'Slide'));
});
