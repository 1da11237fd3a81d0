#include "app/BookProject.h"

#include "platform/MarlspanUtility.h"
#include "app/ProjectArchive.h"
#include "book/FlashPageSourceStored.h"
#include "book/PDFToPageConverter.h"
#include "platform/FoliantException.h"
#include "platform/Logging.h"
#include "platform/Xml.h"
#include "publish/ScreenPages.h"
#include "templates/FlashTemplateProperty.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <algorithm>
#include <functional>

namespace {
const auto logger = Logging::logger("BookProject");

constexpr int kVersion = 1;
const QString kManifest = QStringLiteral("project.xml");
const QString kRoot = QStringLiteral("foliantProject");
// The page editor's work inside the preview folder.
const QString kPageList = QStringLiteral("pages.xml");
const QStringList kEditorFolders = {QStringLiteral("files/editor"), QStringLiteral("files/extfiles")};

using ListGetter = const FlashPageList &(FlashPageSource::*)() const;
using ListSetter = void (FlashPageSource::*)(const FlashPageList &);
struct ListSlot
{
    const char *name;
    ListGetter get;
    ListSetter set;
};
const ListSlot kLists[] = {
    {"pages", &FlashPageSource::pages, &FlashPageSource::setPages},
    {"normalPages", &FlashPageSource::normalPages, &FlashPageSource::setNormalPages},
    {"zoomedPages", &FlashPageSource::zoomedPages, &FlashPageSource::setZoomedPages},
    {"thumbPages", &FlashPageSource::thumbPages, &FlashPageSource::setThumbPages},
    {"mobilePages", &FlashPageSource::mobilePages, &FlashPageSource::setMobilePages},
};

QByteArray digestOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&file);
    return hash.result();
}

// Gathers the files a project carries, each once, under names of its own.
class FileTable
{
public:
    explicit FileTable(QList<ProjectArchive::Entry> &entries) : m_entries(entries) {}
    // The name inside the archive of `path` (stored on first use), or "" when
    // there is no such file.
    QString add(const QString &folder, const QString &path)
    {
        if (path.isEmpty() || !QFileInfo(path).isFile())
            return {};
        const QString key = QFileInfo(path).absoluteFilePath();
        if (m_names.contains(key))
            return m_names.value(key);
        // One folder per file keeps each file's own name.
        const QString name = QStringLiteral("%1/%2/%3").arg(folder).arg(m_names.size()).arg(QFileInfo(path).fileName());
        m_names.insert(key, name);
        m_entries.append({name, {}, key});
        return name;
    }

private:
    QList<ProjectArchive::Entry> &m_entries;
    QHash<QString, QString> m_names;
};

void walkProperties(const FlashTemplatePropertyList &list,
                    const std::function<void(const FlashTemplatePropertyPtr &)> &visit)
{
    for (const FlashTemplatePropertyPtr &p : list) {
        if (!p)
            continue;
        visit(p);
        walkProperties(p->childProperties(), visit);
    }
}

// A file the book names by an absolute path: the user's own copy when it is
// still there unchanged, so the property keeps showing it; else the copy the
// project carries.
QString restoredFile(const QString &work, const XmlNode &node)
{
    const QString original = node.attribute(QStringLiteral("original"));
    const QString stored = node.attribute(QStringLiteral("file"));
    if (stored.isEmpty())
        return original;
    const QString copy = QDir(work).filePath(stored);
    if (!original.isEmpty() && QFileInfo(original).isFile() && digestOf(original) == digestOf(copy))
        return original;
    return copy;
}

// Every file below `folder`, at any depth.
QStringList filesBelow(const QString &folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::AllDirs | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        if (it.fileInfo().isFile())
            files.append(file);
    }
    files.sort();
    return files;
}

void copyTree(const QString &from, const QString &to)
{
    for (const QString &file : filesBelow(from)) {
        const QString target = QDir(to).filePath(QDir(from).relativeFilePath(file));
        QDir().mkpath(QFileInfo(target).path());
        QFile::remove(target);
        if (!QFile::copy(file, target))
            LOG4CXX_WARN(logger, "cannot copy " << file << " to " << target);
    }
}

