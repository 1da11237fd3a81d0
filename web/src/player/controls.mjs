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

export class Controls {
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

  closePanels() {
    let closed = false;
    for (const p of this.root.querySelectorAll('.fo-panel.fo-open')) {
      p.classList.remove('fo-open');
      closed = true;
    }
    for (const name of ['thumbnails', 'search', 'contents']) this.buttons[name]?.setAttribute('aria-pressed', 'false');
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

  setTilt(on) {
    this.tilted = on;
    this.tiltBox.style.transform = on ? `perspective(1600px) rotateX(${Math.max(-60, Math.min(60, this.book.tiltAngle))}deg)` : '';
    this.buttons.tilt?.setAttribute('aria-pressed', String(on));
  }
}
