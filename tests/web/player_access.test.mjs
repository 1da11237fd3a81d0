// The player for readers who use the keyboard, a screen reader, a magnified
// window or less motion: axe-core over every template and state, contrast
// read from the screen where axe cannot judge, and the keyboard alone.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync, readdirSync, existsSync } from 'node:fs';
import { execFileSync } from 'node:child_process';
import { join } from 'node:path';
import * as S from './player_support.mjs';

const axeSource = readFileSync(join(S.sourceDir, 'web', 'node_modules', 'axe-core', 'axe.min.js'), 'utf8');
const root = S.tempDir('foliant-access-tests-');
let browser;
let server;

// Page 2 is a contents page: twelve links to the pages after it.
const contents = Array.from({ length: 12 }, (_, k) => ({ name: 'Link', type: 'rect', action: 'page', x: '0.1', y: String(0.08 + k * 0.07), width: '0.5', height: '0.02', href: String(k + 3) }));
const TEMPLATES = ['float', 'Panoramic', 'Paper', 'Gallery'];

before(async () => {
  server = await S.serve(root);
  browser = await S.launch();
  for (const t of TEMPLATES) await S.makeBook(join(root, t), { pages: 16, template: t, settings: { Title: 'Access Book', BaseColor: 0xf0e0c0, items: { 2: contents } } });
});

after(async () => {
  await browser?.close();
  await server?.close();
});

const open = (name, opts = {}) => S.openBook(browser, `${server.url}${name}/index.html${opts.hash ?? '#page=2'}`, opts);
const focused = (page) => page.evaluate(() => document.activeElement.dataset.button || document.activeElement.getAttribute('aria-label') || document.activeElement.className);

// WCAG contrast of two sRGB colours.
const lum = (rgb) => {
  const [r, g, b] = rgb.map((v) => (v / 255 <= 0.03928 ? v / 255 / 12.92 : ((v / 255 + 0.055) / 1.055) ** 2.4));
  return 0.2126 * r + 0.7152 * g + 0.0722 * b;
};
const contrast = (a, b) => {
  const [x, y] = [lum(a), lum(b)].sort((p, q) => q - p);
  return (x + 0.05) / (y + 0.05);
};

