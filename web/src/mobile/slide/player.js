// The sliding phone player. Publishing fills its page's options placeholder
// with the page size, the page count, the image folders and the book's look:
// title, logo, colours, background, reading direction and automatic turning.
import { AutoPlay, bookBackground, isOn, pageFiles, el, number, onSwipe } from '../common.js';

const ICON = {
  prev: 'M15 5l-7 7 7 7',
  next: 'M9 5l7 7-7 7',
  play: 'M8 5v14l11-7z',
  pause: 'M7 5h4v14H7zM13 5h4v14h-4z',
};

function icon(d) {
  const s = document.createElementNS('http://www.w3.org/2000/svg', 'svg');
  s.setAttribute('viewBox', '0 0 24 24');
  s.innerHTML = `<path d="${d}"/>`;
  return s;
}

class SlidePlayer {
  constructor(options) {
    this.opt = {
      pageWidth: 600,
      pageHeight: 800,
      totalPage: 0,
      normalPageDir: '../files/mobile/',
      zoomPageDir: '../files/mobile/',
      bookTitle: '',
      appLogoIcon: '',
      appLogoLinkURL: '',
      enableAutoPlay: 'No',
      autoPlayDuration: 3,
      autoPlayLoopCount: 0,
      bgBeginColor: '#FF9900',
      bgEndColor: '#e8ac4d',
      bgMRotation: 90,
      backGroundImgURL: '',
      RightToLeft: 'No',
      ...options,
    };
    this.rtl = isOn(this.opt.RightToLeft);
    // Pages lie in reading order from the side the book opens on.
    this.ahead = this.rtl ? -1 : 1;
    this.index = 0;
    this.zoomed = false;
  }

  async start() {
    this.build();
    this.files = await pageFiles(this.opt.normalPageDir, this.opt.totalPage, this.opt.pageFiles);
    if (this.files.length === 0) {
      this.viewport.append(el('p', { class: 'empty' }, 'This book has no pages.'));
      document.body.dataset.ready = 'true';
      return;
    }
    this.slides = this.files.map((name, i) =>
      el('div', { class: 'slide' }, el('img', { 'data-src': this.opt.normalPageDir + name, alt: `Page ${i + 1}`, draggable: 'false' }))
    );
    this.track.append(...this.slides);
    const fromHash = /^#page=(\d+)$/.exec(location.hash);
    this.show(fromHash ? Number(fromHash[1]) - 1 : 0, false);
    this.auto = new AutoPlay({
      seconds: this.opt.autoPlayDuration,
      rounds: this.opt.autoPlayLoopCount,
      count: () => this.files.length,
      at: () => this.index,
      next: () => this.show(this.index + 1),
      first: () => this.show(0),
      onChange: (playing) => {
        this.playBtn.replaceChildren(icon(playing ? ICON.pause : ICON.play));
        this.playBtn.setAttribute('aria-label', playing ? 'Pause' : 'Play');
        if (playing) document.body.dataset.playing = 'true';
        else delete document.body.dataset.playing;
      },
    });
    if (this.files.length < 2) this.playBtn.style.display = 'none';
    if (isOn(this.opt.enableAutoPlay)) this.auto.play();
    document.body.dataset.ready = 'true';
  }

  /** Hands the pages back to the reader: any turn by hand stops the automatic one. */
  byHand(index) {
    this.auto?.stop();
    this.show(index);
  }

  applyLook() {
    const opt = this.opt;
    const root = document.documentElement;
    root.style.setProperty('--book-background', bookBackground(opt));
    root.dir = this.rtl ? 'rtl' : 'ltr';
    if (opt.bookTitle) document.title = opt.bookTitle;
    if (opt.appLogoIcon) {
      const logo = el('img', { class: 'logo', src: opt.appLogoIcon, alt: '' });
      const link = opt.appLogoLinkURL ? el('a', { href: opt.appLogoLinkURL, target: '_blank', rel: 'noopener' }, logo) : logo;
      document.querySelector('.bar.top')?.prepend(link);
    }
  }

