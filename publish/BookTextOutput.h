#pragma once

#include "book/FlashOutline.h"
#include "book/FlashPageSource.h"

#include <QByteArray>
#include <QJsonArray>
#include <QString>
#include <QStringList>

// Writes a book's words and structure into its published folder S, as scripts
// the player loads from a server and straight from disk alike:
//   files/text/N.js     the words of book page N with their boxes:
//                         __foliantText(N,{"t":["word ",...],"b":[x,y,w,h,...]});
//                       each text carries what follows the word (" ", "\n" or
//                       nothing), so joining them gives the page's text; boxes
//                       are ten-thousandths of the shown page
//   files/text/index.js the text of every page, for search:
//                         __foliantTextIndex(["text of page 1",...]);
//   files/outline.js    window.__foliantOutline=[{"title":..,"page":N,"children":[..]},..];
//                       book page numbers; entries outside the book are left out
//   files/text.html     the text edition: every page's text under "Page N",
//                       linked from the book's HTML page
// The words come from the "<page>.words" files the import leaves beside the
// page files; a book without them gets no text files (earlier ones are removed).
class BookTextOutput
{
public:
    BookTextOutput(FlashPageSourcePtr pages, FlashOutlinePtr outline, QString folder, QString htmlFileName,
                   QString title);

    // Writes (or removes) the files above and links the text edition from the
    // HTML page. False when a file could not be written (logged).
    bool write();

    // One page's words from a words file's lines: the texts and the flat box list.
    struct PageWords
    {
        QStringList texts;
        QJsonArray boxes;
        QString text() const { return texts.join(QString()); }
    };
    static PageWords parseWords(const QByteArray &lines);
    // The outline in book page numbers, as the JSON array outline.js holds.
    static QJsonArray outlineJson(const FlashOutline &outline, const QHash<int, int> &bookPageOfPdfPage);
    // `html` with the link to the text edition added before </body> (and a
    // noscript copy); unchanged when it already has one.
    static QByteArray linkTextEdition(const QByteArray &html, const QString &href);

private:
    bool writeOutline(const QString &files);
    bool writeText(const QString &files, bool *hasText);

    FlashPageSourcePtr m_pages;
    FlashOutlinePtr m_outline;
    QString m_folder;
    QString m_htmlFileName;
    QString m_title;
};
