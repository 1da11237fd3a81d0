// Fetching what a book needs, both from a web server and from disk. Browsers
// refuse XHR for file:// siblings, so everything read as data also comes as a
// script that hands its text to a global callback.

export function scriptBase() {
  const s = document.currentScript || [...document.scripts].find((x) => /swfobject\.js(\?|$)/.test(x.src));
  if (s && s.src) return s.src.replace(/[^/]*$/, '');
  return new URL('files/', location.href).href;
}

export function loadScript(src, timeoutMs = 8000) {
  return new Promise((resolve, reject) => {
    const el = document.createElement('script');
    const timer = setTimeout(() => {
      el.remove();
      reject(new Error(`timeout loading ${src}`));
    }, timeoutMs);
    el.src = src;
    el.async = true;
    el.onload = () => {
      clearTimeout(timer);
      resolve();
    };
    el.onerror = () => {
      clearTimeout(timer);
      el.remove();
      reject(new Error(`cannot load ${src}`));
    };
    document.head.appendChild(el);
  });
}

export function xhr(url, type = 'text') {
  return new Promise((resolve, reject) => {
    const r = new XMLHttpRequest();
    try {
      r.open('GET', url, true);
      r.responseType = type;
      r.onload = () => {
        // file:// answers 0 on success in the browsers that allow it at all.
        if ((r.status >= 200 && r.status < 300) || (r.status === 0 && r.response)) resolve(r.response);
        else reject(new Error(`HTTP ${r.status} for ${url}`));
      };
      r.onerror = () => reject(new Error(`cannot read ${url}`));
      r.send();
    } catch (err) {
      reject(err);
    }
  });
}

const fromDisk = () => location.protocol === 'file:';

// The packed configuration: files/config.xml, or its sidecar files/config.js
// which sets window.__foliantConfig to the same text.
export async function loadConfigText(base) {
  if (typeof window.__foliantConfig === 'string') return window.__foliantConfig;
  const viaScript = async () => {
    await loadScript(base + 'config.js');
    if (typeof window.__foliantConfig !== 'string') throw new Error('config.js did not set the configuration');
    return window.__foliantConfig;
  };
  const viaXhr = () => xhr(base + 'config.xml');
  // The script comes first everywhere: it works from disk, and unlike an XHR
  // it holds back the page's load event until the book stands, which is what
  // embedding views and screenshot tools wait for.
  let firstError;
  for (const step of [viaScript, viaXhr]) {
    try {
      return await step();
    } catch (err) {
      firstError = firstError || err;
    }
  }
  throw firstError;
}

// Binary page data (vector pages). From disk the sidecar "<file>.js" calls
// window.__foliantData("<path relative to files/>", "<Base64>").
const waiting = new Map();
window.__foliantData = (path, b64) => {
  const w = waiting.get(path);
  if (!w) return;
  waiting.delete(path);
  const bin = atob(b64);
  const out = new Uint8Array(bin.length);
  for (let i = 0; i < bin.length; i++) out[i] = bin.charCodeAt(i);
  w(out);
};

// Whether the HTML page asked for `url` ahead (a published vector book names
// its first page's sidecar so).
const preloaded = (url) => [...document.querySelectorAll('link[rel~="preload"]')].some((l) => l.href === url);

export async function loadBinary(base, path) {
  const viaScript = async () => {
    const got = new Promise((resolve) => waiting.set(path, resolve));
    await loadScript(base + path + '.js');
    return Promise.race([got, new Promise((_, reject) => setTimeout(() => reject(new Error(`no data in ${path}.js`)), 50))]);
  };
  if (fromDisk()) return viaScript();
  const viaXhr = async () => new Uint8Array(await xhr(base + path, 'arraybuffer'));
  // The page file itself, or first the sidecar the HTML page asked for ahead;
  // either way the other one when that fails (a server that hides .swf files
  // may still serve the sidecar).
  const [first, second] = preloaded(new URL(`${path}.js`, base).href) ? [viaScript, viaXhr] : [viaXhr, viaScript];
  try {
    return await first();
  } catch {
    return second();
  }
}