  build() {
    const w = Math.max(1, number(this.opt.pageWidth, 600));
    const h = Math.max(1, number(this.opt.pageHeight, 800));
    document.documentElement.style.setProperty('--page-ratio', String(w / h));
    this.applyLook();
    this.viewport = el('main', { class: 'viewport' });
    this.track = el('div', { class: 'track' });
    this.viewport.append(this.track);
    this.counter = el('span', { class: 'counter', 'aria-live': 'polite' });
    this.prevBtn = el('button', { type: 'button', class: 'btn btn-turn', 'aria-label': 'Previous page', onclick: () => this.byHand(this.index - 1) }, icon(ICON.prev));
    this.nextBtn = el('button', { type: 'button', class: 'btn btn-turn', 'aria-label': 'Next page', onclick: () => this.byHand(this.index + 1) }, icon(ICON.next));
    this.playBtn = el('button', { type: 'button', class: 'btn btn-play', 'aria-label': 'Play', onclick: () => (this.auto.playing ? this.auto.stop() : this.auto.play()) }, icon(ICON.play));
    const bar = el('footer', { class: 'bar bottom' }, this.prevBtn, this.counter, this.playBtn, this.nextBtn);
    document.querySelector('.app').append(this.viewport, bar);
    this.followFinger();
    onSwipe(this.viewport, (dir) => {
      if (!this.zoomed) this.byHand(this.index - dir * this.ahead);
    });
    this.viewport.addEventListener('touchstart', () => this.auto?.stop(), { passive: true });
    // Two quick taps zoom; a swipe is no tap, however quickly it follows one.
    let lastTap = 0;
    let down = null;
    this.viewport.addEventListener(
      'touchstart',
      (ev) => {
        const t = ev.touches[0];
        down = ev.touches.length === 1 ? { x: t.clientX, y: t.clientY, time: Date.now() } : null;
      },
      { passive: true }
    );
    this.viewport.addEventListener('touchend', (ev) => {
      const t = ev.changedTouches[0];
      const tap = down && Math.hypot(t.clientX - down.x, t.clientY - down.y) < 10 && Date.now() - down.time < 300;
      down = null;
      if (!tap) {
        lastTap = 0;
        return;
      }
      const now = Date.now();
      if (now - lastTap < 300) {
        lastTap = 0;
        this.toggleZoom();
      } else {
        lastTap = now;
      }
    });
    this.viewport.addEventListener('dblclick', () => this.toggleZoom());
    document.addEventListener('keydown', (ev) => {
      if (ev.key === 'PageDown') this.byHand(this.index + 1);
      if (ev.key === 'PageUp') this.byHand(this.index - 1);
      if (ev.key === 'ArrowRight') this.byHand(this.index + this.ahead);
      if (ev.key === 'ArrowLeft') this.byHand(this.index - this.ahead);
    });
    window.addEventListener('resize', () => this.place(false));
  }

  // The track follows the finger while it moves; the swipe handler decides
  // where it settles.
  followFinger() {
    let startX = null;
    this.viewport.addEventListener(
      'touchstart',
      (ev) => {
        startX = !this.zoomed && ev.touches.length === 1 ? ev.touches[0].clientX : null;
        this.track.classList.add('dragging');
      },
      { passive: true }
    );
    this.viewport.addEventListener(
      'touchmove',
      (ev) => {
        if (startX === null) return;
        const dx = ev.touches[0].clientX - startX;
        this.track.style.transform = `translateX(calc(${-this.index * this.ahead * 100}% + ${dx}px))`;
      },
      { passive: true }
    );
    const end = () => {
      startX = null;
      this.track.classList.remove('dragging');
      this.place(true);
    };
    this.viewport.addEventListener('touchend', end, { passive: true });
    this.viewport.addEventListener('touchcancel', end, { passive: true });
  }

  show(index, animate = true) {
    if (!this.files || this.files.length === 0) return;
    this.index = Math.max(0, Math.min(this.files.length - 1, index));
    if (this.zoomed) this.toggleZoom();
    // Only the pages around the one on show are loaded.
    for (let i = this.index - 1; i <= this.index + 2; i++) {
      const img = this.slides[i] && this.slides[i].firstChild;
      if (img && !img.src) img.src = img.dataset.src;
    }
    this.place(animate);
    this.counter.textContent = `${this.index + 1} / ${this.files.length}`;
    document.body.dataset.page = String(this.index + 1);
    this.prevBtn.disabled = this.index === 0;
    this.nextBtn.disabled = this.index === this.files.length - 1;
  }

  place(animate) {
    this.track.classList.toggle('animate', animate);
    this.track.style.transform = `translateX(${-this.index * this.ahead * 100}%)`;
  }

  toggleZoom() {
    this.zoomed = !this.zoomed;
    const slide = this.slides && this.slides[this.index];
    if (!slide) return;
    slide.classList.toggle('zoomed', this.zoomed);
    const img = slide.firstChild;
    const big = this.opt.zoomPageDir + this.files[this.index];
    if (this.zoomed && img.getAttribute('src') !== big) img.src = big;
    document.body.classList.toggle('zoomed', this.zoomed);
  }
}

function boot() {
  const options = typeof window.fbbookOptions === 'object' && window.fbbookOptions ? window.fbbookOptions : {};
  const player = new SlidePlayer(options);
  window.slidePlayer = player;
  player.start().catch((err) => {
    document.body.dataset.ready = 'true';
    console.error(err);
  });
}

if (document.readyState === 'loading') document.addEventListener('DOMContentLoaded', boot);
else boot();
