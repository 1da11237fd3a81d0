// Vector pages through the project's SWF renderer. Parsed pages are kept per
// byte buffer, so redrawing at a new zoom does not parse again.
import { loadSwf, renderToCanvas } from '../swf/index.mjs';

export const available = true;
const movies = new WeakMap();

export async function renderVectorPage(bytes, canvas, cssWidth, cssHeight, scale) {
  let movie = movies.get(bytes);
  if (!movie) {
    movie = await loadSwf(bytes);
    movies.set(bytes, movie);
  }
  renderToCanvas(canvas, movie, cssWidth, cssHeight, scale);
  // The page box sizes the canvas; the renderer's pixel size would fight it.
  canvas.style.width = '';
  canvas.style.height = '';
  // The drawing keeps its own proportions, fitted into the top left corner.
  return movie.width / movie.height;
}
