// The page editor in Chromium with a stand-in for the application's bridge.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { withEditor } from './editor-harness.mjs';
import { launchBrowser, pdf2swf, vectorPdf, pageColor, near as nearColour } from './player_support.mjs';

let chrome;
before(async () => {
  chrome = await launchBrowser();
});
after(async () => {
  await chrome?.close();
});

function parse(page, xml) {
  return page.evaluate((xml) => {
    const doc = new DOMParser().parseFromString(xml, 'application/xml');
    if (doc.getElementsByTagName('parsererror').length) return null;
    return [...doc.documentElement.children].map((p) =>
      [...p.children].map((i) => Object.fromEntries([...i.attributes].map((a) => [a.name, a.value])))
    );
  }, xml);
}

async function drag(page, from, to) {
  await page.mouse.move(from.x, from.y);
  await page.mouse.down();
  await page.mouse.move((from.x + to.x) / 2, (from.y + to.y) / 2, { steps: 3 });
  await page.mouse.move(to.x, to.y, { steps: 3 });
  await page.mouse.up();
}

const near = (actual, expected, what) =>
  assert.ok(Math.abs(Number(actual) - expected) < 0.01, `${what}: ${actual} is not near ${expected}`);
const nearBox = (item, [x, y, width, height], what) =>
  Object.entries({ x, y, width, height }).forEach(([k, v]) => near(item[k], v, `${what} ${k}`));

test('links are drawn, moved, resized and saved as page fractions', async () => {
  await withEditor(chrome, { pages: 3 }, {}, async ({ page, errors, book }) => {
    await page.click('.thumb[data-page="1"]');
    await page.click('[data-tool="link"]');
    const box = await page.locator('#stage').boundingBox();
    const at = (fx, fy) => ({ x: box.x + fx * box.width, y: box.y + fy * box.height });
    await drag(page, at(0.1, 0.2), at(0.5, 0.3));
    await page.fill('#link-target', 'example.org/shop');
    await page.press('#link-target', 'Enter');

    // A second link, moved by dragging its body and widened by its east handle.
    await page.click('[data-tool="link"]');
    await drag(page, at(0.2, 0.6), at(0.4, 0.7));
    await page.click('[data-action="page"]');
    await page.fill('#link-target', '3');
    await page.press('#link-target', 'Tab');
    await drag(page, at(0.3, 0.65), at(0.4, 0.75));
    const east = await page.locator('.item.selected .h-e').boundingBox();
    await drag(page, { x: east.x + east.width / 2, y: east.y + east.height / 2 }, at(0.7, 0.7));

    // A third one, deleted again with the keyboard.
    await page.click('[data-tool="link"]');
    await drag(page, at(0.6, 0.05), at(0.9, 0.1));
    await page.click('#stage-area', { position: { x: 5, y: 5 } });
    await page.locator('.item').nth(2).click();
    await page.keyboard.press('Delete');

    // A click without a drag draws nothing.
    await page.click('[data-tool="link"]');
    await page.mouse.click(at(0.8, 0.9).x, at(0.8, 0.9).y);
    assert.equal(await page.locator('.item').count(), 2);

    await page.click('#save');
    await page.waitForFunction(() => window.__saved.length === 1);
    const saved = await page.evaluate(() => window.__saved[0]);
    const pages = await parse(page, saved);
    assert.equal(pages.length, 3);
    assert.equal(pages[0].length, 3, 'page 1 keeps only its file items');
    const links = pages[1].filter((i) => i.name === 'Link');
    assert.equal(links.length, 2);
    const [web, jump] = links;
    assert.deepEqual([web.type, web.action, web.href], ['rect', 'web', 'http://example.org/shop']);
    nearBox(web, [0.1, 0.2, 0.4, 0.1], 'drawn');
    assert.match(web.x, /^\d\.\d{6}$/);
    assert.deepEqual([jump.action, jump.href], ['page', '3']);
    nearBox(jump, [0.3, 0.7, 0.4, 0.1], 'moved and widened');
    assert.ok(saved.includes(`bace="${book.files}/"`), 'the base attribute is handed back for the application to strip');
    await page.waitForSelector('.message.info');
    assert.equal(await page.textContent('.message.info'), 'Saved.');
    assert.deepEqual(errors, []);
  });
});

