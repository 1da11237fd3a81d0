// Parses vector pages in a worker, so the reader's main thread never waits
// on a long page: the parsed page is plain data and crosses back by copy.
import { parseSwf } from '../swf/parse.mjs';

self.onmessage = (e) => {
  const { id, bytes } = e.data;
  try {
    self.postMessage({ id, movie: parseSwf(bytes) });
  } catch (err) {
    self.postMessage({ id, error: String(err?.message || err) });
  }
};
