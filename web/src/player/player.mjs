// The page-turning book player: reads the book folder's configuration and
// builds the reader's view of it inside #foliant-book.
import { PageFlip } from 'page-flip';
import css from './player.css';
import { unpackConfig, UnpackError } from './unpack.mjs';
import { parseBook } from './book.mjs';
import { languageCode, translator } from './i18n.mjs';
import { chromeForTemplate } from './themes.mjs';
import { playFlipSound } from './sound.mjs';
import { loadConfigText, loadScript, loadBinary, scriptBase } from './loader.mjs';
import * as vector from 'foliant-vector';

const ICONS = {
  first: 'M18 6l-6 6 6 6M11 6l-6 6 6 6',
  prev: 'M15 6l-6 6 6 6',
  next: 'M9 6l6 6-6 6',
  last: 'M6 6l6 6-6 6M13 6l6 6-6 6',
  zoomIn: 'M11 4a7 7 0 1 0 0 14a7 7 0 1 0 0-14M21 21l-5-5M8 11h6M11 8v6',
  zoomOut: 'M11 4a7 7 0 1 0 0 14a7 7 0 1 0 0-14M21 21l-5-5M8 11h6',
  thumbs: 'M4 4h7v7H4zM13 4h7v7h-7zM4 13h7v7H4zM13 13h7v7h-7z',
  full: 'M4 9V4h5M15 4h5v5M20 15v5h-5M9 20H4v-5',
  print: 'M7 9V3h10v6M7 17H4v-7h16v7h-3M7 14h10v7H7z',
  download: 'M12 3v12M7 10l5 5 5-5M4 20h16',
  share: 'M18 8a3 3 0 1 0 0-6a3 3 0 1 0 0 6M6 15a3 3 0 1 0 0-6a3 3 0 1 0 0 6M18 22a3 3 0 1 0 0-6a3 3 0 1 0 0 6M8.6 13.5l6.8 4M15.4 6.5l-6.8 4',
  sound: 'M4 9h4l5-4v14l-5-4H4zM16 9a4 4 0 0 1 0 6M18.5 6.5a8 8 0 0 1 0 11',
  play: 'M7 4l13 8-13 8z',
  info: 'M12 3a9 9 0 1 0 0 18a9 9 0 1 0 0-18M12 11v6M12 7.5v.5',
  help: 'M12 3a9 9 0 1 0 0 18a9 9 0 1 0 0-18M9.5 9a2.5 2.5 0 1 1 3.5 2.3c-.6.3-1 .9-1 1.7M12 17v.5',
  bookmark: 'M6 3h12v18l-6-5-6 5z',
  tilt: 'M3 17l9-12 9 12zM3 17h18',
};

const svg = (name) =>
  `<svg viewBox="0 0 24 24" aria-hidden="true" focusable="false"><path d="${ICONS[name]}"/></svg>`;

const hex2rgb = (h) => [1, 3, 5].map((i) => parseInt(h.slice(i, i + 2), 16));
const shade = (h, f) => `rgb(${hex2rgb(h).map((v) => Math.round(v * f)).join(',')})`;
const alpha = (h, a) => `rgba(${hex2rgb(h).join(',')},${a})`;
const luminance = (h) => {
  const [r, g, b] = hex2rgb(h);
  return (0.299 * r + 0.587 * g + 0.114 * b) / 255;
};

// Only links a reader would expect to follow: web, mail and relative files.
export function safeHref(href) {
  const h = String(href || '').trim();
  if (!h) return '';
  const scheme = h.match(/^([a-z][a-z0-9+.-]*):/i);
  if (!scheme) return /^www\./i.test(h) ? `https://${h}` : h;
  return /^(https?|mailto|tel|ftp)$/i.test(scheme[1]) ? h : '';
}

