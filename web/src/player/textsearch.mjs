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
    // A term given twice would list each of its matches twice.
    const same = (t) => t.length === words.length && t.every((w, k) => w === words[k]);
    if (words.length && terms.length < MAX_TERMS && !terms.some(same)) terms.push(words);
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

const ASCII_WORD = /[a-z0-9]+(?:-\n[a-z0-9]+)*/g;

export class TextIndex {
  // `pages`: the text of each book page, in book order.
  constructor(pages) {
    this.pages = pages.map((t) => String(t ?? ''));
    // The book's words as numbers (one per distinct folded word) with where
    // each starts and ends in its page, page after page in three shared
    // arrays: a search compares integers, and reading a page makes no
    // objects but its new words.
    this.numbers = new Map(); // folded word -> its number
    this.where = []; // word number -> the pages holding it
    // Room for a word every six characters, grown when a book has more.
    const room = 1024 + Math.ceil(this.pages.reduce((n, t) => n + t.length, 0) / 6);
    this.words = new Int32Array(room);
    this.starts = new Int32Array(room);
    this.ends = new Int32Array(room);
    this.first = new Int32Array(this.pages.length + 1); // each page's first word
    this.read = 0; // pages read so far, in book order
  }

  numberOf(word) {
    let n = this.numbers.get(word);
    if (n === undefined) {
      n = this.where.length;
      this.numbers.set(word, n);
      this.where.push([]);
    }
    return n;
  }

  // Room for `more` words after the ones read.
  reserve(more) {
    const need = this.first[this.read] + more;
    if (need <= this.words.length) return;
    const grow = (a) => {
      const b = new Int32Array(Math.max(need, 2 * a.length));
      b.set(a);
      return b;
    };
    this.words = grow(this.words);
    this.starts = grow(this.starts);
    this.ends = grow(this.ends);
  }

  // Reads the next page's words.
  readPage() {
    const p = this.read;
    const text = this.pages[p];
    let k = this.first[p];
    const add = (word, from, to) => {
      const n = this.numberOf(word);
      this.words[k] = n;
      this.starts[k] = from;
      this.ends[k++] = to;
      const list = this.where[n];
      if (list[list.length - 1] !== p) list.push(p);
    };
    if (!ASCII.test(text)) {
      const { words, starts, ends } = tokenize(text);
      this.reserve(words.length);
      for (let w = 0; w < words.length; w++) add(words[w], starts[w], ends[w]);
    } else {
      // An ASCII page's words are the runs of [a-z0-9] in its lowercased
      // text, which keeps every offset; one native match finds them all, and
      // each starts at the first place it occurs after the one before.
      const lower = text.toLowerCase();
      const words = lower.match(ASCII_WORD) || [];
      const hyphens = lower.includes('-\n');
      this.reserve(words.length);
      let at = 0;
      for (const w of words) {
        at = lower.indexOf(w, at);
        add(hyphens && w.includes('-\n') ? w.replaceAll('-\n', '') : w, at, (at += w.length));
      }
    }
    // Snippets show line ends as spaces; one for one, so the offsets hold.
    this.pages[p] = text.replaceAll('\n', ' ');
    this.first[++this.read] = k;
  }

  // The terms as word numbers, or null when a word occurs nowhere in the book.
  termNumbers(terms) {
    while (this.read < this.pages.length) this.readPage();
    const out = [];
    for (const term of terms) {
      const numbers = term.map((w) => this.numbers.get(w));
      if (numbers.includes(undefined)) return null;
      out.push(numbers);
    }
    return out;
  }

  // Reads every page ahead of the first search, in slices that leave the
  // page responsive.
  warm(budgetMs = 8) {
    return new Promise((resolve) => {
      const step = () => {
        const until = performance.now() + budgetMs;
        while (this.read < this.pages.length && performance.now() < until) this.readPage();
        if (this.read < this.pages.length) setTimeout(step, 0);
        else resolve();
      };
      step();
    });
  }

  // [{ page (from 1), snippet, index (match number on its page), start,
  // length (of the match in the snippet) }] in book order. Snippets are made
  // when first read: a common word has thousands of matches and a reader
  // looks at a few.
  search(query) {
    const out = [];
    const terms = parseQuery(query);
    const numbers = terms.length ? this.termNumbers(terms) : null;
    if (!numbers) return out;
    // The pages that may hold every term: the shortest list of pages of a
    // term's first word.
    let best = null;
    for (const term of numbers) if (!best || this.where[term[0]].length < best.length) best = this.where[term[0]];
    for (const p of best) {
      const a = this.first[p];
      const at = matchNumbers(this.words.subarray(a, this.first[p + 1]), numbers);
      for (let n = 0; n < at.length; n++) {
        const term = numbers[at[n] % MAX_TERMS];
        const from = a + (at[n] - (at[n] % MAX_TERMS)) / MAX_TERMS;
        out.push(new Hit(this.pages[p], p + 1, n, this.starts[from], this.ends[from + term.length - 1]));
      }
    }
    return out;
  }
}

// Where the terms (arrays of word numbers) occur in a page's word numbers
// when it holds every term, in page order: position * MAX_TERMS + term.
function matchNumbers(words, terms) {
  const out = [];
  for (let t = 0; t < terms.length; t++) {
    const term = terms[t];
    const first = term[0];
    const before = out.length;
    outer: for (let i = words.indexOf(first); i >= 0; i = words.indexOf(first, i + 1)) {
      for (let k = 1; k < term.length; k++) if (words[i + k] !== term[k]) continue outer;
      out.push(i * MAX_TERMS + t);
    }
    if (out.length === before) return [];
  }
  return terms.length > 1 ? out.sort((a, b) => a - b) : out;
}

class Hit {
  constructor(text, page, index, from, to) {
    this.page = page;
    this.index = index;
    this.text = text;
    this.from = from;
    this.to = to;
  }

  get snippet() {
    const { text, from, to } = this;
    const a = Math.max(0, from - SNIPPET);
    const b = Math.min(text.length, to + SNIPPET);
    return (a > 0 ? '…' : '') + text.slice(a, b) + (b < text.length ? '…' : '');
  }

  get start() {
    return this.from - Math.max(0, this.from - SNIPPET) + (this.from > SNIPPET ? 1 : 0);
  }

  get length() {
    return this.to - this.from;
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