test('media are placed through the choosers and written as items', async () => {
  const answers = {
    SelectImageFile: 'editor/photo.jpg',
    OnSelectImageFiles: 'editor/061226101500/a.jpg|editor/061226101500/b.png',
    OnSelectMovieFile: 'editor/061226101501.mp4',
    OnSelectMusicFile: 'editor/061226101502.mp3',
    OnSelectSWFFile: '',
  };
  await withEditor(chrome, { pages: 2 }, answers, async ({ page, errors }) => {
    await page.click('[data-add="Image"]');
    await page.waitForSelector('.item.kind-image');
    await page.click('[data-add="Video"]');
    await page.waitForSelector('.item.kind-video');
    await page.check('text=Play when the page opens');
    await page.click('[data-add="Sound"]');
    await page.waitForSelector('.item.kind-sound');
    // A cancelled chooser places nothing.
    await page.click('[data-add="SWF"]');
    await page.waitForFunction(() => window.__bridgeCalls.some((c) => c.name === 'OnSelectSWFFile'));
    // The sound placed in this session goes away again, and so does its file.
    await page.locator('.item.kind-sound').click();
    await page.click('#delete-item');
    await page.click('#rename');
    await page.click('[data-add="Images"]');
    await page.waitForFunction(() => document.querySelectorAll('.item.kind-image').length === 3);

    await page.click('#save-exit');
    await page.waitForFunction(() => window.__saved.length === 1);
    const calls = await page.evaluate(() => window.__bridgeCalls);
    assert.ok(calls.some((c) => c.name === 'SaveAndExit'));
    assert.equal(calls.find((c) => c.name === 'OnSelectImageFiles').rename, 'YES');
    assert.deepEqual(calls.find((c) => c.name === 'OnDeleteFile').args, ['editor/061226101502.mp3']);

    const items = (await parse(page, await page.evaluate(() => window.__saved[0])))[0].slice(3);
    assert.deepEqual(
      items.map((i) => [i.name, i.src]),
      [
        ['Image', 'editor/photo.jpg'],
        ['Video', 'editor/061226101501.mp4'],
        ['Image', 'editor/061226101500/a.jpg'],
        ['Image', 'editor/061226101500/b.png'],
      ]
    );
    const [photo, video] = items;
    assert.equal(photo.type, 'rect');
    // The 200x100 picture keeps its shape on the 600x800 page.
    near((Number(photo.height) * 800) / (Number(photo.width) * 600), 0.5, 'image aspect');
    near(Number(photo.x) + Number(photo.width) / 2, 0.5, 'image centred');
    assert.deepEqual([video.autoplay, video.loop], ['Yes', 'No']);
    assert.deepEqual(errors, []);
  });
});

test('items and attributes the editor does not know survive a round trip', async () => {
  let original;
  const prepare = (book) => {
    original = readFileSync(join(book.dir, 'pages.xml'), 'utf8')
      .replace('<Pages ', '<Pages skin="x" ')
      .replace(
        '<Item name="large">page/1.jpg</Item>',
        '<Item name="large">page/1.jpg</Item>\n    <!-- kept -->\n    <Item name="Hotspot" shape="circle" r="0.1">note &amp; more</Item>\n' +
          '    <Item name="Link" type="rect" action="web" x="0.100000" y="0.100000" width="0.200000" height="0.050000" href="https://a.example/?q=1&amp;r=2" target="_self"/>'
      );
    writeFileSync(join(book.dir, 'pages.xml'), original);
  };
  await withEditor(chrome, { pages: 2 }, {}, async ({ page }) => {
    // Unchanged, the list comes back as it was read.
    const untouched = await page.evaluate(() => window.GetPageConfig());
    const squash = (t) => t.replace(/\s+/g, ' ').replace(/ \/>/g, '/>').trim();
    assert.equal(squash(untouched), squash(original));

    // Moving the known link keeps its unknown attribute and its neighbours.
    await page.locator('.item.kind-link').click();
    await page.keyboard.press('Shift+ArrowRight');
    await page.click('#save');
    await page.waitForFunction(() => window.__saved.length === 1);
    const saved = await page.evaluate(() => window.__saved[0]);
    assert.ok(saved.includes('skin="x"'));
    assert.ok(saved.includes('<!-- kept -->'));
    assert.ok(saved.includes('<Item name="Hotspot" shape="circle" r="0.1">note &amp; more</Item>'));
    const link = (await parse(page, saved))[0].find((i) => i.name === 'Link');
    assert.equal(link.target, '_self');
    assert.equal(link.href, 'https://a.example/?q=1&r=2');
    assert.ok(Number(link.x) > 0.1);
  }, { prepare });
});