// axe with the WCAG 2.0/2.1 A and AA and best-practice rules; the texts whose
// contrast axe cannot judge (over gradients, pictures, translucent bars) are
// measured on the screen: text colour against the colours that fill the
// element's box.
async function audit(page, label) {
  if (!(await page.evaluate(() => !!window.axe))) await page.addScriptTag({ content: axeSource });
  const r = await page.evaluate(() => axe.run(document, { runOnly: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa', 'best-practice'] }));
  const found = r.violations.map((v) => `${v.id} (${v.impact}): ${v.nodes.map((n) => n.target.join(' ')).join(' | ')}`);
  const unsure = r.incomplete.find((v) => v.id === 'color-contrast')?.nodes.map((n) => n.target[0]) || [];
  const boxes = await page.evaluate(
    (sels) =>
      sels.map((sel) => {
        // Texts only partly in view (a thumbnail strip's last item) are left out.
        const e = document.querySelector(sel);
        const r = e.getBoundingClientRect();
        const cs = getComputedStyle(e);
        const size = parseFloat(cs.fontSize);
        return { sel, r: r.toJSON(), color: cs.color.match(/\d+/g).slice(0, 3).map(Number), large: size >= 24 || (size >= 18.6 && +cs.fontWeight >= 700), shown: [[1, 1], [r.width - 1, r.height - 1]].every(([x, y]) => e.contains(document.elementFromPoint(r.left + x, r.top + y))) };
      }),
    unsure,
  );
  const img = await S.shot(page);
  const W = page.viewportSize().width;
  const H = page.viewportSize().height;
  for (const b of boxes.filter((x) => x.shown)) {
    const { left, top, right, bottom } = b.r;
    // The background is every colour that covers a tenth of the box or
    // more, glyph pixels (near the text colour) left out.
    const buckets = new Map();
    let n = 0;
    for (let y = Math.max(0, top); y < Math.min(H, bottom); y++) {
      for (let x = Math.max(0, left); x < Math.min(W, right); x++) {
        const p = img.at(x, y);
        if (contrast(p, b.color) < 1.5) continue;
        const k = p.map((v) => v >> 4).join();
        const e = buckets.get(k) || { n: 0, p };
        e.n++;
        n++;
        buckets.set(k, e);
      }
    }
    const worst = Math.min(...[...buckets.values()].filter((e) => e.n >= n / 10).map((e) => contrast(e.p, b.color)));
    if (worst < (b.large ? 3 : 4.5)) found.push(`contrast ${worst.toFixed(2)} measured for ${b.sel}`);
  }
  assert.deepEqual(found, [], label);
}

test('axe finds nothing in any template, state or window size', async () => {
  for (const t of TEMPLATES) {
    const page = await open(t);
    await audit(page, `${t}: initial`);
    await page.click('[data-button=thumbnails]');
    await audit(page, `${t}: thumbnails`);
    await page.keyboard.press('Escape');
    for (const b of ['share', 'info', 'help']) {
      await page.click(`[data-button=${b}]`);
      await audit(page, `${t}: ${b}`);
      await page.keyboard.press('Escape');
    }
    await page.click('[data-button=zoomIn]');
    await audit(page, `${t}: zoomed`);
    await page.close();
    // 400% zoom of a 1280 x 1024 screen: one row of controls, every one of
    // them reachable and fully in view when it has focus.
    const small = await open(t, { viewport: { width: 320, height: 256 } });
    await audit(small, `${t}: 320 x 256`);
    const bar = await small.evaluate(() => document.querySelector('.fo-toolbar').getBoundingClientRect().toJSON());
    assert.ok(Math.min(bar.width, bar.height) <= 60, `${t}: the toolbar wraps`);
    const off = await small.evaluate(() =>
      [...document.querySelectorAll('.fo-toolbar button, .fo-toolbar input')].filter((b) => {
        b.focus();
        const r = b.getBoundingClientRect();
        return r.left < 0 || r.top < 0 || r.right > innerWidth || r.bottom > innerHeight;
      }).map((b) => b.dataset.button),
    );
    assert.deepEqual(off, [], `${t}: controls out of view at 320 x 256`);
    await small.close();
  }
});

test('the keyboard alone: toolbar first, one stop per page of links, modal dialogs, thumbnails, shortcuts', async () => {
  const page = await open('float');
  const stops = [];
  for (let i = 0; i < 22; i++) {
    await page.keyboard.press('Tab');
    stops.push(await focused(page));
  }
  assert.equal(stops[0], 'first', 'the first Tab reaches the toolbar');
  for (const b of ['first', 'prev', 'next', 'last', 'zoomIn', 'thumbnails', 'share', 'info', 'help']) assert.ok(stops.includes(b), `${b} is reachable`);
  // The twelve links of the contents page are one stop; arrows move inside.
  assert.equal(stops.filter((s) => /^Link to page/.test(s)).length, 1, stops.join(' > '));
  await page.focus('.fo-page[data-page="2"] .fo-link');
  await page.keyboard.press('ArrowDown');
  await page.keyboard.press('ArrowDown');
  assert.equal(await focused(page), 'Link to page 5');
  assert.ok(await page.evaluate(() => Math.min(document.activeElement.offsetWidth, document.activeElement.offsetHeight) >= 24), 'a 24 px target');

  // Dialogs keep focus, ignore the book's keys, close on Escape (also from
  // the share field) and give focus back to their button.
  await page.focus('[data-button=share]');
  await page.keyboard.press('Enter');
  for (let i = 0; i < 8; i++) await page.keyboard.press('Tab');
  assert.ok(await page.evaluate(() => !!document.activeElement.closest('.fo-dialog')), 'Tab stays in the dialog');
  await page.focus('.fo-dialog input');
  await page.keyboard.press('ArrowRight');
  assert.equal((await S.bookState(page)).visible, '2,3', 'no turn behind the dialog');
  await page.keyboard.press('Escape');
  assert.equal(await focused(page), 'share');

  // The thumbnails: a list with one selected option, moved by the arrows.
  await page.focus('[data-button=thumbnails]');
  await page.keyboard.press('Enter');
  await page.keyboard.press('ArrowRight');
  await page.keyboard.press('ArrowRight');
  assert.deepEqual(await page.evaluate(() => [...document.querySelectorAll('[role=option][aria-selected=true]')].map((o) => o.dataset.page)), ['4']);
  await page.keyboard.press('Enter');
  await S.settle(page);
  assert.equal((await S.bookState(page)).visible, '4,5');
  await page.keyboard.press('Escape');
  assert.equal(await focused(page), 'thumbnails');

  // Last disables itself: focus moves to a neighbour, not to the page body.
  await page.focus('[data-button=last]');
  await page.keyboard.press('Enter');
  await S.settle(page);
  assert.match(await focused(page), /^(prev|first|Go to page|zoomIn)$/);

  // Single-key shortcuts can be switched off in the help dialog.
  await page.click('[data-button=help]');
  await page.click('.fo-dialog input[type=checkbox]');
  await page.keyboard.press('Escape');
  await page.focus('.fo-stage');
  await page.keyboard.press('t');
  assert.equal(await page.$('.fo-thumbs.fo-open'), null);
  assert.deepEqual(page.errors, []);
  await page.close();
});

test('with reduced motion a turn draws no fold; the pages in view load first, far ones never', async () => {
  const page = await browser.newPage();
  await page.emulateMedia({ reducedMotion: 'reduce' });
  await page.goto(`${server.url}Panoramic/index.html`);
  await page.waitForSelector('.fo-page[data-ready]');
  const folds = await page.evaluate(async () => {
    let n = 0;
    let on = true;
    const look = () => {
      if (document.querySelector('.stf__block [style*="clip-path"]')) n++;
      if (on) requestAnimationFrame(look);
    };
    look();
    document.querySelector('[data-button=next]').click();
    await new Promise((r) => setTimeout(r, 900));
    on = false;
    return { n, visible: document.getElementById('foliant-book').dataset.visible};
  });
  assert.deepEqual(folds, { n: 0, visible: '2,3' });
  await page.close();

  server.requests.length = 0;
  const deep = await open('Paper', { hash: '#page=9' });
  await deep.waitForSelector('.fo-page[data-page="11"][data-ready]', { state: 'attached' });
  await deep.waitForSelector('.fo-page[data-page="6"][data-ready]', { state: 'attached' });
  await deep.waitForTimeout(300);
  const pages = server.requests.filter((r) => r.startsWith('/Paper/files/page/')).map((r) => parseInt(r.split('/').pop(), 10));
  assert.deepEqual(pages.slice(0, 2).sort((a, b) => a - b), [8, 9], `the spread in view first: ${pages}`);
  assert.deepEqual([...pages].sort((a, b) => a - b), [6, 7, 8, 9, 10, 11]);
  await deep.close();
});

// Every style the templates ship, on the sample book publishing writes.
const buildDir = process.env.FOLIANT_BUILD_DIR || join(S.sourceDir, 'build');
const cli = join(buildDir, 'bin', 'foliant-cli');
test('every template style passes axe and the contrast measured on the screen', { skip: !existsSync(cli) && 'foliant-cli is not built' }, async () => {
  const styles = join(S.sourceDir, 'resources', 'AppFiles', 'Styles');
  for (const template of readdirSync(styles)) {
    for (const style of readdirSync(join(styles, template))) {
      const out = join(root, 'styles', `${template}-${style}`);
      const env = { ...process.env, QT_QPA_PLATFORM: 'offscreen', FOLIANT_RESOURCES: process.env.FOLIANT_RESOURCES || join(buildDir, 'resources'), HOME: root, XDG_CONFIG_HOME: join(root, 'config'), XDG_DATA_HOME: join(root, 'data') };
      execFileSync(cli, ['publish', '--sample', '--template', template, '--style', style, '--out', out, '--force', '-q'], { env, stdio: ['ignore', 'ignore', 'inherit'] });
      const page = await open(`styles/${template}-${style}`, { hash: '' });
      await audit(page, `${template} / ${style}`);
      await page.close();
    }
  }
});
