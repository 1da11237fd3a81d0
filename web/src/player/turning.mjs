// Page turning: the page turner, where the reader is in the book, and moving
// through it (buttons, keys, links and the automatic turn all end here).
// The methods are part of Player (player.mjs), which mixes them in.
import { el, reducedMotion } from './dom.mjs';
import { createFlip, setTurnTime, spreadBlock } from './flip-adapter.mjs';
import { playFlipSound } from './sound.mjs';
export class Turning {
  buildBook() {
    const P = this.book.pages;
    const list = P.list;
    this.count = list.length;
    const pw = P.largeWidth || P.width || 600;
    const ph = P.largeHeight || P.height || 800;
    this.pageSize = { w: pw, h: ph };
    // Each page's element is a copy of one made once and its label one text
    // with the number put in: a thousand pages take a few milliseconds.
    const proto = el('div', { class: 'fo-page', role: 'group' });
    const label = this.t('pageOf', { n: '\u0000', total: list.length });
    this.pageEls = list.map((p, i) => {
      const page = proto.cloneNode(false);
      page.dataset.page = String(i + 1);
      page.setAttribute('aria-label', label.replace('\u0000', String(i + 1)));
      return page;
    });
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
    // The page turner only reads left to right, so a right-to-left book hands
    // it the pages back to front; everything else keeps counting book pages.
    this.flip = createFlip(this.flipEl, opts, this.rtl ? [...this.pageEls].reverse() : this.pageEls);
    // With less motion asked for, pages change without the turn animation.
    const motion = window.matchMedia?.('(prefers-reduced-motion: reduce)');
    const turnTime = () => setTurnTime(this.flip, reducedMotion() ? 1 : opts.flippingTime);
    turnTime();
    motion?.addEventListener?.('change', turnTime);
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

  addThickness() {
    if (this.book.thickness <= 0 || this.count < 4) return;
    const block = spreadBlock(this.flipEl);
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

  focusNeighbour(b) {
    const all = [...this.toolbar.querySelectorAll('button,input')];
    const at = all.indexOf(b);
    for (let d = 1; d < all.length; d++) {
      for (const x of [all[at + d], all[at - d]]) {
        if (x && !x.disabled) return x.focus();
      }
    }
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
      const b = this.buttons[name];
      if (!b || b.disabled === off) continue;
      // A focused button that is switched off hands focus to its nearest
      // working neighbour in the toolbar, not to the page body.
      const had = off && document.activeElement === b;
      b.disabled = off;
      if (had) this.focusNeighbour(b);
    }
    this.ensurePages(index);
    this.updateThickness();
    this.turnCube(index);
    this.markThumb();
    if (this.buttons.bookmark) this.buttons.bookmark.setAttribute('aria-pressed', String(this.bookmarks.has(vis[0])));
    this.renderZoomedVectors();
    this.onTextPage(vis);
  }

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
}
