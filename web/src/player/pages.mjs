// Page loading: filling the pages near the reader with their image or vector
// drawing, and emptying far ones again.
// The methods are part of Player (player.mjs), which mixes them in.
import { el } from './dom.mjs';
import * as vector from 'foliant-vector';
import { loadBinary } from './loader.mjs';

export class PageLoading {
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
      this.addText(i);
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
    const aspect = await vector.renderVectorPage(bytes, canvas, cssW, cssH, scale);
    canvas.dataset.scale = String(scale);
    if (aspect > 0) canvas.dataset.aspect = String(aspect);
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
}
