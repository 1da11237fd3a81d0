// Vector pages for the web player: parse the converter's SWF files and draw
// them on a canvas.
//
//   const movie = await loadSwf(arrayBuffer);
//   renderToCanvas(canvas, movie, cssWidth, cssHeight, window.devicePixelRatio);
import { parseSwf } from './parse.mjs';
import { decodeBitmaps } from './render.mjs';

export { parseSwf, parseSteps, SwfError } from './parse.mjs';
export { decodeBitmaps, drawSwf, drawSteps, renderToCanvas, renderSteps } from './render.mjs';

/** Parses the file and decodes its pictures. */
export async function loadSwf(buffer) {
  return decodeBitmaps(parseSwf(buffer));
}
