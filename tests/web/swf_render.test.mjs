// Vector pages made by pdf2swf, read by an independent SWF player and by our
// own renderer, compared with pdftoppm's rendering of the same PDF pages.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { join } from 'node:path';
import { rmSync, writeFileSync } from 'node:fs';
import { makePdfs, pdftoppm, bundleRenderer, writePage } from './swfSupport.mjs';
import { launch, pdf2swf, serve, sourceDir, tempDir } from './player_support.mjs';

let dir, http, browser;

// Pages of effects.pdf: transparency, blend modes, pictures in glyphs, a page
// of 4 points (compared enlarged, as a book shows it) and hairlines. An SWF
// picture's smoothing is fixed for every scale, so only our renderer, which
// decides it by the real enlargement, is held to the enlarged tiny page.
const EFFECTS = [
  { name: 'blend', page: 1, scale: 1 },
  { name: 'type3', page: 2, scale: 1 },
  { name: 'tiny', page: 3, scale: 50, player: false },
  { name: 'hairlines', page: 4, scale: 1 },
  { name: 'blend-turned', page: 5, scale: 1 },
];

before(async () => {
  dir = tempDir('foliant-swf-');
  makePdfs(dir);
  // Each page is NAME.swf from the converter and NAME.png from pdftoppm.
  for (const [name, pdf, page] of [['text', 'text.pdf', 1], ['image', 'image.pdf', 1], ['turned', 'text.pdf', 2]]) {
    pdf2swf(join(dir, pdf), page, join(dir, `${name}.swf`));
    pdftoppm(join(dir, pdf), page, join(dir, name), 144);
  }
  for (const { name, page, scale } of EFFECTS) {
    pdf2swf(join(dir, 'effects.pdf'), page, join(dir, `${name}.swf`));
    pdftoppm(join(dir, 'effects.pdf'), page, join(dir, name), 144 * scale);
  }
  // Uncompressed, so that damage reaches the tags rather than the zlib checksum.
  pdf2swf(join(dir, 'image.pdf'), 1, join(dir, 'plain.swf'), { extra: ['-s compress=0'] });
  await bundleRenderer(dir);
  writePage(dir, 'ours.html', `<canvas id="c"></canvas><script type="module">
    import * as swf from './swf.js';
    window.swf = swf;
    window.renderPage = async (url, scale, dx = 0, dy = 0, w, h) => {
      const movie = await swf.loadSwf(await (await fetch(url)).arrayBuffer());
      const c = document.getElementById('c');
      c.width = w ?? Math.round(movie.width * scale);
      c.height = h ?? Math.round(movie.height * scale);
      const ctx = c.getContext('2d');
      ctx.fillStyle = '#fff';
      ctx.fillRect(0, 0, c.width, c.height);
      ctx.translate(-dx, -dy);
      swf.drawSwf(ctx, movie, scale);
      return { width: movie.width, height: movie.height, png: c.toDataURL('image/png') };
    };
    window.ready = true;
  </script>`);
  writePage(dir, 'ruffle.html', `<div id="stage" style="display:inline-block"></div><script src="/ruffle/ruffle.js"></script><script>
    window.RufflePlayer = window.RufflePlayer || {};
    window.RufflePlayer.config = { autoplay: 'on', unmuteOverlay: 'hidden', splashScreen: false, letterbox: 'off',
      contextMenu: 'off', warnOnUnsupportedContent: false, backgroundColor: '#FFFFFF', preferredRenderer: 'canvas',
      publicPath: '/ruffle/', quality: 'best' };
    window.showSwf = async (url, w, h) => {
      const player = window.RufflePlayer.newest().createPlayer();
      player.style.width = w + 'px';
      player.style.height = h + 'px';
      player.style.display = 'block';
      document.getElementById('stage').append(player);
      const api = player.ruffle ? player.ruffle() : player;
      await new Promise((ok, fail) => {
        player.addEventListener('loadedmetadata', ok);
        player.addEventListener('loadeddata', ok);
        api.load({ url }).catch(fail);
        setTimeout(() => fail(new Error('the player did not load the movie')), 20000);
      });
      return api.metadata ?? null;
    };
  </script>`);
  http = await serve(dir, { '/ruffle/': join(sourceDir, 'web', 'node_modules', '@ruffle-rs', 'ruffle') });
  browser = await launch({ viewport: { width: 1300, height: 1700 } });
});

