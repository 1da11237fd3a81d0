// Vector page files drawn sharp under the editor's items, with the renderer
// the book player uses. Parsed pages are kept for the last few pages visited.
import { loadSwf, renderToCanvas } from '../swf/index.mjs';

const KEEP = 8;
const movies = new Map();

function readBytes(url) {
  return new Promise((resolve) => {
    const xhr = new XMLHttpRequest();
    xhr.open('GET', url, true);
    xhr.responseType = 'arraybuffer';
    xhr.onload = () => resolve((xhr.status === 200 || xhr.status === 0) && xhr.response ? xhr.response : null);
    xhr.onerror = () => resolve(null);
    try {
      xhr.send();
    } catch {
      resolve(null);
    }
  });
}

/** The parsed page at `url`, or null when it cannot be read or drawn. */
export function vectorPage(url) {
  if (!movies.has(url)) {
    movies.set(
      url,
      readBytes(url).then((bytes) => (bytes && bytes.byteLength ? loadSwf(bytes) : null)).catch(() => null)
    );
    if (movies.size > KEEP) movies.delete(movies.keys().next().value);
  }
  return movies.get(url);
}

export { renderToCanvas };