[[noreturn]] void refuse(const QString &why)
{
    throw FoliantException(QStringLiteral("ERROR_PROJECT"), why);
}
} // namespace

bool BookProject::save(const QString &path, const Book &book, const QString &previewFolder, QString *error)
{
    QList<ProjectArchive::Entry> entries;
    entries.append({kManifest, {}, {}}); // filled below, first in the archive
    FileTable files(entries);
    XmlDocument manifest = XmlDocument::create(kRoot);
    XmlNode root = manifest.root();
    root.setAttribute(QStringLiteral("version"), QString::number(kVersion));

    XmlNode pages = root.addChild(QStringLiteral("book"));
    pages.setAttribute(QStringLiteral("pageWidth"), QString::number(book.pageWidth));
    pages.setAttribute(QStringLiteral("pageHeight"), QString::number(book.pageHeight));
    QSet<QString> wordEntries;
    if (book.pageSource) {
        pages.setAttribute(QStringLiteral("source"), book.pageSource->sourceFile());
        for (const ListSlot &slot : kLists) {
            XmlNode list = pages.addChild(QStringLiteral("list"));
            list.setAttribute(QStringLiteral("name"), QString::fromLatin1(slot.name));
            for (const FlashPagePtr &record : (book.pageSource.get()->*slot.get)()) {
                XmlNode page = list.addChild(QStringLiteral("page"));
                if (!record)
                    continue;
                page.setAttribute(QStringLiteral("index"), QString::number(record->pageIndex()));
                const QString stored = files.add(QStringLiteral("pages"), record->pageFilePath());
                page.setAttribute(QStringLiteral("file"), stored);
                // The page's words (the book's text) lie beside its file and
                // go back there.
                const QString words = PDFToPageConverter::wordsPathFor(record->pageFilePath(), record->pageIndex());
                const QString wordsEntry =
                    QStringLiteral("%1/%2").arg(QFileInfo(stored).path(), QFileInfo(words).fileName());
                if (!stored.isEmpty() && QFileInfo(words).isFile() && !wordEntries.contains(wordsEntry)) {
                    wordEntries.insert(wordsEntry);
                    entries.append({wordsEntry, {}, words});
                }
                // So does the screen-sized copy the import made from the page's
                // rendering, which publishing would otherwise make anew.
                const QString screen = ScreenPages::renditionPath(record->pageFilePath());
                const QString screenEntry = ScreenPages::renditionPath(stored);
                if (!screenEntry.isEmpty() && QFileInfo(screen).isFile() && !wordEntries.contains(screenEntry)) {
                    wordEntries.insert(screenEntry);
                    entries.append({screenEntry, {}, screen});
                }
                page.setAttribute(QStringLiteral("original"), record->pageFilePath());
                if (dynamic_cast<const FlashPageImage *>(record.get()))
                    page.setAttribute(QStringLiteral("image"), QStringLiteral("1"));
            }
        }
    }

    if (book.annotations) {
        XmlNode links = root.addChild(QStringLiteral("links"));
        if (!book.annotations->pagesAnnotationsNode().isNull())
            links.addChild(QStringLiteral("tree")).appendCopy(book.annotations->pagesAnnotationsNode());
        for (const QString &need : book.annotations->needFiles()) {
            XmlNode file = links.addChild(QStringLiteral("need"));
            file.setAttribute(QStringLiteral("original"), need);
            file.setAttribute(QStringLiteral("file"), files.add(QStringLiteral("links"), need));
        }
    }
    if (book.outline)
        book.outline->appendXMLNodeTo(root.addChild(QStringLiteral("outline")));

    if (book.tmpl) {
        XmlNode tmpl = root.addChild(QStringLiteral("template"));
        tmpl.setAttribute(QStringLiteral("name"), book.tmpl->tmplName());
        tmpl.setAttribute(QStringLiteral("style"), book.tmpl->styleName());
        walkProperties(book.tmpl->properties(), [&](const FlashTemplatePropertyPtr &p) {
            XmlNode value = tmpl.addChild(QStringLiteral("value"), p->value());
            value.setAttribute(QStringLiteral("key"), p->key());
            if (p->propertyType() == pt_file && QFileInfo(p->value()).isAbsolute()) {
                value.setAttribute(QStringLiteral("original"), p->value());
                value.setAttribute(QStringLiteral("file"), files.add(QStringLiteral("files"), p->value()));
            }
        });
    }

    XmlNode editor = root.addChild(QStringLiteral("editor"));
    const QString pageList = QDir(previewFolder).filePath(kPageList);
    if (QFileInfo(pageList).isFile()) {
        editor.setAttribute(QStringLiteral("pageList"), QStringLiteral("editor/") + kPageList);
        entries.append({QStringLiteral("editor/") + kPageList, {}, pageList});
    }
    for (const QString &sub : kEditorFolders)
        for (const QString &file : filesBelow(QDir(previewFolder).filePath(sub)))
            entries.append({QStringLiteral("editor/") + QDir(previewFolder).relativeFilePath(file), {}, file});

    entries.first().bytes = manifest.toBytes();
    if (!ProjectArchive::write(path, entries, error))
        return false;
    LOG4CXX_INFO(logger, "saved project " << path << " (" << entries.size() << " entries)");
    return true;
}

