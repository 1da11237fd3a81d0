// The page-turning book player: reads the book folder's configuration and
// builds the reader's view of it inside #foliant-book. Player holds the
// start-up, the configuration and the page layout; its other jobs come from
// one module each and are mixed into it:
//   turning.mjs   page turning and where the reader is
//   pages.mjs     page loading
//   controls.mjs  toolbar, keys, panels and dialogs
//   zoom.mjs      zoom and pan
//   media.mjs     items on pages and background music
//   share.mjs     sharing and analytics
//   text.mjs      text layer, search, table of contents, window.foliant
// Every change to the page turner's own behaviour is in flip-adapter.mjs.
import css from './player.css';
import { unpackConfig, UnpackError } from './unpack.mjs';
import { parseBook } from './book.mjs';
import { languageCode, translator } from './i18n.mjs';
import { chromeForTemplate } from './themes.mjs';
import { loadConfigText, loadScript, scriptBase } from './loader.mjs';
import { el, reducedMotion, safeHref } from './dom.mjs';
import { Turning } from './turning.mjs';
import { PageLoading } from './pages.mjs';
import { Controls } from './controls.mjs';
import { ZoomPan } from './zoom.mjs';
import { Media } from './media.mjs';
import { Sharing } from './share.mjs';
import { BookText } from './text.mjs';

export { safeHref };

const hex2rgb = (h) => [1, 3, 5].map((i) => parseInt(h.slice(i, i + 2), 16));
// Relative luminance as the contrast formula of WCAG defines it.
const luminance = (rgb) => {
  const [r, g, b] = rgb.map((v) => (v / 255 <= 0.03928 ? v / 255 / 12.92 : ((v / 255 + 0.055) / 1.055) ** 2.4));
  return 0.2126 * r + 0.7152 * g + 0.0722 * b;
};
// White or black, whichever stands out more on `rgb`: at least 4.58:1 on any colour.
const inkFor = (rgb) => {
  const l = luminance(rgb);
  return 1.05 / (l + 0.05) >= (l + 0.05) / 0.05 ? '#ffffff' : '#000000';
};

export class Player {
  constructor(root, base) {
    this.root = root;
    this.base = base;
    this.t = translator('en');
    this.zoom = 1;
    this.pan = { x: 0, y: 0 };
    this.loaded = new Map(); // page index -> element content state
    this.missing = new Set();
    this.autoTimer = null;
    this.bookmarks = new Set();
    this.theme = null;
  }

  url(path) {
    return new URL(path, this.base).href;
  }

  async start() {
    const style = document.createElement('style');
    style.textContent = css;
    document.head.appendChild(style);
    this.root.classList.add('fo-root');
    this.root.setAttribute('data-state', 'loading');
    this.root.setAttribute('aria-busy', 'true');
    const themeLoad = loadScript(this.base + 'theme/Main.swf', 4000).then(
      () => window.__foliantTheme || null,
      () => null,
    );
    let packed;
    try {
      packed = await loadConfigText(this.base);
    } catch (err) {
      return this.fail('load', err);
    }
    performance.mark?.('foliant-config-read');
    try {
      this.book = parseBook(unpackConfig(packed));
      performance.mark?.('foliant-config-parsed');
    } catch (err) {
      return this.fail(err instanceof UnpackError ? err.code : 'format', err);
    }
    const count = this.book.pages.list.length;
    if (count) this.prefetchPage(this.startPage(count));
    this.theme = (await themeLoad) || {};
    const lang = languageCode(this.book.language || window.__foliantLanguage, [document.documentElement.lang, navigator.language]);
    this.t = translator(lang);
    this.root.setAttribute('lang', lang);
    // A page without a language of its own takes the book's, for screen readers.
    if (!document.documentElement.lang) document.documentElement.lang = lang;
    // The reading direction comes only from the script sidecar.
    this.rtl = window.__foliantDirection === 'rtl';
    if (this.rtl) this.root.dataset.direction = 'rtl';
    if (!this.book.pages.list.length) return this.fail('nopages');
    this.build();
    performance.mark?.('foliant-built');
  }

  fail(code, err) {
    const t = this.t;
    this.root.classList.add('fo-root');
    this.root.setAttribute('data-state', 'error');
    this.root.setAttribute('data-error', code);
    this.root.removeAttribute('aria-busy');
    if (!this.root.querySelector('.fo-bg')) this.root.append(el('div', { class: 'fo-bg', style: 'background:#555' }));
    this.root.querySelector('.fo-message')?.remove();
    const box = el('div', { class: 'fo-message', role: 'alert' }, [
      el('h2', { text: t('err_title') }),
      el('p', { text: t(`err_${code}`) }),
      err ? el('code', { text: String(err.message || err) }) : null,
    ]);
    this.root.append(box);
    if (err) console.error('foliant player:', err);
  }

