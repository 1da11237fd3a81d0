// Bundles every web front end into the build tree's resources folder.
// Each front end lives in src/<name>/ and has a bundle.mjs exporting
//   export async function bundle({ esbuild, resources, src, production })
// which writes its output below `resources` (never into the source tree).
import * as esbuild from 'esbuild';
import { readdirSync, existsSync } from 'node:fs';
import { join, dirname, resolve } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';

const here = dirname(fileURLToPath(import.meta.url));
const resources = resolve(process.argv[2] ?? join(here, '..', 'build', 'resources'));
const srcRoot = join(here, 'src');

const names = existsSync(srcRoot)
  ? readdirSync(srcRoot, { withFileTypes: true }).filter((d) => d.isDirectory()).map((d) => d.name).sort()
  : [];
let failed = false;
for (const name of names) {
  const script = join(srcRoot, name, 'bundle.mjs');
  if (!existsSync(script)) continue;
  try {
    const mod = await import(pathToFileURL(script).href);
    await mod.bundle({ esbuild, resources, src: join(srcRoot, name), production: true });
    console.log(`bundled ${name}`);
  } catch (err) {
    failed = true;
    console.error(`bundling ${name} failed: ${err?.stack ?? err}`);
  }
}
process.exit(failed ? 1 : 0);
