// The page editor: places links and media on the pages of the preview book.
// The item format it writes is described at the top of pagelist.js.
import { parsePageList, PageList, PageListError } from './pagelist.js';
import { connectBridge } from './bridge.js';
import { vectorPage, renderToCanvas } from './vectorpage.js';

const $ = (sel) => document.querySelector(sel);
const MIN_DRAW_PX = 6;
const IMAGE_EXT = /\.(jpe?g|png|gif|webp|bmp|svg)$/i;
const VECTOR_EXT = /\.swf$/i;

const CHOOSERS = {
  Image: 'SelectImageFile',
  Video: 'OnSelectMovieFile',
  Sound: 'OnSelectMusicFile',
  SWF: 'OnSelectSWFFile',
};

const KIND_LABEL = { Link: 'Link', Image: 'Image', Video: 'Video', Sound: 'Sound', SWF: 'Clip' };

const state = {
  bridge: null,
  list: null,
  rawText: '',
  loadError: '',
  page: 0,
  tool: 'select',
  selected: null,
  dirty: false,
  renameImages: false,
  busy: false,
  // Files copied in during this session and not yet part of a saved list:
  // only these may be removed again when their item goes away.
  unsavedFiles: new Set(),
};

// ---- script functions the application calls ------------------------------

// Returns the edited page list. Without a readable list the text that was
// read is handed back unchanged, so a save can never replace a good list
// with an empty one.
window.GetPageConfig = function GetPageConfig() {
  return state.list ? state.list.serialize() : state.rawText;
};

window.ReName = function ReName() {
  return state.renameImages ? 'YES' : 'NO';
};

// ---- start-up ------------------------------------------------------------

function readPageList() {
  return new Promise((resolve) => {
    const xhr = new XMLHttpRequest();
    xhr.open('GET', 'pages.xml?t=' + Date.now(), true);
    xhr.overrideMimeType('text/plain; charset=utf-8');
    xhr.onload = () => resolve({ ok: xhr.status === 200 || xhr.status === 0, text: xhr.responseText || '' });
    xhr.onerror = () => resolve({ ok: false, text: '' });
    try {
      xhr.send();
    } catch {
      resolve({ ok: false, text: '' });
    }
  });
}

async function start() {
  bindUi();
  const [bridge, read] = await Promise.all([connectBridge().catch(() => null), readPageList()]);
  state.bridge = bridge;
  state.rawText = read.text;
  if (!read.ok) {
    state.loadError = 'The page list "pages.xml" could not be read.';
  } else {
    try {
      state.list = parsePageList(read.text);
    } catch (err) {
      state.loadError = err instanceof PageListError ? err.message : String(err);
    }
  }
  if (state.loadError) {
    showMessage(`${state.loadError} Nothing can be edited, and saving is off so that the stored list stays as it is.`, 'error', true);
  } else if (!bridge) {
    showMessage('The editor runs outside the application: choosing files and saving are not available.', 'warn', true);
  }
  render();
  document.body.dataset.ready = 'true';
}

// ---- paths ---------------------------------------------------------------

function filesBaseUrl() {
  let base = state.list ? state.list.base : '';
  if (!base) return 'files/';
  if (!base.endsWith('/')) base += '/';
  if (/^[a-z][a-z0-9+.-]*:/i.test(base)) return base;
  return 'file://' + base.split('/').map(encodeURIComponent).join('/');
}

function fileUrl(rel) {
  if (!rel) return '';
  if (/^[a-z][a-z0-9+.-]*:/i.test(rel) || rel.startsWith('/')) return rel;
  return filesBaseUrl() + rel.split('/').map(encodeURIComponent).join('/');
}

function pageImageOf(index) {
  const large = state.list.fileOf(index, 'large');
  const normal = state.list.fileOf(index, 'normal');
  const thumb = state.list.fileOf(index, 'thumb');
  // A vector page is drawn over this picture once it is read; until then, or
  // when it cannot be drawn, the thumbnail stands in.
  return [large, normal, thumb].find((p) => IMAGE_EXT.test(p)) || thumb || normal;
}

function vectorFileOf(index) {
  return [state.list.fileOf(index, 'large'), state.list.fileOf(index, 'normal')].find((p) => VECTOR_EXT.test(p)) || '';
}

