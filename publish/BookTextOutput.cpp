#include "publish/BookTextOutput.h"

#include "book/PDFToPageConverter.h"
#include "platform/AtomicFile.h"
#include "platform/Logging.h"
#include "platform/OperationQueue.h"
#include "platform/Paths.h"
#include "platform/WriteJournal.h"
#include "publish/BookFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <algorithm>
#include <atomic>
#include <functional>
#include <thread>
#include <vector>

namespace {

const auto logger = Logging::logger("BookTextOutput");

QByteArray json(const QJsonArray &array)
{
    return QJsonDocument(array).toJson(QJsonDocument::Compact);
}

QString htmlEscaped(const QString &text)
{
    return text.toHtmlEscaped();
}

QString pagePath(const QString &folder, qsizetype index)
{
    return Paths::join(folder, QStringLiteral("%1.js").arg(index + 1));
}

void addOutlineItems(const FlashOutlineItemList &items, const QHash<int, int> &bookPage, QJsonArray &out)
{
    for (const FlashOutlineItemPtr &item : items) {
        if (!item)
            continue;
        QJsonArray children;
        addOutlineItems(item->childItems(), bookPage, children);
        const int page = bookPage.value(item->pageIndex(), 0);
        if (page <= 0) {
            // The entry points outside the book: its entries that do not take
            // its place.
            for (const QJsonValue &child : children)
                out.append(child);
            continue;
        }
        out.append(QJsonObject{{QStringLiteral("title"), item->caption().simplified()},
                               {QStringLiteral("page"), page},
                               {QStringLiteral("children"), children}});
    }
}

} // namespace

BookTextOutput::BookTextOutput(FlashPageSourcePtr pages, FlashOutlinePtr outline, QString folder, QString htmlFileName,
                               QString title)
    : m_pages(std::move(pages)), m_outline(std::move(outline)), m_folder(std::move(folder)),
      m_htmlFileName(std::move(htmlFileName)), m_title(std::move(title))
{}

BookTextOutput::PageWords BookTextOutput::parseWords(const QByteArray &lines)
{
    PageWords words;
    qsizetype start = 0;
    while (start < lines.size()) {
        qsizetype end = lines.indexOf('\n', start);
        if (end < 0)
            end = lines.size();
        const QByteArray line = lines.mid(start, end - start);
        start = end + 1;
        // "x y w h after text": five numbers, then the word.
        int numbers[5] = {};
        qsizetype at = 0;
        bool ok = true;
        for (int &n : numbers) {
            const qsizetype space = line.indexOf(' ', at);
            if (space < 0) {
                ok = false;
                break;
            }
            n = line.mid(at, space - at).toInt(&ok);
            if (!ok)
                break;
            at = space + 1;
        }
        const QString text = QString::fromUtf8(line.mid(at)).trimmed();
        if (!ok || text.isEmpty())
            continue;
        const auto clamp = [](int v) { return std::clamp(v, 0, 10000); };
        static const QString after[] = {QString(), QStringLiteral(" "), QStringLiteral("\n")};
        words.texts.append(text + after[std::clamp(numbers[4], 0, 2)]);
        for (int i = 0; i < 4; ++i)
            words.boxes.append(clamp(numbers[i]));
    }
    return words;
}

QJsonArray BookTextOutput::outlineJson(const FlashOutline &outline, const QHash<int, int> &bookPageOfPdfPage)
{
    QJsonArray out;
    addOutlineItems(outline.items(), bookPageOfPdfPage, out);
    return out;
}

QByteArray BookTextOutput::linkTextEdition(const QByteArray &html, const QString &href)
{
    if (html.contains("data-foliant-text"))
        return html;
    const QByteArray a = "<a data-foliant-text href=\"" + href.toHtmlEscaped().toUtf8() + "\"";
    const QByteArray link =
        a +
        " style=\"position:absolute;width:1px;height:1px;overflow:hidden;clip:rect(0 0 0 0)\">Text of this "
        "book</a>\n<noscript><p>" +
        a + ">Read the text of this book</a></p></noscript>\n";
    qsizetype at = html.toLower().lastIndexOf("</body>");
    if (at < 0)
        at = html.size();
    QByteArray out = html;
    out.insert(at, link);
    return out;
}

bool BookTextOutput::write()
{
    const QString files = Paths::join(m_folder, QStringLiteral("files"));
    bool ok = writeOutline(files);
    bool hasText = false;
    ok = writeText(files, &hasText) && ok;
    const QString edition = Paths::join(files, QStringLiteral("text.html"));
    const QString html = Paths::join(m_folder, m_htmlFileName);
    if (hasText && BookFiles::exists(html)) {
        bool read = false;
        const QByteArray page = BookFiles::read(html, &read);
        const QString href = QDir(QFileInfo(html).path()).relativeFilePath(edition);
        if (read && !BookFiles::writeAtomically(html, linkTextEdition(page, href))) {
            LOG4CXX_ERROR(logger, "the link to the text edition could not be written into " << html);
            ok = false;
        }
    }
    return ok;
}

