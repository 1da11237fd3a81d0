// Helpers shared by the two phone players.

/** A setting text is true when it reads Yes, Show, Enable or True, in any case. */
export function isOn(value) {
  return ['YES', 'SHOW', 'ENABLE', 'TRUE'].includes(String(value ?? '').trim().toUpperCase());
}

export function number(value, fallback) {
  const n = Number(value);
  return Number.isFinite(n) ? n : fallback;
}

function loads(url) {
  return new Promise((resolve) => {
    const img = new Image();
    img.onload = () => resolve(true);
    img.onerror = () => resolve(false);
    img.src = url;
  });
}

/**
 * File names of the page images, in reading order. The images are named
 * after the page numbers of the imported document, so a book made from
 * pages 5 to 9 starts at 5.jpg; an explicit list in the configuration wins.
 */
export async function pageFiles(dir, total, explicit) {
  if (Array.isArray(explicit) && explicit.length) return explicit.map(String);
  const count = Math.max(0, Math.floor(number(total, 0)));
  if (count === 0) return [];
  let first = 1;
  if (!(await loads(`${dir}1.jpg`))) {
    // Look a little further for the first page before giving up.
    for (let start = 2; start < 1000; start += 25) {
      const batch = Array.from({ length: 25 }, (_, i) => start + i);
      const found = await Promise.all(batch.map((n) => loads(`${dir}${n}.jpg`)));
      const at = found.indexOf(true);
      if (at >= 0) {
        first = batch[at];
        break;
      }
    }
  }
  return Array.from({ length: count }, (_, i) => `${first + i}.jpg`);
}

/** Watches horizontal swipes on an element; calls back with -1 (to the left) or 1. */
export function onSwipe(el, callback, { distance = 40 } = {}) {
  let start = null;
  el.addEventListener(
    'touchstart',
    (ev) => {
      if (ev.touches.length !== 1) {
        start = null;
        return;
      }
      const t = ev.touches[0];
      start = { x: t.clientX, y: t.clientY, time: Date.now() };
    },
    { passive: true }
  );
  el.addEventListener(
    'touchend',
    (ev) => {
      if (!start) return;
      const t = ev.changedTouches[0];
      const dx = t.clientX - start.x;
      const dy = t.clientY - start.y;
      start = null;
      if (Math.abs(dx) >= distance && Math.abs(dx) > Math.abs(dy) * 1.5) callback(dx < 0 ? -1 : 1);
    },
    { passive: true }
  );
}

export function el(tag, attrs = {}, ...children) {
  const node = document.createElement(tag);
  for (const [k, v] of Object.entries(attrs)) {
    if (k === 'class') node.className = v;
    else if (k.startsWith('on')) node.addEventListener(k.slice(2), v);
    else node.setAttribute(k, v);
  }
  node.append(...children);
  return node;
}

export function toast(text) {
  let box = document.querySelector('.toast');
  if (!box) {
    box = el('div', { class: 'toast', role: 'status' });
    document.body.append(box);
  }
  box.textContent = text;
  box.classList.add('show');
  clearTimeout(box._t);
  box._t = setTimeout(() => box.classList.remove('show'), 2200);
}

export async function share(title) {
  const url = location.href;
  try {
    if (navigator.share) {
      await navigator.share({ title, url });
      return;
    }
    await navigator.clipboard.writeText(url);
    toast('Link copied');
  } catch {
    toast(url);
  }
}

const FOCUSABLE = 'a[href],button:not([disabled]),input,select,textarea,[tabindex]:not([tabindex="-1"])';

/**
 * Shows `node` as a modal sheet: focus moves into it and Tab stays inside,
 * Escape (or its own close button, which calls the returned function)
 * closes it, and focus goes back to the control that opened it.
 */
export function openModal(node, onClose = () => {}) {
  const opener = document.activeElement;
  node.setAttribute('aria-modal', 'true');
  const keys = (ev) => {
    // Removed by other means (a result chosen): the sheet lets go of the keys.
    if (!node.isConnected) {
      document.removeEventListener('keydown', keys, true);
      return;
    }
    if (ev.key === 'Escape') {
      ev.preventDefault();
      close();
    } else if (ev.key === 'Tab') {
      const list = [...node.querySelectorAll(FOCUSABLE)];
      if (!list.length) return;
      const at = list.indexOf(document.activeElement);
      const to = ev.shiftKey ? (at <= 0 ? list.length - 1 : at - 1) : at === list.length - 1 ? 0 : at + 1;
      ev.preventDefault();
      list[to].focus();
    }
    // Nothing behind the sheet reacts to keys while it is open.
    ev.stopPropagation();
  };
  const close = () => {
    if (!node.isConnected) return;
    node.remove();
    document.removeEventListener('keydown', keys, true);
    onClose();
    if (opener && opener.isConnected && opener !== document.body) opener.focus();
  };
  document.addEventListener('keydown', keys, true);
  document.body.append(node);
  (node.querySelector('[autofocus]') || node.querySelector(FOCUSABLE) || node).focus();
  return close;
}

/**
 * The book's background: the picture, when there is one, over a gradient
 * whose angle counts like the desktop player's (90 runs top to bottom).
 */
export function bookBackground({ bgBeginColor, bgEndColor, bgMRotation, backGroundImgURL }) {
  let background = `linear-gradient(${number(bgMRotation, 90) + 90}deg, ${bgBeginColor}, ${bgEndColor})`;
  if (backGroundImgURL) {
    // Resolved here: inside a custom property a relative address would be
    // read against the style sheet's folder instead of the page's.
    const url = new URL(backGroundImgURL, location.href).href;
    background = `url("${url.replace(/"/g, '%22')}") center / cover no-repeat, ${background}`;
  }
  return background;
}

/**
 * Turns the pages on its own every `seconds`, `rounds` times through the
 * book (0: without end), through `at()` (reading position from 0), `next()`
 * and `first()`; calls `onChange(playing)` when it starts or stops.
 */
export class AutoPlay {
  constructor({ seconds, rounds, count, at, next, first, onChange }) {
    Object.assign(this, { count, at, next, first, onChange });
    this.seconds = Math.max(0.5, number(seconds, 3));
    this.loops = Math.max(0, Math.floor(number(rounds, 0)));
    this.timer = 0;
  }

  get playing() {
    return this.timer !== 0;
  }

  play() {
    if (this.timer) return;
    let rounds = 0;
    this.timer = setInterval(() => {
      if (this.at() < this.count() - 1) {
        this.next();
        return;
      }
      rounds += 1;
      if (this.loops > 0 && rounds >= this.loops) {
        this.stop();
        return;
      }
      this.first();
    }, this.seconds * 1000);
    this.onChange(true);
  }

  stop() {
    if (!this.timer) return;
    clearInterval(this.timer);
    this.timer = 0;
    this.onChange(false);
  }
}
