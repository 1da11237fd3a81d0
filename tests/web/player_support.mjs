// Helpers shared by the browser tests: hand-made book folders packed the way
// publishing packs them, the project's converter, a loopback server,
// Chromium, and reading pixels off the screen.
import { mkdirSync, writeFileSync, readFileSync, existsSync, mkdtempSync, createReadStream, statSync, rmSync } from 'node:fs';
import { join, dirname, extname, resolve } from 'node:path';
import { tmpdir } from 'node:os';
import { execFileSync } from 'node:child_process';
import { createServer } from 'node:http';
import { fileURLToPath } from 'node:url';

const here = dirname(fileURLToPath(import.meta.url));
export const sourceDir = process.env.FOLIANT_SOURCE_DIR || resolve(here, '..', '..');
const webDir = join(sourceDir, 'web');
export const resourcesDir = process.env.FOLIANT_RESOURCES || join(sourceDir, 'build', 'resources');
const { rc4: playerRc4 } = await import(join(webDir, 'src', 'player', 'unpack.mjs'));

// A ZIP archive of deflated `entries` ([name, bytes] pairs, in order), made
// by Python's zipfile so that the player's reader meets an archive it did
// not write itself.
export function zip(...entries) {
  const script = 'import io, json, sys, zipfile\nout = io.BytesIO()\nwith zipfile.ZipFile(out, "w", zipfile.ZIP_DEFLATED) as z:\n    for name, hex in json.load(sys.stdin): z.writestr(name, bytes.fromhex(hex))\nsys.stdout.buffer.write(out.getvalue())';
  return execFileSync('python3', ['-c', script], { input: JSON.stringify(entries.map(([n, d]) => [n, Buffer.from(d).toString('hex')])), maxBuffer: 1 << 26 });
}

// The player's RC4 is checked against a known answer in player_unpack.
export const rc4 = (key, data) => Buffer.from(playerRc4(key, data));

const KEY = 'vellumkeystone';
export const packConfig = (xml, key = KEY) =>
  `<?xml version="1.0" encoding="UTF-8"?>\n<data><![CDATA[${rc4(key, zip(['config.xml', Buffer.from(xml)])).toString('base64')}]]></data>`;

const esc = (s) => String(s).replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;').replace(/"/g, '&quot;');