let drawnVector = '';
async function drawVectorPage() {
  const canvas = $('#page-canvas');
  const rel = state.list ? vectorFileOf(state.page) : '';
  const stage = $('#stage');
  const key = rel && `${rel}@${stage.clientWidth}x${stage.clientHeight}`;
  if (key === drawnVector) return;
  if (!rel || !drawnVector.startsWith(rel + '@')) canvas.hidden = true;
  drawnVector = key;
  if (!rel) return;
  const movie = await vectorPage(fileUrl(rel));
  if (drawnVector !== key) return;
  if (!movie) {
    canvas.hidden = true;
    return;
  }
  renderToCanvas(canvas, movie, stage.clientWidth, stage.clientHeight, window.devicePixelRatio || 1);
  canvas.hidden = false;
  document.body.dataset.vectorPage = rel;
}

// ---- rendering -----------------------------------------------------------

function render() {
  const ok = !!state.list;
  document.body.classList.toggle('no-list', !ok);
  for (const id of ['save', 'save-exit']) $('#' + id).disabled = !ok || !state.bridge || state.busy;
  for (const b of document.querySelectorAll('[data-add]')) b.disabled = !ok || !state.bridge || state.busy;
  for (const b of document.querySelectorAll('[data-tool]')) {
    b.disabled = !ok;
    b.classList.toggle('active', b.dataset.tool === state.tool);
  }
  $('#help').disabled = !state.bridge;
  $('#exit').disabled = !state.bridge;
  $('#rename').checked = state.renameImages;
  renderThumbs();
  renderStage();
  renderProps();
}

// The page list is built once; later renders only move the highlight and
// update the item counts, so large books do not reload every thumbnail.
function renderThumbs() {
  const host = $('#thumbs');
  if (!state.list) {
    host.textContent = '';
    return;
  }
  const count = state.list.pageCount;
  if (host.children.length !== count) {
    host.textContent = '';
    for (let i = 0; i < count; i++) {
      const b = document.createElement('button');
      b.className = 'thumb';
      b.dataset.page = String(i);
      b.title = `Page ${i + 1}`;
      const img = document.createElement('img');
      img.loading = 'lazy';
      img.alt = '';
      img.src = fileUrl(state.list.fileOf(i, 'thumb') || pageImageOf(i));
      const label = document.createElement('span');
      label.className = 'num';
      label.textContent = String(i + 1);
      const badge = document.createElement('span');
      badge.className = 'badge';
      b.append(img, label, badge);
      b.addEventListener('click', () => goTo(i));
      host.append(b);
    }
  }
  [...host.children].forEach((b, i) => {
    b.classList.toggle('current', i === state.page);
    const n = state.list.itemsOf(i).length;
    const badge = b.querySelector('.badge');
    badge.hidden = n === 0;
    badge.textContent = String(n);
    badge.title = `${n} item${n === 1 ? '' : 's'}`;
  });
  const current = host.children[state.page];
  if (current && current !== lastScrolledThumb) {
    lastScrolledThumb = current;
    current.scrollIntoView({ block: 'nearest' });
  }
}
let lastScrolledThumb = null;

function layoutStage() {
  const stage = $('#stage');
  if (!state.list) {
    stage.style.width = stage.style.height = '0px';
    return;
  }
  const wrap = $('#stage-area');
  const { width, height } = state.list.pageSize;
  const availW = Math.max(100, wrap.clientWidth - 48);
  const availH = Math.max(100, wrap.clientHeight - 80);
  const scale = Math.min(availW / width, availH / height);
  stage.style.width = Math.round(width * scale) + 'px';
  stage.style.height = Math.round(height * scale) + 'px';
  drawVectorPage();
}

function renderStage() {
  layoutStage();
  const layer = $('#items');
  layer.textContent = '';
  const img = $('#page-img');
  if (!state.list) {
    img.removeAttribute('src');
    $('#page-label').textContent = '';
    $('#prev').disabled = $('#next').disabled = true;
    return;
  }
  const src = fileUrl(pageImageOf(state.page));
  if (img.getAttribute('src') !== src) img.src = src;
  const count = state.list.pageCount;
  $('#page-label').textContent = `Page ${state.page + 1} of ${count}`;
  $('#prev').disabled = state.page <= 0;
  $('#next').disabled = state.page >= count - 1;
  $('#stage').classList.toggle('drawing', state.tool === 'link');
  for (const item of state.list.itemsOf(state.page)) layer.append(itemView(item));
}

