// What the page editor placed on pages (links, images, video, sound) and the
// book's background music.
// The methods are part of Player (player.mjs), which mixes them in.
import { el, safeHref } from './dom.mjs';

export class Media {
  addItems(i, inner) {
    const stops = [];
    const items = [...this.book.pages.list[i].items].sort((a, b) => a.y - b.y || a.x - b.x);
    for (const item of items) {
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
      if (node.matches('a,button')) stops.push(node);
      // A link the editor gave no name is named by its words once they load.
      if (node.matches('.fo-link') && !item.text) node.__foArea = item;
    }
    // The links and sound buttons of a page take one Tab stop (a contents
    // page may hold dozens); the arrow keys move among them in reading order.
    if (!stops.length) return;
    this.pageEls[i].dataset.foGroup = '';
    stops.forEach((x, n) => {
      x.dataset.foItem = '';
      x.tabIndex = n === 0 ? 0 : -1;
      x.addEventListener('focus', () => stops.forEach((y) => (y.tabIndex = y === x ? 0 : -1)));
    });
  }

  // Names the page's unnamed links by the words under them (the text a
  // sighted reader clicks) once the page's words are known; a word belongs
  // to a link when its middle lies inside the link's rectangle.
  nameLinks(i, data) {
    const inner = this.pageEls[i]?.querySelector('.fo-page-inner');
    for (const node of inner?.querySelectorAll('.fo-link') || []) {
      const a = node.__foArea;
      if (!a) continue;
      let words = '';
      for (let w = 0; w < data.t.length; w++) {
        const x = (data.b[4 * w] + data.b[4 * w + 2] / 2) / 10000;
        const y = (data.b[4 * w + 1] + data.b[4 * w + 3] / 2) / 10000;
        if (x >= a.x && x <= a.x + a.width && y >= a.y && y <= a.y + a.height) words += data.t[w];
      }
      const name = words.replace(/\s+/g, ' ').trim();
      // A bare page number (a contents page's links) says less than the
      // name the link has already.
      if (/\p{L}/u.test(name)) node.setAttribute('aria-label', name.length > 200 ? `${name.slice(0, 199)}…` : name);
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
          return el('button', { type: 'button', class: 'fo-link', 'aria-label': item.text || t('linkTo', { n }), onclick: () => this.go(n - 1) });
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
}
