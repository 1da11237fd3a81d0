// Reads the book document (settings plus the merged page list) into a plain
// object the player works from. Every value has a default, so a document that
// lacks elements still yields a book; only a document that is not XML at all,
// or not a book, is refused.
import { UnpackError } from './unpack.mjs';

const child = (node, path) => {
  let n = node;
  for (const name of path.split('/')) {
    if (!n) return null;
    let found = null;
    for (let c = n.firstElementChild; c; c = c.nextElementSibling) {
      if (c.localName === name) {
        found = c;
        break;
      }
    }
    n = found;
  }
  return n;
};
const text = (node, path, fallback = '') => {
  const n = path ? child(node, path) : node;
  return n ? n.textContent.trim() : fallback;
};
const attr = (node, path, name, fallback = '') => {
  const n = path ? child(node, path) : node;
  return n && n.hasAttribute(name) ? n.getAttribute(name) : fallback;
};
const truth = (v) => /^(yes|show|enable|true|1)$/i.test(String(v).trim());

// Colours arrive as signed decimal integers; anything else is read as hex.
export function colorOf(value, fallback) {
  const s = String(value ?? '').trim();
  let n;
  if (/^-?\d+$/.test(s)) n = Number(s);
  else if (/^(#|0x)?[0-9a-f]{1,8}$/i.test(s)) n = parseInt(s.replace(/^(#|0x)/i, ''), 16);
  else return fallback;
  return '#' + ((n >>> 0) & 0xffffff).toString(16).padStart(6, '0');
}

const num = (v, fallback) => {
  const n = parseFloat(v);
  return Number.isFinite(n) ? n : fallback;
};

// A user file reference whose stem has no extension ("extfiles/LogoFile.")
// names nothing that publishing could have copied.
const fileRef = (v) => (v && !/\.$/.test(v) ? v : '');

function readItem(el, pageW, pageH) {
  const name = (el.getAttribute('name') || '').trim();
  const frac = (key, whole) => {
    const v = num(el.getAttribute(key), 0);
    // Fractions of the page are what the importer writes; values above 1.5
    // are taken as pixels of the large page, as hand-edited lists may hold.
    return Math.abs(v) > 1.5 && whole ? v / whole : v;
  };
  return {
    kind: name.toLowerCase(),
    type: el.getAttribute('type') || '',
    action: (el.getAttribute('action') || '').toLowerCase(),
    x: frac('x', pageW),
    y: frac('y', pageH),
    width: frac('width', pageW),
    height: frac('height', pageH),
    href: el.getAttribute('href') || el.getAttribute('url') || el.getAttribute('src') || '',
    target: el.getAttribute('target') || '',
    autoplay: truth(el.getAttribute('autoplay') || el.getAttribute('autoPlay') || ''),
    loop: truth(el.getAttribute('loop') || ''),
    text: el.getAttribute('title') || el.getAttribute('text') || el.textContent.trim(),
  };
}

// The page list is most of a long book's document, and publishing writes each
// page alike: three items, the page's files, and nothing else. Such a list is
// read straight from the text, far faster than through the DOM; the rest of
// the document still goes through the XML parser. Anything else on a page
// (placed items, other attributes, entities, comments) returns null, and the
// whole document is parsed as it stands.
const PAGE =
  /\s*<Page type="Image">\s*<Item name="thumb">([^<&]*)<\/Item>\s*<Item name="normal">([^<&]*)<\/Item>\s*<Item name="large">([^<&]*)<\/Item>\s*<\/Page>/y;
function quickPageList(xml) {
  const open = /<Pages(\s[^>]*)?>/g.exec(xml);
  const close = xml.indexOf('</Pages>');
  if (!open || close < 0 || xml.indexOf('<Pages', open.index + 1) >= 0 || xml.indexOf('</Pages>', close + 1) >= 0) return null;
  const list = [];
  let at = open.index + open[0].length;
  for (PAGE.lastIndex = at; ; at = PAGE.lastIndex) {
    const m = PAGE.exec(xml);
    if (!m) break;
    const [thumb, normal, large] = [m[1].trim(), m[2].trim(), m[3].trim()];
    list.push({ thumb: thumb || normal || large, normal: normal || large || thumb, large: large || normal || thumb, items: [] });
  }
  if (xml.slice(at, close).trim()) return null;
  return { list, rest: xml.slice(0, open.index + open[0].length) + xml.slice(close) };
}

export function readPages(pagesEl, quickList = null) {
  const out = { base: '', largeWidth: 0, largeHeight: 0, width: 0, height: 0, thumbWidth: 0, thumbHeight: 0, list: [] };
  if (!pagesEl) return out;
  out.base = attr(pagesEl, '', 'bace');
  for (const k of ['largeWidth', 'largeHeight', 'width', 'height', 'thumbWidth', 'thumbHeight']) out[k] = num(attr(pagesEl, '', k), 0);
  if (quickList) {
    out.list = quickList;
    return out;
  }
  const pw = out.largeWidth || out.width;
  const ph = out.largeHeight || out.height;
  for (let p = pagesEl.firstElementChild; p; p = p.nextElementSibling) {
    if (p.localName !== 'Page') continue;
    const page = { thumb: '', normal: '', large: '', items: [] };
    for (let it = p.firstElementChild; it; it = it.nextElementSibling) {
      if (it.localName !== 'Item') continue;
      const name = it.getAttribute('name');
      if (name === 'thumb' || name === 'normal' || name === 'large') page[name] = it.textContent.trim();
      else page.items.push(readItem(it, pw, ph));
    }
    if (!page.normal) page.normal = page.large || page.thumb;
    if (!page.large) page.large = page.normal;
    if (!page.thumb) page.thumb = page.normal;
    out.list.push(page);
  }
  return out;
}

export function parseBook(xmlText) {
  let quick = quickPageList(xmlText);
  const parse = (text) => new DOMParser().parseFromString(text, 'application/xml');
  let doc = parse(quick ? quick.rest : xmlText);
  // The list taken out must have been the book's own, now empty, page list.
  const pagesEl = () => child(doc.documentElement, 'Pages');
  if (quick && (!pagesEl() || pagesEl().firstElementChild)) {
    quick = null;
    doc = parse(xmlText);
  }
  const root = doc.documentElement;
  if (!root || doc.getElementsByTagName('parsererror').length || root.localName === 'parsererror') {
    throw new UnpackError('xml', 'the configuration is not well-formed XML');
  }
  if (root.localName !== 'FlipBook3D') throw new UnpackError('xml', `unexpected root element ${root.localName}`);
  const s = child(root, 'Config/Setting');
  const fb = child(s, 'FlipBook3DSetting');
  const bg = child(fb, 'Background');
  const hidden = new Set(
    text(s, 'ControlButtonsInvisible', ',Content')
      .split(',')
      .map((x) => x.trim())
      .filter((x) => x && x !== 'Content'),
  );
  const pano = child(s, 'Template/PanoramicImage');
  return {
    author: {
      name: text(root, 'Config/Author/Name'),
      email: text(root, 'Config/Author/Email'),
      web: text(root, 'Config/Author/WebSite'),
      info: text(root, 'Config/Author/Info'),
    },
    title: text(s, 'Title'),
    baseColor: colorOf(text(s, 'BaseColor'), '#804000'),
    logo: {
      src: fileRef(text(s, 'Logo')),
      display: attr(s, 'Logo', 'displayLogo', 'true') !== 'false',
      link: attr(s, 'Logo', 'link'),
    },
    analyticsId: attr(s, 'GoogleAnalytics', 'webProperty').trim(),
    shareId: attr(s, 'ShareAnalytics', 'id').trim(),
    themeSrc: attr(s, 'Theme', 'src', 'theme/Main.swf'),
    music: { src: fileRef(text(s, 'BackgroundMusic')), loop: attr(s, 'BackgroundMusic', 'circle', '-1') !== '0' },
    download: fileRef(attr(s, 'Download', 'src')),
    hidden,
    background: {
      type: text(bg, 'BackgroundType', 'GradientColor'),
      color: colorOf(text(bg, 'Color'), '#808000'),
      start: colorOf(text(bg, 'GradientStartColor'), '#ff9900'),
      end: colorOf(text(bg, 'GradientEndColor'), '#e8ac4d'),
      angle: num(text(bg, 'GradientAngle'), 90),
      image: fileRef(text(bg, 'ImagePath')),
      position: text(bg, 'Position', 'Fill'),
    },
    autoFlip: {
      enable: truth(text(fb, 'AutoFlip/Enable', 'No')),
      interval: Math.max(1, num(text(fb, 'AutoFlip/Interval'), 3)),
      loop: truth(attr(fb, 'AutoFlip', 'loop', '0')),
    },
    tiltAngle: num(text(fb, 'TiltAngle'), 0),
    autoScale: text(fb, 'AutoScale', 'Yes') === '' ? true : truth(text(fb, 'AutoScale', 'Yes')),
    flipSound: truth(text(fb, 'PlayFlipSound', 'Yes')),
    thickness: num(text(fb, 'PerPageThickness'), 1),
    panorama: pano
      ? Object.fromEntries(['Left', 'Right', 'Top', 'Bottom', 'Front', 'Back'].map((k) => [k.toLowerCase(), text(pano, k)]))
      : null,
    language: text(s, 'LanguageSetting') || text(s, 'Language'),
    pages: readPages(child(root, 'Pages'), quick?.list),
  };
}
