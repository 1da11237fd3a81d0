// Builds the book player into every installed template of the build tree:
//   AppFiles/Templates/<T>/swfobject.js              the player the HTML page loads
//   AppFiles/Templates/<T>/Main.swf                  the template's theme (a script, see themes.mjs)
//   AppFiles/Templates/<T>/playerProductInstall.swf  a stub: nothing needs installing
//   AppFiles/TmplData/book.swf                       a small manifest naming the player
// Vector pages are drawn by the renderer in ../swf when the tree has one.
import { existsSync, mkdirSync, readdirSync, writeFileSync, renameSync } from 'node:fs';
import { join, resolve } from 'node:path';
import { themeFileText } from './themes.mjs';

function writeAtomic(path, data) {
  const tmp = `${path}.tmp-${process.pid}`;
  writeFileSync(tmp, data);
  renameSync(tmp, path);
}

export async function buildPlayer({ esbuild, src, production = true }) {
  const adapter = resolve(src, 'vector.mjs');
  const renderer = existsSync(join(src, '..', 'swf', 'index.mjs')) && existsSync(adapter) ? adapter : resolve(src, 'vector-none.mjs');
  // The vector page parser also runs as a worker, carried in the bundle as text.
  const define = {};
  if (renderer === adapter) {
    const w = await esbuild.build({ entryPoints: [join(src, 'vector-worker.mjs')], bundle: true, write: false, format: 'iife', target: ['chrome100', 'firefox100', 'safari15'], minify: production, legalComments: 'none', logLevel: 'silent' });
    define.__FOLIANT_PARSE_WORKER__ = JSON.stringify(new TextDecoder().decode(w.outputFiles[0].contents));
  }
  const result = await esbuild.build({
    define,
    entryPoints: [join(src, 'main.mjs')],
    bundle: true,
    write: false,
    format: 'iife',
    target: ['chrome100', 'firefox100', 'safari15'],
    minify: production,
    legalComments: 'none',
    loader: { '.css': 'text' },
    alias: { 'foliant-vector': renderer },
    logLevel: 'silent',
  });
  return result.outputFiles[0].contents;
}

export async function bundle({ esbuild, resources, src, production }) {
  const code = await buildPlayer({ esbuild, src, production });
  const appFiles = join(resources, 'AppFiles');
  const tmplData = join(appFiles, 'TmplData');
  mkdirSync(tmplData, { recursive: true });
  writeAtomic(join(tmplData, 'book.swf'), JSON.stringify({ player: 'foliant-html5', script: 'swfobject.js' }) + '\n');
  const templates = join(appFiles, 'Templates');
  if (!existsSync(templates)) return;
  for (const d of readdirSync(templates, { withFileTypes: true })) {
    if (!d.isDirectory()) continue;
    const dir = join(templates, d.name);
    if (!existsSync(join(dir, 'flashTemplate.xml'))) continue;
    writeAtomic(join(dir, 'swfobject.js'), code);
    writeAtomic(join(dir, 'Main.swf'), themeFileText(d.name));
    writeAtomic(join(dir, 'playerProductInstall.swf'), '/* The HTML5 player needs no installation. */\n');
  }
}