function itemView(item) {
  const kind = item.getAttribute('name');
  const r = PageList.rectOf(item);
  const el = document.createElement('div');
  el.className = `item kind-${kind.toLowerCase()}` + (item === state.selected ? ' selected' : '');
  el.style.left = r.x * 100 + '%';
  el.style.top = r.y * 100 + '%';
  el.style.width = r.width * 100 + '%';
  el.style.height = r.height * 100 + '%';
  el._item = item;
  if (kind === 'Image' && item.getAttribute('src')) {
    const img = document.createElement('img');
    img.src = fileUrl(item.getAttribute('src'));
    img.alt = '';
    img.draggable = false;
    el.append(img);
  }
  const label = document.createElement('span');
  label.className = 'label';
  label.textContent = itemCaption(item);
  if (isIncomplete(item)) el.classList.add('incomplete');
  el.append(label);
  if (item === state.selected) {
    for (const h of ['nw', 'n', 'ne', 'e', 'se', 's', 'sw', 'w']) {
      const handle = document.createElement('span');
      handle.className = 'handle h-' + h;
      handle.dataset.handle = h;
      el.append(handle);
    }
  }
  return el;
}

function itemCaption(item) {
  const kind = item.getAttribute('name');
  if (kind === 'Link') {
    const href = item.getAttribute('href') || '';
    if (!href) return 'Link: no target';
    return item.getAttribute('action') === 'page' ? `Go to page ${href}` : href;
  }
  const src = item.getAttribute('src') || '';
  return `${KIND_LABEL[kind]}: ${src.split('/').pop() || 'no file'}`;
}

function isIncomplete(item) {
  return item.getAttribute('name') === 'Link' ? !item.getAttribute('href') : !item.getAttribute('src');
}

function renderProps() {
  const host = $('#props-body');
  host.textContent = '';
  const item = state.selected;
  if (!state.list) return;
  if (!item) {
    const p = document.createElement('p');
    p.className = 'hint';
    p.textContent =
      state.tool === 'link'
        ? 'Drag on the page to draw a link area.'
        : 'Select an item to change it, or choose Link and drag on the page. Images, video, sound and clips are placed in the middle of the page.';
    host.append(p);
    return;
  }
  const kind = item.getAttribute('name');
  host.append(heading(KIND_LABEL[kind]));
  if (kind === 'Link') linkProps(host, item);
  else mediaProps(host, item, kind);
  geometryProps(host, item);
  const del = button('Delete', 'danger wide', () => deleteItem(item));
  del.id = 'delete-item';
  host.append(del);
}

function heading(text) {
  const h = document.createElement('h2');
  h.textContent = text;
  return h;
}

function button(text, cls, onClick) {
  const b = document.createElement('button');
  b.type = 'button';
  b.textContent = text;
  if (cls) b.className = cls;
  b.addEventListener('click', onClick);
  return b;
}

function field(labelText, input) {
  const label = document.createElement('label');
  label.className = 'field';
  const span = document.createElement('span');
  span.textContent = labelText;
  label.append(span, input);
  return label;
}

function linkProps(host, item) {
  const action = item.getAttribute('action') === 'page' ? 'page' : 'web';
  const seg = document.createElement('div');
  seg.className = 'segmented';
  for (const [value, text] of [
    ['web', 'Web address'],
    ['page', 'Page'],
  ]) {
    const b = button(text, value === action ? 'on' : '', () => {
      if (value === action) return;
      item.setAttribute('action', value);
      item.setAttribute('href', value === 'page' ? String(Math.min(state.page + 2, state.list.pageCount)) : '');
      changed();
    });
    b.dataset.action = value;
    seg.append(b);
  }
  host.append(seg);
  const input = document.createElement('input');
  input.id = 'link-target';
  if (action === 'page') {
    input.type = 'number';
    input.min = '1';
    input.max = String(state.list.pageCount);
    input.value = item.getAttribute('href') || '';
    input.addEventListener('change', () => {
      const n = Math.round(Number(input.value));
      if (!Number.isFinite(n) || n < 1 || n > state.list.pageCount) {
        showMessage(`Choose a page between 1 and ${state.list.pageCount}.`, 'warn');
        input.value = item.getAttribute('href') || '';
        return;
      }
      item.setAttribute('href', String(n));
      changed();
    });
    host.append(field('Target page', input));
  } else {
    input.type = 'text';
    input.placeholder = 'https://example.com/';
    input.value = item.getAttribute('href') || '';
    input.addEventListener('change', () => {
      item.setAttribute('href', normaliseUrl(input.value));
      changed();
    });
    host.append(field('Web address', input));
  }
}

