// The page-turning phone player. Its settings are the object `bookConfig`
// that publishing appends to javascript/main.js, on top of the defaults in
// main_preview.js.
import { PageFlip } from 'page-flip';
import { isOn, number, pageFiles, el, share, toast, onSwipe, openModal } from '../common.js';
import { FlipText } from './text.js';

const FALLBACK = {
  bookTitle: '',
  bookDescription: '',
  appLogoIcon: '',
  appLogoLinkURL: '',
  ShareButtonVisible: 'Show',
  ThumbnailsButtonVisible: 'Show',
  ZoomButtonVisible: 'Show',
  enableAutoPlay: 'No',
  autoPlayDuration: 3,
  autoPlayLoopCount: 0,
  bgBeginColor: '#FF9900',
  bgEndColor: '#e8ac4d',
  bgMRotation: 90,
  backGroundImgURL: '',
  RightToLeft: 'No',
  pageBackgroundColor: '#30373A',
  totalPageCount: 0,
  largePageWidth: 600,
  largePageHeight: 800,
  normalPath: '../files/mobile/',
  largePath: '../files/mobile/',
  thumbPath: '../files/mobile/',
};

function settings() {
  const published = typeof bookConfig === 'object' && bookConfig ? bookConfig : {}; // eslint-disable-line no-undef
  const defaults = typeof window.bookConfigDefaults === 'object' ? window.bookConfigDefaults : {};
  return { ...FALLBACK, ...defaults, ...published };
}

const icon = (d) => {
  const s = document.createElementNS('http://www.w3.org/2000/svg', 'svg');
  s.setAttribute('viewBox', '0 0 24 24');
  s.innerHTML = `<path d="${d}"/>`;
  return s;
};
const ICONS = {
  prev: 'M15 5l-7 7 7 7',
  next: 'M9 5l7 7-7 7',
  grid: 'M4 4h6v6H4zM14 4h6v6h-6zM4 14h6v6H4zM14 14h6v6h-6z',
  zoom: 'M10 4a6 6 0 100 12 6 6 0 000-12zM15 15l5 5M10 7v6M7 10h6',
  share: 'M12 3v12M7 8l5-5 5 5M5 13v7h14v-7',
  play: 'M8 5v14l11-7z',
  pause: 'M7 5h4v14H7zM13 5h4v14h-4z',
  close: 'M6 6l12 12M18 6L6 18',
  search: 'M10.5 4a6.5 6.5 0 1 0 0 13a6.5 6.5 0 1 0 0-13M20 20l-4.8-4.8',
  contents: 'M4 6h2M9 6h11M4 12h2M9 12h11M4 18h2M9 18h11',
};

class FlipPlayer {
  constructor(cfg) {
    this.cfg = cfg;
    this.rtl = isOn(cfg.RightToLeft);
    this.files = [];
    this.autoTimer = 0;
    this.rounds = 0;
    this.text = new FlipText(this);
  }

  async start() {
    const cfg = this.cfg;
    this.applyLook();
    this.buildUi();
    this.files = await pageFiles(cfg.normalPath, cfg.totalPageCount, cfg.pageFiles);
    if (this.files.length === 0) {
      this.stage.append(el('p', { class: 'empty' }, 'This book has no pages.'));
      document.body.dataset.ready = 'true';
      return;
    }
    this.buildBook();
    if (isOn(cfg.enableAutoPlay)) this.play();
    document.body.dataset.ready = 'true';
  }

  applyLook() {
    const cfg = this.cfg;
    const root = document.documentElement.style;
    // The gradient angle counts like the desktop player's: 90 runs top to bottom.
    const angle = number(cfg.bgMRotation, 90) + 90;
    let background = `linear-gradient(${angle}deg, ${cfg.bgBeginColor}, ${cfg.bgEndColor})`;
    if (cfg.backGroundImgURL) {
      // Resolved here: inside a custom property a relative address would be
      // read against the style sheet's folder instead of the page's.
      const url = new URL(cfg.backGroundImgURL, location.href).href;
      background = `url("${url.replace(/"/g, '%22')}") center / cover no-repeat, ${background}`;
    }
    root.setProperty('--book-background', background);
    root.setProperty('--bar-colour', cfg.pageBackgroundColor || '#30373A');
    root.setProperty('--page-ratio', String(Math.max(1, number(cfg.largePageWidth, 600)) / Math.max(1, number(cfg.largePageHeight, 800))));
    document.documentElement.dir = this.rtl ? 'rtl' : 'ltr';
    document.title = cfg.bookTitle || document.title;
  }

  button(name, label, onClick) {
    const b = el('button', { type: 'button', class: `btn btn-${name}`, 'aria-label': label, title: label, onclick: onClick }, icon(ICONS[name]));
    return b;
  }

