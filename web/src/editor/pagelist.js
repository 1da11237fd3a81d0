// The page list ("pages.xml") as the editor sees it.
//
// The document is kept as a DOM and edited in place, so that everything the
// editor does not understand (unknown items, unknown attributes, comments)
// is written back exactly as it was read.
//
// Items the editor writes inside a <Page>, after its three file items
// (thumb, normal, large). Every rectangle is given in fractions of the page:
// x and width of the page width, y and height of the page height, y measured
// from the top edge; fractions are written with six decimals.
//
//   <Item name="Link"  type="rect" action="web"  x y width height href="https://example.com/"/>
//   <Item name="Link"  type="rect" action="page" x y width height href="12"/>
//        action "page": href is the book's page number, counted from 1.
//   <Item name="Image" type="rect" x y width height src="editor/061226101500.png"/>
//   <Item name="Video" type="rect" x y width height src="editor/….mp4" autoplay="No" loop="No"/>
//   <Item name="Sound" type="rect" x y width height src="editor/….mp3" autoplay="No" loop="No"/>
//   <Item name="SWF"   type="rect" x y width height src="editor/….swf"/>
//
// src is relative to the book's "files" folder, the way the application's
// choosers return it. autoplay and loop hold "Yes" or "No".

export const FILE_ITEMS = ['thumb', 'normal', 'large'];
export const MEDIA_KINDS = ['Image', 'Video', 'Sound', 'SWF'];
export const EDITABLE_KINDS = ['Link', ...MEDIA_KINDS];

export class PageListError extends Error {}

/** Parses page list text; throws PageListError with a message for the user. */
export function parsePageList(text) {
  if (typeof text !== 'string' || text.trim() === '') {
    throw new PageListError('The page list is empty.');
  }
  const doc = new DOMParser().parseFromString(text, 'application/xml');
  const failure = doc.getElementsByTagName('parsererror')[0];
  if (failure) {
    const detail = (failure.textContent || '').split('\n').find((l) => l.trim()) || '';
    throw new PageListError(`The page list is not well-formed XML. ${detail.trim()}`.trim());
  }
  const root = doc.documentElement;
  if (!root || root.nodeName !== 'Pages') {
    throw new PageListError(`The page list has no <Pages> root element (found <${root ? root.nodeName : ''}>).`);
  }
  const pages = childElements(root, 'Page');
  if (pages.length === 0) {
    throw new PageListError('The page list holds no pages.');
  }
  return new PageList(doc);
}

function childElements(node, name) {
  const out = [];
  for (let c = node.firstElementChild; c; c = c.nextElementSibling) {
    if (!name || c.nodeName === name) out.push(c);
  }
  return out;
}

function intAttr(el, name, fallback) {
  const v = parseInt(el.getAttribute(name) || '', 10);
  return Number.isFinite(v) && v > 0 ? v : fallback;
}

function clamp01(v) {
  return Math.min(1, Math.max(0, v));
}

export function formatFraction(v) {
  return clamp01(Number.isFinite(v) ? v : 0).toFixed(6);
}

export class PageList {
  constructor(doc) {
    this.doc = doc;
    this.root = doc.documentElement;
  }

  get base() {
    return this.root.getAttribute('bace') || '';
  }

  /** Page size in pixels; the large size is the page as imported. */
  get pageSize() {
    const w = intAttr(this.root, 'largeWidth', intAttr(this.root, 'width', 600));
    const h = intAttr(this.root, 'largeHeight', intAttr(this.root, 'height', 800));
    return { width: w, height: h };
  }

  get pages() {
    return childElements(this.root, 'Page');
  }

  get pageCount() {
    return this.pages.length;
  }

  page(index) {
    return this.pages[index] || null;
  }

  fileOf(index, name) {
    const page = this.page(index);
    if (!page) return '';
    const item = childElements(page, 'Item').find((i) => i.getAttribute('name') === name);
    return item ? (item.textContent || '').trim() : '';
  }

  /** Items the editor shows and edits, in document order. */
  itemsOf(index) {
    const page = this.page(index);
    if (!page) return [];
    return childElements(page, 'Item').filter((i) => EDITABLE_KINDS.includes(i.getAttribute('name')));
  }

  static rectOf(item) {
    const num = (n) => {
      const v = parseFloat(item.getAttribute(n) || '');
      return Number.isFinite(v) ? v : 0;
    };
    return { x: num('x'), y: num('y'), width: num('width'), height: num('height') };
  }

  static setRect(item, rect) {
    // Keep the rectangle on the page: a link hanging over the edge could
    // not be clicked in the player anyway.
    const width = Math.min(1, Math.max(0, rect.width));
    const height = Math.min(1, Math.max(0, rect.height));
    const x = Math.min(1 - width, Math.max(0, rect.x));
    const y = Math.min(1 - height, Math.max(0, rect.y));
    item.setAttribute('x', formatFraction(x));
    item.setAttribute('y', formatFraction(y));
    item.setAttribute('width', formatFraction(width));
    item.setAttribute('height', formatFraction(height));
  }

  /** Appends a new item to a page, indented like its siblings. */
  addItem(index, kind, rect, attrs = {}) {
    const page = this.page(index);
    const item = this.doc.createElement('Item');
    item.setAttribute('name', kind);
    item.setAttribute('type', 'rect');
    if (kind === 'Link') item.setAttribute('action', attrs.action || 'web');
    PageList.setRect(item, rect);
    for (const [k, v] of Object.entries(attrs)) {
      if (k !== 'action') item.setAttribute(k, String(v));
    }
    const indent = this.indentInside(page);
    const last = page.lastChild;
    if (indent !== null && last && last.nodeType === 3 && /^\s*$/.test(last.nodeValue)) {
      page.insertBefore(this.doc.createTextNode(indent), last);
      page.insertBefore(item, last);
    } else {
      page.appendChild(item);
    }
    return item;
  }

  removeItem(item) {
    const prev = item.previousSibling;
    if (prev && prev.nodeType === 3 && /^\s*$/.test(prev.nodeValue)) prev.remove();
    item.remove();
  }

  indentInside(page) {
    const first = page.firstChild;
    return first && first.nodeType === 3 && /^\s*$/.test(first.nodeValue) ? first.nodeValue : null;
  }

  serialize() {
    return new XMLSerializer().serializeToString(this.doc);
  }
}