// The book document with the publisher's defaults; `s` overrides settings.
export function bookXml(s = {}, pages = []) {
  const v = (k, d) => esc(s[k] ?? d);
  const pageXml = pages
    .map(
      (p) =>
        `<Page type="Image"><Item name="thumb">${esc(p.thumb)}</Item><Item name="normal">${esc(p.normal)}</Item><Item name="large">${esc(p.normal)}</Item>${(p.items || [])
          .map((it) => `<Item ${Object.entries(it).map(([k, x]) => `${k}="${esc(x)}"`).join(' ')}/>`)
          .join('')}</Page>`,
    )
    .join('\n');
  const W = s.pageWidth ?? 600;
  const H = s.pageHeight ?? 800;
  return `<FlipBook3D><XMLVersion>1</XMLVersion><Config>
<Author><Name>${v('AuthorName', 'FOLIANT')}</Name><Email>${v('AuthorEmail', 'books@example.org')}</Email><WebSite>${v('AuthorWebSite', 'https://example.org')}</WebSite><Info>${v('AuthorInfo', '')}</Info></Author>
<Setting><Title>${v('Title', 'Test Book')}</Title><BaseColor>${v('BaseColor', 8404992)}</BaseColor>
<Logo displayLogo="${v('displayLogo', 'true')}" link="${v('LogoLink', '')}">${v('Logo', '')}</Logo>
<GoogleAnalytics webProperty="${v('GoogleID', '')}"/><ShareAnalytics id="${v('ShareID', '')}"/><ZoomModel>0</ZoomModel><Theme src="theme/Main.swf"/>
<BackgroundMusic circle="${v('circle', '-1')}">${v('BackgroundMusic', '')}</BackgroundMusic><Download src="${v('Download', '')}"/>
<ControlButtonsInvisible>${v('ControlButtonsInvisible', ',Content')}</ControlButtonsInvisible>
<FlipBook3DSetting><Background><BackgroundType>${v('BackgroundType', 'GradientColor')}</BackgroundType><Color>${v('Color', 8421376)}</Color>
<GradientStartColor>${v('GradientStartColor', 16750848)}</GradientStartColor><GradientEndColor>${v('GradientEndColor', 15248461)}</GradientEndColor><GradientAngle>${v('GradientAngle', 90)}</GradientAngle>
<ImagePath>${v('ImagePath', 'extfiles/ImagePath.')}</ImagePath><Position>${v('Position', 'Fill')}</Position></Background>
<AutoFlip loop="${v('loop', '0')}"><Enable>${v('Enable', 'No')}</Enable><Interval>${v('Interval', 3)}</Interval></AutoFlip>
<TiltAngle>${v('TiltAngle', 0)}</TiltAngle><AutoScale>${v('AutoScale', 'Yes')}</AutoScale><PlayFlipSound>${v('PlayFlipSound', 'Yes')}</PlayFlipSound><PerPageThickness>${v('PerPageThickness', 1)}</PerPageThickness>
<Mobility direction="right" startPosition="center"/></FlipBook3DSetting>
<Template><PanoramicImage type="cube"><Left>extfiles/l.jpg</Left><Right>extfiles/r.jpg</Right><Top>extfiles/u.jpg</Top><Bottom>extfiles/d.jpg</Bottom><Front>extfiles/f.jpg</Front><Back>extfiles/b.jpg</Back></PanoramicImage><InitSetting><Camera panAngle="-90" tiltAngle="-80"/></InitSetting></Template>
${s.LanguageSetting ? `<LanguageSetting>${esc(s.LanguageSetting)}</LanguageSetting>` : ''}</Setting></Config>
<Pages bace="" largeWidth="${W}" largeHeight="${H}" width="${W}" height="${H}" thumbWidth="${Math.round((180 * W) / H)}" thumbHeight="180">
${pageXml}
</Pages></FlipBook3D>`;
}

// Distinct, easily told apart page colours; page n (from 1) uses colour n-1.
const PAGE_COLORS = ['#d03030', '#30a040', '#3050d0', '#d0a020', '#a040c0', '#20b0b0', '#e07020', '#708090', '#c0c020', '#40d080', '#8050f0', '#f04090'];
export const pageColor = (n) => PAGE_COLORS[(n - 1) % PAGE_COLORS.length];

let playerCode = null;
export async function playerBundle() {
  if (!playerCode) {
    const esbuild = await import(join(webDir, 'node_modules', 'esbuild', 'lib', 'main.js'));
    const { buildPlayer } = await import(join(webDir, 'src', 'player', 'bundle.mjs'));
    playerCode = Buffer.from(await buildPlayer({ esbuild: esbuild.default ?? esbuild, src: join(webDir, 'src', 'player') }));
  }
  return playerCode;
}

const imageCache = new Map();
export function pageImage(n, w = 600, h = 800, ext = 'png') {
  const key = `${n}-${w}-${h}-${ext}`;
  if (!imageCache.has(key)) {
    const dir = mkdtempSync(join(tmpdir(), 'foliant-img-'));
    const out = join(dir, `p.${ext}`);
    const font = execFileSync('fc-match', ['-f', '%{file}', 'sans']).toString();
    execFileSync('convert', ['-size', `${w}x${h}`, `xc:${pageColor(n)}`, '-font', font, '-fill', 'white', '-pointsize', String(Math.round(h / 4)), '-gravity', 'center', '-annotate', '+0+0', String(n), out]);
    imageCache.set(key, readFileSync(out));
  }
  return imageCache.get(key);
}

export function solidImage(color, w = 64, h = 64) {
  const dir = mkdtempSync(join(tmpdir(), 'foliant-img-'));
  const out = join(dir, 'x.png');
  execFileSync('convert', ['-size', `${w}x${h}`, `xc:${color}`, out]);
  return readFileSync(out);
}