  buildUi() {
    const cfg = this.cfg;
    const top = el('header', { class: 'bar top' });
    if (cfg.appLogoIcon) {
      const logo = el('img', { class: 'logo', src: cfg.appLogoIcon, alt: '' });
      top.append(cfg.appLogoLinkURL ? el('a', { href: cfg.appLogoLinkURL, target: '_blank', rel: 'noopener' }, logo) : logo);
    }
    top.append(el('h1', { class: 'title' }, cfg.bookTitle || ''));
    if (isOn(cfg.ShareButtonVisible)) top.append(this.button('share', 'Share', () => share(cfg.bookTitle)));
    this.stage = el('main', { class: 'stage' });
    this.bookEl = el('div', { class: 'book' });
    this.stage.append(this.bookEl);
    this.counter = el('span', { class: 'counter', 'aria-live': 'polite' });
    const bottom = el('footer', { class: 'bar bottom' });
    this.prevBtn = this.button('prev', 'Previous page', () => this.step(-1, true));
    this.nextBtn = this.button('next', 'Next page', () => this.step(1, true));
    bottom.append(this.prevBtn);
    if (isOn(cfg.ThumbnailsButtonVisible)) bottom.append(this.button('grid', 'Pages', () => this.showThumbs()));
    bottom.append(this.counter);
    if (isOn(cfg.ZoomButtonVisible)) bottom.append(this.button('zoom', 'Zoom', () => this.showZoom()));
    this.playBtn = this.button('play', 'Play', () => (this.autoTimer ? this.stop() : this.play()));
    bottom.append(this.playBtn, this.nextBtn);
    document.body.append(top, this.stage, bottom);
    this.text.setup(bottom, this.playBtn);
  }

  buildBook() {
    const cfg = this.cfg;
    const order = this.rtl ? [...this.files].reverse() : this.files;
    // Images get their address only when they come near the reader
    // (nearPages), so a visit fetches a few pages, not the whole book.
    this.pageImgs = [];
    const pages = order.map((name, i) => {
      const n = this.rtl ? order.length - i : i + 1;
      const img = el('img', { 'data-src': cfg.normalPath + name, alt: `Page ${n}`, draggable: 'false' });
      this.pageImgs[n - 1] = img;
      return el('div', { class: 'page' }, img);
    });
    this.bookEl.append(...pages);
    const w = Math.max(1, number(cfg.largePageWidth, 600));
    const h = Math.max(1, number(cfg.largePageHeight, 800));
    // The book shows one page at a time unless two pages side by side would
    // still be reasonably large: upright phones read single pages.
    const stageHeight = Math.max(100, this.stage.clientHeight - 20);
    const single = Math.max(100, Math.round(stageHeight * (w / h) * 0.7));
    this.flip = new PageFlip(this.bookEl, {
      width: w,
      height: h,
      size: 'stretch',
      minWidth: single,
      maxWidth: 4000,
      minHeight: 0,
      maxHeight: (4000 * h) / w,
      usePortrait: true,
      showCover: false,
      maxShadowOpacity: 0.4,
      mobileScrollSupport: false,
      // With less motion asked for, a turn takes one frame: no fold is drawn.
      flippingTime: window.matchMedia?.('(prefers-reduced-motion: reduce)').matches ? 1 : 600,
      // Swipes and taps are read below: the library's own swipe must finish
      // within a quarter second, which slow phones and hurried thumbs miss.
      useMouseEvents: false,
      startPage: this.rtl ? pages.length - 1 : 0,
    });
    this.flip.loadFromHTML(pages);
    // The library turns its minimum size into a CSS minimum; the stage decides.
    this.bookEl.style.minWidth = '0';
    this.bookEl.style.minHeight = '0';
    this.flip.on('flip', () => this.update());
    this.flip.on('changeOrientation', () => this.update());
    // Any touch on the book hands control back to the reader.
    this.stage.addEventListener('touchstart', () => this.stop(), { passive: true });
    // Pages lie left to right on screen whatever the reading direction, so a
    // swipe to the left always shows the page on the right.
    onSwipe(this.stage, (dir) => (dir < 0 ? this.flip.flipNext() : this.flip.flipPrev()));
    this.stage.addEventListener('click', (ev) => {
      const r = this.stage.getBoundingClientRect();
      const at = (ev.clientX - r.left) / r.width;
      this.stop();
      if (at > 0.66) this.flip.flipNext();
      else if (at < 0.33) this.flip.flipPrev();
    });
    document.addEventListener('keydown', (ev) => {
      if (ev.key === 'ArrowRight') this.step(this.rtl ? -1 : 1, true);
      if (ev.key === 'ArrowLeft') this.step(this.rtl ? 1 : -1, true);
    });
    this.update();
  }

  /** The image of book page `i` (from 0). */
  pageImage(i) {
    return this.pageImgs?.[i] || null;
  }

  /** Reading position, counted from 0, of the page on show. */
  current() {
    const shown = this.flip.getCurrentPageIndex();
    return this.rtl ? this.files.length - 1 - shown : shown;
  }

