// Templates pick one of the player's chromes through their theme file
// (files/theme/Main.swf). The theme file is a script, so it loads from disk
// as well as from a server:
//   window.__foliantTheme = {"template":"float","chrome":"float"};
// Optional keys: "flippingTime" (ms), "shadow" (0..1), "cover" (true/false).
export const CHROMES = ['float', 'classic', 'slim', 'panoramic'];

const KNOWN = { float: 'float', panoramic: 'panoramic', classic: 'classic', slim: 'slim', paper: 'classic', gallery: 'slim' };

export function chromeForTemplate(name) {
  const key = String(name || '').toLowerCase();
  if (KNOWN[key]) return KNOWN[key];
  for (const chrome of CHROMES) if (key.includes(chrome)) return chrome;
  // An unknown template still gets a stable chrome of its own.
  let h = 0;
  for (const c of key) h = (h * 31 + c.charCodeAt(0)) >>> 0;
  return ['classic', 'float', 'slim'][h % 3];
}

export function themeFileText(template, extra = {}) {
  const theme = { template, chrome: chromeForTemplate(template), ...extra };
  return `window.__foliantTheme=${JSON.stringify(theme)};\n`;
}
