// The user manual the Help commands open, as the build prints it.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { resourcesDir } from './player_support.mjs';

const help = join(resourcesDir, 'Foliant for mac Help');
const names = ['Foliant for mac manual.pdf', 'Foliant pro for mac manual.pdf'];

test('the manual is a readable PDF of several pages under both names', () => {
  const [first, second] = names.map((n) => readFileSync(join(help, n)));
  assert.ok(first.equals(second), 'both names hold the same manual');
  const info = execFileSync('pdfinfo', [join(help, names[0])], { encoding: 'utf8' });
  const pages = Number(/^Pages:\s+(\d+)/m.exec(info)?.[1]);
  assert.ok(pages >= 6, `${pages} pages`);
  const text = execFileSync('pdftotext', ['-layout', join(help, names[1]), '-'], { encoding: 'utf8' });
  for (const chapter of ['Importing a PDF', 'Templates and styles', 'Properties', 'The page editor', 'Publishing', 'The phone edition', 'Mac applications']) {
    assert.ok(text.includes(chapter), `chapter "${chapter}"`);
  }
  assert.match(text, /name="Image"\s+type="rect"/, 'the stored item format is documented');
  // The pictures the build makes of the application, one per window or view.
  const images = execFileSync('pdfimages', ['-list', join(help, names[0])], { encoding: 'utf8' })
    .split('\n')
    .filter((line) => /^\s*\d+\s+\d+\s+image\s+(\d+)\s+(\d+)/.test(line) && Number(line.trim().split(/\s+/)[3]) >= 300);
  assert.ok(images.length >= 8, `${images.length} pictures`);
});