  build() {
    const b = this.book;
    const t = this.t;
    const chrome = this.theme.chrome || chromeForTemplate(this.theme.template);
    this.root.classList.add(`fo-chrome-${chrome}`);
    this.root.dataset.chrome = chrome;
    const base = b.baseColor;
    this.root.style.setProperty('--fo-base', base);
    // Bars are the base colour a little darker; the floating toolbar is
    // nearly opaque, so its labels keep their contrast over any background.
    const bar = hex2rgb(base).map((v) => Math.round(v * 0.85));
    this.root.style.setProperty('--fo-bar', `rgb(${bar.join(',')})`);
    this.root.style.setProperty('--fo-glass', `rgba(${bar.join(',')},0.94)`);
    this.root.style.setProperty('--fo-ink', inkFor(bar));
    if (b.title) document.title = document.title && document.title !== 'Preview' ? document.title : b.title;

    this.bg = el('div', { class: 'fo-bg', 'aria-hidden': 'true' });
    this.applyBackground(chrome);

    const header = el('header', { class: 'fo-header' });
    if (b.logo.display && b.logo.src) {
      const img = el('img', { src: this.url(b.logo.src), alt: b.author.name || '' });
      img.onerror = () => img.remove();
      const href = safeHref(b.logo.link);
      header.append(
        href
          ? el('a', { class: 'fo-logo', href, target: '_blank', rel: 'noopener', 'aria-label': b.author.name || b.logo.link }, img)
          : el('span', { class: 'fo-logo' }, img),
      );
    }
    header.append(el('h1', { class: 'fo-title', text: b.title }));

    this.stage = el('div', {
      class: 'fo-stage',
      role: 'region',
      'aria-roledescription': t('book'),
      'aria-label': b.title || t('book'),
      tabindex: '0',
    });
    this.zoomBox = el('div', { class: 'fo-zoom' });
    this.tiltBox = el('div', { class: 'fo-tilt' });
    this.flipEl = el('div', { class: 'fo-flip' });
    this.tiltBox.append(this.flipEl);
    this.zoomBox.append(this.tiltBox);
    this.stage.append(this.zoomBox);

    this.toolbar = this.buildToolbar();
    this.live = el('div', { class: 'fo-sr', 'aria-live': 'polite', role: 'status' });
    this.toast = el('div', { class: 'fo-toast', 'aria-hidden': 'true' });
    // The toolbar comes first for the keyboard; the style sheet places it.
    const main = el('div', { class: 'fo-main' }, [this.toolbar, header, this.stage]);
    this.root.append(this.bg, main, this.live, this.toast);
    this.setupText();
    this.buildBook();
    this.bindKeys();
    this.bindZoomPan();
    this.setupMusic();
    this.setupAnalytics();
    if (b.autoFlip.enable) this.setAuto(true);
    if (b.tiltAngle && !b.hidden.has('TiltAngle') && !reducedMotion()) this.setTilt(true);
  }

  applyBackground(chrome) {
    const bg = this.book.background;
    const s = this.bg.style;
    const type = bg.type.toLowerCase();
    if (chrome === 'panoramic' && this.book.panorama) {
      // The six faces of the panorama cube, the viewer standing inside it.
      const wrap = el('div', { class: 'fo-cube-wrap' });
      const cube = el('div', { class: 'fo-cube' });
      const faces = {
        front: 'translateZ(-1000px)',
        back: 'rotateY(180deg) translateZ(-1000px)',
        left: 'rotateY(90deg) translateZ(-1000px)',
        right: 'rotateY(-90deg) translateZ(-1000px)',
        top: 'rotateX(-90deg) translateZ(-1000px)',
        bottom: 'rotateX(90deg) translateZ(-1000px)',
      };
      for (const [face, tf] of Object.entries(faces)) {
        const src = this.book.panorama[face];
        cube.append(el('div', { class: `fo-face-${face}`, style: `transform:${tf};background-image:url("${this.url(src)}")` }));
      }
      wrap.append(cube);
      this.bg.append(wrap);
      this.cube = cube;
      s.background = bg.color;
      this.turnCube(0);
      return;
    }
    if (type.includes('image') && bg.image) {
      const pos = bg.position.toLowerCase();
      const layer = el('div', { class: 'fo-bg-image' });
      const ls = layer.style;
      ls.backgroundImage = `url("${this.url(bg.image)}")`;
      ls.backgroundRepeat = pos === 'tile' ? 'repeat' : 'no-repeat';
      ls.backgroundPosition = pos === 'topleft' || pos === 'tile' ? 'left top' : 'center';
      ls.backgroundSize =
        pos === 'fill' ? 'cover' : pos === 'fit' ? 'contain' : pos === 'stretch' ? '100% 100%' : 'auto';
      this.bg.append(layer);
      s.background = bg.color;
    } else if (type.includes('gradient')) {
      // The angle counts like the authoring tool's: 90 runs top to bottom.
      s.background = `linear-gradient(${(bg.angle + 90) % 360}deg, ${bg.start}, ${bg.end})`;
    } else {
      s.background = bg.color;
    }
  }

  turnCube(page) {
    if (this.cube) this.cube.style.transform = `rotateX(-4deg) rotateY(${reducedMotion() ? 0 : -page * 3}deg)`;
  }
}

for (const part of [Turning, PageLoading, Controls, ZoomPan, Media, Sharing, BookText]) {
  for (const name of Object.getOwnPropertyNames(part.prototype)) {
    if (name === 'constructor') continue;
    if (Object.hasOwn(Player.prototype, name)) throw new Error(`player: ${name} is defined twice`);
    Object.defineProperty(Player.prototype, name, Object.getOwnPropertyDescriptor(part.prototype, name));
  }
}

export function startPlayer() {
  const base = scriptBase();
  const go = () => {
    let root = document.getElementById('foliant-book');
    if (!root) {
      root = el('div', { id: 'foliant-book', style: 'position:fixed;inset:0' });
      document.body.append(root);
    }
    const player = new Player(root, base);
    window.foliantPlayer = player;
    player.start().catch((err) => player.fail('format', err));
  };
  if (document.readyState === 'loading') document.addEventListener('DOMContentLoaded', go);
  else go();
}
