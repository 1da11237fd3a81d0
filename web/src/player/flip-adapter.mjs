// Everything the player changes in, or reaches into, the page turner lives
// here: its internals are not a public interface, so every use of them is
// tied to the exact version below (a test compares it with the installed
// package and the lockfile). Other modules use only the page turner's
// documented methods and events.
import { PageFlip } from 'page-flip';

export const PAGE_FLIP_VERSION = '2.0.7';

// A page turner over `items` in `host`, with the player's changes applied.
export function createFlip(host, options, items) {
  const flip = new PageFlip(host, options);
  flip.loadFromHTML(items);
  hideOnlyShownPages(flip.getRender());
  const pages = flip.getPageCollection().getPages();
  for (const page of pages) keepCanvasPixels(page);
  // Place the first spread now instead of on the next animation frame, so
  // the book stands when the page's load event fires.
  flip.getRender().drawFrame?.();
  return flip;
}

// The renderer hides every page on every animation frame; with a thousand
// pages that is a thousand style writes per frame. Only the pages that were
// shown in the previous frame can need hiding.
function hideOnlyShownPages(render) {
  let shown = [];
  render.clear = function clear() {
    const now = [this.leftPage, this.rightPage, this.flippingPage, this.bottomPage].filter(Boolean);
    for (const page of shown) {
      if (!now.includes(page)) page.getElement().style.cssText = 'display: none';
      if (page.getTemporaryCopy() !== this.flippingPage) page.hideTemporaryCopy();
    }
    shown = now;
  };
}

// Clones of a page made for the turn lose canvas pixels; copy them.
function keepCanvasPixels(page) {
  const orig = page.newTemporaryCopy;
  page.newTemporaryCopy = function newTemporaryCopy() {
    const fresh = this.getTemporaryCopy() === null;
    const copy = orig.call(this);
    if (fresh && copy && copy !== this) {
      const from = this.getElement().querySelectorAll('canvas');
      const to = copy.getElement().querySelectorAll('canvas');
      from.forEach((c, i) => to[i]?.getContext('2d')?.drawImage(c, 0, 0));
    }
    return copy;
  };
}

// Forgets a touch the page turner has already seen, so that it starts no
// fold of its own (the first finger of a pinch lands before the second).
export function forgetTouch(flip) {
  const ui = flip.getUI?.();
  if (ui && 'touchPoint' in ui) ui.touchPoint = null;
  if (flip.isUserTouch) {
    flip.isUserTouch = false;
    if (flip.isUserMove) flip.getFlipController().stopMove();
  }
}

// The turn's length in milliseconds; the page turner reads its settings
// object on every turn. 1 ms turns within one frame: no fold is ever drawn.
export function setTurnTime(flip, ms) {
  flip.getSettings().flippingTime = Math.max(1, ms);
}

// The element that holds the spread; the player adds the page edges to it.
export const spreadBlock = (host) => host.querySelector('.stf__block');
