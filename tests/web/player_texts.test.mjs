// The player's own texts in every language a template can choose.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { join } from 'node:path';
import { sourceDir } from './player_support.mjs';

const { languageCode, translator, languages } = await import(join(sourceDir, 'web', 'src', 'player', 'i18n.mjs'));

test('the template language names and codes pick their tables, anything else English', () => {
  const picked = ['English', 'Deutsch', 'Français', 'Español', 'de-AT', 'FR', 'es_MX', 'Klingon', ''].map((v) => languageCode(v));
  assert.deepEqual(picked, ['en', 'de', 'fr', 'es', 'de', 'fr', 'es', 'en', 'en']);
  assert.equal(languageCode('', ['', 'fr-CA']), 'fr', 'falls back to the page or browser language');
});

test('every language translates every text, placeholders included', () => {
  const en = translator('en');
  const keys = ['book', 'pageOf', 'pages', 'first', 'prev', 'next', 'last', 'goTo', 'zoomIn', 'zoomOut', 'fullScreen', 'exitFullScreen', 'thumbnails', 'print', 'download', 'share', 'shareCopied', 'soundOn', 'soundOff', 'autoPlay', 'autoStop', 'info', 'tilt', 'bookmark', 'help', 'close', 'helpText', 'err_title', 'err_load', 'err_format', 'err_truncated', 'err_base64', 'err_key', 'err_archive', 'err_empty', 'err_xml', 'err_nopages', 'err_page'];
  for (const code of languages.filter((c) => c !== 'en')) {
    const t = translator(code);
    for (const key of keys) {
      assert.notEqual(t(key), key, `${code} ${key} exists`);
      assert.notEqual(t(key), en(key), `${code} ${key} is translated`);
    }
    assert.match(t('pageOf', { n: 3, total: 9 }), /3.*9/, code);
    assert.match(t('pages', { a: 2, b: 3, total: 9 }), /2.*3.*9/, code);
  }
});