function el(tag, props = {}, children = []) {
  const e = document.createElement(tag);
  for (const [k, v] of Object.entries(props)) {
    if (v === undefined || v === null || v === false) continue;
    if (k === 'class') e.className = v;
    else if (k === 'text') e.textContent = v;
    else if (k === 'html') e.innerHTML = v;
    else if (k.startsWith('on')) e.addEventListener(k.slice(2), v);
    else e.setAttribute(k, v === true ? '' : v);
  }
  for (const c of [].concat(children)) if (c) e.append(c);
  return e;
}

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

  // ---- start-up -------------------------------------------------------
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
    this.theme = (await themeLoad) || {};
    const lang = languageCode(this.book.language || window.__foliantLanguage, [document.documentElement.lang, navigator.language]);
    this.t = translator(lang);
    this.root.setAttribute('lang', lang);
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

  // ---- the view ---------------------------------------------------------
  build() {
    const b = this.book;
    const t = this.t;
    const chrome = this.theme.chrome || chromeForTemplate(this.theme.template);
    this.root.classList.add(`fo-chrome-${chrome}`);
    this.root.dataset.chrome = chrome;
    const base = b.baseColor;
    this.root.style.setProperty('--fo-base', base);
    this.root.style.setProperty('--fo-bar', shade(base, 0.85));
    this.root.style.setProperty('--fo-glass', alpha(base, 0.72));
    this.root.style.setProperty('--fo-ink', luminance(base) > 0.62 ? '#1a1a1a' : '#ffffff');
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
    const main = el('div', { class: 'fo-main' }, [header, this.stage, this.toolbar]);
    this.root.append(this.bg, main, this.live, this.toast);
    this.buildBook();
    this.bindKeys();
    this.bindZoomPan();
    this.setupMusic();
    this.setupAnalytics();
    if (b.autoFlip.enable) this.setAuto(true);
    if (b.tiltAngle && !b.hidden.has('TiltAngle')) this.setTilt(true);
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
    if (this.cube) this.cube.style.transform = `rotateX(-4deg) rotateY(${-page * 3}deg)`;
  }

  buildToolbar() {
    const t = this.t;
    const hidden = this.book.hidden;
    const bar = el('nav', { class: 'fo-toolbar', role: 'toolbar', 'aria-label': t('book') });
    const btn = (name, icon, label, onclick, key) => {
      if (key && hidden.has(key)) return null;
      const b = el('button', { type: 'button', 'data-button': name, title: label, 'aria-label': label, onclick, html: svg(icon) });
      this.buttons[name] = b;
      return b;
    };
    this.buttons = {};
    const nav = [
      btn('first', 'first', t('first'), () => this.go(0)),
      btn('prev', 'prev', t('prev'), () => this.prev()),
    ];
    this.pageInput = el('input', { type: 'text', inputmode: 'numeric', 'aria-label': t('goTo'), value: '1' });
    this.pageInput.addEventListener('change', () => {
      const n = parseInt(this.pageInput.value, 10);
      if (Number.isFinite(n)) this.go(Math.min(Math.max(n, 1), this.count) - 1);
    });
    this.pageTotal = el('span', { text: `/ ${this.book.pages.list.length}` });
    const pageno = el('span', { class: 'fo-pageno' }, [this.pageInput, this.pageTotal]);
    const after = [
      btn('next', 'next', t('next'), () => this.next()),
      btn('last', 'last', t('last'), () => this.go(this.count - 1)),
    ];
    const tools = [
      btn('zoomIn', 'zoomIn', t('zoomIn'), () => this.setZoom(this.zoom * 1.5), 'Zoom'),
      btn('zoomOut', 'zoomOut', t('zoomOut'), () => this.setZoom(this.zoom / 1.5), 'Zoom'),
      btn('thumbnails', 'thumbs', t('thumbnails'), () => this.toggleThumbs(), 'Thumbnail'),
      btn('bookmark', 'bookmark', t('bookmark'), () => this.toggleBookmark(), 'Bookmark'),
      btn('autoPlay', 'play', t('autoPlay'), () => this.setAuto(!this.autoTimer), 'AutoPlay'),
      this.book.tiltAngle ? btn('tilt', 'tilt', t('tilt'), () => this.setTilt(!this.tilted), 'TiltAngle') : null,
      this.book.music.src ? btn('sound', 'sound', t('soundOn'), () => this.toggleMusic(), 'BackgroundSound') : null,
      btn('fullScreen', 'full', t('fullScreen'), () => this.toggleFullScreen(), 'FullScreen'),
      btn('print', 'print', t('print'), () => this.print(), 'Print'),
      this.book.download ? btn('download', 'download', t('download'), () => this.download(), 'Download') : null,
      btn('share', 'share', t('share'), () => this.share(), 'Share'),
      btn('info', 'info', t('info'), () => this.showInfo(), 'Info'),
      btn('help', 'help', t('help'), () => this.showHelp(), 'Help'),
    ].filter(Boolean);
    // A right-to-left book goes forward to the left: the buttons and their
    // arrows change sides, the page number stays where it was.
    if (this.rtl) {
      const mirror = { first: 'last', prev: 'next', next: 'prev', last: 'first' };
      for (const b of [...nav, ...after]) if (b) b.innerHTML = svg(mirror[b.dataset.button]);
      bar.append(...after.filter(Boolean).reverse(), pageno, ...nav.filter(Boolean).reverse());
    } else bar.append(...nav.filter(Boolean), pageno, ...after.filter(Boolean));
    if (tools.length) bar.append(el('span', { class: 'fo-sep', 'aria-hidden': 'true' }), ...tools);
    if (this.buttons.bookmark) this.buttons.bookmark.setAttribute('aria-pressed', 'false');
    return bar;
  }

  // ---- the book ---------------------------------------------------------
  buildBook() {
    const P = this.book.pages;
    const list = P.list;
    this.count = list.length;
    const pw = P.largeWidth || P.width || 600;
    const ph = P.largeHeight || P.height || 800;
    this.pageSize = { w: pw, h: ph };
    this.pageEls = list.map((p, i) =>
      el('div', { class: 'fo-page', 'data-page': String(i + 1), role: 'group', 'aria-label': this.t('pageOf', { n: i + 1, total: list.length }) }),
    );
    const theme = this.theme;
    const opts = {
      width: pw,
      height: ph,
      size: 'stretch',
      minWidth: 150,
      maxWidth: this.book.autoScale ? 4000 : Math.max(pw, 150),
      minHeight: 150,
      maxHeight: this.book.autoScale ? 6000 : Math.max(ph, 150),
      showCover: theme.cover !== false && list.length > 2,
      maxShadowOpacity: typeof theme.shadow === 'number' ? theme.shadow : 0.5,
      flippingTime: theme.flippingTime || 700,
      mobileScrollSupport: false,
      usePortrait: true,
      autoSize: true,
      startPage: this.toFlip(this.startPage(list.length)),
    };
    // A narrow stage (a phone held upright) shows one page at a time.
    const stageW = this.stage.clientWidth || window.innerWidth;
    const stageH = this.stage.clientHeight || window.innerHeight;
    opts.minWidth = Math.max(150, Math.min(600, Math.round((stageH * pw) / ph * 0.75)));
    if (stageW < 2 * opts.minWidth && stageW > stageH) opts.minWidth = Math.floor(stageW / 2) - 1;
    this.flip = new PageFlip(this.flipEl, opts);
    this.patchRender();
    // The page turner only reads left to right, so a right-to-left book hands
    // it the pages back to front; everything else keeps counting book pages.
    this.flip.loadFromHTML(this.rtl ? [...this.pageEls].reverse() : this.pageEls);
    // Place the first spread now instead of on the next animation frame, so
    // the book stands when the page's load event fires.
    this.flip.getRender().drawFrame?.();
    this.flip.on('flip', () => this.onPage(this.current()));
    this.flip.on('changeState', (e) => {
      if (e.data === 'flipping' && this.book.flipSound) playFlipSound();
    });
    this.flip.on('changeOrientation', () => this.onPage(this.current()));
    this.addThickness();
    window.addEventListener('resize', () => {
      clearTimeout(this.resizeTimer);
      this.resizeTimer = setTimeout(() => this.onPage(this.current()), 150);
    });
    document.addEventListener('fullscreenchange', () => {
      const on = !!document.fullscreenElement;
      this.buttons.fullScreen?.setAttribute('aria-pressed', String(on));
      this.buttons.fullScreen?.setAttribute('aria-label', on ? this.t('exitFullScreen') : this.t('fullScreen'));
    });
    this.onPage(this.current());
    this.root.removeAttribute('aria-busy');
    this.root.dataset.state = 'ready';
  }

  startPage(count) {
    const m = location.hash.match(/page=(\d+)/);
    return m ? Math.min(Math.max(parseInt(m[1], 10) - 1, 0), count - 1) : 0;
  }

  // The renderer hides every page on every animation frame; with a thousand
  // pages that is a thousand style writes per frame. Only the pages that were
  // shown in the previous frame can need hiding.
  patchRender() {
    const flip = this.flip;
    const origLoad = flip.loadFromHTML.bind(flip);
    flip.loadFromHTML = (items) => {
      origLoad(items);
      const render = flip.getRender();
      let shown = [];
      render.clear = function clear() {
        const now = [this.leftPage, this.rightPage, this.flippingPage, this.bottomPage].filter(Boolean);
        for (const page of shown) {
          if (!now.includes(page)) page.getElement().style.cssText = 'display: none';
          if (page.getTemporaryCopy() !== this.flippingPage) page.hideTemporaryCopy();
        }
        shown = now;
      };
      // Clones of a page made for the turn lose canvas pixels; copy them.
      const pages = flip.getPageCollection().getPages();
      if (pages.length) {
        const proto = Object.getPrototypeOf(pages[0]);
        if (!proto.__foliantPatched) {
          const orig = proto.newTemporaryCopy;
          proto.newTemporaryCopy = function newTemporaryCopy() {
            const fresh = this.getTemporaryCopy() === null;
            const copy = orig.call(this);
            if (fresh && copy && copy !== this) {
              const from = this.getElement().querySelectorAll('canvas');
              const to = copy.getElement().querySelectorAll('canvas');
              from.forEach((c, i) => to[i]?.getContext('2d')?.drawImage(c, 0, 0));
            }
            return copy;
          };
          proto.__foliantPatched = true;
        }
      }
    };
  }

  addThickness() {
    if (this.book.thickness <= 0 || this.count < 4) return;
    const block = this.flipEl.querySelector('.stf__block');
    if (!block) return;
    this.thickL = el('div', { class: 'fo-thick-l', 'aria-hidden': 'true' });
    this.thickR = el('div', { class: 'fo-thick-r', 'aria-hidden': 'true' });
    block.prepend(this.thickL, this.thickR);
  }

  updateThickness() {
    if (!this.thickL) return;
    const r = this.flip.getBoundsRect?.();
    if (!r) return;
    const cur = this.flip.getCurrentPageIndex();
    const per = this.book.thickness * 0.08;
    const left = Math.min(14, cur * per);
    const right = Math.min(14, (this.count - cur - 2) * per);
    const edge = (w) => `repeating-linear-gradient(90deg,#fff 0,#fff 1px,#ccc 1px,#ccc 2px)`;
    const portrait = this.flip.getOrientation?.() === 'portrait';
    const place = (node, x, w) => {
      node.style.cssText = w > 0.5 ? `left:${x}px;top:${r.top + 1}px;height:${r.height - 2}px;width:${w}px;background:${edge(w)};` : 'display:none';
    };
    place(this.thickL, portrait ? r.left + r.pageWidth - left : r.left - left, cur > 0 ? left : 0);
    place(this.thickR, portrait ? r.left + 2 * r.pageWidth : r.left + r.width, right);
  }

  // Book page index <-> the page turner's index (the same in both directions).
  toFlip(i) {
    return this.rtl ? this.count - 1 - i : i;
  }

  // The first book page in view.
  current() {
    if (!this.flip) return 0;
    return this.rtl ? this.visiblePages()[0] : this.flip.getCurrentPageIndex();
  }

  // The book pages in view, in reading order.
  visiblePages() {
    const cur = this.flip.getCurrentPageIndex();
    const n = this.count;
    let shown;
    if (this.flip.getOrientation() === 'portrait') shown = [cur];
    else {
      const cover = this.flip.getSettings().showCover;
      if (cover && (cur === 0 || (cur === n - 1 && n % 2 === 0))) shown = [cur];
      else {
        const left = cover ? (cur % 2 === 1 ? cur : cur - 1) : cur % 2 === 0 ? cur : cur - 1;
        shown = [left, left + 1].filter((i) => i >= 0 && i < n);
      }
    }
    return this.rtl ? shown.map((i) => n - 1 - i).reverse() : shown;
  }

  onPage(index) {
    const vis = this.visiblePages();
    const total = this.count;
    this.root.dataset.page = String(index + 1);
    this.root.dataset.visible = vis.map((i) => i + 1).join(',');
    this.pageInput.value = String(vis[0] + 1);
    const label = vis.length > 1 ? this.t('pages', { a: vis[0] + 1, b: vis[1] + 1, total }) : this.t('pageOf', { n: vis[0] + 1, total });
    this.live.textContent = label;
    const atStart = index <= 0;
    const atEnd = vis[vis.length - 1] >= total - 1;
    for (const [name, off] of [['first', atStart], ['prev', atStart], ['next', atEnd], ['last', atEnd]]) {
      if (this.buttons[name]) this.buttons[name].disabled = off;
    }
    this.ensurePages(index);
    this.updateThickness();
    this.turnCube(index);
    this.markThumb();
    if (this.buttons.bookmark) this.buttons.bookmark.setAttribute('aria-pressed', String(this.bookmarks.has(vis[0])));
    this.renderZoomedVectors();
  }

  // Only the pages near the reader are filled; far ones are emptied again so
  // a long book keeps a small, constant memory footprint.
  ensurePages(index) {
    const near = (i) => i >= index - 4 && i <= index + 6;
    const far = (i) => i < index - 16 || i > index + 18;
    for (const [i, state] of this.loaded) {
      if (far(i) && state !== 'missing') {
        this.pageEls[i].replaceChildren();
        this.loaded.delete(i);
      }
    }
    const order = [];
    for (let i = index; i <= index + 6; i++) order.push(i);
    for (let i = index - 1; i >= index - 4; i--) order.push(i);
    for (const i of order) if (i >= 0 && i < this.count && near(i) && !this.loaded.has(i)) this.fillPage(i);
  }

  fillPage(i) {
    const page = this.book.pages.list[i];
    const host = this.pageEls[i];
    this.loaded.set(i, 'loading');
    const inner = el('div', { class: 'fo-page-inner' }, el('div', { class: 'fo-spinner', 'aria-hidden': 'true' }));
    host.replaceChildren(inner);
    host.classList.remove('fo-missing');
    const done = () => {
      inner.querySelector('.fo-spinner')?.remove();
      this.loaded.set(i, 'ready');
      host.dataset.ready = 'true';
      if (!this.firstShown && this.visiblePages().includes(i)) {
        this.firstShown = true;
        performance.mark?.('foliant-first-page');
      }
      this.addItems(i, inner);
    };
    const missing = (err) => {
      this.loaded.set(i, 'missing');
      this.missing.add(i);
      host.classList.add('fo-missing');
      host.dataset.ready = 'missing';
      inner.replaceChildren(el('p', { text: this.t('err_page', { n: i + 1 }) }));
      this.root.dataset.missing = String(this.missing.size);
      if (err) console.warn('foliant player:', err.message || err);
    };
    if (/\.swf$/i.test(page.normal)) {
      this.fillVector(i, page, inner).then(done, (err) => {
        // Without the vector data the thumbnail is better than a hole.
        if (page.thumb && page.thumb !== page.normal) {
          this.fillImage(inner, page.thumb).then(done, () => missing(err));
        } else missing(err);
      });
    } else {
      this.fillImage(inner, page.normal).then(done, missing);
    }
  }

  fillImage(inner, path) {
    return new Promise((resolve, reject) => {
      const img = el('img', { class: 'fo-face', alt: '', draggable: 'false', decoding: 'async' });
      img.onload = () => resolve();
      img.onerror = () => {
        img.remove();
        reject(new Error(`cannot load ${path}`));
      };
      img.src = this.url(path);
      // In the document at once, so the page's load event waits for the
      // pages in view (the spinner above it hides the image until then).
      inner.prepend(img);
    });
  }

  async fillVector(i, page, inner) {
    if (!vector.available) throw new Error('no vector renderer');
    const bytes = await loadBinary(this.base, page.normal);
    const canvas = el('canvas', { class: 'fo-face', 'aria-hidden': 'true' });
    canvas.__foliantBytes = bytes;
    await this.drawVector(canvas, bytes, 1);
    inner.querySelector('.fo-face')?.remove();
    inner.prepend(canvas);
  }

  // Vector pages are drawn for the size they appear at, so they stay sharp
  // on dense screens and when zoomed in.
  async drawVector(canvas, bytes, zoom) {
    const rect = this.flip?.getBoundsRect?.();
    const cssW = rect?.pageWidth || this.pageSize.w;
    const cssH = (cssW * this.pageSize.h) / this.pageSize.w;
    const scale = Math.min(8, (window.devicePixelRatio || 1) * zoom);
    await vector.renderVectorPage(bytes, canvas, cssW, cssH, scale);
    canvas.dataset.scale = String(scale);
  }

  // Redraws the vector pages in view whose pixels no longer match their size
  // on screen (after zooming, resizing or a move to another screen).
  renderZoomedVectors() {
    clearTimeout(this.zoomRedraw);
    this.zoomRedraw = setTimeout(() => {
      const want = Math.min(8, (window.devicePixelRatio || 1) * this.zoom);
      const cssW = this.flip?.getBoundsRect?.()?.pageWidth || this.pageSize.w;
      for (const i of this.visiblePages()) {
        const c = this.pageEls[i]?.querySelector('canvas.fo-face');
        if (!c?.__foliantBytes) continue;
        if (c.dataset.scale === String(want) && Math.abs(c.width - cssW * want) <= 2) continue;
        this.drawVector(c, c.__foliantBytes, this.zoom).catch(() => {});
      }
    }, 120);
  }

  addItems(i, inner) {
    for (const item of this.book.pages.list[i].items) {
      const node = this.itemNode(item);
      if (!node) continue;
      node.classList.add('fo-item');
      Object.assign(node.style, {
        left: `${item.x * 100}%`,
        top: `${item.y * 100}%`,
        width: `${item.width * 100}%`,
        height: `${item.height * 100}%`,
      });
      // Media controls must not start a page turn.
      for (const ev of ['mousedown', 'touchstart']) node.addEventListener(ev, (e) => e.stopPropagation());
      inner.append(node);
    }
  }

  itemNode(item) {
    const t = this.t;
    const src = item.href;
    const isPage = item.action === 'page' || item.action === 'gotopage' || /^#?page[:=]?\d+$/i.test(src);
    switch (item.kind) {
      case 'link': {
        if (isPage || (item.action !== 'web' && /^\d+$/.test(src))) {
          const n = parseInt(src.replace(/\D+/g, ''), 10);
          if (!Number.isFinite(n)) return null;
          return el('button', { type: 'button', class: 'fo-link', 'aria-label': `${t('goTo')} ${n}`, onclick: () => this.go(n - 1) });
        }
        const href = safeHref(src);
        if (!href) return null;
        return el('a', { class: 'fo-link', href: /^[a-z]+:/i.test(href) ? href : this.url(href), target: item.target || '_blank', rel: 'noopener', 'aria-label': item.text || href });
      }
      case 'image':
        return src ? el('div', {}, el('img', { src: this.url(src), alt: item.text || '' })) : null;
      case 'video':
        // Browsers let a video start by itself only without sound.
        return src
          ? el('video', { src: this.url(src), controls: true, playsinline: true, preload: 'metadata', loop: item.loop, autoplay: item.autoplay, muted: item.autoplay, 'aria-label': item.text || 'video' })
          : null;
      case 'sound':
      case 'audio': {
        if (!src) return null;
        const audio = new Audio(this.url(src));
        audio.loop = item.loop;
        const b = el('button', { type: 'button', class: 'fo-sound', 'aria-label': item.text || t('soundOn'), 'aria-pressed': 'false', text: '♪' });
        const sync = () => b.setAttribute('aria-pressed', String(!audio.paused));
        audio.addEventListener('play', sync);
        audio.addEventListener('pause', sync);
        b.onclick = () => (audio.paused ? audio.play().catch(() => {}) : audio.pause());
        if (item.autoplay) audio.play().catch(() => {});
        return b;
      }
      default:
        return null;
    }
  }

  // ---- navigation -------------------------------------------------------
  go(i) {
    if (!this.flip || i < 0 || i >= this.count) return;
    if (this.zoom !== 1) this.setZoom(1);
    const vis = this.visiblePages();
    if (vis.includes(i)) return;
    if (Math.abs(i - this.current()) <= 2) this.flip.flip(this.toFlip(i));
    else this.flip.turnToPage(this.toFlip(i));
    this.onPage(this.current());
  }

  next() {
    if (this.zoom !== 1) this.setZoom(1);
    this.forward();
  }

  prev() {
    if (this.zoom !== 1) this.setZoom(1);
    if (this.rtl) this.flip.flipNext();
    else this.flip.flipPrev();
  }

  // Turns one leaf towards the end of the book.
  forward() {
    if (this.rtl) this.flip.flipPrev();
    else this.flip.flipNext();
  }

  bindKeys() {
    this.root.addEventListener('keydown', (e) => {
      if (e.target.closest('input,textarea,video,audio') || e.altKey || e.ctrlKey || e.metaKey) return;
      const k = e.key;
      // The arrows point where the page goes: towards the left is forward in
      // a right-to-left book.
      const right = () => (this.rtl ? this.prev() : this.next());
      const left = () => (this.rtl ? this.next() : this.prev());
      const act = {
        ArrowRight: right,
        ArrowDown: () => this.next(),
        PageDown: () => this.next(),
        ' ': () => this.next(),
        ArrowLeft: left,
        ArrowUp: () => this.prev(),
        PageUp: () => this.prev(),
        Home: () => this.go(0),
        End: () => this.go(this.count - 1),
        '+': () => !this.book.hidden.has('Zoom') && this.setZoom(this.zoom * 1.5),
        '=': () => !this.book.hidden.has('Zoom') && this.setZoom(this.zoom * 1.5),
        '-': () => !this.book.hidden.has('Zoom') && this.setZoom(this.zoom / 1.5),
        f: () => !this.book.hidden.has('FullScreen') && this.toggleFullScreen(),
        t: () => !this.book.hidden.has('Thumbnail') && this.toggleThumbs(),
        Escape: () => this.closePanels(),
      }[k];
      if (!act) return;
      if (k === ' ' && e.target.closest('button,a')) return;
      e.preventDefault();
      act();
    });
    // Arrow keys work as soon as the page opens, without a click first.
    document.addEventListener('keydown', (e) => {
      if (e.target === document.body && !this.root.contains(document.activeElement)) {
        this.root.dispatchEvent(new KeyboardEvent('keydown', { key: e.key, bubbles: true }));
      }
    });
  }

  // ---- zoom and pan -------------------------------------------------------
  setZoom(z) {
    const zoom = Math.min(4, Math.max(1, Math.round(z * 100) / 100));
    const box = this.zoomBox;
    const w = box.clientWidth;
    const h = box.clientHeight;
    // Keep the middle of what is seen in the middle.
    const cx = (w / 2 - this.pan.x) / this.zoom;
    const cy = (h / 2 - this.pan.y) / this.zoom;
    this.zoom = zoom;
    this.pan = zoom === 1 ? { x: 0, y: 0 } : this.clampPan(w / 2 - cx * zoom, h / 2 - cy * zoom);
    this.applyZoom();
    this.renderZoomedVectors();
  }

  clampPan(x, y) {
    const w = this.zoomBox.clientWidth;
    const h = this.zoomBox.clientHeight;
    return { x: Math.min(0, Math.max(w - w * this.zoom, x)), y: Math.min(0, Math.max(h - h * this.zoom, y)) };
  }

  applyZoom() {
    this.zoomBox.style.transform = this.zoom === 1 ? '' : `translate(${this.pan.x}px,${this.pan.y}px) scale(${this.zoom})`;
    this.root.classList.toggle('fo-zoomed', this.zoom !== 1);
    this.root.dataset.zoom = String(this.zoom);
  }

  bindZoomPan() {
    let drag = null;
    const down = (x, y, e) => {
      if (this.zoom === 1) return;
      e.stopPropagation();
      e.preventDefault();
      drag = { x, y, px: this.pan.x, py: this.pan.y };
      this.root.classList.add('fo-panning');
    };
    const move = (x, y) => {
      if (!drag) return;
      this.pan = this.clampPan(drag.px + x - drag.x, drag.py + y - drag.y);
      this.applyZoom();
    };
    const up = () => {
      drag = null;
      this.root.classList.remove('fo-panning');
    };
    this.stage.addEventListener('mousedown', (e) => down(e.clientX, e.clientY, e), true);
    this.stage.addEventListener(
      'touchstart',
      (e) => {
        if (e.touches.length >= 2 && !this.book.hidden.has('Zoom')) this.pinchStart(e);
        else if (this.pinch) e.stopPropagation();
        else if (e.touches.length === 1) down(e.touches[0].clientX, e.touches[0].clientY, e);
      },
      { capture: true, passive: false },
    );
    window.addEventListener('mousemove', (e) => move(e.clientX, e.clientY));
    // Ahead of the page turner's own window listeners, so the fingers of a
    // pinch never fold a page.
    window.addEventListener(
      'touchmove',
      (e) => {
        if (this.pinch) {
          e.stopImmediatePropagation();
          e.preventDefault();
          if (e.touches.length >= 2) this.pinchMove(e.touches);
        } else if (drag) move(e.touches[0].clientX, e.touches[0].clientY);
      },
      { capture: true, passive: false },
    );
    window.addEventListener('mouseup', up);
    window.addEventListener(
      'touchend',
      (e) => {
        up();
        if (!this.pinch) return;
        e.stopImmediatePropagation();
        // The pinch lasts until the last finger leaves; a finger left behind
        // neither pans nor turns.
        if (e.touches.length === 0) {
          this.pinch = null;
          this.renderZoomedVectors();
        }
      },
      true,
    );
    this.stage.addEventListener(
      'wheel',
      (e) => {
        if (!e.ctrlKey || this.book.hidden.has('Zoom')) return;
        e.preventDefault();
        this.setZoom(this.zoom * (e.deltaY < 0 ? 1.25 : 0.8));
      },
      { passive: false },
    );
    this.stage.addEventListener('dblclick', (e) => {
      if (this.book.hidden.has('Zoom') || e.target.closest('a,button,video,audio')) return;
      this.setZoom(this.zoom === 1 ? 2 : 1);
    });
  }

  // Two fingers zoom around the point between them, and moving them together pans.
  pinchStart(e) {
    e.stopPropagation();
    e.preventDefault();
    // The first finger may have reached the page turner before the second
    // landed: forget it there, or it would start a fold on its own.
    const ui = this.flip.getUI?.();
    if (ui && 'touchPoint' in ui) ui.touchPoint = null;
    if (this.flip.isUserTouch) {
      this.flip.isUserTouch = false;
      if (this.flip.isUserMove) this.flip.getFlipController().stopMove();
    }
    const [a, b] = e.touches;
    const origin = this.zoomOrigin();
    const mx = (a.clientX + b.clientX) / 2 - origin.x;
    const my = (a.clientY + b.clientY) / 2 - origin.y;
    this.pinch = {
      dist: Math.max(1, Math.hypot(a.clientX - b.clientX, a.clientY - b.clientY)),
      zoom: this.zoom,
      // The point of the unzoomed book under the fingers.
      cx: (mx - this.pan.x) / this.zoom,
      cy: (my - this.pan.y) / this.zoom,
      origin,
    };
  }

  pinchMove([a, b]) {
    const p = this.pinch;
    const zoom = Math.min(4, Math.max(1, (p.zoom * Math.hypot(a.clientX - b.clientX, a.clientY - b.clientY)) / p.dist));
    const mx = (a.clientX + b.clientX) / 2 - p.origin.x;
    const my = (a.clientY + b.clientY) / 2 - p.origin.y;
    this.zoom = zoom;
    this.pan = zoom === 1 ? { x: 0, y: 0 } : this.clampPan(mx - p.cx * zoom, my - p.cy * zoom);
    this.applyZoom();
  }

  // Where the zoom box's top left corner lies on the screen when unzoomed.
  zoomOrigin() {
    const r = this.zoomBox.getBoundingClientRect();
    return { x: r.left - this.pan.x, y: r.top - this.pan.y };
  }

  // ---- panels and tools -------------------------------------------------
  closePanels() {
    let closed = false;
    for (const p of this.root.querySelectorAll('.fo-panel.fo-open')) {
      p.classList.remove('fo-open');
      closed = true;
    }
    if (this.buttons.thumbnails) this.buttons.thumbnails.setAttribute('aria-pressed', 'false');
    if (!closed && this.zoom !== 1) this.setZoom(1);
    this.stage.focus({ preventScroll: true });
  }

  toggleThumbs() {
    if (!this.thumbs) {
      this.thumbs = el('div', { class: 'fo-panel fo-thumbs', role: 'listbox', 'aria-label': this.t('thumbnails'), dir: this.rtl ? 'rtl' : null });
      this.book.pages.list.forEach((p, i) => {
        const img = el('img', { alt: '', loading: 'lazy', src: this.url(p.thumb), width: String(Math.round((118 * this.pageSize.w) / this.pageSize.h)), height: '118' });
        const b = el('button', { type: 'button', role: 'option', 'data-page': String(i + 1), 'aria-label': this.t('pageOf', { n: i + 1, total: this.count }), onclick: () => this.go(i) }, [
          img,
          el('span', { text: String(i + 1) }),
        ]);
        this.thumbs.append(b);
      });
      this.root.append(this.thumbs);
    }
    const open = !this.thumbs.classList.contains('fo-open');
    this.thumbs.classList.toggle('fo-open', open);
    this.buttons.thumbnails?.setAttribute('aria-pressed', String(open));
    this.markThumb();
  }

  markThumb() {
    if (!this.thumbs || !this.thumbs.classList.contains('fo-open')) return;
    const vis = this.visiblePages();
    for (const b of this.thumbs.querySelectorAll('.fo-current')) b.classList.remove('fo-current');
    vis.forEach((i, n) => {
      const b = this.thumbs.children[i];
      b.classList.add('fo-current');
      b.setAttribute('aria-selected', 'true');
      if (n === 0) b.scrollIntoView({ block: 'nearest', inline: 'center' });
    });
    this.thumbs.querySelectorAll('button').forEach((b, i) => b.classList.toggle('fo-marked', this.bookmarks.has(i)));
  }

  toggleBookmark() {
    const i = this.visiblePages()[0];
    if (this.bookmarks.has(i)) this.bookmarks.delete(i);
    else this.bookmarks.add(i);
    this.buttons.bookmark.setAttribute('aria-pressed', String(this.bookmarks.has(i)));
    this.markThumb();
  }

  dialog(title, body) {
    this.root.querySelector('.fo-dialog')?.remove();
    const close = el('button', { type: 'button', class: 'fo-close', 'aria-label': this.t('close'), text: '×', onclick: () => this.closePanels() });
    const d = el('div', { class: 'fo-panel fo-dialog fo-open', role: 'dialog', 'aria-modal': 'true', 'aria-label': title }, [close, el('h2', { text: title }), ...body]);
    this.root.append(d);
    close.focus();
    return d;
  }

  showInfo() {
    const a = this.book.author;
    const web = safeHref(a.web);
    this.dialog(this.book.title || this.t('info'), [
      a.name ? el('p', { text: a.name }) : null,
      a.email ? el('p', {}, el('a', { href: `mailto:${a.email}`, text: a.email })) : null,
      web ? el('p', {}, el('a', { href: web, target: '_blank', rel: 'noopener', text: a.web })) : null,
      a.info ? el('p', { text: a.info }) : null,
    ].filter(Boolean));
  }

  showHelp() {
    this.dialog(this.t('help'), [el('p', { text: this.t('helpText') })]);
  }

  share() {
    const page = location.href.split('#')[0];
    const link = `${page}#page=${this.visiblePages()[0] + 1}`;
    const enc = encodeURIComponent;
    const title = this.book.title || document.title;
    const via = this.book.shareId ? `&via=${enc(this.book.shareId)}` : '';
    const copy = el('button', {
      type: 'button',
      text: this.t('share'),
      onclick: () => {
        navigator.clipboard?.writeText(link).then(() => this.flash(this.t('shareCopied')), () => {});
      },
    });
    this.dialog(this.t('share'), [
      el('p', {}, el('input', { type: 'text', readonly: true, value: link, style: 'width:100%', 'aria-label': this.t('share') })),
      el('div', { class: 'fo-share-links' }, [
        copy,
        el('a', { href: `mailto:?subject=${enc(title)}&body=${enc(link)}`, text: 'E-mail' }),
        el('a', { href: `https://twitter.com/intent/tweet?url=${enc(link)}&text=${enc(title)}${via}`, target: '_blank', rel: 'noopener', text: 'X' }),
        el('a', { href: `https://www.facebook.com/sharer/sharer.php?u=${enc(link)}`, target: '_blank', rel: 'noopener', text: 'Facebook' }),
      ]),
    ]);
  }

  flash(text) {
    this.toast.textContent = text;
    this.toast.classList.add('fo-show');
    clearTimeout(this.toastTimer);
    this.toastTimer = setTimeout(() => this.toast.classList.remove('fo-show'), 1800);
  }

  download() {
    const a = el('a', { href: this.url(this.book.download), download: this.book.download.split('/').pop() });
    document.body.append(a);
    a.click();
    a.remove();
  }

  print() {
    document.querySelector('.fo-print')?.remove();
    const vis = this.visiblePages();
    const box = el('div', { class: 'fo-print' });
    for (const i of vis) {
      const p = this.book.pages.list[i];
      const c = this.pageEls[i].querySelector('canvas.fo-face');
      box.append(el('img', { src: c ? c.toDataURL('image/png') : this.url(/\.swf$/i.test(p.normal) ? p.thumb : p.large), alt: '' }));
    }
    document.body.append(box);
    const imgs = [...box.querySelectorAll('img')];
    Promise.all(imgs.map((img) => (img.complete ? 0 : new Promise((r) => (img.onload = img.onerror = r))))).then(() => {
      window.print();
      setTimeout(() => box.remove(), 1000);
    });
  }

  toggleFullScreen() {
    const d = document;
    const on = d.fullscreenElement || d.webkitFullscreenElement;
    if (on) (d.exitFullscreen || d.webkitExitFullscreen).call(d);
    else (this.root.requestFullscreen || this.root.webkitRequestFullscreen)?.call(this.root)?.catch?.(() => {});
  }

  setAuto(on) {
    clearInterval(this.autoTimer);
    this.autoTimer = null;
    if (on) {
      const a = this.book.autoFlip;
      this.autoTimer = setInterval(() => {
        const vis = this.visiblePages();
        if (vis[vis.length - 1] >= this.count - 1) {
          if (a.loop) this.flip.turnToPage(this.toFlip(0)), this.onPage(0);
          else this.setAuto(false);
        } else this.forward();
      }, a.interval * 1000);
    }
    this.root.dataset.auto = String(!!on);
    const b = this.buttons.autoPlay;
    if (b) {
      b.setAttribute('aria-pressed', String(!!on));
      b.setAttribute('aria-label', on ? this.t('autoStop') : this.t('autoPlay'));
    }
  }

  setTilt(on) {
    this.tilted = on;
    this.tiltBox.style.transform = on ? `perspective(1600px) rotateX(${Math.max(-60, Math.min(60, this.book.tiltAngle))}deg)` : '';
    this.buttons.tilt?.setAttribute('aria-pressed', String(on));
  }

  setupMusic() {
    const m = this.book.music;
    if (!m.src) return;
    this.music = new Audio(this.url(m.src));
    this.music.loop = m.loop;
    this.music.preload = 'auto';
    this.music.addEventListener('play', () => this.musicState(true));
    this.music.addEventListener('pause', () => this.musicState(false));
    // Browsers allow sound only after the reader touched the page.
    const first = () => {
      window.removeEventListener('pointerdown', first, true);
      window.removeEventListener('keydown', first, true);
      if (!this.musicStopped) this.music.play().catch(() => {});
    };
    this.music.play().catch(() => {
      window.addEventListener('pointerdown', first, true);
      window.addEventListener('keydown', first, true);
    });
  }

  musicState(playing) {
    const b = this.buttons.sound;
    this.root.dataset.music = String(playing);
    if (!b) return;
    b.setAttribute('aria-pressed', String(playing));
    b.setAttribute('aria-label', playing ? this.t('soundOff') : this.t('soundOn'));
  }

  toggleMusic() {
    if (!this.music) return;
    if (this.music.paused) {
      this.musicStopped = false;
      this.music.play().catch(() => {});
    } else {
      this.musicStopped = true;
      this.music.pause();
    }
  }

  // Analytics only when the publisher set an id, and never from disk.
  setupAnalytics() {
    const id = this.book.analyticsId;
    if (!id || !/^(UA|G|GT|AW)-[A-Z0-9-]+$/i.test(id) || !/^https?:$/.test(location.protocol)) return;
    window.dataLayer = window.dataLayer || [];
    window.gtag = function gtag() {
      window.dataLayer.push(arguments);
    };
    window.gtag('js', new Date());
    window.gtag('config', id);
    const s = el('script', { async: true, src: `https://www.googletagmanager.com/gtag/js?id=${encodeURIComponent(id)}` });
    document.head.append(s);
    this.flip.on('flip', () => window.gtag('event', 'page_view', { page_title: `${this.book.title} – ${this.current() + 1}` }));
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
