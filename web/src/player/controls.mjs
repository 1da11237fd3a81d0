// The toolbar, the keyboard, and the panels and dialogs it opens.
// The methods are part of Player (player.mjs), which mixes them in.
import { el, safeHref } from './dom.mjs';

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

const FOCUSABLE = 'a[href],button:not([disabled]),input:not([disabled]),select,textarea,video[controls],[tabindex]:not([tabindex="-1"])';
const focusables = (node) => [...node.querySelectorAll(FOCUSABLE)].filter((x) => x.tabIndex >= 0 && (x.offsetParent !== null || x === document.activeElement));

// Makes items[i] the group's one tabbable item and focuses it.
export function focusItem(items, i) {
  items.forEach((x, n) => (x.tabIndex = n === i ? 0 : -1));
  items[i]?.focus();
}

export class Controls {
  buildToolbar() {
    const t = this.t;
    const hidden = this.book.hidden;
    const bar = el('nav', { class: 'fo-toolbar', 'aria-label': t('controls') });
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
    // A toolbar that scrolls (narrow windows, high zoom) brings the focused
    // control wholly into view; browsers leave a half-visible one as it is.
    bar.addEventListener('focusin', (e) => {
      const r = e.target.getBoundingClientRect();
      const b = bar.getBoundingClientRect();
      const pad = 6;
      if (r.right > b.right - pad) bar.scrollLeft += r.right - b.right + pad;
      else if (r.left < b.left + pad) bar.scrollLeft -= b.left - r.left + pad;
      if (r.bottom > b.bottom - pad) bar.scrollTop += r.bottom - b.bottom + pad;
      else if (r.top < b.top + pad) bar.scrollTop -= b.top - r.top + pad;
    });
    return bar;
  }

