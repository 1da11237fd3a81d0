// Firefox opens the same books: from disk and over loopback HTTP, the first
// page and a deep-linked spread are drawn. Firefox runs in its own screenshot
// mode (shooting at the load event), since the automation protocol of
// Debian's build is incomplete.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { existsSync, readFileSync, mkdirSync } from 'node:fs';
import { execFile } from 'node:child_process';
import { join } from 'node:path';
import * as S from './player_support.mjs';

const firefox = ['/usr/bin/firefox-esr', '/usr/bin/firefox'].find(existsSync);
let server;
const root = S.tempDir('foliant-player-ff-');

function screenshot(url) {
  const profile = S.tempDir('foliant-ff-profile-');
  const out = join(profile, 'shot.png');
  return new Promise((resolve, reject) => {
    execFile(firefox, ['--headless', '--no-remote', '--profile', profile, '--window-size=1000,700', '--screenshot', out, url], { timeout: 90000 }, (err) => {
      if (err && !existsSync(out)) reject(err);
      else resolve(S.decodePng(readFileSync(out)));
    });
  });
}

before(async () => {
  mkdirSync(root, { recursive: true });
  await S.makeBook(join(root, 'book'), { pages: 8, template: 'classic', settings: { BackgroundType: 'Color', Color: 0x00c000 } });
  await S.makeBook(join(root, 'broken'), { pages: 1, configText: '<data><![CDATA[AAAA' });
  server = await S.serve(root);
});

after(() => server?.close());

test('Firefox shows the cover and a deep-linked spread, from disk and served', { skip: !firefox && 'Firefox is not installed' }, async () => {
  for (const base of [`file://${root}/`, server.url]) {
    let img = await screenshot(`${base}book/index.html`);
    // The cover stands on the right half; the left half shows the background.
    assert.equal(S.pageAt(img, 700, 200), 1, base);
    assert.ok(S.near(img.at(250, 200), '#00c000', 12), `${base} background ${img.at(250, 200)}`);
    img = await screenshot(`${base}book/index.html#page=4`);
    assert.deepEqual([S.pageAt(img, 250, 200), S.pageAt(img, 700, 200)], [4, 5], base);
  }
  // A damaged configuration is explained in Firefox too: the message box is white.
  const img = await screenshot(`file://${root}/broken/index.html`);
  assert.ok(S.near(img.at(500, 350), '#ffffff', 8), `message ${img.at(500, 350)}`);
});
