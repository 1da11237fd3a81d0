#include "platform/PdfDocument.h"

#include "platform/FoliantException.h"
#include "platform/ProcessRunner.h"

#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QHash>
#include <QSet>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFNameTreeObjectHelper.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFPageObjectHelper.hh>

#include <cmath>
#include <utility>

struct PdfDocument::Impl
{
    // The file's bytes when it is read whole; they outlive the parser.
    QByteArray bytes;
    QPDF pdf;
    std::vector<QPDFObjectHandle> pages;
    QHash<QPair<int, int>, int> pageByObject; // (object, generation) -> page counted from 0

    int pageOf(QPDFObjectHandle ref)
    {
        if (ref.isIndirect()) {
            const QPDFObjGen og = ref.getObjGen();
            return pageByObject.value({og.getObj(), og.getGen()}, -1);
        }
        // Some writers put a page number where a page reference belongs.
        if (ref.isInteger()) {
            const long long n = ref.getIntValue();
            return n >= 0 && n < (long long)pages.size() ? int(n) : -1;
        }
        return -1;
    }

    QPDFObjectHandle lookupName(const std::string &name, bool isName)
    {
        QPDFObjectHandle root = pdf.getRoot();
        QPDFObjectHandle found;
        // PDF 1.2 name tree of strings; PDF 1.1 /Dests dictionary of names. Try
        // both for either spelling, since writers mix them up.
        QPDFObjectHandle names = root.getKey("/Names");
        if (names.isDictionary()) {
            QPDFObjectHandle tree = names.getKey("/Dests");
            if (tree.isDictionary()) {
                QPDFNameTreeObjectHelper helper(tree, pdf, false);
                if (helper.findObject(isName ? name.substr(1) : name, found))
                    return found;
            }
        }
        QPDFObjectHandle dests = root.getKey("/Dests");
        if (dests.isDictionary()) {
            const std::string key = isName ? name : "/" + name;
            if (dests.hasKey(key))
                return dests.getKey(key);
        }
        return QPDFObjectHandle::newNull();
    }

    // The page a destination (explicit array, name, string, or a dictionary
    // holding /D) lies on; -1 when it names none. Named destinations may point
    // at further names; `hops` stops loops.
    int destinationPage(QPDFObjectHandle dest, int hops = 0)
    {
        if (hops > 8)
            return -1;
        if (dest.isName())
            return destinationPage(lookupName(dest.getName(), true), hops + 1);
        if (dest.isString())
            return destinationPage(lookupName(dest.getUTF8Value(), false), hops + 1);
        if (dest.isDictionary())
            return destinationPage(dest.getKey("/D"), hops + 1);
        if (dest.isArray() && dest.getArrayNItems() > 0)
            return pageOf(dest.getArrayItem(0));
        return -1;
    }

    // The destination of a link or outline item: /Dest, or a GoTo action's /D.
    // Returns (has destination, page).
    std::pair<bool, int> itemDestination(QPDFObjectHandle item)
    {
        QPDFObjectHandle dest = item.getKey("/Dest");
        if (dest.isNull()) {
            QPDFObjectHandle action = item.getKey("/A");
            if (action.isDictionary() && action.getKey("/S").isNameAndEquals("/GoTo"))
                dest = action.getKey("/D");
        }
        if (dest.isNull())
            return {false, -1};
        return {true, destinationPage(dest)};
    }

    void readOutline(QPDFObjectHandle first, QList<OutlineNode> &into, int depth, int maxDepth,
                     QSet<QPair<int, int>> &seen)
    {
        for (QPDFObjectHandle item = first; item.isDictionary(); item = item.getKey("/Next")) {
            if (item.isIndirect()) {
                const QPDFObjGen og = item.getObjGen();
                if (seen.contains({og.getObj(), og.getGen()}))
                    return;
                seen.insert({og.getObj(), og.getGen()});
            }
            OutlineNode node;
            QPDFObjectHandle title = item.getKey("/Title");
            if (title.isString())
                node.label = QString::fromStdString(title.getUTF8Value());
            node.destinationPage = itemDestination(item).second;
            if (depth + 1 < maxDepth)
                readOutline(item.getKey("/First"), node.children, depth + 1, maxDepth, seen);
            into.append(std::move(node));
        }
    }
};

