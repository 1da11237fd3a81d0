// The book's words and structure: a transparent text layer over each shown
// page (selection, copy, screen readers), search with highlights, the table
// of contents, and the public API window.foliant.
// The methods are part of Player (player.mjs), which mixes them in.
//
// The words come from script sidecars written beside the pages (they load
// from disk as well as from a server): files/text/N.js per page and
// files/text/index.js for search; the outline from files/outline.js.
import { el } from './dom.mjs';
import { loadScript } from './loader.mjs';
import { TextIndex, highlightWords, MAX_QUERY } from './textsearch.mjs';

const SEARCH_ICON = 'M10.5 4a6.5 6.5 0 1 0 0 13a6.5 6.5 0 1 0 0-13M20 20l-4.8-4.8';
const CONTENTS_ICON = 'M4 6h2M9 6h11M4 12h2M9 12h11M4 18h2M9 18h11';
const MAX_LAYER_WORDS = 20000; // words of one page given a text layer
const LAYER_SLICE = 100; // words of the layer laid out in one frame
const MAX_LISTED = 300; // results listed in the search panel
const FIRST_LISTED = 40; // of them, listed at once

const icon = (d) => `<svg viewBox="0 0 24 24" aria-hidden="true" focusable="false"><path d="${d}"/></svg>`;
const escapeHtml = (s) => String(s).replace(/[&<>"]/g, (c) => ({ '&': '&amp;', '<': '&lt;', '>': '&gt;', '"': '&quot;' })[c]);

// The sidecars call these; one player per page.
let textPlayer = null;
window.__foliantText = (n, data) => textPlayer?.receivePageText(n - 1, data);
window.__foliantTextIndex = (pages) => textPlayer?.receiveIndex(pages);

function cleanOutline(items, count, depth = 0) {
  if (!Array.isArray(items) || depth > 32) return [];
  const out = [];
  for (const it of items) {
    const page = Number(it?.page);
    if (!Number.isInteger(page) || page < 1 || page > count) continue;
    out.push({ title: String(it.title ?? ''), page, children: cleanOutline(it.children, count, depth + 1) });
  }
  return out;
}

export class BookText {
  setupText() {
    textPlayer = this;
    this.pageText = new Map(); // book page index -> { t, b }
    this.textRequested = new Set();
    this.query = '';
    this.hits = [];
    this.hitAt = -1;
    this.outline = [];
    this.installApi();
    this.root.addEventListener('copy', (e) => this.copySelection(e));
    document.addEventListener('keydown', (e) => {
      const find = (e.ctrlKey || e.metaKey) && !e.altKey && e.key.toLowerCase() === 'f';
      const slash = e.key === '/' && !e.ctrlKey && !e.metaKey && this.shortcutsOn() && !this.topLayer() && !e.target.closest?.('input,textarea,[contenteditable]');
      if ((find || slash) && this.hasText) {
        e.preventDefault();
        this.openSearch();
      }
    });
    // Nothing of the text competes with the first page: the outline and the
    // page words load once it shows.
    this.waiting = [];
    // A first page that cannot be shown holds nothing back for long.
    setTimeout(() => {
      this.textGo = true;
      this.waiting.splice(0).forEach((f) => f());
    }, 4000);
    const outlineLoad = this.afterFirstPage(() => loadScript(this.base + 'outline.js', 8000)).then(
      () => {
        this.outline = cleanOutline(window.__foliantOutline, this.count);
        if (this.outline.length) this.addTextButton('contents', CONTENTS_ICON, this.t('contents'), () => this.toggleContents());
      },
      () => {},
    );
    this.textReady = outlineLoad.then(() => undefined);
    const m = location.hash.match(/[#&]search=([^&]*)/);
    if (m) {
      let q = m[1];
      try {
        q = decodeURIComponent(q.replace(/\+/g, ' '));
      } catch {}
      this.loadIndex().then(() => {
        if (!this.hasText) return;
        this.openSearch(q);
        this.runSearch(q, true);
      });
    }
  }

  installApi() {
    const player = this;
    window.foliant = {
      get pageCount() {
        return player.count;
      },
      get page() {
        return player.visiblePages()[0] + 1;
      },
      get outline() {
        return structuredClone(player.outline);
      },
      goToPage(n) {
        const i = Math.min(Math.max(Math.trunc(Number(n)) - 1, 0), player.count - 1);
        if (!Number.isFinite(i) || player.visiblePages().includes(i)) return;
        // No animation: a script expects to be there when the call returns.
        if (player.zoom !== 1) player.setZoom(1);
        player.flip.turnToPage(player.toFlip(i));
        player.onPage(player.current());
      },
      async search(text) {
        await player.loadIndex();
        return player.index ? player.index.search(text).map(({ page, snippet }) => ({ page, snippet })) : [];
      },
      ready: null,
    };
    window.foliant.ready = new Promise((resolve) => setTimeout(() => this.textReady.then(resolve), 0));
  }

  addTextButton(name, path, label, onclick) {
    if (this.buttons[name]) return;
    const b = el('button', { type: 'button', 'data-button': name, title: label, 'aria-label': label, 'aria-pressed': 'false', onclick, html: icon(path) });
    this.buttons[name] = b;
    let sep = this.toolbar.querySelector('.fo-sep');
    if (!sep) {
      sep = el('span', { class: 'fo-sep', 'aria-hidden': 'true' });
      this.toolbar.append(sep);
    }
    // Contents first, then search, right after the separator.
    const after = name === 'search' && this.buttons.contents ? this.buttons.contents : sep;
    after.after(b);
  }

  // Runs `job` (which returns a promise) once the first page shows.
  afterFirstPage(job) {
    if (this.firstShown || this.textGo) return job();
    return new Promise((resolve) => this.waiting.push(resolve)).then(job);
  }

  // ---- page text ------------------------------------------------------
  // Called when page i has been filled with its image or drawing.
  addText(i) {
    if ((this.firstShown || this.textGo) && this.waiting.length) {
      const go = this.waiting.splice(0);
      // After the frame that shows the first page, which they must not delay.
      this.onScreen().then(() => go.forEach((f) => f()));
    }
    if (!this.firstShown && !this.textGo) {
      this.afterFirstPage(async () => this.loaded.get(i) === 'ready' && this.addText(i));
      return;
    }
    if (this.pageText.has(i)) this.attachText(i);
    else if (!this.textRequested.has(i)) {
      this.textRequested.add(i);
      loadScript(`${this.base}text/${i + 1}.js`, 15000).catch(() => {
        this.textRequested.delete(i);
      });
    }
    if (this.firstShown && !this.indexRequested) {
      // The search index (the whole book's words) waits for the reader's
      // first action, so it never delays or blocks the opening of the book.
      this.indexRequested = true;
      const events = ['pointerdown', 'keydown', 'wheel', 'touchstart'];
      const first = () => {
        events.forEach((ev) => window.removeEventListener(ev, first, true));
        setTimeout(() => this.loadIndex(), 200);
      };
      events.forEach((ev) => window.addEventListener(ev, first, { capture: true, passive: true }));
    }
  }

  receivePageText(i, data) {
    if (!Number.isInteger(i) || i < 0 || i >= this.count || !data || !Array.isArray(data.t)) return;
    this.pageText.set(i, { t: data.t.map(String), b: Array.isArray(data.b) ? data.b : [] });
    if (!this.hasText) this.textAvailable();
    if (this.loaded.get(i) === 'ready') this.attachText(i);
  }

  textAvailable() {
    this.hasText = true;
    this.addTextButton('search', SEARCH_ICON, this.t('search'), () => this.openSearch());
  }

  attachText(i) {
    const inner = this.pageEls[i]?.querySelector('.fo-page-inner');
    const data = this.pageText.get(i);
    if (!inner || !data) return;
    inner.querySelector('.fo-text')?.remove();
    inner.querySelector('.fo-page-text')?.remove();
    const { w: W, h: H } = this.pageSize;
    const text = data.t.join('');
    // Screen readers get the page's text in one piece: as the text
    // alternative of a page image, or as a paragraph beside a drawing.
    const spoken = text.replace(/\s+/g, ' ').trim() || this.t('noText');
    const img = inner.querySelector('img.fo-face');
    if (img) img.alt = spoken;
    else inner.append(el('p', { class: 'fo-sr fo-page-text', text: spoken }));

    // Laid out at the page's own size and scaled to where it is shown, so the
    // font sizes hold at any size; the spoken text above is what assistive
    // technology reads, so the layer itself is hidden from it.
    const layer = el('div', { class: 'fo-text', 'aria-hidden': 'true', style: `width:${W}px;height:${H}px` });
    // Dragging across words selects them; the page margins still turn pages.
    layer.addEventListener('mousedown', (e) => {
      if (e.target !== layer) e.stopPropagation();
    });
    inner.append(layer);
    this.nameLinks(i, data);
    this.fitTextLayer(i);
    this.showHits(i);
    // Laying out hundreds of words takes a while: a slice of them per frame
    // keeps every frame short.
    const n = Math.min(data.t.length, MAX_LAYER_WORDS);
    const b = data.b;
    let w = 0;
    const slice = () => {
      if (!layer.isConnected) return;
      let html = '';
      for (const end = Math.min(n, w + LAYER_SLICE); w < end; w++) {
        const h = (b[4 * w + 3] * H) / 10000;
        if (!(h > 0)) continue;
        html += `<span data-w="${w}" style="left:${b[4 * w] / 100}%;top:${b[4 * w + 1] / 100}%;width:${b[4 * w + 2] / 100}%;height:${b[4 * w + 3] / 100}%;font-size:${(h * 0.86).toFixed(1)}px">${escapeHtml(data.t[w])}</span>`;
      }
      layer.insertAdjacentHTML('beforeend', html);
      if (w < n) requestAnimationFrame(slice);
    };
    slice();
  }

  // The part of the page box the page's content fills: all of it for an
  // image (stretched to the box), the fitted top left part for a drawing of
  // other proportions than the book's.
  contentBox(i) {
    const aspect = Number(this.pageEls[i]?.querySelector('canvas.fo-face')?.dataset.aspect);
    const book = this.pageSize.w / this.pageSize.h;
    if (!(aspect > 0)) return { w: 1, h: 1 };
    return aspect > book ? { w: 1, h: book / aspect } : { w: aspect / book, h: 1 };
  }

  fitTextLayer(i) {
    const host = this.pageEls[i];
    const layer = host?.querySelector('.fo-text');
    if (!layer || !host.clientWidth) return;
    const box = this.contentBox(i);
    layer.style.transform = `scale(${(host.clientWidth * box.w) / this.pageSize.w},${(host.clientHeight * box.h) / this.pageSize.h})`;
    const hits = host.querySelector('.fo-hits');
    if (hits) Object.assign(hits.style, { width: `${box.w * 100}%`, height: `${box.h * 100}%` });
  }

  // Copying gives the words in reading order with their own spaces and line
  // ends, not one word per line as the positioned spans would.
  copySelection(e) {
    const sel = window.getSelection();
    if (!sel || sel.isCollapsed) return;
    const parts = [];
    for (const layer of this.root.querySelectorAll('.fo-text')) {
      if (!sel.containsNode(layer, true)) continue;
      const i = parseInt(layer.closest('.fo-page').dataset.page, 10) - 1;
      const data = this.pageText.get(i);
      if (!data) continue;
      let page = '';
      for (const span of layer.children) if (sel.containsNode(span, true)) page += data.t[span.dataset.w];
      if (page) parts.push({ i, text: page.trim() });
    }
    if (!parts.length) return;
    parts.sort((a, b) => a.i - b.i);
    e.clipboardData.setData('text/plain', parts.map((p) => p.text).join('\n\n'));
    e.preventDefault();
  }

  // Called from onPage with the book pages in view.
  onTextPage(vis) {
    for (const i of vis) this.fitTextLayer(i);
    this.markSection(vis[vis.length - 1]);
    const first = vis[0] + 1;
    if (first !== this.lastAnnounced) {
      this.lastAnnounced = first;
      window.dispatchEvent(new CustomEvent('foliant:pagechange', { detail: { page: first, pages: vis.map((i) => i + 1) } }));
    }
  }

  // ---- search ---------------------------------------------------------
  loadIndex() {
    if (!this.indexLoad) {
      this.indexLoad = new Promise((resolve) => {
        this.indexResolve = resolve;
        loadScript(this.base + 'text/index.js', 30000).then(
          () => setTimeout(resolve, 0), // the callback has run; resolve in any case
          () => resolve(),
        );
      });
    }
    return this.indexLoad;
  }

  receiveIndex(pages) {
    if (!Array.isArray(pages) || this.index) return;
    this.index = new TextIndex(pages.slice(0, this.count));
    if (!this.hasText) this.textAvailable();
    this.index.warm();
    this.indexResolve?.();
  }

  openSearch(initial) {
    const t = this.t;
    if (!this.searchPanel) {
      this.searchInput = el('input', { type: 'search', maxlength: String(MAX_QUERY), 'aria-label': t('searchField'), placeholder: t('searchField'), autocomplete: 'off', spellcheck: 'false' });
      this.searchStatus = el('p', { class: 'fo-search-status', role: 'status', 'aria-live': 'polite' });
      this.searchList = el('ol', { class: 'fo-search-results', onclick: (e) => {
          const b = e.target.closest?.('button[data-hit]');
          if (b) this.gotoHit(Number(b.dataset.hit));
        } });
      const close = el('button', { type: 'button', class: 'fo-close', 'aria-label': t('close'), text: '×', onclick: () => this.closePanels() });
      this.searchPanel = el('div', { class: 'fo-panel fo-search', role: 'dialog', 'aria-modal': 'true', 'aria-label': t('search') }, [close, el('div', { role: 'search' }, this.searchInput), this.searchStatus, this.searchList]);
      let timer = 0;
      this.searchInput.addEventListener('input', () => {
        clearTimeout(timer);
        timer = setTimeout(() => this.runSearch(this.searchInput.value, false), 180);
      });
      this.searchInput.addEventListener('keydown', (e) => {
        if (e.key === 'Enter') {
          e.preventDefault();
          clearTimeout(timer);
          if (this.searchInput.value !== this.query) this.runSearch(this.searchInput.value, true);
          else this.gotoHit(this.hitAt + (e.shiftKey ? -1 : 1));
        }
      });
      this.root.append(this.searchPanel);
    }
    if (typeof initial === 'string') this.searchInput.value = initial.slice(0, MAX_QUERY);
    this.openLayer(this.searchPanel, this.searchInput, this.buttons.search);
    this.searchInput.select();
  }

  async runSearch(query, jump) {
    await this.loadIndex();
    if (!this.index) return;
    const t = this.t;
    this.query = query;
    this.hits = this.index.search(query);
    this.hitAt = -1;
    const pages = new Set(this.hits.map((h) => h.page)).size;
    this.searchStatus.textContent = !query.trim() ? '' : this.hits.length ? t('matches', { n: this.hits.length, p: pages }) : t('noMatches');
    // Markup rather than elements, and the first results at once: the rest
    // follow once those are on screen. Hundreds of results built element by
    // element kept the reader waiting.
    const page = escapeHtml(t('page'));
    const items = (from, to) => {
      let html = '';
      for (let k = from; k < to; k++) {
        const h = this.hits[k];
        const snip = h.snippet;
        const [before, word, after] = [snip.slice(0, h.start), snip.slice(h.start, h.start + h.length), snip.slice(h.start + h.length)].map(escapeHtml);
        html += `<li><button type="button" data-page="${h.page}" data-hit="${k}"><strong>${page} ${h.page}</strong><span>${before}<mark>${word}</mark>${after}</span></button></li>`;
      }
      return html;
    };
    const listed = Math.min(this.hits.length, MAX_LISTED);
    const first = Math.min(listed, FIRST_LISTED);
    const more = this.hits.length > MAX_LISTED ? `<li class="fo-search-more">${escapeHtml(t('moreMatches', { n: this.hits.length - MAX_LISTED }))}</li>` : '';
    this.searchList.innerHTML = items(0, first) + (first === listed ? more : '');
    const run = (this.listRun = (this.listRun || 0) + 1);
    if (first < listed)
      requestAnimationFrame(() =>
        setTimeout(() => {
          if (run !== this.listRun) return;
          this.searchList.insertAdjacentHTML('beforeend', items(first, listed) + more);
          if (this.hitAt >= first) this.markListed();
        }, 0),
      );
    if (jump && this.hits.length) this.gotoHit(0);
    else for (const i of this.pageText.keys()) this.showHits(i);
  }

  gotoHit(k) {
    if (!this.hits.length) return;
    this.hitAt = ((k % this.hits.length) + this.hits.length) % this.hits.length;
    const hit = this.hits[this.hitAt];
    this.go(hit.page - 1);
    this.searchStatus.textContent = this.t('match', { i: this.hitAt + 1, n: this.hits.length }) + ` — ${this.t('page')} ${hit.page}`;
    for (const i of this.pageText.keys()) this.showHits(i);
    this.markListed();
  }

  // Marks the current hit in the result list and brings it into view.
  markListed() {
    for (const b of this.searchList.querySelectorAll('[aria-current]')) b.removeAttribute('aria-current');
    const b = this.searchList.querySelector(`button[data-hit="${this.hitAt}"]`);
    if (b) {
      b.setAttribute('aria-current', 'true');
      b.scrollIntoView({ block: 'nearest' });
    }
  }

  // Marks the words of the current search on page i.
  showHits(i) {
    const inner = this.pageEls[i]?.querySelector('.fo-page-inner');
    const data = this.pageText.get(i);
    if (!inner || !data) return;
    inner.querySelector('.fo-hits')?.remove();
    if (!this.query.trim() || !this.hits.some((h) => h.page === i + 1)) return;
    const { words, starts } = highlightWords(data.t, this.query);
    const cur = this.hits[this.hitAt];
    const current = cur && cur.page === i + 1 ? starts[cur.index] : -1;
    const b = data.b;
    let html = '';
    for (const w of words) {
      const cls = w === current ? 'fo-hit fo-hit-current' : 'fo-hit';
      html += `<div class="${cls}" style="left:${b[4 * w] / 100}%;top:${b[4 * w + 1] / 100}%;width:${b[4 * w + 2] / 100}%;height:${b[4 * w + 3] / 100}%"></div>`;
    }
    // Sized in fractions of the page, so marking asks the browser for no
    // layout: a search marks every page whose words are loaded.
    const box = this.contentBox(i);
    inner.append(el('div', { class: 'fo-hits', 'aria-hidden': 'true', style: `width:${box.w * 100}%;height:${box.h * 100}%`, html }));
  }

  // ---- table of contents ----------------------------------------------
  toggleContents() {
    if (!this.contents) {
      const list = (items) =>
        el(
          'ul',
          {},
          items.map((it) =>
            el('li', {}, [
              el('button', { type: 'button', 'data-page': String(it.page), onclick: () => this.go(it.page - 1) }, [
                el('span', { text: it.title }),
                el('span', { class: 'fo-toc-page', text: String(it.page) }),
              ]),
              it.children.length ? list(it.children) : null,
            ]),
          ),
        );
      const close = el('button', { type: 'button', class: 'fo-close', 'aria-label': this.t('close'), text: '×', onclick: () => this.closePanels() });
      this.contents = el('div', { class: 'fo-panel fo-toc', role: 'dialog', 'aria-modal': 'true', 'aria-label': this.t('contents') }, [close, el('h2', { text: this.t('contents') }), el('nav', { 'aria-label': this.t('contents') }, list(this.outline))]);
      this.root.append(this.contents);
    }
    if (this.contents.classList.contains('fo-open')) return this.closeLayer(this.contents);
    this.markSection(this.visiblePages().at(-1));
    this.openLayer(this.contents, this.contents.querySelector('[aria-current]') || this.contents.querySelector('ul button'), this.buttons.contents);
  }

  // The current section: the last entry, in reading order, that starts at or
  // before the last page in view.
  markSection(last) {
    if (!this.contents) return;
    let current = null;
    for (const b of this.contents.querySelectorAll('ul button')) {
      b.removeAttribute('aria-current');
      if (parseInt(b.dataset.page, 10) - 1 <= last) current = b;
    }
    current?.setAttribute('aria-current', 'location');
  }
}