// config.xml for servers and its script sidecar for pages opened from disk.
function writeConfig(files, text) {
  writeFileSync(join(files, 'config.xml'), text);
  writeFileSync(join(files, 'config.js'), `window.__foliantConfig=${JSON.stringify(text)};\n`);
}

// Writes a book folder: index.html + files/ with the player, its theme,
// config.xml and its script sidecar, and the page images.
export async function makeBook(dir, { settings = {}, pages = 6, template = 'float', configText, extra = {}, skipPages = [] } = {}) {
  const files = join(dir, 'files');
  mkdirSync(join(files, 'page'), { recursive: true });
  mkdirSync(join(files, 'thumb'), { recursive: true });
  mkdirSync(join(files, 'theme'), { recursive: true });
  mkdirSync(join(files, 'extfiles'), { recursive: true });
  const list = [];
  for (let n = 1; n <= pages; n++) {
    list.push({ normal: `page/${n}.png`, thumb: `thumb/${n}.jpg`, items: (settings.items || {})[n] });
    if (skipPages.includes(n)) continue;
    writeFileSync(join(files, 'page', `${n}.png`), pageImage(n));
    writeFileSync(join(files, 'thumb', `${n}.jpg`), pageImage(n, 90, 120, 'jpg'));
  }
  const text = configText ?? packConfig(bookXml(settings, list));
  writeConfig(files, text);
  writeFileSync(join(files, 'swfobject.js'), await playerBundle());
  const { themeFileText } = await import(join(webDir, 'src', 'player', 'themes.mjs'));
  writeFileSync(join(files, 'theme', 'Main.swf'), themeFileText(template));
  for (const [name, data] of Object.entries(extra)) {
    mkdirSync(dirname(join(files, name)), { recursive: true });
    writeFileSync(join(files, name), data);
  }
  writeFileSync(
    join(dir, 'index.html'),
    `<!DOCTYPE html><html><head><meta charset="utf-8"><meta name="viewport" content="width=device-width,initial-scale=1"><title>Test</title>
<style>html,body{margin:0;height:100%;overflow:hidden}#foliant-book{position:fixed;inset:0}</style></head>
<body><div id="foliant-book"></div><script src="files/swfobject.js"></script></body></html>`,
  );
  return dir;
}

export function tempDir(prefix = 'foliant-book-') {
  return mkdtempSync(join(tmpdir(), prefix));
}

const TYPES = { '.html': 'text/html', '.js': 'text/javascript', '.png': 'image/png', '.jpg': 'image/jpeg', '.xml': 'text/xml', '.swf': 'application/x-shockwave-flash', '.mp3': 'audio/mpeg', '.wasm': 'application/wasm', '.json': 'application/json' };
// Serves `root` on loopback; `mounts` maps a path prefix to another folder.
export function serve(root, mounts = {}) {
  return new Promise((resolveServer) => {
    const requests = [];
    const server = createServer((req, res) => {
      const path = decodeURIComponent(new URL(req.url, 'http://x').pathname);
      requests.push(path);
      const prefix = Object.keys(mounts).find((m) => path.startsWith(m));
      const base = prefix ? mounts[prefix] : root;
      const file = join(base, prefix ? path.slice(prefix.length) : path.endsWith('/') ? path + 'index.html' : path);
      if (!file.startsWith(base) || !existsSync(file) || !statSync(file).isFile()) {
        res.writeHead(404);
        res.end();
        return;
      }
      res.writeHead(200, { 'content-type': TYPES[extname(file)] || 'application/octet-stream' });
      createReadStream(file).pipe(res);
    });
    server.listen(0, '127.0.0.1', () => resolveServer({ url: `http://127.0.0.1:${server.address().port}/`, close: () => new Promise((r) => server.close(r)), requests }));
  });
}

const CHROMIUM = {
  executablePath: '/usr/bin/chromium',
  headless: true,
  args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking', '--disable-component-update', '--disable-sync'],
};
const playwright = async () => {
  const pw = await import(join(webDir, 'node_modules', 'playwright-core', 'index.js'));
  return pw.chromium ?? pw.default.chromium;
};

