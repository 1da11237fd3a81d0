// The player's own texts. The template's language setting picks the table;
// names, native names and language codes are all accepted.
const en = {
  controls: 'Book controls', linkTo: 'Link to page {n}', shortcuts: 'Single-key shortcuts (T, F, +, −)',
  book: 'Book',
  page: 'Page',
  pageOf: 'Page {n} of {total}',
  pages: 'Pages {a}–{b} of {total}',
  first: 'First page',
  prev: 'Previous page',
  next: 'Next page',
  last: 'Last page',
  goTo: 'Go to page',
  zoomIn: 'Zoom in',
  zoomOut: 'Zoom out',
  fullScreen: 'Full screen',
  exitFullScreen: 'Leave full screen',
  thumbnails: 'Thumbnails',
  print: 'Print',
  download: 'Download',
  share: 'Share',
  shareCopied: 'Link copied',
  soundOn: 'Play background music',
  soundOff: 'Stop background music',
  autoPlay: 'Start automatic page turning',
  autoStop: 'Stop automatic page turning',
  info: 'About this book',
  tilt: 'Tilt the book',
  bookmark: 'Bookmark this page',
  help: 'Help',
  close: 'Close',
  loading: 'Loading…',
  helpText:
    'Click a page or use the arrow keys to turn pages. Home and End go to the first and last page. + and − zoom; drag to move a zoomed page. F toggles full screen, T the thumbnails, Ctrl+F or / searches, Esc closes.',
  err_title: 'This book cannot be shown',
  err_load: 'The book configuration could not be read (files/config.xml is missing or blocked).',
  err_format: 'The book configuration is not in the expected format.',
  err_truncated: 'The book configuration is incomplete; it may have been cut off while copying.',
  err_base64: 'The book configuration is damaged (its encoded data is invalid).',
  err_key: 'The book configuration was packed for another player and cannot be read.',
  err_archive: 'The book configuration is damaged (its archive cannot be opened).',
  err_empty: 'The book configuration is empty.',
  err_xml: 'The book configuration holds a malformed document.',
  err_nopages: 'This book has no pages.',
  err_page: 'Page {n} could not be loaded.',
  search: 'Search', searchField: 'Search the book', contents: 'Contents', noMatches: 'No matches', matches: '{n} matches on {p} pages', match: 'Match {i} of {n}', moreMatches: '{n} more matches; add words to narrow the search', noText: 'This page has no text.', pageText: 'Text of page {n}',
};

const de = {
  controls: 'Buchsteuerung', linkTo: 'Link zu Seite {n}', shortcuts: 'Tastenkürzel mit einer Taste (T, F, +, −)',
  book: 'Buch', page: 'Seite', pageOf: 'Seite {n} von {total}', pages: 'Seiten {a}–{b} von {total}',
  first: 'Erste Seite', prev: 'Vorherige Seite', next: 'Nächste Seite', last: 'Letzte Seite', goTo: 'Gehe zu Seite',
  zoomIn: 'Vergrößern', zoomOut: 'Verkleinern', fullScreen: 'Vollbild', exitFullScreen: 'Vollbild beenden',
  thumbnails: 'Miniaturen', print: 'Drucken', download: 'Herunterladen', share: 'Teilen', shareCopied: 'Link kopiert',
  soundOn: 'Hintergrundmusik abspielen', soundOff: 'Hintergrundmusik anhalten',
  autoPlay: 'Automatisch blättern', autoStop: 'Automatisches Blättern anhalten',
  info: 'Über dieses Buch', tilt: 'Buch neigen', bookmark: 'Lesezeichen setzen', help: 'Hilfe', close: 'Schließen', loading: 'Wird geladen…',
  helpText:
    'Klicken Sie auf eine Seite oder verwenden Sie die Pfeiltasten zum Blättern. Pos1 und Ende springen zur ersten und letzten Seite. + und − zoomen; ziehen verschiebt eine vergrößerte Seite. F schaltet das Vollbild, T die Miniaturen, Esc schließt.',
  err_title: 'Dieses Buch kann nicht angezeigt werden',
  err_load: 'Die Buchkonfiguration konnte nicht gelesen werden (files/config.xml fehlt oder ist gesperrt).',
  err_format: 'Die Buchkonfiguration hat nicht das erwartete Format.',
  err_truncated: 'Die Buchkonfiguration ist unvollständig; sie wurde beim Kopieren vielleicht abgeschnitten.',
  err_base64: 'Die Buchkonfiguration ist beschädigt (ungültige Kodierung).',
  err_key: 'Die Buchkonfiguration wurde für einen anderen Player verpackt und ist nicht lesbar.',
  err_archive: 'Die Buchkonfiguration ist beschädigt (das Archiv lässt sich nicht öffnen).',
  err_empty: 'Die Buchkonfiguration ist leer.',
  err_xml: 'Die Buchkonfiguration enthält ein fehlerhaftes Dokument.',
  err_nopages: 'Dieses Buch hat keine Seiten.',
  err_page: 'Seite {n} konnte nicht geladen werden.',
  search: 'Suchen', searchField: 'Im Buch suchen', contents: 'Inhalt', noMatches: 'Keine Treffer', matches: '{n} Treffer auf {p} Seiten', match: 'Treffer {i} von {n}', moreMatches: '{n} weitere Treffer; weitere Wörter grenzen die Suche ein', noText: 'Diese Seite hat keinen Text.', pageText: 'Text der Seite {n}',
};