after(async () => {
  await browser?.close();
  await http?.close();
  if (dir && !process.env.FOLIANT_KEEP_TEST_FILES) rmSync(dir, { recursive: true, force: true });
  else if (dir) console.log(`test files kept in ${dir}`);
});

// The independent player draws on its own schedule: wait until two
// screenshots agree and are more than an empty stage.
async function ruffleShot(name, width, height, minBytes) {
  const page = await browser.newPage();
  const errors = [];
  page.on('pageerror', (e) => errors.push(e.message));
  await page.goto(`${http.url}ruffle.html`);
  const meta = await page.evaluate(([url, w, h]) => window.showSwf(url, w, h), [`/${name}.swf`, width, height]);
  let shot = null;
  for (let i = 0; i < 40; i++) {
    await page.waitForTimeout(400);
    const next = await page.locator('#stage').screenshot();
    if (shot && next.equals(shot) && next.length > minBytes) break;
    shot = next;
  }
  writeFileSync(join(dir, `ruffle-${name}.png`), shot);
  const shotUrl = `data:image/png;base64,${shot.toString('base64')}`;
  const compare = (area) => page.evaluate(([a, b, r]) => window.compareImages(a, b, r), [shotUrl, `/${name}.png`, area]);
  return { page, meta, errors, compare };
}

// Parts of the image page at 144 dpi that a whole-page measure would drown.
const IMAGE_DETAILS = {
  'soft-masked picture': { x: 600, y: 630, w: 200, h: 200 },
  'axial gradient': { x: 480, y: 610, w: 320, h: 80 },
};

async function oursVersusPdftoppm(name, { scale = 1, crop, reference, details = {} } = {}) {
  const page = await browser.newPage();
  await page.goto(`${http.url}ours.html`);
  await page.waitForFunction(() => window.ready === true);
  const result = await page.evaluate(
    async ([url, scale, crop, ref, areas]) => {
      const r = await window.renderPage(url, scale, crop?.x ?? 0, crop?.y ?? 0, crop?.w, crop?.h);
      const details = {};
      for (const [what, area] of Object.entries(areas)) details[what] = await window.compareImages(r.png, ref, area);
      return { ...r, diff: await window.compareImages(r.png, ref), details };
    },
    [`/${name}.swf`, scale, crop ?? null, reference ?? `/${name}.png`, details],
  );
  writeFileSync(join(dir, `ours-${name}-${scale}.png`), Buffer.from(result.png.split(',')[1], 'base64'));
  await page.close();
  return result;
}

test('the independent player accepts the text and the image page and draws them like pdftoppm', async () => {
  for (const name of ['text', 'image']) {
    const expected = name === 'text' ? [1224, 1584] : [840, 1190];
    const { page, meta, errors, compare } = await ruffleShot(name, ...expected, 20000);
    if (meta) {
      assert.equal(Math.round(meta.width), expected[0], `${name}: frame width`);
      assert.equal(Math.round(meta.height), expected[1], `${name}: frame height`);
    }
    const diff = await compare();
    console.log(`independent player, ${name}: ${JSON.stringify(diff)}`);
    assert.deepEqual(diff.sizeA, diff.sizeB, `${name}: size`);
    for (const [what, area] of name === 'image' ? Object.entries(IMAGE_DETAILS) : []) {
      const d = await compare(area);
      console.log(`independent player, ${what}: ${JSON.stringify(d)}`);
      assert.ok(d.mean < 8, `${what}: mean difference ${d.mean}`);
    }
    assert.deepEqual(errors, []);
    assert.ok(diff.mean < 5, `${name}: mean difference ${diff.mean}`);
    assert.ok(diff.bad < 0.005, `${name}: share of differing pixels ${diff.bad}`);
    await page.close();
  }
});

test('transparency, blend modes, glyph pictures, tiny pages and hairlines are drawn like pdftoppm', async () => {
  for (const { name, scale, player = true } of EFFECTS) {
    const results = [['ours', (await oursVersusPdftoppm(name, { scale })).diff]];
    if (player) {
      const { page, errors, compare } = await ruffleShot(name, ...results[0][1].sizeB, 0);
      results.push(['independent player', await compare()]);
      await page.close();
      assert.deepEqual(errors, []);
    }
    for (const [who, d] of results) {
      console.log(`${name}, ${who}: ${JSON.stringify(d)}`);
      assert.deepEqual(d.sizeA, d.sizeB, `${name}, ${who}: size`);
      assert.ok(d.mean < 4, `${name}, ${who}: mean difference ${d.mean}`);
      assert.ok(d.bad < 0.005, `${name}, ${who}: share of differing pixels ${d.bad}`);
    }
  }
});

