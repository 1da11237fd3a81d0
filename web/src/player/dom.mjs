// Small DOM helpers shared by the player's modules.

// Only links a reader would expect to follow: web, mail and relative files.
export function safeHref(href) {
  const h = String(href || '').trim();
  if (!h) return '';
  const scheme = h.match(/^([a-z][a-z0-9+.-]*):/i);
  if (!scheme) return /^www\./i.test(h) ? `https://${h}` : h;
  return /^(https?|mailto|tel|ftp)$/i.test(scheme[1]) ? h : '';
}

export function el(tag, props = {}, children = []) {
  const e = document.createElement(tag);
  for (const [k, v] of Object.entries(props)) {
    if (v === undefined || v === null || v === false) continue;
    if (k === 'class') e.className = v;
    else if (k === 'text') e.textContent = v;
    else if (k === 'html') e.innerHTML = v;
    else if (k.startsWith('on')) e.addEventListener(k.slice(2), v);
    else e.setAttribute(k, v === true ? '' : v);
  }
  for (const c of [].concat(children)) if (c) e.append(c);
  return e;
}

// The reader asked the system for less motion.
export const reducedMotion = () => !!window.matchMedia?.('(prefers-reduced-motion: reduce)').matches;

// Resolves once the frame holding the changes made so far is on the screen:
// the frame after the next has begun by then.
export const afterPaint = () => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(() => setTimeout(r, 0))));
