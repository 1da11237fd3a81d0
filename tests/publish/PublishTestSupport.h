#pragma once

#include "TestRoots.h"

#include "book/FlashPageSource.h"
#include "templates/FlashTemplate.h"

#include <QString>

// A book whose page lists a test sets directly.
class ListPageSource : public FlashPageSource
{
public:
    FlashPagePtr getNormalPageAtIndex(int pageIndex) const override
    {
        return findByIndex(normalPages(), pageIndex, false);
    }
    FlashPagePtr getThumbPageAtIndex(int pageIndex) const override
    {
        return findByIndex(thumbPages(), pageIndex, false);
    }
};
using ListPageSourcePtr = std::shared_ptr<ListPageSource>;

// Page files for the numbers given, made in `folder`: normal pages with
// `extension`, thumbnails as PNG files (when `thumbs`), mobile images as JPEG.
ListPageSourcePtr makeBook(const QString &folder, const QList<int> &numbers,
                           const QString &extension = QStringLiteral("jpg"), bool thumbs = true, bool mobile = true);

// Installs a template folder with its player files, HTML page, mobile players
// and the application bundle skeleton below `resources`, points the resource
// root there and loads the template (with no properties).
FlashTemplatePtr installTemplate(const QString &resources, const QString &name);

// A template that exists nowhere: it has no properties at all.
FlashTemplatePtr bareTemplate();

struct Prop
{
    Prop(QString k, QString v, int t = pt_text) : key(std::move(k)), value(std::move(v)), type(t) {}
    Prop(const char *k, const char *v, int t = pt_text) : Prop(QString::fromUtf8(k), QString::fromUtf8(v), t) {}
    Prop(const char *k, QString v, int t = pt_text) : Prop(QString::fromUtf8(k), std::move(v), t) {}
    QString key;
    QString value;
    int type = pt_text;
};
// Gives the template these top-level properties (replacing any it had).
void setProperties(const FlashTemplatePtr &tmpl, const QList<Prop> &properties);

// Runs a program, giving its standard output; the exit code goes to `code`.
QByteArray runProgram(const QString &program, const QStringList &args, int *code = nullptr);

// The template page every installed template carries.
QByteArray templatePage();

// Pairs of UTF-8 literals, for comparisons.
QList<QPair<QString, QString>> pairs(std::initializer_list<std::pair<const char *, const char *>> items);