test('our renderer draws text, paths, clips, pictures and turned pages like pdftoppm', async () => {
  for (const name of ['text', 'image', 'turned']) {
    const { diff, details } = await oursVersusPdftoppm(name, { details: name === 'image' ? IMAGE_DETAILS : {} });
    console.log(`our renderer, ${name}: ${JSON.stringify(diff)}`);
    for (const [what, d] of Object.entries(details)) {
      console.log(`our renderer, ${what}: ${JSON.stringify(d)}`);
      assert.ok(d.mean < 3, `${what}: mean difference ${d.mean}`);
    }
    assert.deepEqual(diff.sizeA, diff.sizeB, `${name}: size`);
    assert.ok(diff.mean < 4, `${name}: mean difference ${diff.mean}`);
    assert.ok(diff.bad < 0.005, `${name}: share of differing pixels ${diff.bad}`);
  }
});

test('at 400% a vector page stays sharp: it matches pdftoppm at four times the resolution', async () => {
  // A region with body text, the dashed rule and the clipped stripes.
  const crop = { x: 200, y: 1900, w: 1200, h: 1100 };
  pdftoppm(join(dir, 'text.pdf'), 1, join(dir, 'sharp'), 576, crop);
  const { diff } = await oursVersusPdftoppm('text', { scale: 4, crop, reference: `/sharp.png` });
  console.log(`our renderer at 400%: ${JSON.stringify(diff)}`);
  // The same region enlarged from a 100% bitmap, for scale: blurred edges.
  const page = await browser.newPage();
  await page.goto(`${http.url}ours.html`);
  const blurred = await page.evaluate(
    async ([crop]) => {
      const img = new Image();
      img.src = '/text.png';
      await img.decode();
      const c = document.createElement('canvas');
      c.width = crop.w;
      c.height = crop.h;
      const x = c.getContext('2d');
      x.imageSmoothingQuality = 'high';
      x.drawImage(img, -crop.x / 4, -crop.y / 4, img.width * 4, img.height * 4);
      return window.compareImages(c.toDataURL(), '/sharp.png');
    },
    [crop],
  );
  await page.close();
  console.log(`bitmap enlarged to 400%: ${JSON.stringify(blurred)}`);
  assert.ok(diff.mean < 4, `mean difference ${diff.mean}`);
  assert.ok(diff.bad < 0.005, `share of differing pixels ${diff.bad}`);
  assert.ok(diff.mean < blurred.mean / 2, `vector ${diff.mean} against enlarged bitmap ${blurred.mean}`);
});

test('our parser refuses damaged files with SwfError and never hangs', async () => {
  const page = await browser.newPage();
  await page.goto(`${http.url}ours.html`);
  await page.waitForFunction(() => window.ready === true);
  const outcome = await page.evaluate(async (urls) => {
    const { parseSwf, SwfError } = window.swf;
    const counts = { parsed: 0, refused: 0, other: [] };
    const attempt = (bytes) => {
      try {
        parseSwf(bytes);
        counts.parsed++;
      } catch (e) {
        if (e instanceof SwfError) counts.refused++;
        else counts.other.push(String(e));
      }
    };
    let seed = 7;
    const random = () => (seed = (seed * 1103515245 + 12345) % 2147483648) / 2147483648;
    for (const url of urls) {
      const good = new Uint8Array(await (await fetch(url)).arrayBuffer());
      const movie = parseSwf(good);
      attempt(good.subarray(0, 7));
      for (let n = 8; n < good.length; n += Math.max(1, Math.floor(good.length / 300))) attempt(good.subarray(0, n));
      for (let i = 0; i < 300; i++) {
        const bad = good.slice();
        bad[Math.floor(random() * bad.length)] = Math.floor(random() * 256);
        attempt(bad);
      }
      if (!movie.displayList.length) counts.other.push(`${url}: nothing to draw`);
    }
    return counts;
  }, ['/text.swf', '/plain.swf']);
  await page.close();
  assert.deepEqual(outcome.other, []);
  assert.ok(outcome.refused > 200, `refused ${outcome.refused}`);
});
