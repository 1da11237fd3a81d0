// Writes the two phone players as the skeleton folders that publishing copies
// into a book's "mobile" folder.
import { readFile, writeFile, mkdir, rm, copyFile } from 'node:fs/promises';
import { join } from 'node:path';

const KINDS = [
  { name: 'Flip', dir: 'flip', extra: ['main_preview.js'] },
  { name: 'Slide', dir: 'slide', extra: [] },
];

export async function bundle({ esbuild, resources, src, production }) {
  const root = join(resources, 'AppFiles', 'TmplData', 'mobile');
  const base = await readFile(join(src, 'base.css'), 'utf8');
  for (const kind of KINDS) {
    const out = join(root, kind.name);
    await rm(out, { recursive: true, force: true });
    await mkdir(join(out, 'javascript'), { recursive: true });
    await mkdir(join(out, 'css'), { recursive: true });
    await esbuild.build({
      entryPoints: [join(src, kind.dir, 'player.js')],
      outfile: join(out, 'javascript', 'player.js'),
      bundle: true,
      format: 'iife',
      // Phones keep their browsers a few years.
      target: ['es2020'],
      minify: production,
      legalComments: 'none',
    });
    const css = await esbuild.transform(base + (await readFile(join(src, kind.dir, 'player.css'), 'utf8')), {
      loader: 'css',
      minify: production,
      target: ['chrome90', 'safari14'],
    });
    await writeFile(join(out, 'css', 'player.css'), css.code);
    await copyFile(join(src, kind.dir, 'index.html'), join(out, 'index.html'));
    for (const file of kind.extra) await copyFile(join(src, kind.dir, file), join(out, 'javascript', file));
  }
}
