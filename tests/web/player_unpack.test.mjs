// The player's parts that need no browser: reading the packed configuration
// back, the bundle's size and the page turner it was written for.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { gzipSync } from 'node:zlib';
import { packConfig, rc4, zip, sourceDir, playerBundle } from './player_support.mjs';

const { unpackConfig, base64Decode, rc4: playerRc4, readZipEntry } = await import(join(sourceDir, 'web', 'src', 'player', 'unpack.mjs'));

const doc = '<FlipBook3D><XMLVersion>1</XMLVersion><Config><Setting><Title>Größe &amp; &lt;Maß&gt; – 書</Title></Setting></Config></FlipBook3D>\n'.repeat(20);

const codeOf = (fn) => {
  try {
    fn();
  } catch (err) {
    return err.code;
  }
  return 'no error';
};

test('a packed document reads back byte for byte, with and without line breaks around the data', () => {
  const packed = packConfig(doc);
  assert.equal(unpackConfig(packed), doc);
  const spaced = packed.replace('<data><![CDATA[', '\n<data>\n  <![CDATA[').replace(']]></data>', ']]>\n</data>\n');
  assert.equal(unpackConfig(spaced), doc);
  // A clear document, as written while designing a template, is accepted too.
  assert.equal(unpackConfig(doc), doc);
});

test('Base64 and RC4 agree with the reference values', () => {
  assert.deepEqual([...base64Decode('YWJj')], [97, 98, 99]);
  assert.deepEqual([...base64Decode('YWI=')], [97, 98]);
  assert.deepEqual([...base64Decode('YQ==')], [97]);
  assert.equal(Buffer.from(playerRc4('Key', new TextEncoder().encode('Plaintext'))).toString('hex'), 'bbf316e8d940af0ad3');
});

test('each kind of damage is told apart', () => {
  const packed = packConfig(doc);
  const b64 = packed.match(/CDATA\[(.*)\]\]/)[1];
  assert.equal(codeOf(() => unpackConfig(packed.slice(0, packed.length / 2))), 'truncated');
  assert.equal(codeOf(() => unpackConfig(packed.replace(b64, b64.slice(0, Math.floor(b64.length / 8) * 4)))), 'archive');
  assert.equal(codeOf(() => unpackConfig(packed.replace(b64, 'this is ~not~ base64!'))), 'base64');
  assert.equal(codeOf(() => unpackConfig(packConfig(doc, 'anotherkey'))), 'key');
  assert.equal(codeOf(() => unpackConfig('<data><![CDATA[]]></data>')), 'empty');
  assert.equal(codeOf(() => unpackConfig('GIF89a binary junk')), 'format');
  // One flipped byte inside the compressed entry is caught by the checksum.
  const damaged = zip(['config.xml', Buffer.from(doc)]);
  damaged[60] ^= 0x55;
  const bad = `<data><![CDATA[${rc4('vellumkeystone', damaged).toString('base64')}]]></data>`;
  assert.equal(codeOf(() => unpackConfig(bad)), 'archive');
});

test('the entry is found through the central directory, also behind other entries', () => {
  const archive = zip(['readme.txt', Buffer.from('other')], ['config.xml', Buffer.from(doc)]);
  assert.equal(new TextDecoder().decode(readZipEntry(new Uint8Array(archive))), doc);
});

test('the player files a book carries stay within 80 KB gzipped', async () => {
  const { themeFileText } = await import(join(sourceDir, 'web', 'src', 'player', 'themes.mjs'));
  const size = gzipSync(await playerBundle(), { level: 9 }).length + gzipSync(themeFileText('float')).length;
  assert.ok(size <= 80 * 1024, `${size} bytes`);
});

// flip-adapter.mjs reaches into the page turner's internals; a new version
// must be read against it before it ships.
test('the installed page turner is the version its adapter was written for', () => {
  const web = join(sourceDir, 'web');
  const read = (...p) => JSON.parse(readFileSync(join(web, ...p), 'utf8'));
  const adapter = readFileSync(join(web, 'src', 'player', 'flip-adapter.mjs'), 'utf8').match(/PAGE_FLIP_VERSION = '([^']+)'/)[1];
  assert.deepEqual(
    [read('package.json').dependencies['page-flip'], read('package-lock.json').packages['node_modules/page-flip'].version, read('node_modules', 'page-flip', 'package.json').version],
    [adapter, adapter, adapter],
  );
});
