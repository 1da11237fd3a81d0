// Search, the table of contents and page text for the phone Flip player. The
// words are the desktop book's script sidecars (../files/text/, beside the
// phone edition's folder); without them the player shows no search button.
import { el, openModal } from '../common.js';
import { TextIndex, highlightWords, MAX_QUERY } from '../../player/textsearch.mjs';

function loadScript(src) {
  return new Promise((resolve, reject) => {
    const s = document.createElement('script');
    s.src = src;
    s.onload = () => resolve();
    s.onerror = () => {
      s.remove();
      reject(new Error(`cannot load ${src}`));
    };
    document.head.append(s);
  });
}

export class FlipText {
  // `player` is the FlipPlayer; `base` the folder holding text/ and outline.js.
  constructor(player, base = '../files/') {
    this.player = player;
    this.base = base;
    this.pages = new Map(); // page index -> { t, b }
    this.query = '';
    window.__foliantText = (n, data) => this.receive(n - 1, data);
    window.__foliantTextIndex = (pages) => {
      this.index = new TextIndex(pages);
    };
  }

  // Adds the buttons the book's files allow, before `before` in the bottom bar.
  async setup(bar, before) {
    const p = this.player;
    await loadScript(this.base + 'outline.js').catch(() => {});
    const outline = Array.isArray(window.__foliantOutline) ? window.__foliantOutline : [];
    if (outline.length) bar.insertBefore(p.button('contents', 'Contents', () => this.showContents(outline)), before);
    await loadScript(this.base + 'text/index.js').catch(() => {});
    if (!this.index) return;
    bar.insertBefore(p.button('search', 'Search', () => this.showSearch()), before);
    if (this.around) this.near(...this.around);
  }

  // Loads the words of the pages around page i (from 0) once the book has
  // text; a long book never asks for all of its pages at once.
  near(i, count) {
    this.around = [i, count];
    if (!this.index) return;
    this.requested ||= new Set();
    for (let k = Math.max(0, i - 2); k < Math.min(count, i + 4); k++) {
      if (this.requested.has(k)) continue;
      this.requested.add(k);
      loadScript(`${this.base}text/${k + 1}.js`).catch(() => {});
    }
  }

  receive(i, data) {
    if (!data || !Array.isArray(data.t)) return;
    this.pages.set(i, data);
    const img = this.player.pageImage(i);
    if (img) img.alt = data.t.join('').replace(/\s+/g, ' ').trim() || 'This page has no text.';
    this.mark(i);
  }

  // Highlights the words of the current search on page i.
  mark(i) {
    const img = this.player.pageImage(i);
    const data = this.pages.get(i);
    if (!img || !data) return;
    const page = img.parentElement;
    page.querySelector('.hits')?.remove();
    if (!this.query) return;
    const { words } = highlightWords(data.t, this.query);
    if (!words.size) return;
    const layer = el('div', { class: 'hits', 'aria-hidden': 'true' });
    for (const w of words) {
      const [x, y, bw, bh] = data.b.slice(4 * w, 4 * w + 4).map((v) => v / 100);
      layer.append(el('span', { class: 'hit', style: `left:${x}%;top:${y}%;width:${bw}%;height:${bh}%` }));
    }
    page.append(layer);
  }

  sheet(label) {
    this.player.stop();
    document.querySelector('.sheet')?.remove();
    const sheet = el('div', { class: 'sheet', role: 'dialog', 'aria-label': label });
    let close = null;
    sheet.append(this.player.button('close', 'Close', () => close()));
    close = openModal(sheet);
    return sheet;
  }

  showSearch() {
    const sheet = this.sheet('Search');
    const input = el('input', { type: 'search', class: 'search', maxlength: String(MAX_QUERY), 'aria-label': 'Search the book', placeholder: 'Search the book', value: this.query });
    const status = el('p', { class: 'status', role: 'status' });
    const list = el('ol', { class: 'results' });
    const run = () => {
      this.query = input.value;
      const hits = this.index.search(this.query);
      status.textContent = !this.query.trim() ? '' : hits.length ? `${hits.length} matches` : 'No matches';
      list.replaceChildren(
        ...hits.slice(0, 200).map((h) => {
          const s = h.snippet;
          const word = el('mark', {}, s.slice(h.start, h.start + h.length));
          return el('li', {}, el('button', { type: 'button', 'data-page': String(h.page), onclick: () => (sheet.remove(), this.player.goTo(h.page - 1)) }, el('strong', {}, `Page ${h.page}`), ' ', s.slice(0, h.start), word, s.slice(h.start + h.length)));
        }),
      );
      for (const i of this.pages.keys()) this.mark(i);
    };
    let timer = 0;
    input.addEventListener('input', () => {
      clearTimeout(timer);
      timer = setTimeout(run, 200);
    });
    input.addEventListener('keydown', (e) => {
      if (e.key === 'Enter') {
        e.preventDefault();
        run();
        list.querySelector('button')?.click();
      }
    });
    sheet.append(input, status, list);
    input.focus();
    if (this.query) run();
  }

  showContents(outline) {
    const sheet = this.sheet('Contents');
    const list = (items) =>
      el(
        'ul',
        { class: 'toc' },
        ...items.map((it) =>
          el(
            'li',
            {},
            el('button', { type: 'button', 'data-page': String(it.page), onclick: () => (sheet.remove(), this.player.goTo(it.page - 1)) }, `${it.title} `, el('span', {}, String(it.page))),
            ...(Array.isArray(it.children) && it.children.length ? [list(it.children)] : []),
          ),
        ),
      );
    sheet.append(list(outline));
  }
}