  /** Gives the pages near the one on show their images, that one first. */
  nearPages() {
    const shown = this.current();
    const order = [0, 1, -1, 2, -2].map((d) => shown + d);
    for (const i of order) {
      const img = this.pageImgs[i];
      if (!img || img.src) continue;
      img.fetchPriority = i === shown ? 'high' : 'low';
      img.src = img.dataset.src;
    }
  }

  update() {
    this.nearPages();
    const n = this.current() + 1;
    this.counter.textContent = `${n} / ${this.files.length}`;
    document.body.dataset.page = String(n);
    this.text.near(n - 1, this.files.length);
    const atStart = n <= 1;
    const atEnd = n >= this.files.length;
    this.prevBtn.disabled = atStart;
    this.nextBtn.disabled = atEnd;
  }

  /** Moves one page on in reading order (+1) or back (-1). */
  step(delta, byUser = false) {
    if (byUser) this.stop();
    const forward = delta > 0;
    if (forward !== this.rtl) this.flip.flipNext();
    else this.flip.flipPrev();
  }

  goTo(index) {
    const shown = this.rtl ? this.files.length - 1 - index : index;
    this.flip.turnToPage(Math.max(0, Math.min(this.files.length - 1, shown)));
    this.update();
  }

  play() {
    if (this.autoTimer || !this.flip) return;
    const seconds = Math.max(0.5, number(this.cfg.autoPlayDuration, 3));
    const loops = Math.max(0, Math.floor(number(this.cfg.autoPlayLoopCount, 0)));
    this.rounds = 0;
    this.autoTimer = setInterval(() => {
      if (this.current() < this.files.length - 1) {
        this.step(1);
        return;
      }
      this.rounds += 1;
      // A loop count of 0 plays on without end.
      if (loops > 0 && this.rounds >= loops) {
        this.stop();
        return;
      }
      this.goTo(0);
    }, seconds * 1000);
    this.playBtn.replaceChildren(icon(ICONS.pause));
    this.playBtn.setAttribute('aria-label', 'Pause');
    document.body.dataset.playing = 'true';
  }

  stop() {
    if (!this.autoTimer) return;
    clearInterval(this.autoTimer);
    this.autoTimer = 0;
    this.playBtn.replaceChildren(icon(ICONS.play));
    this.playBtn.setAttribute('aria-label', 'Play');
    delete document.body.dataset.playing;
  }

  showThumbs() {
    this.stop();
    const sheet = el('div', { class: 'sheet', role: 'dialog', 'aria-label': 'Pages' });
    let close = null;
    sheet.append(this.button('close', 'Close', () => close()));
    const grid = el('div', { class: 'grid', role: 'list' });
    // The book's thumbnails when publishing wrote them, else the page images.
    const thumbs = this.cfg.thumbPath !== this.cfg.normalPath ? this.cfg.thumbPath : '../files/thumb/';
    let current = null;
    this.files.forEach((name, i) => {
      const img = el('img', { src: thumbs + name, alt: '', loading: 'lazy' });
      img.addEventListener('error', () => img.src !== this.cfg.normalPath + name && (img.src = this.cfg.normalPath + name), { once: true });
      const cell = el(
        'button',
        { type: 'button', class: 'cell' + (i === this.current() ? ' current' : ''), 'aria-label': `Page ${i + 1}`, onclick: () => (close(), this.goTo(i)) },
        img,
        el('span', { 'aria-hidden': 'true' }, String(i + 1))
      );
      if (i === this.current()) {
        cell.setAttribute('aria-current', 'page');
        current = cell;
      }
      grid.append(el('div', { role: 'listitem' }, cell));
    });
    sheet.append(grid);
    close = openModal(sheet);
    current?.focus();
    current?.scrollIntoView({ block: 'center' });
  }

  showZoom() {
    this.stop();
    const name = this.files[this.current()];
    const box = el('div', { class: 'zoom', role: 'dialog', 'aria-label': 'Zoomed page' });
    const img = el('img', { src: this.cfg.largePath + name, alt: `Page ${this.current() + 1}` });
    // The scroller takes focus, so the keyboard can scroll it too.
    const scroller = el('div', { class: 'scroller', tabindex: '0', role: 'group', 'aria-label': 'Zoomed page, scrollable' }, img);
    let close = null;
    box.append(this.button('close', 'Close', () => close()), scroller);
    close = openModal(box);
    toast('Drag to look around');
  }
}

function boot() {
  const player = new FlipPlayer(settings());
  window.flipPlayer = player;
  player.start().catch((err) => {
    document.body.dataset.ready = 'true';
    document.body.append(el('p', { class: 'empty' }, 'The book could not be opened.'));
    console.error(err);
  });
}

if (document.readyState === 'loading') document.addEventListener('DOMContentLoaded', boot);
else boot();
