// Books written by the project's own publishing (foliant-cli), opened in
// Chromium over loopback HTTP and from disk.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { existsSync, writeFileSync, mkdirSync, cpSync, readdirSync, rmSync } from 'node:fs';
import { execFileSync } from 'node:child_process';
import { join } from 'node:path';
import * as S from './player_support.mjs';

const buildDir = process.env.FOLIANT_BUILD_DIR || join(S.sourceDir, 'build');
// FOLIANT_CLI names an installed foliant-cli, which must find its own resources.
const installed = process.env.FOLIANT_CLI;
const cli = installed || join(buildDir, 'bin', 'foliant-cli');
const resources = installed ? {} : { FOLIANT_RESOURCES: process.env.FOLIANT_RESOURCES || join(buildDir, 'resources') };
const skip = !existsSync(cli) && 'foliant-cli is not built';
const root = S.tempDir('foliant-published-');
let browser;
let server;

function publish(args) {
  execFileSync(cli, ['publish', ...args, '--force'], {
    env: { ...process.env, QT_QPA_PLATFORM: 'offscreen', ...resources, HOME: root, XDG_DATA_HOME: join(root, 'data'), XDG_CONFIG_HOME: join(root, 'config') },
    cwd: root,
    stdio: ['ignore', 'ignore', 'inherit'],
    timeout: 120000,
  });
}

const state = S.bookState;

before(async () => {
  if (skip) return;
  mkdirSync(root, { recursive: true });
  server = await S.serve(root);
  browser = await S.launch();
});

after(async () => {
  await browser?.close();
  await server?.close();
});

test('the sample book in every template turns its pages from disk and served', { skip }, async () => {
  for (const template of ['float', 'Panoramic']) {
    publish(['--sample', '--template', template, '--out', join(root, template)]);
    for (const base of [`file://${root}/`, server.url]) {
      const page = await S.openBook(browser, `${base}${template}/index.html`);
      const st = await state(page);
      assert.notEqual(st.state, 'error', `${template} via ${base}`);
      assert.equal(st.visible, '1');
      assert.ok(await page.evaluate(() => document.querySelector('.fo-page[data-page="1"] img.fo-face').naturalWidth > 0));
      await page.keyboard.press('ArrowRight');
      await page.waitForFunction(() => document.getElementById('foliant-book').dataset.visible === '2,3');
      assert.deepEqual(page.errors, []);
      await page.close();
    }
  }
  // The first page comes from its screen-sized copy where that is sharp
  // enough, and the page image takes its place when zoomed or shown larger;
  // a book published without copies shows its page images.
  const face = (page) => page.evaluate(() => document.querySelector('.fo-page[data-page="1"] img.fo-face').src.split('/').pop());
  const small = await S.openBook(browser, `${server.url}float/index.html`, { viewport: { width: 500, height: 400 } });
  await small.waitForTimeout(300);
  assert.equal(await face(small), '1.screen.jpg');
  await small.click('[data-button=zoomIn]');
  await small.waitForFunction(() => document.querySelector('.fo-page[data-page="1"] img.fo-face').src.endsWith('/1.jpg'));
  const large = await S.openBook(browser, `${server.url}float/index.html`, { viewport: { width: 1400, height: 1000 } });
  await large.waitForFunction(() => document.querySelector('.fo-page[data-page="1"] img.fo-face').src.endsWith('/1.jpg'));
  cpSync(join(root, 'float'), join(root, 'older'), { recursive: true });
  for (const f of readdirSync(join(root, 'older', 'files', 'page'))) if (f.endsWith('.screen.jpg')) rmSync(join(root, 'older', 'files', 'page', f));
  const older = await S.openBook(browser, `${server.url}older/index.html`, { viewport: { width: 500, height: 400 } });
  assert.equal(await face(older), '1.jpg');
  assert.ok(await older.evaluate(() => document.querySelector('.fo-page[data-page="1"] img.fo-face').naturalWidth > 0));
  await older.keyboard.press('ArrowRight');
  await older.waitForSelector('.fo-page[data-page="3"][data-ready="true"]');
  assert.deepEqual(server.requests.filter((r) => /^\/older\/files\/page\/[^1]\d*\.screen/.test(r)), [], 'asked once, for page 1');
  for (const p of [small, large, older]) await p.close();
});

test('a vector book published from a PDF shows its pages in their colours', { skip }, async () => {
  const pdf = join(root, 'colours.pdf');
  writeFileSync(pdf, S.vectorPdf(4));
  publish([pdf, '--out', join(root, 'vector')]);
  for (const base of [server.url, `file://${root}/`]) {
    const page = await S.openBook(browser, `${base}vector/index.html#page=2`);
    assert.equal((await state(page)).visible, '2,3');
    await page.waitForSelector('.fo-page[data-page="2"][data-ready]');
    await page.waitForSelector('.fo-page[data-page="3"][data-ready]');
    const { left, right } = await S.spread(page);
    assert.deepEqual([left, right], [2, 3], base);
    if (base.startsWith('http')) assert.ok(await page.$('.fo-page[data-page="2"] canvas.fo-face'), 'drawn as vectors when served');
    await page.close();
  }
  // The HTML page asks for the first page early, and the player takes that answer.
  const seen = server.requests.length;
  const first = await S.openBook(browser, `${server.url}vector/index.html`);
  await first.waitForSelector('.fo-page[data-page="1"][data-ready="true"] canvas.fo-face');
  assert.deepEqual(server.requests.slice(seen).filter((r) => r.startsWith('/vector/files/page/1.swf')), ['/vector/files/page/1.swf.js']);
  await first.close();
});