  bindKeys() {
    this.root.addEventListener('keydown', (e) => {
      if (e.altKey || e.ctrlKey || e.metaKey) return;
      const k = e.key;
      const layer = this.topLayer();
      if (layer) {
        // Keys belong to the open dialog or panel; nothing behind it reacts.
        if (k === 'Escape') {
          e.preventDefault();
          this.closeLayer(layer.node);
        } else if (k === 'Tab') this.trapTab(e, layer.node);
        return;
      }
      if (k === 'Escape' && !e.target.closest('video,audio')) {
        e.preventDefault();
        this.closePanels();
        return;
      }
      if (e.target.closest('input,textarea,select,video,audio,[role=listbox]')) return;
      if (this.moveInGroup(e)) return;
      // The arrows point where the page goes: towards the left is forward in
      // a right-to-left book.
      const right = () => (this.rtl ? this.prev() : this.next());
      const left = () => (this.rtl ? this.next() : this.prev());
      const zoom = !this.book.hidden.has('Zoom');
      let act = {
        ArrowRight: right,
        ArrowDown: () => this.next(),
        PageDown: () => this.next(),
        ' ': () => this.next(),
        ArrowLeft: left,
        ArrowUp: () => this.prev(),
        PageUp: () => this.prev(),
        Home: () => this.go(0),
        End: () => this.go(this.count - 1),
      }[k];
      // Single-character shortcuts can be switched off in the help dialog,
      // for readers whose speech input or switch device types characters.
      if (!act && this.shortcutsOn()) {
        act = {
          '+': () => zoom && this.setZoom(this.zoom * 1.5),
          '=': () => zoom && this.setZoom(this.zoom * 1.5),
          '-': () => zoom && this.setZoom(this.zoom / 1.5),
          f: () => !this.book.hidden.has('FullScreen') && this.toggleFullScreen(),
          t: () => !this.book.hidden.has('Thumbnail') && this.toggleThumbs(),
        }[k.toLowerCase()];
      }
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

  shortcutsOn() {
    try {
      return localStorage.getItem('foliant.shortcuts') !== 'off';
    } catch {
      return this.shortcutsOff !== true;
    }
  }

  setShortcuts(on) {
    this.shortcutsOff = !on;
    try {
      localStorage.setItem('foliant.shortcuts', on ? 'on' : 'off');
    } catch {
      // Storage may be refused (private windows, disk pages); this visit still follows the choice.
    }
  }

  // Arrow keys inside a group of items that takes one Tab stop (the links
  // of a page): the group keeps one item tabbable, the one last focused.
  moveInGroup(e) {
    const group = e.target.closest('[data-fo-group]');
    const step = { ArrowRight: 1, ArrowDown: 1, ArrowLeft: -1, ArrowUp: -1, Home: -Infinity, End: Infinity }[e.key];
    if (!group || !step) return false;
    const items = [...group.querySelectorAll('[data-fo-item]')];
    const at = items.indexOf(e.target);
    if (at < 0) return false;
    const dir = group.closest('[dir=rtl]') && (e.key === 'ArrowLeft' || e.key === 'ArrowRight') ? -step : step;
    const to = Math.max(0, Math.min(items.length - 1, at + (Number.isFinite(dir) ? dir : dir > 0 ? items.length : -items.length)));
    e.preventDefault();
    focusItem(items, to);
    return true;
  }

  // ---- dialogs and panels ---------------------------------------------
  // A layer is a dialog or panel over the book. While one is open it keeps
  // the keyboard: Tab cycles inside it, Escape closes it, keys never reach
  // the book; on closing, focus returns to what opened it. A panel calls
  // openLayer(node, focus, button) once node is in the root (`button`, its
  // toolbar toggle, shows pressed while it is open) and closeLayer(node).
  openLayer(node, focus, button) {
    this.layers = (this.layers || []).filter((l) => l.node !== node);
    const active = document.activeElement;
    const opener = active && active !== document.body && !node.contains(active) ? active : this.stage;
    this.layers.push({ node, opener, button });
    button?.setAttribute('aria-pressed', 'true');
    node.classList.add('fo-open');
    (focus || focusables(node)[0] || node).focus({ preventScroll: true });
  }

  closeLayer(node) {
    const i = (this.layers || []).findIndex((l) => l.node === node);
    if (i < 0) return;
    const [{ opener, button }] = this.layers.splice(i, 1);
    node.classList.remove('fo-open');
    if (node.classList.contains('fo-dialog')) node.remove();
    button?.setAttribute('aria-pressed', 'false');
    const back = opener?.isConnected && !opener.disabled && opener.offsetParent !== null ? opener : this.stage;
    back.focus({ preventScroll: true });
  }

  topLayer() {
    return this.layers?.length ? this.layers[this.layers.length - 1] : null;
  }

  trapTab(e, node) {
    const list = focusables(node);
    if (!list.length) return e.preventDefault();
    const at = list.indexOf(document.activeElement);
    const to = e.shiftKey ? (at <= 0 ? list.length - 1 : at - 1) : at < 0 || at === list.length - 1 ? 0 : at + 1;
    e.preventDefault();
    list[to].focus();
  }

  closePanels() {
    const layer = this.topLayer();
    if (layer) return this.closeLayer(layer.node);
    if (this.zoom !== 1) this.setZoom(1);
    this.stage.focus({ preventScroll: true });
  }

  toggleThumbs() {
    if (!this.thumbs) {
      const t = this.t;
      const list = el('div', { class: 'fo-thumb-list', role: 'listbox', 'aria-label': t('thumbnails'), dir: this.rtl ? 'rtl' : null });
      this.book.pages.list.forEach((p, i) => {
        const img = el('img', { alt: '', loading: 'lazy', src: this.url(p.thumb), width: String(Math.round((118 * this.pageSize.w) / this.pageSize.h)), height: '118' });
        list.append(
          el('button', { type: 'button', role: 'option', tabindex: '-1', 'aria-selected': 'false', 'data-page': String(i + 1), 'aria-label': t('pageOf', { n: i + 1, total: this.count }), onclick: () => this.go(i) }, [
            img,
            el('span', { text: String(i + 1), 'aria-hidden': 'true' }),
          ]),
        );
      });
      list.addEventListener('keydown', (e) => this.thumbKey(e));
      this.thumbList = list;
      this.thumbs = el('div', { class: 'fo-panel fo-thumbs', role: 'dialog', 'aria-modal': 'true', 'aria-label': t('thumbnails') }, list);
      this.root.append(this.thumbs);
    }
    if (this.thumbs.classList.contains('fo-open')) return this.closeLayer(this.thumbs);
    this.markThumb(true);
    this.openLayer(this.thumbs, this.thumbList.querySelector('[aria-selected=true]'), this.buttons.thumbnails);
  }

  // The thumbnail list: arrows (mirrored in a right-to-left book), Home and
  // End move the selection; Enter or Space opens the selected page.
  thumbKey(e) {
    const items = [...this.thumbList.children];
    const at = items.indexOf(document.activeElement);
    const back = this.rtl ? 'ArrowRight' : 'ArrowLeft';
    const fwd = this.rtl ? 'ArrowLeft' : 'ArrowRight';
    const to = { [back]: at - 1, ArrowUp: at - 1, [fwd]: at + 1, ArrowDown: at + 1, Home: 0, End: items.length - 1 }[e.key];
    if (to === undefined) return;
    e.preventDefault();
    e.stopPropagation();
    const i = Math.max(0, Math.min(items.length - 1, to));
    this.selectThumb(i);
    items[i].focus();
  }

  selectThumb(i) {
    for (const [n, b] of [...this.thumbList.children].entries()) {
      b.setAttribute('aria-selected', String(n === i));
      b.tabIndex = n === i ? 0 : -1;
    }
    this.thumbList.children[i]?.scrollIntoView({ block: 'nearest', inline: 'center' });
  }

  markThumb(opening = false) {
    if (!this.thumbs || (!opening && !this.thumbs.classList.contains('fo-open'))) return;
    const vis = this.visiblePages();
    const items = this.thumbList.children;
    for (const b of this.thumbList.querySelectorAll('.fo-current')) b.classList.remove('fo-current');
    for (const i of vis) items[i].classList.add('fo-current');
    this.selectThumb(vis[0]);
    [...items].forEach((b, i) => b.classList.toggle('fo-marked', this.bookmarks.has(i)));
  }

  toggleBookmark() {
    const i = this.visiblePages()[0];
    if (this.bookmarks.has(i)) this.bookmarks.delete(i);
    else this.bookmarks.add(i);
    this.buttons.bookmark.setAttribute('aria-pressed', String(this.bookmarks.has(i)));
    this.markThumb();
  }

  dialog(title, body) {
    const old = this.root.querySelector('.fo-dialog');
    if (old) this.closeLayer(old);
    const close = el('button', { type: 'button', class: 'fo-close', 'aria-label': this.t('close'), text: '×' });
    const d = el('div', { class: 'fo-panel fo-dialog', role: 'dialog', 'aria-modal': 'true', 'aria-label': title }, [close, el('h2', { text: title }), ...body]);
    close.onclick = () => this.closeLayer(d);
    this.root.append(d);
    this.openLayer(d, close);
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
    const box = el('input', { type: 'checkbox', checked: this.shortcutsOn(), onchange: () => this.setShortcuts(box.checked) });
    this.dialog(this.t('help'), [el('p', { text: this.t('helpText') }), el('p', {}, el('label', { class: 'fo-check' }, [box, ` ${this.t('shortcuts')}`]))]);
  }

  flash(text) {
    this.toast.textContent = text;
    this.live.textContent = text;
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

  setTilt(on) {
    this.tilted = on;
    this.tiltBox.style.transform = on ? `perspective(1600px) rotateX(${Math.max(-60, Math.min(60, this.book.tiltAngle))}deg)` : '';
    this.buttons.tilt?.setAttribute('aria-pressed', String(on));
  }
}