namespace {

template <typename F> auto guarded(F &&f) -> decltype(f())
{
    try {
        return f();
    } catch (const FoliantException &) {
        throw;
    } catch (const std::exception &e) {
        throw FoliantException(QStringLiteral("PDFReadError"), QString::fromLocal8Bit(e.what()));
    }
}

double number(QPDFObjectHandle h, double fallback = 0)
{
    return h.isNumber() ? h.getNumericValue() : fallback;
}

QRectF boxOf(QPDFObjectHandle box)
{
    if (!box.isArray() || box.getArrayNItems() < 4)
        return {};
    const double x1 = number(box.getArrayItem(0)), y1 = number(box.getArrayItem(1));
    const double x2 = number(box.getArrayItem(2)), y2 = number(box.getArrayItem(3));
    return QRectF(QPointF(std::min(x1, x2), std::min(y1, y2)), QPointF(std::max(x1, x2), std::max(y1, y2)));
}

} // namespace

QRectF PdfDocument::Annotation::bounds() const
{
    if (!hasRect)
        return {};
    return QRectF(QPointF(std::min(rect[0], rect[2]), std::min(rect[1], rect[3])),
                  QPointF(std::max(rect[0], rect[2]), std::max(rect[1], rect[3])));
}

PdfDocument::PdfDocument(std::unique_ptr<Impl> impl, QString path) : m_impl(std::move(impl)), m_path(std::move(path)) {}

PdfDocument::~PdfDocument() = default;

QByteArray PdfDocument::readWhole(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxInMemoryBytes)
        return {};
    QByteArray bytes = file.readAll();
    return bytes.size() == file.size() ? bytes : QByteArray();
}

PdfDocumentPtr PdfDocument::open(const QString &path, const QString &password, QString *error)
{
    auto fail = [&](const QString &why) -> PdfDocumentPtr {
        if (error)
            *error = why;
        return nullptr;
    };
    if (!QFile::exists(path))
        return fail(QStringLiteral("no such file"));
    auto impl = std::make_unique<Impl>();
    try {
        impl->pdf.setSuppressWarnings(true);
        const QByteArray encoded = QFile::encodeName(path);
        const QByteArray pw = password.toUtf8();
        impl->bytes = readWhole(path);
        if (!impl->bytes.isEmpty())
            impl->pdf.processMemoryFile(encoded.constData(), impl->bytes.constData(), size_t(impl->bytes.size()),
                                        pw.constData());
        else
            impl->pdf.processFile(encoded.constData(), pw.constData());
        impl->pages = impl->pdf.getAllPages();
        for (int i = 0; i < int(impl->pages.size()); ++i) {
            const QPDFObjGen og = impl->pages[size_t(i)].getObjGen();
            impl->pageByObject.insert({og.getObj(), og.getGen()}, i);
        }
    } catch (const std::exception &e) {
        return fail(QString::fromLocal8Bit(e.what()));
    }
    return PdfDocumentPtr(new PdfDocument(std::move(impl), path));
}

int PdfDocument::pageCount() const
{
    return int(m_impl->pages.size());
}

QRectF PdfDocument::cropBox(int page) const
{
    std::lock_guard lock(m_mutex);
    if (page < 0 || page >= pageCount())
        return {};
    return guarded([&] {
        QPDFPageObjectHelper helper(m_impl->pages[size_t(page)]);
        QRectF crop = boxOf(helper.getAttribute("/CropBox", false));
        const QRectF media = boxOf(helper.getAttribute("/MediaBox", false));
        if (crop.isEmpty())
            return media;
        // What a viewer shows is the part of the crop box inside the media box.
        const QRectF shown = media.isEmpty() ? crop : crop.intersected(media);
        return shown.isEmpty() ? crop : shown;
    });
}

double PdfDocument::rotation(int page) const
{
    std::lock_guard lock(m_mutex);
    if (page < 0 || page >= pageCount())
        return 0;
    return guarded([&] {
        QPDFPageObjectHelper helper(m_impl->pages[size_t(page)]);
        const double r = number(helper.getAttribute("/Rotate", false));
        return std::isfinite(r) ? r : 0.0;
    });
}

