// Draws a parsed SWF page onto a 2D canvas at any scale. Everything but the
// JPEG pictures stays vector, so a page is as sharp at 400% as at 100%.

function css([r, g, b, a]) {
  return `rgba(${r},${g},${b},${a / 255})`;
}

function buildPath(cmds) {
  const p = new Path2D();
  for (let i = 0; i < cmds.length; ) {
    const c = cmds[i];
    if (c === 'M') {
      p.moveTo(cmds[i + 1], cmds[i + 2]);
      i += 3;
    } else if (c === 'L') {
      p.lineTo(cmds[i + 1], cmds[i + 2]);
      i += 3;
    } else {
      p.quadraticCurveTo(cmds[i + 1], cmds[i + 2], cmds[i + 3], cmds[i + 4]);
      i += 5;
    }
  }
  return p;
}

const paths = new WeakMap();
function pathOf(part) {
  let p = paths.get(part);
  if (!p) {
    p = buildPath(part.cmds);
    paths.set(part, p);
  }
  return p;
}

async function decodeJpeg(jpeg) {
  const blob = new Blob([jpeg], { type: 'image/jpeg' });
  if (typeof createImageBitmap === 'function') return createImageBitmap(blob);
  const url = URL.createObjectURL(blob);
  try {
    const img = new Image();
    img.src = url;
    await img.decode();
    return img;
  } finally {
    URL.revokeObjectURL(url);
  }
}

/**
 * Decodes the movie's JPEG bitmaps (with their alpha channels) so that drawSwf
 * can paint them. Pictures that cannot be decoded are left out, not fatal.
 */
export async function decodeBitmaps(movie) {
  const jobs = [];
  for (const ch of movie.characters.values()) {
    if (ch.type !== 'bitmap' || ch.image) continue;
    jobs.push(
      decodeJpeg(ch.jpeg)
        .then((img) => {
          if (!ch.alpha) {
            ch.image = img;
            return;
          }
          // Workers have no document, only offscreen canvases.
          const canvas = typeof document === 'undefined' ? new OffscreenCanvas(img.width, img.height) : document.createElement('canvas');
          canvas.width = img.width;
          canvas.height = img.height;
          const c = canvas.getContext('2d');
          c.drawImage(img, 0, 0);
          const data = c.getImageData(0, 0, img.width, img.height);
          const px = data.data;
          const n = Math.min(ch.alpha.length, img.width * img.height);
          for (let i = 0; i < n; i++) px[4 * i + 3] = ch.alpha[i];
          c.putImageData(data, 0, 0);
          ch.image = canvas;
        })
        .catch(() => {
          ch.image = null;
        }),
    );
  }
  await Promise.all(jobs);
  return movie;
}

function invert([a, b, c, d, e, f]) {
  const det = a * d - b * c;
  if (!det || !Number.isFinite(det)) return null;
  return [d / det, -b / det, -c / det, a / det, (c * f - d * e) / det, (b * e - a * f) / det];
}

function fillPart(ctx, movie, part) {
  const style = part.style;
  const path = pathOf(part);
  if (style.type === 'solid') {
    ctx.fillStyle = css(style.color);
    ctx.fill(path, 'evenodd');
    return;
  }
  if (style.type === 'bitmap') {
    const bmp = movie.characters.get(style.bitmap);
    if (!bmp?.image) return;
    ctx.save();
    ctx.clip(path, 'evenodd');
    ctx.transform(...style.matrix);
    // Smoothed only while enlarged less than four times, as rasterisers do:
    // decided here, where the real enlargement is known (a tiny page shown
    // at book size stays crisp and has no soft edge).
    const t = ctx.getTransform();
    ctx.imageSmoothingEnabled = Math.sqrt(Math.abs(t.a * t.d - t.b * t.c)) < 4;
    ctx.imageSmoothingQuality = 'high';
    ctx.drawImage(bmp.image, 0, 0);
    ctx.restore();
    return;
  }
  // Gradients live in a square of ±16384 mapped by the style's matrix: draw the
  // path in that space so the canvas gradient can be defined there.
  const inverse = invert(style.matrix);
  if (!inverse || !style.stops.length) {
    ctx.fillStyle = css(style.stops[0]?.color ?? [0, 0, 0, 255]);
    ctx.fill(path, 'evenodd');
    return;
  }
  const g =
    style.type === 'linear'
      ? ctx.createLinearGradient(-16384, 0, 16384, 0)
      : ctx.createRadialGradient(style.focal * 16384, 0, 0, 0, 0, 16384);
  for (const s of style.stops) g.addColorStop(Math.min(1, Math.max(0, s.ratio)), css(s.color));
  const local = new Path2D();
  local.addPath(path, new DOMMatrix(inverse));
  ctx.save();
  ctx.transform(...style.matrix);
  ctx.fillStyle = g;
  ctx.fill(local, 'evenodd');
  ctx.restore();
}