const fr = {
  controls: 'Commandes du livre', linkTo: 'Lien vers la page {n}', shortcuts: 'Raccourcis à une touche (T, F, +, −)',
  book: 'Livre', page: 'Page', pageOf: 'Page {n} sur {total}', pages: 'Pages {a}–{b} sur {total}',
  first: 'Première page', prev: 'Page précédente', next: 'Page suivante', last: 'Dernière page', goTo: 'Aller à la page',
  zoomIn: 'Agrandir', zoomOut: 'Réduire', fullScreen: 'Plein écran', exitFullScreen: 'Quitter le plein écran',
  thumbnails: 'Vignettes', print: 'Imprimer', download: 'Télécharger', share: 'Partager', shareCopied: 'Lien copié',
  soundOn: 'Jouer la musique de fond', soundOff: 'Arrêter la musique de fond',
  autoPlay: 'Feuilleter automatiquement', autoStop: 'Arrêter le feuilletage automatique',
  info: 'À propos de ce livre', tilt: 'Incliner le livre', bookmark: 'Marquer cette page', help: 'Aide', close: 'Fermer', loading: 'Chargement…',
  helpText:
    'Cliquez sur une page ou utilisez les flèches pour tourner les pages. Début et Fin mènent à la première et à la dernière page. + et − zooment ; faites glisser pour déplacer une page agrandie. F bascule le plein écran, T les vignettes, Échap ferme.',
  err_title: 'Ce livre ne peut pas être affiché',
  err_load: 'La configuration du livre est illisible (files/config.xml manque ou est bloqué).',
  err_format: "La configuration du livre n'a pas le format attendu.",
  err_truncated: 'La configuration du livre est incomplète ; elle a peut-être été tronquée lors de la copie.',
  err_base64: 'La configuration du livre est endommagée (codage invalide).',
  err_key: 'La configuration du livre a été chiffrée pour un autre lecteur et ne peut pas être lue.',
  err_archive: "La configuration du livre est endommagée (l'archive ne s'ouvre pas).",
  err_empty: 'La configuration du livre est vide.',
  err_xml: 'La configuration du livre contient un document mal formé.',
  err_nopages: "Ce livre n'a aucune page.",
  err_page: "La page {n} n'a pas pu être chargée.",
  search: 'Rechercher', searchField: 'Rechercher dans le livre', contents: 'Sommaire', noMatches: 'Aucun résultat', matches: '{n} résultats sur {p} pages', match: 'Résultat {i} sur {n}', moreMatches: '{n} autres résultats ; ajoutez des mots pour affiner', noText: 'Cette page ne contient pas de texte.', pageText: 'Texte de la page {n}',
};

const es = {
  controls: 'Controles del libro', linkTo: 'Enlace a la página {n}', shortcuts: 'Atajos de una tecla (T, F, +, −)',
  book: 'Libro', page: 'Página', pageOf: 'Página {n} de {total}', pages: 'Páginas {a}–{b} de {total}',
  first: 'Primera página', prev: 'Página anterior', next: 'Página siguiente', last: 'Última página', goTo: 'Ir a la página',
  zoomIn: 'Ampliar', zoomOut: 'Reducir', fullScreen: 'Pantalla completa', exitFullScreen: 'Salir de pantalla completa',
  thumbnails: 'Miniaturas', print: 'Imprimir', download: 'Descargar', share: 'Compartir', shareCopied: 'Enlace copiado',
  soundOn: 'Reproducir música de fondo', soundOff: 'Detener música de fondo',
  autoPlay: 'Pasar páginas automáticamente', autoStop: 'Detener el paso automático',
  info: 'Acerca de este libro', tilt: 'Inclinar el libro', bookmark: 'Marcar esta página', help: 'Ayuda', close: 'Cerrar', loading: 'Cargando…',
  helpText:
    'Haga clic en una página o use las flechas para pasar páginas. Inicio y Fin llevan a la primera y a la última página. + y − amplían; arrastre para mover una página ampliada. F alterna la pantalla completa, T las miniaturas, Esc cierra.',
  err_title: 'Este libro no se puede mostrar',
  err_load: 'No se pudo leer la configuración del libro (falta files/config.xml o está bloqueado).',
  err_format: 'La configuración del libro no tiene el formato esperado.',
  err_truncated: 'La configuración del libro está incompleta; puede haberse cortado al copiarla.',
  err_base64: 'La configuración del libro está dañada (codificación no válida).',
  err_key: 'La configuración del libro se empaquetó para otro reproductor y no se puede leer.',
  err_archive: 'La configuración del libro está dañada (no se puede abrir el archivo).',
  err_empty: 'La configuración del libro está vacía.',
  err_xml: 'La configuración del libro contiene un documento mal formado.',
  err_nopages: 'Este libro no tiene páginas.',
  err_page: 'No se pudo cargar la página {n}.',
  search: 'Buscar', searchField: 'Buscar en el libro', contents: 'Índice', noMatches: 'Sin resultados', matches: '{n} resultados en {p} páginas', match: 'Resultado {i} de {n}', moreMatches: '{n} resultados más; añada palabras para afinar', noText: 'Esta página no tiene texto.', pageText: 'Texto de la página {n}',
};

const tables = { en, de, fr, es };
const aliases = {
  english: 'en', deutsch: 'de', german: 'de', français: 'fr', francais: 'fr', french: 'fr',
  español: 'es', espanol: 'es', spanish: 'es',
};

export function languageCode(setting, fallbacks = []) {
  for (const raw of [setting, ...fallbacks]) {
    const v = String(raw || '').trim().toLowerCase();
    if (!v) continue;
    if (aliases[v]) return aliases[v];
    const code = v.split(/[-_]/)[0];
    if (tables[code]) return code;
  }
  return 'en';
}

export function translator(code) {
  const table = tables[code] || en;
  return (key, vars = {}) => String(table[key] ?? en[key] ?? key).replace(/\{(\w+)\}/g, (_, k) => String(vars[k] ?? ''));
}

export const languages = Object.keys(tables);
// Every language's table holds every text of the English one.
export const texts = tables;
