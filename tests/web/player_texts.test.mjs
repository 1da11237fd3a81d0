// The player's own texts in every language a template can choose, and the rules
// of its word search.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { join } from 'node:path';
import { sourceDir } from './player_support.mjs';

const { languageCode, translator, languages, texts } = await import(join(sourceDir, 'web', 'src', 'player', 'i18n.mjs'));

test('the template language names and codes pick their tables, anything else English', () => {
  const picked = ['English', 'Deutsch', 'Français', 'Español', 'de-AT', 'FR', 'es_MX', 'Klingon', ''].map((v) => languageCode(v));
  assert.deepEqual(picked, ['en', 'de', 'fr', 'es', 'de', 'fr', 'es', 'en', 'en']);
  assert.equal(languageCode('', ['', 'fr-CA']), 'fr', 'falls back to the page or browser language');
});

test('every language translates every English text, with the same placeholders', () => {
  const named = new Proxy({}, { get: (_, name) => `<${String(name)}>` });
  const placeholders = (code, key) => [...translator(code)(key, named).matchAll(/<(\w+)>/g)].map((m) => m[1]).sort().join();
  const english = Object.keys(texts.en).sort();
  for (const code of languages.filter((c) => c !== 'en')) {
    assert.deepEqual(Object.keys(texts[code]).sort(), english, code);
    for (const key of english) assert.equal(placeholders(code, key), placeholders('en', key), `${code} ${key}`);
  }
});

test('search finds whole words in book order, ignoring case, accents, ligatures and line-end hyphens', async () => {
  const { TextIndex } = await import(join(sourceDir, 'web', 'src', 'player', 'textsearch.mjs'));
  const ix = new TextIndex(['Café au lait.\nCAFE cafeteria', 'a fine alterna-\ntive, the\nfine print', '東京の大学', `${'x '.repeat(40)}Fine ﬁne`]);
  const fine = [[2, 'fine'], [2, 'fine'], [4, 'Fine'], [4, 'ﬁne']];
  for (const [query, want] of [
    ['cafe', [[1, 'Café'], [1, 'CAFE']]],
    ['FINE', fine],
    ['fine fine', fine],
    ['alternative', [[2, 'alterna- tive']]],
    ['"the fine print"', [[2, 'the fine print']]],
    ['lait au', [[1, 'au'], [1, 'lait']]],
    ['au zebra', []],
    ['京', [[3, '京']]],
  ]) {
    const got = ix.search(query).map((h) => [h.page, h.snippet.slice(h.start, h.start + h.length)]);
    assert.deepEqual(got, want, query);
  }
});