// One browser context whose pages share a 1000x700 window unless told otherwise.
export async function launch({ viewport = { width: 1000, height: 700 } } = {}) {
  const userDataDir = mkdtempSync(join(tmpdir(), 'foliant-chromium-'));
  const context = await (await playwright()).launchPersistentContext(userDataDir, { ...CHROMIUM, viewport });
  const close = context.close.bind(context);
  context.close = async (...args) => {
    await close(...args);
    rmSync(userDataDir, { recursive: true, force: true, maxRetries: 5 });
  };
  return context;
}

// A browser for tests that need contexts of their own (phone emulation).
// The application's web view lets file:// pages read their sibling files;
// Chromium needs to be told.
export async function launchBrowser() {
  return (await playwright()).launch({ ...CHROMIUM, args: [...CHROMIUM.args, '--allow-file-access-from-files'] });
}

// Opens `url` and waits until the book shows a page or its error message.
// The page records script errors and refuses (and records) every request
// that would leave the machine.
export async function openBook(context, url, { viewport } = {}) {
  const page = await context.newPage();
  if (viewport) await page.setViewportSize(viewport);
  page.errors = [];
  page.outside = [];
  page.on('pageerror', (e) => page.errors.push(e.message));
  await page.route(/^https?:\/\/(?!127\.0\.0\.1)/, (r) => {
    page.outside.push(r.request().url());
    r.abort();
  });
  await page.goto(url);
  await page.waitForFunction(() => document.getElementById('foliant-book')?.dataset.state === 'error' || document.querySelector('.fo-page[data-ready]'));
  await page.waitForTimeout(150);
  return page;
}

export const bookState = (page) => page.evaluate(() => ({ ...document.getElementById('foliant-book').dataset }));

// Waits for a page turn to finish; generous, since a busy machine slows the animation.
export async function settle(page) {
  await page.waitForFunction(() => !document.querySelector('.stf__block .stf__item[style*="clip-path"], .stf__outerShadow[style*="block"]'), null, { timeout: 3000 }).catch(() => {});
  await page.waitForTimeout(900);
}

// The page numbers drawn on the left and right of the spread, read from the screen.
export async function spread(page) {
  const r = await page.evaluate(() => {
    const b = document.querySelector('.stf__block').getBoundingClientRect();
    const f = window.foliantPlayer.flip.getBoundsRect();
    return { left: b.left + f.left, top: b.top + f.top, pw: f.pageWidth, h: f.height };
  });
  const img = await shot(page);
  const y = r.top + r.h * 0.2;
  return { left: pageAt(img, r.left + r.pw * 0.2, y), right: pageAt(img, r.left + r.pw * 1.8, y), img, r };
}

// A one-finger swipe in four steps, through the DevTools protocol.
export async function swipe(cdp, from, to) {
  const at = (t) => [{ x: from.x + (to.x - from.x) * t, y: from.y + (to.y - from.y) * t, id: 1 }];
  await cdp.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: at(0) });
  for (let i = 1; i <= 4; i++) await cdp.send('Input.dispatchTouchEvent', { type: 'touchMove', touchPoints: at(i / 4) });
  await cdp.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
}

// Reads a PNG's pixels through ImageMagick.
export function decodePng(buf) {
  const width = buf.readUInt32BE(16);
  const px = execFileSync('convert', ['png:-', '-depth', '8', 'rgb:-'], { input: buf, maxBuffer: 1 << 28 });
  return { width, height: buf.readUInt32BE(20), at: (x, y) => [0, 1, 2].map((i) => px[(Math.round(y) * width + Math.round(x)) * 3 + i]) };
}

const hexRgb = (h) => [1, 3, 5].map((i) => parseInt(h.slice(i, i + 2), 16));
export const near = (rgb, hex, tol = 40) => hexRgb(hex).every((v, i) => Math.abs(v - rgb[i]) <= tol);

export async function shot(page) {
  return decodePng(await page.screenshot());
}

// The page number (from 1) whose colour is at (x, y), or 0.
export function pageAt(img, x, y) {
  const rgb = img.at(x, y);
  const i = PAGE_COLORS.findIndex((c) => near(rgb, c, 30));
  return i + 1;
}