function normaliseUrl(text) {
  const t = text.trim();
  if (!t) return '';
  if (/^[a-z][a-z0-9+.-]*:/i.test(t)) return t;
  if (t.includes('@') && !t.includes('/')) return 'mailto:' + t;
  return 'http://' + t;
}

function mediaProps(host, item, kind) {
  const file = document.createElement('div');
  file.className = 'file';
  file.textContent = item.getAttribute('src') || 'No file';
  file.title = item.getAttribute('src') || '';
  host.append(file);
  host.append(button('Replace file…', 'wide', () => replaceMedia(item, kind)));
  if (kind === 'Video' || kind === 'Sound') {
    for (const [attr, text] of [
      ['autoplay', 'Play when the page opens'],
      ['loop', 'Repeat'],
    ]) {
      const box = document.createElement('input');
      box.type = 'checkbox';
      box.checked = /^yes$/i.test(item.getAttribute(attr) || '');
      box.addEventListener('change', () => {
        item.setAttribute(attr, box.checked ? 'Yes' : 'No');
        changed(false);
      });
      const label = document.createElement('label');
      label.className = 'check';
      label.append(box, document.createTextNode(' ' + text));
      host.append(label);
    }
  }
}

function geometryProps(host, item) {
  const r = PageList.rectOf(item);
  const grid = document.createElement('div');
  grid.className = 'geometry';
  for (const [key, text] of [
    ['x', 'Left %'],
    ['y', 'Top %'],
    ['width', 'Width %'],
    ['height', 'Height %'],
  ]) {
    const input = document.createElement('input');
    input.type = 'number';
    input.step = '0.1';
    input.value = (r[key] * 100).toFixed(1);
    input.dataset.key = key;
    input.addEventListener('change', () => {
      const v = Number(input.value) / 100;
      if (!Number.isFinite(v)) return;
      const next = { ...PageList.rectOf(item), [key]: v };
      PageList.setRect(item, next);
      changed();
    });
    grid.append(field(text, input));
  }
  host.append(grid);
}

// ---- editing -------------------------------------------------------------

function changed(rerender = true) {
  state.dirty = true;
  if (rerender) render();
}

function select(item) {
  state.selected = item;
  render();
}

function goTo(index) {
  if (!state.list) return;
  const n = Math.max(0, Math.min(state.list.pageCount - 1, index));
  if (n === state.page) return;
  state.page = n;
  state.selected = null;
  render();
}

function deleteItem(item) {
  const src = item.getAttribute('src');
  state.list.removeItem(item);
  if (state.selected === item) state.selected = null;
  forgetFile(src);
  changed();
}

// A file copied in this session and no longer used by any item is removed
// again; files a saved list may still name are never touched.
function forgetFile(src) {
  if (!src || !state.unsavedFiles.has(src) || !state.bridge) return;
  const stillUsed = state.list.pages.some((_, i) =>
    state.list.itemsOf(i).some((it) => it.getAttribute('src') === src)
  );
  if (stillUsed) return;
  state.unsavedFiles.delete(src);
  if (state.bridge.has('OnDeleteFile')) state.bridge.tell('OnDeleteFile', src).catch(() => {});
}

function setTool(tool) {
  state.tool = tool;
  if (tool === 'link') state.selected = null;
  render();
}

