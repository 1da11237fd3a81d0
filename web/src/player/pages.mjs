// Page loading: filling the pages near the reader with their image or vector
// drawing, and emptying far ones again.
// The methods are part of Player (player.mjs), which mixes them in.
import { afterPaint, el } from './dom.mjs';
import * as vector from 'foliant-vector';
import { loadBinary } from './loader.mjs';

// Resolves when the browser reports a paint that shows `img` (its largest
// paint so far, or a later one), which on a busy device can be many frames
// after the image was decoded. Without an image or such reports, two frames;
// after input, which ends the reports, or three seconds at most, at once.
function largestPaint(img) {
  if (!img || !window.PerformanceObserver?.supportedEntryTypes?.includes('largest-contentful-paint')) return afterPaint();
  const ready = performance.now();
  return new Promise((resolve) => {
    const events = ['pointerdown', 'keydown'];
    const done = () => {
      observer.disconnect();
      clearTimeout(timer);
      for (const e of events) removeEventListener(e, done, true);
      resolve();
    };
    const observer = new PerformanceObserver((list) => list.getEntries().some((e) => e.element === img || e.startTime >= ready) && done());
    const timer = setTimeout(done, 3000);
    for (const e of events) addEventListener(e, done, true);
    observer.observe({ type: 'largest-contentful-paint', buffered: true });
  });
}

export class PageLoading {
  // The pages in view are filled first and at high priority, their
  // neighbours (one spread each way) only after them; far pages are never
  // fetched, and ones the reader left far behind are emptied again so a
  // long book keeps a small, constant memory footprint.
  ensurePages(index) {
    const far = (i) => i < index - 16 || i > index + 18;
    for (const [i, state] of this.loaded) {
      if (far(i) && state !== 'missing') {
        this.pageEls[i].replaceChildren();
        this.loaded.delete(i);
      }
    }
    const vis = this.visiblePages();
    const first = Math.min(...vis);
    const last = Math.max(...vis);
    const want = (i) => i >= 0 && i < this.count && !this.loaded.has(i);
    const seq = (this.fillSeq = (this.fillSeq || 0) + 1);
    const shown = vis.filter(want).map((i) => this.fillPage(i, 'high'));
    const around = [last + 1, last + 2, first - 1, first - 2];
    // Neighbours wait for a quiet moment, so their decoding never competes
    // with a turn or a gesture of the reader.
    const quiet = () => new Promise((r) => (window.requestIdleCallback ? requestIdleCallback(r, { timeout: 1500 }) : setTimeout(r, 200)));
    // The neighbours and the sharper page images start only once the pages
    // in view are on the screen, so they never share the network with them.
    Promise.allSettled(shown).then(async () => {
      await this.onScreen();
      this.sharpenImages();
      await quiet();
      for (const i of around) {
        // The reader moved on: the newer call loads what is near now.
        if (seq !== this.fillSeq) return;
        if (!want(i)) continue;
        const filled = this.fillPage(i, 'low');
        // Vector pages are parsed and drawn one at a time, each in its own
        // task, so turning pages stays responsive; images load side by side.
        if (this.isVector(i)) await filled;
      }
    });
  }

  // Resolves once what was put in view so far is on the screen, and never
  // before the first page is.
  onScreen() {
    return Promise.all([this.firstPaint, afterPaint()]);
  }

  isVector(i) {
    return /\.swf$/i.test(this.book.pages.list[i].normal);
  }

  fillPage(i, priority = 'auto') {
    const page = this.book.pages.list[i];
    const host = this.pageEls[i];
    this.loaded.set(i, 'loading');
    const inner = el('div', { class: 'fo-page-inner' }, el('div', { class: 'fo-spinner', 'aria-hidden': 'true' }));
    // The small thumbnail stands in until the page itself arrives.
    const placeholder = () => {
      if (page.thumb && page.thumb !== page.normal) inner.style.backgroundImage = `url("${this.url(page.thumb)}")`;
    };
    host.replaceChildren(inner);
    host.classList.remove('fo-missing');
    const done = () => {
      inner.querySelector('.fo-spinner')?.remove();
      this.loaded.set(i, 'ready');
      host.dataset.ready = 'true';
      if (!this.firstShown && this.visiblePages().includes(i)) {
        this.firstShown = true;
        performance.mark?.('foliant-first-page');
        this.firstPaint = largestPaint(inner.querySelector('img.fo-face'));
      }
      this.addItems(i, inner);
      // The words wait until the page is on the screen, so a slow connection
      // carries the page alone.
      this.onScreen().then(() => this.loaded.get(i) === 'ready' && this.addText(i));
    };
    const missing = (err) => {
      this.loaded.set(i, 'missing');
      this.missing.add(i);
      host.classList.add('fo-missing');
      host.dataset.ready = 'missing';
      inner.style.backgroundImage = '';
      inner.replaceChildren(el('p', { text: this.t('err_page', { n: i + 1 }) }));
      this.root.dataset.missing = String(this.missing.size);
      if (err) console.warn('foliant player:', err.message || err);
    };
    if (this.isVector(i)) {
      placeholder();
      return this.fillVector(i, page, inner).then(done, (err) => {
        // Without the vector data the thumbnail is better than a hole.
        if (page.thumb && page.thumb !== page.normal) {
          return this.fillImage(inner, page.thumb).then(done, () => missing(err));
        }
        missing(err);
      });
    }
    const filled = this.fillImage(inner, page.normal, priority, this.screenPath(page.normal)).then(done, missing);
    // Not needed when the page came at once (the HTML page asked for it early).
    if (!inner.querySelector('img.fo-face')?.complete) placeholder();
    return filled;
  }

