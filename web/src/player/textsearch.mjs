// Word search over a book's text, shared by the book player and the phone
// edition. No DOM: pages are plain strings, results plain objects.
//
// Words are runs of letters, digits and marks; each Han, Hiragana or Katakana
// character is a word of its own, since those scripts put no spaces between
// words. Matching ignores case and accents and treats ligatures as their
// letters. A query is a list of terms, each a bare word or a "quoted phrase";
// a bare word that holds punctuation ("e-mail") is the phrase of its parts.
// A page matches when it holds every term; each place a term occurs on such a
// page is one match.

// A word hyphenated at the end of a line ("alterna-" "tives") is one word.
const WORD = /[\p{L}\p{N}\p{M}]+(?:-\n[\p{L}\p{N}\p{M}]+)*/gu;
const CJK = /[\p{sc=Han}\p{sc=Hiragana}\p{sc=Katakana}]/u;
const CJK_SPLIT = /[\p{sc=Han}\p{sc=Hiragana}\p{sc=Katakana}]|[^\p{sc=Han}\p{sc=Hiragana}\p{sc=Katakana}]+/gu;
const ASCII = /^[\x00-\x7f]*$/;

export const MAX_QUERY = 500; // characters of a query that are read
const MAX_TERMS = 16;
const SNIPPET = 60; // characters shown on each side of a match

export function fold(word) {
  const w = word.includes('-\n') ? word.replaceAll('-\n', '') : word;
  if (ASCII.test(w)) return w.toLowerCase();
  return w.normalize('NFKD').replace(/\p{M}/gu, '').toLowerCase().replaceAll('ß', 'ss');
}

// The words of `text` with where they start and end in it.
export function tokenize(text) {
  const words = [];
  const starts = [];
  const ends = [];
  const add = (word, at) => {
    const w = fold(word);
    if (!w) return;
    words.push(w);
    starts.push(at);
    ends.push(at + word.length);
  };
  for (const m of String(text).matchAll(WORD)) {
    if (!CJK.test(m[0])) add(m[0], m.index);
    else for (const c of m[0].matchAll(CJK_SPLIT)) add(c[0], m.index + c.index);
  }
  return { words, starts, ends };
}

// The terms of a query: arrays of folded words.
export function parseQuery(query) {
  const q = String(query ?? '').slice(0, MAX_QUERY);
  const terms = [];
  const add = (text) => {
    const { words } = tokenize(text);
    if (words.length && terms.length < MAX_TERMS) terms.push(words);
  };
  const rest = q.replace(/["“”„«»]([^"“”„«»]*)["“”„«»]?/g, (_, phrase) => {
    add(phrase);
    return ' ';
  });
  for (const part of rest.split(/\s+/)) add(part);
  return terms;
}

// Positions (word indices) where `term` starts in `words`.
export function findTerm(words, term) {
  const out = [];
  const first = term[0];
  outer: for (let i = words.indexOf(first); i >= 0; i = words.indexOf(first, i + 1)) {
    for (let k = 1; k < term.length; k++) if (words[i + k] !== term[k]) continue outer;
    out.push(i);
  }
  return out;
}

// The matches of `terms` in one page's words: [{ at, length }] in page order.
export function matchPage(words, terms) {
  const hits = [];
  for (const term of terms) {
    const found = findTerm(words, term);
    if (!found.length) return [];
    for (const at of found) hits.push({ at, length: term.length });
  }
  return hits.sort((a, b) => a.at - b.at);
}

export class TextIndex {
  // `pages`: the text of each book page, in book order.
  constructor(pages) {
    this.pages = pages.map((t) => String(t ?? ''));
    this.tokens = new Array(this.pages.length);
    this.where = new Map(); // word -> the pages holding it, for pages read so far
    this.read = 0; // pages 0..read-1 are in `where`
  }

  page(i) {
    if (!this.tokens[i]) {
      this.tokens[i] = tokenize(this.pages[i]);
      if (i === this.read) {
        for (; this.read < this.pages.length && this.tokens[this.read]; this.read++) {
          for (const w of new Set(this.tokens[this.read].words)) {
            const list = this.where.get(w);
            if (list) list.push(this.read);
            else this.where.set(w, [this.read]);
          }
        }
      }
    }
    return this.tokens[i];
  }

  // The pages that may hold every term: from the word lists once all pages
  // are read, otherwise every page.
  candidates(terms) {
    if (this.read < this.pages.length) for (let p = 0; p < this.pages.length; p++) this.page(p);
    let best = null;
    for (const term of terms) {
      const list = this.where.get(term[0]) || [];
      if (!best || list.length < best.length) best = list;
    }
    return best || [];
  }

  // Tokenizes every page ahead of the first search, in slices that leave the
  // page responsive.
  warm(budgetMs = 8) {
    let i = 0;
    return new Promise((resolve) => {
      const step = () => {
        const until = performance.now() + budgetMs;
        while (i < this.pages.length && performance.now() < until) this.page(i++);
        if (i < this.pages.length) setTimeout(step, 0);
        else resolve();
      };
      step();
    });
  }

  // [{ page (from 1), snippet, index (match number on its page) }] in book order.
  search(query) {
    const terms = parseQuery(query);
    const out = [];
    if (!terms.length) return out;
    for (const p of this.candidates(terms)) {
      const tok = this.page(p);
      const hits = matchPage(tok.words, terms);
      hits.forEach((h, n) => {
        const text = this.pages[p];
        const from = tok.starts[h.at];
        const to = tok.ends[h.at + h.length - 1];
        const a = Math.max(0, from - SNIPPET);
        const b = Math.min(text.length, to + SNIPPET);
        // Line ends become spaces one for one, so the offsets hold.
        const lead = a > 0 ? '…' : '';
        const snippet = lead + text.slice(a, b).replaceAll('\n', ' ') + (b < text.length ? '…' : '');
        out.push({ page: p + 1, snippet, index: n, start: from - a + lead.length, length: to - from });
      });
    }
    return out;
  }
}

// The word indices of a page's word list (its "t" array) that a query
// highlights, and which of them begin each match (for "current hit").
export function highlightWords(texts, query) {
  const terms = parseQuery(query);
  if (!terms.length) return { words: new Set(), starts: [] };
  // Offsets of each entry in the page's text, to find the entries a word spans.
  const offsets = [];
  let text = '';
  for (const t of texts) {
    offsets.push(text.length);
    text += t;
  }
  const entryAt = (pos) => {
    let lo = 0;
    let hi = offsets.length - 1;
    while (lo < hi) {
      const mid = (lo + hi + 1) >> 1;
      if (offsets[mid] <= pos) lo = mid;
      else hi = mid - 1;
    }
    return lo;
  };
  const tok = tokenize(text);
  const lit = new Set();
  const starts = [];
  for (const h of matchPage(tok.words, terms)) {
    const first = entryAt(tok.starts[h.at]);
    const last = entryAt(tok.ends[h.at + h.length - 1] - 1);
    starts.push(first);
    for (let w = first; w <= last; w++) lit.add(w);
  }
  return { words: lit, starts };
}