function naturalSize(url) {
  return new Promise((resolve) => {
    const img = new Image();
    const timer = setTimeout(() => resolve(null), 1500);
    img.onload = () => {
      clearTimeout(timer);
      resolve(img.naturalWidth && img.naturalHeight ? { w: img.naturalWidth, h: img.naturalHeight } : null);
    };
    img.onerror = () => {
      clearTimeout(timer);
      resolve(null);
    };
    img.src = url;
  });
}

async function defaultRect(kind, src, offset) {
  const { width: pw, height: ph } = state.list.pageSize;
  let w = 0.4;
  let h = 0.3;
  if (kind === 'Sound') {
    w = 0.1;
    h = (w * pw) / ph;
  } else if (kind === 'Image') {
    const size = await naturalSize(fileUrl(src));
    if (size) {
      w = Math.min(0.6, Math.max(0.1, size.w / pw));
      h = (w * size.h * pw) / (size.w * ph);
      if (h > 0.8) {
        w *= 0.8 / h;
        h = 0.8;
      }
    }
  }
  const shift = offset * 0.04;
  return { x: (1 - w) / 2 + shift, y: (1 - h) / 2 + shift, width: w, height: h };
}

function mediaAttrs(kind, src) {
  const attrs = { src };
  if (kind === 'Video' || kind === 'Sound') Object.assign(attrs, { autoplay: 'No', loop: 'No' });
  return attrs;
}

async function withBridge(task) {
  if (!state.bridge || state.busy) return;
  state.busy = true;
  render();
  try {
    await task();
  } catch (err) {
    showMessage(String(err && err.message ? err.message : err), 'error');
  } finally {
    state.busy = false;
    render();
  }
}

function addMedia(kind) {
  return withBridge(async () => {
    const src = (await state.bridge.ask(CHOOSERS[kind])).trim();
    if (!src) return;
    state.unsavedFiles.add(src);
    const item = state.list.addItem(state.page, kind, await defaultRect(kind, src, 0), mediaAttrs(kind, src));
    state.selected = item;
    state.tool = 'select';
    state.dirty = true;
  });
}

function addImages() {
  return withBridge(async () => {
    const answer = await state.bridge.ask('OnSelectImageFiles');
    const paths = answer.split('|').map((p) => p.trim()).filter(Boolean);
    let item = null;
    for (const [i, src] of paths.entries()) {
      state.unsavedFiles.add(src);
      item = state.list.addItem(state.page, 'Image', await defaultRect('Image', src, i), mediaAttrs('Image', src));
    }
    if (item) {
      state.selected = item;
      state.tool = 'select';
      state.dirty = true;
    }
  });
}

function replaceMedia(item, kind) {
  return withBridge(async () => {
    const src = (await state.bridge.ask(CHOOSERS[kind])).trim();
    if (!src) return;
    const old = item.getAttribute('src');
    state.unsavedFiles.add(src);
    item.setAttribute('src', src);
    forgetFile(old);
    state.dirty = true;
  });
}

async function save(andExit) {
  if (!state.list || !state.bridge || state.busy) return;
  const text = state.list.serialize();
  // Never hand the application an empty list: a failed serialisation must
  // not overwrite the stored one.
  if (!text.trim() || state.list.pageCount === 0) {
    showMessage('The page list could not be prepared for saving; nothing was written.', 'error');
    return;
  }
  await withBridge(async () => {
    if (andExit) {
      await state.bridge.tell('SaveAndExit');
      return;
    }
    // Save(text) writes before it returns; OnSave asks the page for its list
    // afterwards, so its file may land a moment later.
    if (state.bridge.has('Save')) await state.bridge.tell('Save', text);
    else await state.bridge.tell('OnSave');
    // The application answers a save with nothing, also when it wrote
    // nothing; the file itself tells.
    if (await savedAsExpected(text)) {
      state.dirty = false;
      state.unsavedFiles.clear();
      showMessage('Saved.', 'info');
    } else {
      showMessage('Your changes could not be saved. Please try again, or leave the editor and reopen it.', 'error', true);
    }
  });
}

// The application stores the list with the base folder taken out of it.
async function savedAsExpected(text) {
  const base = state.list.base;
  const expected = (base ? text.split(base).join('') : text).trim();
  for (let attempt = 0; attempt < 8; attempt++) {
    const stored = await readPageList();
    if (stored.ok && stored.text.trim() === expected) return true;
    await new Promise((resolve) => setTimeout(resolve, 250));
  }
  return false;
}