// A small vector PDF: page n is filled with pageColor(n) and crossed by a
// thin black line, so tests can tell pages apart and see edges.
export function vectorPdf(pages, w = 300, h = 400) {
  const objs = [];
  const kids = [];
  for (let n = 1; n <= pages; n++) {
    const [r, g, b] = hexRgb(pageColor(n)).map((v) => (v / 255).toFixed(3));
    const content = `${r} ${g} ${b} rg 0 0 ${w} ${h} re f 0 0 0 RG 0.5 w 20 20 m ${w - 20} ${h - 20} l S 1 1 1 rg ${w / 2 - 30} ${h / 2 - 30} 60 60 re f`;
    kids.push(3 + (n - 1) * 2);
    objs[3 + (n - 1) * 2] = `<< /Type /Page /Parent 2 0 R /MediaBox [0 0 ${w} ${h}] /Contents ${4 + (n - 1) * 2} 0 R /Resources << >> >>`;
    objs[4 + (n - 1) * 2] = `<< /Length ${content.length} >>\nstream\n${content}\nendstream`;
  }
  objs[1] = '<< /Type /Catalog /Pages 2 0 R >>';
  objs[2] = `<< /Type /Pages /Kids [${kids.map((k) => `${k} 0 R`).join(' ')}] /Count ${pages} >>`;
  let out = '%PDF-1.4\n';
  const offsets = [];
  for (let i = 1; i < objs.length; i++) {
    offsets[i] = out.length;
    out += `${i} 0 obj\n${objs[i]}\nendobj\n`;
  }
  const xref = out.length;
  out += `xref\n0 ${objs.length}\n0000000000 65535 f \n`;
  for (let i = 1; i < objs.length; i++) out += `${String(offsets[i]).padStart(10, '0')} 00000 n \n`;
  out += `trailer\n<< /Size ${objs.length} /Root 1 0 R >>\nstartxref\n${xref}\n%%EOF\n`;
  return Buffer.from(out, 'latin1');
}

export function findTool(name) {
  const builds = [process.env.FOLIANT_BUILD_DIR, join(sourceDir, 'build-player'), join(sourceDir, 'build')].filter(Boolean);
  for (const b of builds) {
    const p = join(b, 'resources', 'lib', name);
    if (existsSync(p)) return p;
  }
  throw new Error(`${name} is not built`);
}

// Converts one page of `pdf` the way the import starts the converter.
export function pdf2swf(pdf, page, out, { quality = 85, zoom = 144, extra = [] } = {}) {
  execFileSync(findTool('pdf2swf'), [pdf, `-o${out}`, `-p ${page}-${page}`, `-s jpegquality=${quality}`, '-t', '-G', '-qq', '-s flashversion=8', '-s disablelinks', `-s zoom=${zoom}`, ...extra], { stdio: ['ignore', 'pipe', 'pipe'] });
  return out;
}

// A vector book: the PDF's pages converted by the project's pdf2swf, with
// thumbnails, and each page's script sidecar for reading from disk.
export async function makeVectorBook(dir, { pages = 4, template = 'float', settings = {} } = {}) {
  const files = join(dir, 'files');
  await makeBook(dir, { pages, template, settings });
  const pdf = join(dir, 'book.pdf');
  writeFileSync(pdf, vectorPdf(pages));
  const list = [];
  let size = '600|800';
  for (let n = 1; n <= pages; n++) {
    const out = join(files, 'page', `${n}.swf`);
    pdf2swf(pdf, n, out);
    if (n === 1) size = execFileSync(findTool('getswfSize'), [out]).toString();
    writeFileSync(`${out}.js`, `window.__foliantData(${JSON.stringify(`page/${n}.swf`)},${JSON.stringify(readFileSync(out).toString('base64'))});\n`);
    list.push({ normal: `page/${n}.swf`, thumb: `thumb/${n}.jpg` });
  }
  const [W, H] = size.split('|').map((v) => parseInt(v, 10));
  const text = packConfig(bookXml({ ...settings, pageWidth: W, pageHeight: H }, list));
  writeConfig(files, text);
  return dir;
}
