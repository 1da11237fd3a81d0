// Opens a published book in Chromium straight from disk and reports what a
// reader sees: whether the first page shows the imported document's first page
// (its blue band, sampled from the page image or its screen-sized copy) and
// whether the new colour is on screen. Prints one JSON line; exits non-zero when it could not look.
import { createRequire } from 'node:module';
import { join } from 'node:path';
import { mkdtempSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { fileURLToPath, pathToFileURL } from 'node:url';

const [page, colour, shot] = process.argv.slice(2);
const require = createRequire(fileURLToPath(new URL('../../web/package.json', import.meta.url)));
const { chromium } = require('playwright-core');

const context = await chromium.launchPersistentContext(mkdtempSync(join(tmpdir(), 'foliant-e2e-')), {
  executablePath: '/usr/bin/chromium',
  viewport: { width: 1280, height: 900 },
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
    '--disable-component-update', '--disable-sync', '--allow-file-access-from-files'],
});
try {
  const tab = context.pages()[0] || await context.newPage();
  await tab.goto(pathToFileURL(page).href);
  await tab.waitForFunction(() => [...document.querySelectorAll('img.fo-face')].some((i) => i.complete && i.naturalWidth > 0),
    null, { timeout: 60000 });
  const seen = await tab.evaluate((want) => {
    const faces = [...document.querySelectorAll('img.fo-face')].filter((i) => i.complete && i.naturalWidth > 0);
    const first = faces.find((i) => /(^|\/)1(\.screen)?\.jpg(\?|$)/.test(i.getAttribute('src') || '')) || null;
    let box = null;
    if (first) {
      // The test document's first page has a blue band across its top.
      const c = document.createElement('canvas');
      c.width = first.naturalWidth;
      c.height = first.naturalHeight;
      const g = c.getContext('2d');
      g.drawImage(first, 0, 0);
      const x = Math.round(c.width / 2), y = Math.round(c.height * 56 / 800);
      box = [...g.getImageData(x, y, 1, 1).data].slice(0, 3);
    }
    const colours = new Set();
    for (const e of document.querySelectorAll('*')) {
      const s = getComputedStyle(e);
      colours.add(s.backgroundColor);
      colours.add(s.backgroundImage);
    }
    return { firstPage: first ? first.getAttribute('src') : null, box, colourShown: [...colours].some((c) => c.includes(want)) };
  }, colour);
  if (shot) await tab.screenshot({ path: shot });
  console.log(JSON.stringify(seen));
} finally {
  await context.close();
}
