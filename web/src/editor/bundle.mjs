// Builds the page editor as one self-contained page: the application copies
// only "PageEditor.html" next to the preview book, so script and style are
// inlined.
import { readFile, writeFile, mkdir, rename } from 'node:fs/promises';
import { join } from 'node:path';

export async function bundle({ esbuild, resources, src, production }) {
  const js = await esbuild.build({
    entryPoints: [join(src, 'editor.js')],
    bundle: true,
    format: 'iife',
    // The application's embedded browser engine is older than the desktop ones.
    target: ['chrome100'],
    minify: production,
    write: false,
    legalComments: 'none',
  });
  const css = await esbuild.transform(await readFile(join(src, 'editor.css'), 'utf8'), {
    loader: 'css',
    minify: production,
    target: ['chrome100'],
  });
  const script = js.outputFiles[0].text.replace(/<\/(script)/gi, '<\\/$1');
  const style = css.code.replace(/<\/(style)/gi, '<\\/$1');
  const html = (await readFile(join(src, 'index.html'), 'utf8'))
    .replace('/*@STYLE@*/', () => style)
    .replace('/*@SCRIPT@*/', () => script);
  await mkdir(resources, { recursive: true });
  const out = join(resources, 'PageEditor.html');
  await writeFile(out + '.tmp', html);
  await rename(out + '.tmp', out);
}