QList<PdfDocument::Annotation> PdfDocument::annotations(int page) const
{
    std::lock_guard lock(m_mutex);
    QList<Annotation> out;
    if (page < 0 || page >= pageCount())
        return out;
    return guarded([&] {
        QPDFObjectHandle annots = m_impl->pages[size_t(page)].getKey("/Annots");
        if (!annots.isArray())
            return out;
        const int n = annots.getArrayNItems();
        for (int i = 0; i < n; ++i) {
            QPDFObjectHandle a = annots.getArrayItem(i);
            if (!a.isDictionary())
                continue;
            Annotation anno;
            QPDFObjectHandle subtype = a.getKey("/Subtype");
            if (subtype.isName())
                anno.subtype = QString::fromStdString(subtype.getName()).mid(1);
            QPDFObjectHandle rect = a.getKey("/Rect");
            if (rect.isArray() && rect.getArrayNItems() >= 4) {
                anno.hasRect = true;
                for (int k = 0; k < 4; ++k)
                    anno.rect[k] = number(rect.getArrayItem(k));
            }
            QPDFObjectHandle action = a.getKey("/A");
            if (action.isDictionary() && action.getKey("/S").isNameAndEquals("/URI")) {
                QPDFObjectHandle uri = action.getKey("/URI");
                if (uri.isString())
                    anno.url = QString::fromUtf8(QByteArray::fromStdString(uri.getStringValue())).trimmed();
            }
            const auto [has, target] = m_impl->itemDestination(a);
            anno.hasDestination = has;
            anno.destinationPage = target;
            out.append(std::move(anno));
        }
        return out;
    });
}

bool PdfDocument::hasOutline() const
{
    std::lock_guard lock(m_mutex);
    return guarded([&] { return m_impl->pdf.getRoot().getKey("/Outlines").isDictionary(); });
}

QList<PdfDocument::OutlineNode> PdfDocument::outline(int maxDepth) const
{
    std::lock_guard lock(m_mutex);
    return guarded([&] {
        QList<OutlineNode> out;
        QPDFObjectHandle root = m_impl->pdf.getRoot().getKey("/Outlines");
        if (!root.isDictionary())
            return out;
        QSet<QPair<int, int>> seen;
        m_impl->readOutline(root.getKey("/First"), out, 0, maxDepth, seen);
        return out;
    });
}

PdfDocument::Lock PdfDocument::unlock(const QString &source, const QString &password, const QString &destination,
                                      QString *error)
{
    auto say = [&](Lock lock, const QString &why) {
        if (error)
            *error = why;
        return lock;
    };
    if (!QFileInfo(source).isFile())
        return say(Lock::Unreadable, QStringLiteral("no such file"));
    // The document is untrusted: qpdf reads it in a process of its own, and the
    // password travels on its standard input, never on a command line.
    const QString qpdf = QStandardPaths::findExecutable(QStringLiteral("qpdf"));
    if (qpdf.isEmpty())
        return say(Lock::Unreadable, QStringLiteral("the qpdf program is not installed"));
    auto run = [&](const QStringList &args, const QByteArray &input, QByteArray *messages) {
        const ProcessResult ran = ProcessRunner::run(qpdf, args, 300000, input);
        if (messages)
            *messages = ran.standardOutput + ran.standardError;
        return ran.started && !ran.timedOut && !ran.crashed ? ran.exitCode : -1;
    };
    // 0: a user password is needed; 2: not encrypted (or not a PDF, which the
    // import reports itself); 3: only an owner password, which anyone may open.
    const int needs = run({QStringLiteral("--requires-password"), source}, {}, nullptr);
    if (needs != 0)
        return say(Lock::None, {});
    if (password.isEmpty())
        return say(Lock::PasswordNeeded, QStringLiteral("the PDF is locked with a password"));

    const QString partial = destination + QStringLiteral(".part");
    QByteArray messages;
    const int code = run({QStringLiteral("--password-file=-"), QStringLiteral("--decrypt"), source, partial},
                         password.toUtf8() + '\n', &messages);
    // Exit status 3: written, with warnings about a damaged file.
    if ((code == 0 || code == 3) && QFileInfo(partial).size() > 0) {
        QFile::remove(destination);
        if (QFile::rename(partial, destination))
            return say(Lock::Unlocked, {});
    }
    QFile::remove(partial);
    if (messages.contains("invalid password"))
        return say(Lock::WrongPassword, QStringLiteral("wrong password"));
    // qpdf's messages name the file, never the password.
    return say(Lock::Unreadable, QString::fromLocal8Bit(messages).trimmed().section(QLatin1Char('\n'), -1));
}
