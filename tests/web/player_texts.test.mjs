// The player's own texts in every language a template can choose.
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