function strokePart(ctx, part, minWidth) {
  const s = part.style;
  ctx.strokeStyle = css(s.color);
  ctx.lineWidth = Math.max(s.width, minWidth);
  ctx.lineCap = s.cap;
  ctx.lineJoin = s.join;
  ctx.miterLimit = s.miter;
  ctx.stroke(pathOf(part));
}

// SWF blend modes the canvas can draw; the rest (layer, alpha, erase, ...)
// mean nothing on a page and are drawn normally.
const BLEND = {
  3: 'multiply',
  4: 'screen',
  5: 'lighten',
  6: 'darken',
  7: 'difference',
  8: 'lighter',
  13: 'overlay',
  14: 'hard-light',
};

function multiply(m, n) {
  return [
    m[0] * n[0] + m[2] * n[1],
    m[1] * n[0] + m[3] * n[1],
    m[0] * n[2] + m[2] * n[3],
    m[1] * n[2] + m[3] * n[3],
    m[0] * n[4] + m[2] * n[5] + m[4],
    m[1] * n[4] + m[3] * n[5] + m[5],
  ];
}

/**
 * Draws the movie's first frame with its top-left corner at the context's
 * current origin, `scale` device pixels per movie pixel. Decode the bitmaps
 * first (decodeBitmaps) or pictures are left out.
 */
export function drawSwf(ctx, movie, scale = 1) {
  drain(drawSteps(ctx, movie, scale));
}

function drain(steps) {
  for (;;) {
    const r = steps.next();
    if (r.done) return r.value;
  }
}

/** drawSwf in steps: yields after each part of a shape drawn. */
export function* drawSteps(ctx, movie, scale = 1) {
  const t = ctx.getTransform();
  const base = multiply([t.a, t.b, t.c, t.d, t.e, t.f], [scale / 20, 0, 0, scale / 20, -movie.frame.xMin * scale / 20, -movie.frame.yMin * scale / 20]);
  // Hairlines stay one device pixel wide, as rasterisers draw them.
  const minWidth = 20 / (scale * Math.hypot(t.a, t.b) || 1);
  ctx.save();
  const clips = [];
  for (const entry of movie.displayList) {
    while (clips.length && clips[clips.length - 1] < entry.depth) {
      clips.pop();
      ctx.restore();
    }
    const ch = movie.characters.get(entry.id);
    if (!ch || ch.type !== 'shape') continue;
    const m = multiply(base, entry.matrix);
    if (entry.clipDepth) {
      ctx.save();
      ctx.setTransform(...m);
      const area = new Path2D();
      for (const part of ch.fills) area.addPath(pathOf(part));
      ctx.clip(area, 'evenodd');
      clips.push(entry.clipDepth);
      continue;
    }
    ctx.setTransform(...m);
    ctx.globalAlpha = entry.cxform ? Math.max(0, Math.min(1, entry.cxform.mult[3])) : 1;
    ctx.globalCompositeOperation = BLEND[entry.blend] ?? 'source-over';
    for (const part of ch.fills) {
      fillPart(ctx, movie, part);
      yield;
    }
    for (const part of ch.lines) {
      strokePart(ctx, part, minWidth);
      yield;
    }
  }
  while (clips.length) {
    clips.pop();
    ctx.restore();
  }
  ctx.restore();
}

/**
 * Sizes the canvas for a CSS box and the screen's pixel density and draws the
 * page fitted into it, background included. Returns the scale used.
 */
export function renderToCanvas(canvas, movie, cssWidth, cssHeight, devicePixelRatio = 1) {
  return drain(renderSteps(canvas, movie, cssWidth, cssHeight, devicePixelRatio));
}

/** renderToCanvas in steps: yields after each part of a shape drawn. */
export function* renderSteps(canvas, movie, cssWidth, cssHeight, devicePixelRatio = 1) {
  const w = Math.max(1, Math.round(cssWidth * devicePixelRatio));
  const h = Math.max(1, Math.round(cssHeight * devicePixelRatio));
  canvas.width = w;
  canvas.height = h;
  if (canvas.style) {
    canvas.style.width = `${cssWidth}px`;
    canvas.style.height = `${cssHeight}px`;
  }
  const ctx = canvas.getContext('2d');
  const scale = Math.min(w / movie.width, h / movie.height);
  ctx.setTransform(1, 0, 0, 1, 0, 0);
  ctx.fillStyle = css(movie.background);
  ctx.fillRect(0, 0, w, h);
  yield* drawSteps(ctx, movie, scale);
  return scale;
}
