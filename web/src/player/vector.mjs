// Vector pages through the project's SWF renderer. Parsed pages are kept per
// byte buffer, so redrawing at a new zoom does not parse again. Parsing runs
// in a worker (vector-worker.mjs, built into the bundle as text) where the
// browser allows one, else here.
import { loadSwf, renderToCanvas, decodeBitmaps } from '../swf/index.mjs';

export const available = true;
const movies = new WeakMap();

/* global __FOLIANT_PARSE_WORKER__ */
let worker;
const waiting = new Map();
let nextId = 1;
function parser() {
  if (worker !== undefined) return worker;
  worker = null;
  try {
    if (typeof __FOLIANT_PARSE_WORKER__ === 'string' && window.Worker) {
      const url = URL.createObjectURL(new Blob([__FOLIANT_PARSE_WORKER__], { type: 'text/javascript' }));
      worker = new Worker(url);
      worker.onmessage = (e) => {
        const w = waiting.get(e.data.id);
        waiting.delete(e.data.id);
        if (e.data.error) w?.reject(new Error(e.data.error));
        else w?.resolve(e.data.movie);
      };
      // A worker that cannot start (some browsers refuse them for pages
      // opened from disk) hands its pages back to be parsed here.
      worker.onerror = (e) => {
        e.preventDefault?.();
        worker = null;
        for (const w of waiting.values()) w.fallback();
        waiting.clear();
      };
    }
  } catch {
    worker = null;
  }
  return worker;
}

function parse(bytes) {
  const w = parser();
  if (!w) return loadSwf(bytes);
  return new Promise((resolve, reject) => {
    const id = nextId++;
    waiting.set(id, { resolve, reject, fallback: () => loadSwf(bytes).then(resolve, reject) });
    w.postMessage({ id, bytes });
  }).then((movie) => (movie.characters ? decodeBitmaps(movie) : movie));
}

export async function renderVectorPage(bytes, canvas, cssWidth, cssHeight, scale) {
  let movie = movies.get(bytes);
  if (!movie) {
    movie = await parse(bytes);
    movies.set(bytes, movie);
    // Drawing starts in a task of its own.
    await new Promise((r) => setTimeout(r, 0));
  }
  renderToCanvas(canvas, movie, cssWidth, cssHeight, scale);
  // The page box sizes the canvas; the renderer's pixel size would fight it.
  canvas.style.width = '';
  canvas.style.height = '';
  // The drawing keeps its own proportions, fitted into the top left corner.
  return movie.width / movie.height;
}