  // The screen-sized copy publishing makes of a JPEG page image
  // ("page/3.jpg" -> "page/3.screen.jpg"); none once a book showed it has none.
  screenPath(path) {
    return this.noScreen || !/\.jpe?g$/i.test(path) ? '' : path.replace(/\.jpe?g$/i, '.screen.jpg');
  }

  // Shows the page image at `path`, or first its screen-sized copy `screen`
  // when there is one: a slow connection shows that long before the page
  // image, which sharpenImages() puts in its place when the page needs it.
  fillImage(inner, path, priority = 'auto', screen = '') {
    return new Promise((resolve, reject) => {
      const img = el('img', { class: 'fo-face', alt: '', draggable: 'false', decoding: 'async', fetchpriority: priority });
      // Decoded before it counts as shown, so the frame after shows it.
      img.onload = () => {
        if (img.dataset.full) this.screenSeen = true;
        img.decode().then(resolve, resolve);
      };
      img.onerror = () => {
        if (img.dataset.full) {
          // Published without screen-sized copies (an older book): the page
          // image itself, and no more asking for copies.
          if (!this.screenSeen) this.noScreen = true;
          delete img.dataset.full;
          img.src = this.url(path);
          return;
        }
        img.remove();
        reject(new Error(`cannot load ${path}`));
      };
      if (screen) img.dataset.full = path;
      img.src = this.url(screen || path);
      // In the document at once, so the page's load event waits for the
      // pages in view (the spinner above it hides the image until then).
      inner.prepend(img);
    });
  }

  // The vector page the reader opens on is asked for as soon as the page
  // list is known, while the book around it is being built.
  prefetchPage(i) {
    if (!vector.available || !this.isVector(i)) return;
    this.early = { i, bytes: loadBinary(this.base, this.book.pages.list[i].normal) };
    this.early.bytes.catch(() => {});
  }

  async fillVector(i, page, inner) {
    if (!vector.available) throw new Error('no vector renderer');
    const early = this.early?.i === i ? this.early.bytes : null;
    this.early = null;
    const load = () => loadBinary(this.base, page.normal);
    const bytes = await (early ? early.catch(load) : load());
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
    const sharp = Math.min(8, (window.devicePixelRatio || 1) * zoom);
    // The first pages are drawn here: a worker would first have to start and
    // compile the parser, which takes longer than drawing them. On a dense
    // screen they are drawn at one pixel per CSS pixel first, and at the
    // screen's density once the first page is on the screen.
    const first = !this.firstShown;
    const scale = first ? Math.min(sharp, 1) : sharp;
    const aspect = await vector.renderVectorPage(bytes, canvas, cssW, cssH, scale, first);
    if (scale < sharp) this.onScreen().then(() => this.renderZoomedVectors());
    canvas.dataset.scale = String(scale);
    if (aspect > 0) canvas.dataset.aspect = String(aspect);
  }

  // The pages in view shown from their screen-sized copy move to the page
  // image when the copy has fewer pixels than the page covers on the screen,
  // and always when zoomed in. The page image is decoded before it takes the
  // copy's place in the same element, so the page never blinks.
  sharpenImages() {
    // Never before the first page is on the screen, which it would slow down.
    this.firstPaint?.then(() => this.sharpenNow());
  }

  sharpenNow() {
    const dpr = window.devicePixelRatio || 1;
    for (const i of this.visiblePages()) {
      const img = this.pageEls[i]?.querySelector('img.fo-face[data-full]');
      if (!img?.naturalWidth || img.sharpening) continue;
      if (this.zoom === 1 && img.naturalWidth >= img.clientWidth * dpr * 0.98) continue;
      const full = this.url(img.dataset.full);
      const next = new Image();
      next.src = full;
      img.sharpening = next.decode().then(
        () => {
          img.src = full;
          delete img.dataset.full;
        },
        // Without the page image the copy stays; a later zoom tries again.
        () => (img.sharpening = null),
      );
    }
  }

  // Redraws the vector pages in view whose pixels no longer match their size
  // on screen (after zooming, resizing or a move to another screen).
  renderZoomedVectors() {
    clearTimeout(this.zoomRedraw);
    this.zoomRedraw = setTimeout(() => {
      this.sharpenImages();
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
}
