// Zoom and pan: buttons, keys, Ctrl + wheel, double click, dragging and
// two-finger pinches.
// The methods are part of Player (player.mjs), which mixes them in.
import { forgetTouch } from './flip-adapter.mjs';

export class ZoomPan {
  setZoom(z) {
    const zoom = Math.min(4, Math.max(1, Math.round(z * 100) / 100));
    const box = this.zoomBox;
    const w = box.clientWidth;
    const h = box.clientHeight;
    // Keep the middle of what is seen in the middle.
    const cx = (w / 2 - this.pan.x) / this.zoom;
    const cy = (h / 2 - this.pan.y) / this.zoom;
    this.zoom = zoom;
    this.pan = zoom === 1 ? { x: 0, y: 0 } : this.clampPan(w / 2 - cx * zoom, h / 2 - cy * zoom);
    this.applyZoom();
    this.renderZoomedVectors();
  }

  clampPan(x, y) {
    const w = this.zoomBox.clientWidth;
    const h = this.zoomBox.clientHeight;
    return { x: Math.min(0, Math.max(w - w * this.zoom, x)), y: Math.min(0, Math.max(h - h * this.zoom, y)) };
  }

  applyZoom() {
    this.zoomBox.style.transform = this.zoom === 1 ? '' : `translate(${this.pan.x}px,${this.pan.y}px) scale(${this.zoom})`;
    this.root.classList.toggle('fo-zoomed', this.zoom !== 1);
    this.root.dataset.zoom = String(this.zoom);
  }

  bindZoomPan() {
    let drag = null;
    const down = (x, y, e) => {
      // A drag that starts on a word selects text instead.
      if (this.zoom === 1 || (e.type === 'mousedown' && e.target.closest?.('.fo-text span'))) return;
      e.stopPropagation();
      e.preventDefault();
      drag = { x, y, px: this.pan.x, py: this.pan.y };
      this.root.classList.add('fo-panning');
    };
    const move = (x, y) => {
      if (!drag) return;
      this.pan = this.clampPan(drag.px + x - drag.x, drag.py + y - drag.y);
      this.applyZoom();
    };
    const up = () => {
      drag = null;
      this.root.classList.remove('fo-panning');
    };
    this.stage.addEventListener('mousedown', (e) => down(e.clientX, e.clientY, e), true);
    this.stage.addEventListener(
      'touchstart',
      (e) => {
        if (e.touches.length >= 2 && !this.book.hidden.has('Zoom')) this.pinchStart(e);
        else if (this.pinch) e.stopPropagation();
        else if (e.touches.length === 1) down(e.touches[0].clientX, e.touches[0].clientY, e);
      },
      { capture: true, passive: false },
    );
    window.addEventListener('mousemove', (e) => move(e.clientX, e.clientY));
    // Ahead of the page turner's own window listeners, so the fingers of a
    // pinch never fold a page.
    window.addEventListener(
      'touchmove',
      (e) => {
        if (this.pinch) {
          e.stopImmediatePropagation();
          e.preventDefault();
          if (e.touches.length >= 2) this.pinchMove(e.touches);
        } else if (drag) move(e.touches[0].clientX, e.touches[0].clientY);
      },
      { capture: true, passive: false },
    );
    window.addEventListener('mouseup', up);
    window.addEventListener(
      'touchend',
      (e) => {
        up();
        if (!this.pinch) return;
        e.stopImmediatePropagation();
        // The pinch lasts until the last finger leaves; a finger left behind
        // neither pans nor turns.
        if (e.touches.length === 0) {
          this.pinch = null;
          this.renderZoomedVectors();
        }
      },
      true,
    );
    this.stage.addEventListener(
      'wheel',
      (e) => {
        if (!e.ctrlKey || this.book.hidden.has('Zoom')) return;
        e.preventDefault();
        this.setZoom(this.zoom * (e.deltaY < 0 ? 1.25 : 0.8));
      },
      { passive: false },
    );
    this.stage.addEventListener('dblclick', (e) => {
      if (this.book.hidden.has('Zoom') || e.target.closest('a,button,video,audio')) return;
      this.setZoom(this.zoom === 1 ? 2 : 1);
    });
  }

  // Two fingers zoom around the point between them, and moving them together pans.
  pinchStart(e) {
    e.stopPropagation();
    e.preventDefault();
    // The first finger may have reached the page turner before the second
    // landed: forget it there, or it would start a fold on its own.
    forgetTouch(this.flip);
    const [a, b] = e.touches;
    const origin = this.zoomOrigin();
    const mx = (a.clientX + b.clientX) / 2 - origin.x;
    const my = (a.clientY + b.clientY) / 2 - origin.y;
    this.pinch = {
      dist: Math.max(1, Math.hypot(a.clientX - b.clientX, a.clientY - b.clientY)),
      zoom: this.zoom,
      // The point of the unzoomed book under the fingers.
      cx: (mx - this.pan.x) / this.zoom,
      cy: (my - this.pan.y) / this.zoom,
      origin,
    };
  }

  pinchMove([a, b]) {
    const p = this.pinch;
    const zoom = Math.min(4, Math.max(1, (p.zoom * Math.hypot(a.clientX - b.clientX, a.clientY - b.clientY)) / p.dist));
    const mx = (a.clientX + b.clientX) / 2 - p.origin.x;
    const my = (a.clientY + b.clientY) / 2 - p.origin.y;
    this.zoom = zoom;
    this.pan = zoom === 1 ? { x: 0, y: 0 } : this.clampPan(mx - p.cx * zoom, my - p.cy * zoom);
    this.applyZoom();
  }

  // Where the zoom box's top left corner lies on the screen when unzoomed.
  zoomOrigin() {
    const r = this.zoomBox.getBoundingClientRect();
    return { x: r.left - this.pan.x, y: r.top - this.pan.y };
  }
}
