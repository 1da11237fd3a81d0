// Sharing the book (link, mail, social sites) and the publisher's analytics.
// The methods are part of Player (player.mjs), which mixes them in.
import { el } from './dom.mjs';

export class Sharing {
  share() {
    const page = location.href.split('#')[0];
    const link = `${page}#page=${this.visiblePages()[0] + 1}`;
    const enc = encodeURIComponent;
    const title = this.book.title || document.title;
    const via = this.book.shareId ? `&via=${enc(this.book.shareId)}` : '';
    const copy = el('button', {
      type: 'button',
      text: this.t('share'),
      onclick: () => {
        navigator.clipboard?.writeText(link).then(() => this.flash(this.t('shareCopied')), () => {});
      },
    });
    this.dialog(this.t('share'), [
      el('p', {}, el('input', { type: 'text', readonly: true, value: link, style: 'width:100%', 'aria-label': this.t('share') })),
      el('div', { class: 'fo-share-links' }, [
        copy,
        el('a', { href: `mailto:?subject=${enc(title)}&body=${enc(link)}`, text: 'E-mail' }),
        el('a', { href: `https://twitter.com/intent/tweet?url=${enc(link)}&text=${enc(title)}${via}`, target: '_blank', rel: 'noopener', text: 'X' }),
        el('a', { href: `https://www.facebook.com/sharer/sharer.php?u=${enc(link)}`, target: '_blank', rel: 'noopener', text: 'Facebook' }),
      ]),
    ]);
  }

  // Analytics only when the publisher set an id, and never from disk.
  setupAnalytics() {
    const id = this.book.analyticsId;
    if (!id || !/^(UA|G|GT|AW)-[A-Z0-9-]+$/i.test(id) || !/^https?:$/.test(location.protocol)) return;
    window.dataLayer = window.dataLayer || [];
    window.gtag = function gtag() {
      window.dataLayer.push(arguments);
    };
    window.gtag('js', new Date());
    window.gtag('config', id);
    const s = el('script', { async: true, src: `https://www.googletagmanager.com/gtag/js?id=${encodeURIComponent(id)}` });
    document.head.append(s);
    this.flip.on('flip', () => window.gtag('event', 'page_view', { page_title: `${this.book.title} – ${this.current() + 1}` }));
  }
}
