// Renders the sample book in every style of every template and writes the
// style's preview image, resources/AppFiles/Styles/<T>/<S>/shot.jpg.
//   node scripts/style_shots.mjs [build-dir]     (needs build/bin/foliant-cli)
import { execFileSync } from 'node:child_process';
import { existsSync, mkdtempSync, readdirSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve, dirname } from 'node:path';
import { fileURLToPath } from 'node:url';

const source = resolve(dirname(fileURLToPath(import.meta.url)), '..');
const build = resolve(process.argv[2] || join(source, 'build'));
const cli = join(build, 'bin', 'foliant-cli');
if (!existsSync(cli)) {
  console.error(`no ${cli}: build the project first`);
  process.exit(1);
}
const styles = join(source, 'resources', 'AppFiles', 'Styles');
const pw = await import(join(source, 'web', 'node_modules', 'playwright-core', 'index.js'));
const chromium = pw.chromium ?? pw.default.chromium;
const work = mkdtempSync(join(tmpdir(), 'foliant-shots-'));
const browser = await chromium.launchPersistentContext(join(work, 'profile'), {
  executablePath: '/usr/bin/chromium',
  headless: true,
  args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking', '--disable-component-update', '--disable-sync'],
  viewport: { width: 960, height: 600 },
});

const dirs = (p) => (existsSync(p) ? readdirSync(p, { withFileTypes: true }).filter((d) => d.isDirectory()).map((d) => d.name).sort() : []);
let made = 0;
for (const template of dirs(styles)) {
  for (const style of dirs(join(styles, template))) {
    const out = join(work, `${template}-${style}`);
    execFileSync(cli, ['publish', '--sample', '--template', template, '--style', style, '--out', out, '--force'], {
      stdio: 'inherit',
      // The publisher keeps a preview folder among the user's data; keep it in the scratch folder.
      env: { ...process.env, FOLIANT_RESOURCES: join(build, 'resources'), QT_QPA_PLATFORM: 'offscreen', HOME: work, XDG_DATA_HOME: join(work, 'data'), XDG_CONFIG_HOME: join(work, 'config') },
    });
    const html = readdirSync(out, { recursive: true }).find((f) => /\.html?$/.test(f) && !String(f).includes('mobile'));
    const page = await browser.newPage();
    await page.goto(`file://${join(out, html)}#page=2`);
    await page.waitForFunction(() => document.querySelector('.fo-page[data-ready]') || document.getElementById('foliant-book')?.dataset.state === 'error', null, { timeout: 10000 });
    await page.waitForTimeout(700);
    const png = join(work, `${template}-${style}.png`);
    await page.screenshot({ path: png });
    await page.close();
    const shot = join(styles, template, style, 'shot.jpg');
    execFileSync('convert', [png, '-resize', '480x300', '-strip', '-quality', '85', shot]);
    console.log(`${template}/${style}: ${shot}`);
    made++;
  }
}
await browser.close();
rmSync(work, { recursive: true, force: true });
console.log(`${made} style shots written`);