bool BookTextOutput::writeOutline(const QString &files)
{
    const QString path = Paths::join(files, QStringLiteral("outline.js"));
    BookFiles::remove(path);
    if (!m_outline || !m_pages)
        return true;
    QHash<int, int> bookPage;
    const FlashPageList &pages = m_pages->normalPages();
    for (qsizetype i = 0; i < pages.size(); ++i)
        if (pages.at(i) && !bookPage.contains(pages.at(i)->pageIndex()))
            bookPage.insert(pages.at(i)->pageIndex(), int(i + 1));
    const QJsonArray items = outlineJson(*m_outline, bookPage);
    if (items.isEmpty())
        return true;
    if (BookFiles::writeAtomically(path, "window.__foliantOutline=" + json(items) + ";\n"))
        return true;
    LOG4CXX_ERROR(logger, "the outline could not be written to " << path);
    return false;
}

bool BookTextOutput::writeText(const QString &files, bool *hasText)
{
    const QString folder = Paths::join(files, QStringLiteral("text"));
    const QString edition = Paths::join(files, QStringLiteral("text.html"));
    BookFiles::remove(folder);
    BookFiles::remove(edition);
    *hasText = false;
    if (!m_pages)
        return true;

    const FlashPageList &pages = m_pages->normalPages();
    // Reading and parsing the pages' words is most of the work, and nothing
    // else runs once the pages are made: every core takes pages.
    struct PageText
    {
        bool read = false;
        QString text;
        QByteArray script;
    };
    std::vector<PageText> texts(size_t(pages.size()));
    onEveryCore(pages.size(), [&](qsizetype i) {
        PageText &out = texts[size_t(i)];
        QByteArray lines;
        if (pages.at(i)) {
            const QString words =
                PDFToPageConverter::wordsPathFor(pages.at(i)->pageFilePath(), pages.at(i)->pageIndex());
            if (BookFiles::exists(words))
                lines = BookFiles::read(words, &out.read);
        }
        const PageWords page = parseWords(lines);
        out.text = page.text();
        if (out.read)
            out.script = "__foliantText(" + QByteArray::number(i + 1) +
                         ",{\"t\":" + json(QJsonArray::fromStringList(page.texts)) + ",\"b\":" + json(page.boxes) +
                         "});\n";
    });
    const bool any = std::any_of(texts.cbegin(), texts.cend(), [](const PageText &page) { return page.read; });
    if (any && !BookFiles::makeFolder(folder)) {
        LOG4CXX_ERROR(logger, "the text folder " << folder << " could not be made");
        return false;
    }
    // Pages without a words file were imported without text and get no script.
    std::vector<QString> failures(texts.size());
    onEveryCore(pages.size(), [&](qsizetype i) {
        if (texts[size_t(i)].read)
            AtomicFile::write(pagePath(folder, i), texts[size_t(i)].script, &failures[size_t(i)], false);
    });

    QJsonArray index;
    QByteArray body;
    bool ok = true;
    for (qsizetype i = 0; i < pages.size(); ++i) {
        const int n = int(i + 1);
        const PageText &page = texts[size_t(i)];
        index.append(page.text);
        body += "<section>\n<h2 id=\"page-" + QByteArray::number(n) + "\"><a href=\"" +
                htmlEscaped(QStringLiteral("../%1#page=%2").arg(m_htmlFileName).arg(n)).toUtf8() + "\">Page " +
                QByteArray::number(n) + "</a></h2>\n";
        for (const QString &paragraph : page.text.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            body += "<p>" + htmlEscaped(paragraph).toUtf8() + "</p>\n";
        body += "</section>\n";
        // The journal is this thread's: the failed writes are recorded here.
        if (const QString &reason = failures[size_t(i)]; !reason.isEmpty()) {
            WriteJournal::recordFailure(pagePath(folder, i), reason);
            LOG4CXX_ERROR(logger, "the text of page " << n << " could not be written to " << pagePath(folder, i) << ": "
                                                      << reason);
            ok = false;
        }
    }
    if (!any)
        return ok;
    *hasText = true;
    const QString indexPath = Paths::join(folder, QStringLiteral("index.js"));
    if (!BookFiles::writeAtomically(indexPath, "__foliantTextIndex(" + json(index) + ");\n")) {
        LOG4CXX_ERROR(logger, "the search index could not be written to " << indexPath);
        ok = false;
    }
    const QByteArray title = htmlEscaped(m_title.isEmpty() ? QStringLiteral("Book") : m_title).toUtf8();
    const QByteArray html = "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n"
                            "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>" +
                            title + "</title>\n</head>\n<body>\n<h1><a href=\"" +
                            htmlEscaped(QStringLiteral("../") + m_htmlFileName).toUtf8() + "\">" + title +
                            "</a></h1>\n" + body + "</body>\n</html>\n";
    if (!BookFiles::writeAtomically(edition, html)) {
        LOG4CXX_ERROR(logger, "the text edition could not be written to " << edition);
        ok = false;
    }
    return ok;
}