async function exit() {
  if (!state.bridge) return;
  if (state.dirty && !(await confirmLeave())) return;
  await withBridge(() => state.bridge.tell('Exit'));
}

function confirmLeave() {
  return new Promise((resolve) => {
    const dlg = $('#confirm');
    dlg.hidden = false;
    const done = (answer) => {
      dlg.hidden = true;
      $('#confirm-leave').onclick = $('#confirm-stay').onclick = null;
      resolve(answer);
    };
    $('#confirm-leave').onclick = () => done(true);
    $('#confirm-stay').onclick = () => done(false);
    $('#confirm-stay').focus();
  });
}

// ---- pointer handling on the page ------------------------------------------

let drag = null;

function toFraction(ev) {
  const r = $('#stage').getBoundingClientRect();
  return { x: (ev.clientX - r.left) / r.width, y: (ev.clientY - r.top) / r.height, rect: r };
}

function onPointerDown(ev) {
  if (!state.list || ev.button !== 0) return;
  const p = toFraction(ev);
  const handle = ev.target.closest('.handle');
  const view = ev.target.closest('.item');
  if (handle && view) {
    drag = { mode: 'resize', item: view._item, handle: handle.dataset.handle, start: p, orig: PageList.rectOf(view._item) };
  } else if (view && state.tool !== 'link') {
    if (state.selected !== view._item) select(view._item);
    drag = { mode: 'move', item: view._item, start: p, orig: PageList.rectOf(view._item) };
  } else if (state.tool === 'link') {
    drag = { mode: 'draw', start: p, ghost: null };
  } else {
    if (state.selected) select(null);
    return;
  }
  $('#stage').setPointerCapture(ev.pointerId);
  ev.preventDefault();
}

function onPointerMove(ev) {
  if (!drag) return;
  const p = toFraction(ev);
  const dx = p.x - drag.start.x;
  const dy = p.y - drag.start.y;
  if (drag.mode === 'draw') {
    const r = normRect(drag.start, p);
    if (!drag.ghost) {
      drag.ghost = document.createElement('div');
      drag.ghost.className = 'item kind-link ghost';
      $('#items').append(drag.ghost);
    }
    Object.assign(drag.ghost.style, {
      left: r.x * 100 + '%',
      top: r.y * 100 + '%',
      width: r.width * 100 + '%',
      height: r.height * 100 + '%',
    });
    return;
  }
  const o = drag.orig;
  let next;
  if (drag.mode === 'move') {
    next = { ...o, x: o.x + dx, y: o.y + dy };
  } else {
    let left = o.x;
    let top = o.y;
    let right = o.x + o.width;
    let bottom = o.y + o.height;
    if (drag.handle.includes('w')) left = Math.min(right - 0.005, left + dx);
    if (drag.handle.includes('e')) right = Math.max(left + 0.005, right + dx);
    if (drag.handle.includes('n')) top = Math.min(bottom - 0.005, top + dy);
    if (drag.handle.includes('s')) bottom = Math.max(top + 0.005, bottom + dy);
    left = Math.max(0, left);
    top = Math.max(0, top);
    right = Math.min(1, right);
    bottom = Math.min(1, bottom);
    next = { x: left, y: top, width: right - left, height: bottom - top };
  }
  PageList.setRect(drag.item, next);
  drag.moved = true;
  const view = [...document.querySelectorAll('#items .item')].find((v) => v._item === drag.item);
  if (view) {
    const r = PageList.rectOf(drag.item);
    Object.assign(view.style, {
      left: r.x * 100 + '%',
      top: r.y * 100 + '%',
      width: r.width * 100 + '%',
      height: r.height * 100 + '%',
    });
  }
}

function normRect(a, b) {
  const x1 = Math.max(0, Math.min(a.x, b.x));
  const y1 = Math.max(0, Math.min(a.y, b.y));
  const x2 = Math.min(1, Math.max(a.x, b.x));
  const y2 = Math.min(1, Math.max(a.y, b.y));
  return { x: x1, y: y1, width: x2 - x1, height: y2 - y1 };
}

