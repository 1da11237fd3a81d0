// Parses and draws vector pages off the reader's main thread: the page comes
// back as a finished picture (an ImageBitmap, handed over without a copy).
// The latest few parsed pages are kept, so a redraw at another zoom does not
// parse again. Without offscreen canvases it says so, and the page draws the
// page itself.
import { parseSwf } from '../swf/parse.mjs';
import { decodeBitmaps, renderToCanvas } from '../swf/render.mjs';

const KEEP = 8;
const movies = new Map();
// Some browsers have offscreen canvases for WebGL only.
const drawable = typeof OffscreenCanvas !== 'undefined' && !!new OffscreenCanvas(1, 1).getContext('2d');

self.onmessage = async (e) => {
  const { id, key, bytes, width, height, scale } = e.data;
  if (!drawable) {
    self.postMessage({ id, unsupported: true });
    return;
  }
  try {
    let movie = movies.get(key);
    if (!movie) movie = await decodeBitmaps(parseSwf(bytes));
    movies.delete(key);
    movies.set(key, movie);
    if (movies.size > KEEP) movies.delete(movies.keys().next().value);
    const canvas = new OffscreenCanvas(1, 1);
    renderToCanvas(canvas, movie, width, height, scale);
    const bitmap = canvas.transferToImageBitmap();
    self.postMessage({ id, bitmap, aspect: movie.width / movie.height }, [bitmap]);
  } catch (err) {
    self.postMessage({ id, error: String(err?.message || err) });
  }
};
