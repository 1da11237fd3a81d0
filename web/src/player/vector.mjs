// Vector pages through the project's SWF renderer. Where the browser allows,
// a worker (vector-worker.mjs, built into the bundle as text) parses and
// draws them and hands back the picture. Elsewhere (no worker, as for some
// pages opened from disk, or no offscreen canvas) the page parses and draws
// them itself, in slices of a few milliseconds between which the browser
// handles input and paints, so no task blocks the reader for long.
import { parseSteps, decodeBitmaps, renderSteps } from '../swf/index.mjs';

export const available = true;
const SLICE_MS = 8;

/* global __FOLIANT_PARSE_WORKER__ */
let worker;
const waiting = new Map();
let nextId = 1;
const keys = new WeakMap(); // page data -> its key in the worker

function startWorker() {
  if (worker !== undefined) return worker;
  worker = null;
  try {
    if (typeof __FOLIANT_PARSE_WORKER__ === 'string' && window.Worker && window.OffscreenCanvas) {
      const url = URL.createObjectURL(new Blob([__FOLIANT_PARSE_WORKER__], { type: 'text/javascript' }));
      worker = new Worker(url);
      worker.onmessage = (e) => {
        const w = waiting.get(e.data.id);
        waiting.delete(e.data.id);
        if (e.data.unsupported) stopWorker();
        if (!w) return;
        if (e.data.unsupported) w.fallback();
        else if (e.data.error) w.reject(new Error(e.data.error));
        else w.resolve(e.data);
      };
      // A worker that cannot start hands its pages back to be drawn here.
      worker.onerror = (e) => {
        e.preventDefault?.();
        stopWorker();
      };
    }
  } catch {
    worker = null;
  }
  return worker;
}

function stopWorker() {
  worker?.terminate();
  worker = null;
  for (const w of waiting.values()) w.fallback();
  waiting.clear();
}

// Runs a step generator to its end, yielding to the browser whenever a
// slice has used its time.
const nextTask = () =>
  new Promise((r) => {
    const ch = new MessageChannel();
    ch.port1.onmessage = () => r();
    ch.port2.postMessage(0);
  });
async function inSlices(steps) {
  let start = performance.now();
  for (;;) {
    const r = steps.next();
    if (r.done) return r.value;
    if (performance.now() - start > SLICE_MS) {
      await nextTask();
      start = performance.now();
    }
  }
}

const movies = new WeakMap(); // page data -> parsed page, for drawing here
async function drawHere(bytes, canvas, cssWidth, cssHeight, scale) {
  let movie = movies.get(bytes);
  if (!movie) {
    movie = await decodeBitmaps(await inSlices(parseSteps(bytes)));
    movies.set(bytes, movie);
  }
  // Drawn aside and shown whole, so a page never appears half drawn.
  const off = document.createElement('canvas');
  await inSlices(renderSteps(off, movie, cssWidth, cssHeight, scale));
  show(canvas, await createImageBitmap(off));
  return movie.width / movie.height;
}

// The finished picture becomes the canvas's own without a copy.
function show(canvas, bitmap) {
  canvas.width = bitmap.width;
  canvas.height = bitmap.height;
  canvas.getContext('bitmaprenderer').transferFromImageBitmap(bitmap);
}

function drawInWorker(w, bytes, canvas, cssWidth, cssHeight, scale) {
  if (!keys.has(bytes)) keys.set(bytes, nextId++);
  return new Promise((resolve, reject) => {
    const id = nextId++;
    const fallback = () => drawHere(bytes, canvas, cssWidth, cssHeight, scale).then(resolve, reject);
    waiting.set(id, {
      reject,
      fallback,
      resolve: ({ bitmap, aspect }) => {
        show(canvas, bitmap);
        resolve(aspect);
      },
    });
    w.postMessage({ id, key: keys.get(bytes), bytes, width: cssWidth, height: cssHeight, scale });
  });
}

export async function renderVectorPage(bytes, canvas, cssWidth, cssHeight, scale, here = false) {
  const w = here ? null : startWorker();
  const aspect = await (w ? drawInWorker(w, bytes, canvas, cssWidth, cssHeight, scale) : drawHere(bytes, canvas, cssWidth, cssHeight, scale));
  // The page box sizes the canvas.
  canvas.style.width = '';
  canvas.style.height = '';
  // The drawing keeps its own proportions, fitted into the top left corner.
  return aspect;
}