test('an unreadable page list shows an error and can never be saved over', async () => {
  const cases = {
    empty: '',
    blank: '  \n',
    malformed: '<Pages bace=""><Page type="Image"><Item name="thumb">thumb/1.jpg</Page>',
    'wrong root': '<html><body/></html>',
    'no pages': '<Pages bace="" largeWidth="600" largeHeight="800"></Pages>',
    missing: null,
  };
  for (const [name, text] of Object.entries(cases)) {
    await withEditor(chrome, { pages: 1, pageList: text }, {}, async ({ page, errors }) => {
      await page.waitForSelector('.message.error');
      assert.ok((await page.textContent('.message.error')).length > 20, `${name}: message shown`);
      assert.ok(await page.locator('#save').isDisabled(), `${name}: Save is off`);
      assert.ok(await page.locator('#save-exit').isDisabled(), `${name}: Save and exit is off`);
      assert.ok(await page.locator('#exit').isEnabled(), `${name}: the user can still leave`);
      await page.keyboard.press('Control+s');
      await page.waitForTimeout(50);
      assert.equal(await page.evaluate(() => window.__saved.length), 0, `${name}: nothing saved`);
      // Asked anyway, the page hands back exactly what it read.
      assert.equal(await page.evaluate(() => window.GetPageConfig()), text ?? '', `${name}: text kept`);
      assert.deepEqual(errors, [], `${name}: no script error`);
    });
  }
});

test('a save that the application did not carry out is reported, and leaving then asks first', async () => {
  await withEditor(chrome, { pages: 1 }, {}, async ({ page, book }) => {
    const before = readFileSync(join(book.dir, 'pages.xml'), 'utf8');
    await page.click('#exit');
    await page.waitForFunction(() => window.__bridgeCalls.some((c) => c.name === 'Exit'));
    await page.evaluate(() => (window.__bridgeCalls.length = 0));

    await page.click('[data-tool="link"]');
    const box = await page.locator('#stage').boundingBox();
    await drag(page, { x: box.x + 20, y: box.y + 20 }, { x: box.x + 120, y: box.y + 60 });
    await page.click('#save');
    await page.waitForSelector('.message.error');
    assert.equal(readFileSync(join(book.dir, 'pages.xml'), 'utf8'), before);
    await page.click('#exit');
    await page.keyboard.press('Escape');
    assert.equal(await page.locator('#confirm').isHidden(), true, 'Escape keeps editing');
    await page.click('#exit');
    await page.click('#confirm-stay');
    assert.equal(await page.locator('#confirm').isHidden(), true);
    await page.click('#exit');
    await page.click('#confirm-leave');
    await page.waitForFunction(() => window.__bridgeCalls.some((c) => c.name === 'Exit'));
  }, { writes: false });
});

test('vector pages are drawn sharp under the items', async () => {
  const prepare = (book) => {
    const pdf = join(book.dir, 'book.pdf');
    writeFileSync(pdf, vectorPdf(2));
    for (const n of [1, 2]) pdf2swf(pdf, n, join(book.files, 'page', `${n}.swf`));
    const list = readFileSync(join(book.dir, 'pages.xml'), 'utf8').replace(/page\/(\d)\.jpg/g, 'page/$1.swf');
    writeFileSync(join(book.dir, 'pages.xml'), list);
  };
  await withEditor(chrome, { pages: 2 }, {}, async ({ page, errors }) => {
    const pixel = (fx, fy) =>
      page.evaluate(([fx, fy]) => {
        const c = document.querySelector('#page-canvas');
        return [...c.getContext('2d').getImageData(Math.floor(c.width * fx), Math.floor(c.height * fy), 1, 1).data].slice(0, 3);
      }, [fx, fy]);
    for (const n of [1, 2]) {
      if (n === 2) await page.click('#next');
      await page.waitForFunction((n) => document.body.dataset.vectorPage === `page/${n}.swf`, n);
      assert.ok(await page.locator('#page-canvas').isVisible());
      const sizes = await page.evaluate(() => [document.querySelector('#page-canvas').width, document.querySelector('#stage').clientWidth]);
      assert.ok(sizes[0] >= sizes[1], `canvas ${sizes[0]} px for a ${sizes[1]} px page`);
      assert.ok(nearColour(await pixel(0.1, 0.9), pageColor(n)), `page ${n} in its own colour`);
      assert.ok(nearColour(await pixel(0.5, 0.5), '#ffffff'), 'the white square in the middle');
    }
    assert.deepEqual(errors, []);
  }, { prepare });
});