function onPointerUp(ev) {
  if (!drag) return;
  const d = drag;
  drag = null;
  if (d.mode === 'draw') {
    const p = toFraction(ev);
    const r = normRect(d.start, p);
    if (r.width * p.rect.width < MIN_DRAW_PX || r.height * p.rect.height < MIN_DRAW_PX) {
      render();
      return;
    }
    const item = state.list.addItem(state.page, 'Link', r, { action: 'web', href: '' });
    state.selected = item;
    state.tool = 'select';
    changed();
    const input = $('#link-target');
    if (input) input.focus();
    return;
  }
  if (d.moved) changed();
}

// ---- messages --------------------------------------------------------------

let messageTimer = 0;
function showMessage(text, kind = 'info', sticky = false) {
  const box = $('#message');
  box.textContent = text;
  box.className = 'message ' + kind;
  box.hidden = false;
  clearTimeout(messageTimer);
  if (!sticky) messageTimer = setTimeout(() => (box.hidden = true), kind === 'info' ? 2500 : 6000);
}

// ---- wiring ----------------------------------------------------------------

function bindUi() {
  for (const b of document.querySelectorAll('[data-tool]')) b.addEventListener('click', () => setTool(b.dataset.tool));
  for (const b of document.querySelectorAll('[data-add]')) {
    b.addEventListener('click', () => (b.dataset.add === 'Images' ? addImages() : addMedia(b.dataset.add)));
  }
  $('#save').addEventListener('click', () => save(false));
  $('#save-exit').addEventListener('click', () => save(true));
  $('#exit').addEventListener('click', exit);
  $('#help').addEventListener('click', () => state.bridge && state.bridge.tell('OpenHelp').catch(() => {}));
  $('#prev').addEventListener('click', () => goTo(state.page - 1));
  $('#next').addEventListener('click', () => goTo(state.page + 1));
  $('#rename').addEventListener('change', (ev) => {
    state.renameImages = ev.target.checked;
  });
  const stage = $('#stage');
  stage.addEventListener('pointerdown', onPointerDown);
  stage.addEventListener('pointermove', onPointerMove);
  stage.addEventListener('pointerup', onPointerUp);
  stage.addEventListener('pointercancel', () => {
    drag = null;
    render();
  });
  window.addEventListener('resize', layoutStage);
  document.addEventListener('keydown', onKey);
}

function onKey(ev) {
  // Escape always stays in the page: the window around it would take it for
  // closing the editor.
  if (ev.key === 'Escape') {
    ev.preventDefault();
    if (!$('#confirm').hidden) {
      $('#confirm-stay').click();
      return;
    }
  }
  const typing = ev.target.closest && ev.target.closest('input, textarea, select');
  if ((ev.ctrlKey || ev.metaKey) && ev.key.toLowerCase() === 's') {
    ev.preventDefault();
    save(false);
    return;
  }
  if (typing || !state.list || !$('#confirm').hidden) return;
  const sel = state.selected;
  if ((ev.key === 'Delete' || ev.key === 'Backspace') && sel) {
    ev.preventDefault();
    deleteItem(sel);
  } else if (ev.key === 'Escape') {
    drag = null;
    state.tool = 'select';
    select(null);
  } else if (sel && ev.key.startsWith('Arrow')) {
    ev.preventDefault();
    const step = (ev.shiftKey ? 10 : 1) / $('#stage').clientWidth;
    const r = PageList.rectOf(sel);
    const d = { ArrowLeft: [-1, 0], ArrowRight: [1, 0], ArrowUp: [0, -1], ArrowDown: [0, 1] }[ev.key];
    PageList.setRect(sel, { ...r, x: r.x + d[0] * step, y: r.y + d[1] * step });
    changed();
  } else if (ev.key === 'PageDown' || ev.key === 'ArrowRight' || ev.key === 'ArrowDown') {
    goTo(state.page + 1);
  } else if (ev.key === 'PageUp' || ev.key === 'ArrowLeft' || ev.key === 'ArrowUp') {
    goTo(state.page - 1);
  } else if (ev.key === 'l' || ev.key === 'L') {
    setTool('link');
  } else if (ev.key === 'v' || ev.key === 'V') {
    setTool('select');
  }
}

if (document.readyState === 'loading') document.addEventListener('DOMContentLoaded', start);
else start();