bool BookProject::open(const QString &path, const QString &previewFolder, Book *book, QString *error)
{
    const QString work = MarlspanUtility::forceTmpDiractory(QStringLiteral("Quirefold"));
    const auto fail = [&](const QString &why) {
        QDir(work).removeRecursively();
        LOG4CXX_WARN(logger, "cannot open project: " << why);
        if (error)
            *error = why;
        return false;
    };
    QStringList names;
    if (!ProjectArchive::extract(path, work, &names, error))
        return fail(error ? *error : QString());
    const QString damaged = QStringLiteral("%1 is not a Foliant project, or it is damaged.").arg(path);
    QString why;
    const XmlDocument manifest = XmlDocument::parseFile(QDir(work).filePath(kManifest), false, &why);
    if (manifest.isNull() || manifest.root().name() != kRoot)
        return fail(damaged);
    if (manifest.root().attribute(QStringLiteral("version")).toInt() != kVersion)
        return fail(QStringLiteral("%1 was saved by a version of Foliant that this one cannot read.").arg(path));
    const XmlNode root = manifest.root();
    const auto stored = [&](const QString &name) { return names.contains(name); };

    Book result;
    try {
        const XmlNode pages = root.firstChild(QStringLiteral("book"));
        if (pages.isNull())
            refuse(damaged);
        result.pageWidth = pages.attribute(QStringLiteral("pageWidth")).toInt();
        result.pageHeight = pages.attribute(QStringLiteral("pageHeight")).toInt();
        auto source = std::make_shared<FlashPageSourceStored>();
        source->setSourceFile(pages.attribute(QStringLiteral("source")));
        for (const XmlNode &list : pages.children(QStringLiteral("list"))) {
            const QString name = list.attribute(QStringLiteral("name"));
            const ListSlot *slot = nullptr;
            for (const ListSlot &s : kLists)
                if (name == QLatin1String(s.name))
                    slot = &s;
            if (!slot)
                refuse(damaged);
            FlashPageList records;
            for (const XmlNode &page : list.children(QStringLiteral("page"))) {
                if (!page.hasAttribute(QStringLiteral("index"))) {
                    records.append(nullptr);
                    continue;
                }
                const QString file = page.attribute(QStringLiteral("file"));
                if (!file.isEmpty() && !stored(file))
                    refuse(damaged);
                // A record whose file was missing at saving stays pointing nowhere.
                const QString at =
                    file.isEmpty() ? page.attribute(QStringLiteral("original")) : QDir(work).filePath(file);
                const int index = page.attribute(QStringLiteral("index")).toInt();
                if (page.attribute(QStringLiteral("image")) == QStringLiteral("1"))
                    records.append(std::make_shared<FlashPageImage>(at, index));
                else
                    records.append(std::make_shared<FlashPage>(at, index));
            }
            (source.get()->*slot->set)(records);
        }
        result.pageSource = source;

        const XmlNode links = root.firstChild(QStringLiteral("links"));
        if (!links.isNull()) {
            result.annotations = std::make_shared<FlashPagesAnnotations>();
            const XmlNode tree = links.firstChild(QStringLiteral("tree"));
            if (!tree.isNull() && !tree.children().isEmpty())
                result.annotations->setPagesAnnotationsNode(tree.children().first());
            QStringList needs;
            for (const XmlNode &need : links.children(QStringLiteral("need")))
                needs.append(restoredFile(work, need));
            result.annotations->setNeedFiles(needs);
        }
        const XmlNode outline = root.firstChild(QStringLiteral("outline"));
        if (!outline.isNull()) {
            result.outline = std::make_shared<FlashOutline>();
            result.outline->loadFromXMLNode(outline.firstChild(QStringLiteral("ols")));
        }

        const XmlNode tmpl = root.firstChild(QStringLiteral("template"));
        if (tmpl.isNull())
            refuse(damaged);
        const QString tmplName = tmpl.attribute(QStringLiteral("name"));
        const QStringList installed = FlashTemplate::tmplNames();
        if (std::none_of(installed.cbegin(), installed.cend(),
                         [&](const QString &folder) { return QFileInfo(folder).fileName() == tmplName; }))
            refuse(QStringLiteral("%1 uses the template \"%2\", which is not installed.").arg(path, tmplName));
        result.tmpl = std::make_shared<FlashTemplate>(tmplName);
        const QString style = tmpl.attribute(QStringLiteral("style"));
        if (!style.isEmpty())
            result.tmpl->loadStyleByStyleName(style);
        // Values go back in the order they were saved; keys that appear more
        // than once are matched by their place in the tree.
        QList<FlashTemplatePropertyPtr> nodes;
        walkProperties(result.tmpl->properties(), [&](const FlashTemplatePropertyPtr &p) { nodes.append(p); });
        qsizetype position = 0;
        for (const XmlNode &value : tmpl.children(QStringLiteral("value"))) {
            const QString key = value.attribute(QStringLiteral("key"));
            FlashTemplatePropertyPtr node;
            for (qsizetype i = position; i < nodes.size() && !node; ++i)
                if (nodes.at(i)->key() == key) {
                    node = nodes.at(i);
                    position = i + 1;
                }
            if (!node) {
                LOG4CXX_WARN(logger, "the template has no property " << key << " any more; its value is dropped");
                continue;
            }
            const QString file = value.attribute(QStringLiteral("file"));
            if (!file.isEmpty() && !stored(file))
                refuse(damaged);
            node->setValue(value.hasAttribute(QStringLiteral("original")) ? restoredFile(work, value) : value.text());
        }
    } catch (const FoliantException &e) {
        return fail(e.name() == QStringLiteral("ERROR_PROJECT") ? e.reason() : damaged);
    } catch (const std::exception &) {
        return fail(damaged);
    }

    // Everything is understood: only now does the page editor's work replace
    // what the preview folder holds.
    const XmlNode editor = root.firstChild(QStringLiteral("editor"));
    QFile::remove(QDir(previewFolder).filePath(kPageList));
    for (const QString &sub : kEditorFolders)
        QDir(QDir(previewFolder).filePath(sub)).removeRecursively();
    if (!editor.isNull()) {
        const QString editorWork = QDir(work).filePath(QStringLiteral("editor"));
        if (QFileInfo(editorWork).isDir())
            copyTree(editorWork, previewFolder);
    }
    *book = std::move(result);
    LOG4CXX_INFO(logger, "opened project " << path);
    return true;
}
