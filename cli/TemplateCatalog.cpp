#include "cli/TemplateCatalog.h"

#include "platform/Paths.h"
#include "templates/FlashTemplate.h"

#include <QDir>
#include <QFileInfo>

namespace {

QStringList sortedNames(const QStringList &folders)
{
    QStringList names;
    for (const QString &folder : folders)
        names << QFileInfo(folder).fileName();
    names.sort(Qt::CaseInsensitive);
    return names;
}

QString findName(const QStringList &names, const QString &wanted)
{
    if (names.contains(wanted))
        return wanted;
    for (const QString &name : names)
        if (name.compare(wanted, Qt::CaseInsensitive) == 0)
            return name;
    return QString();
}

QString quotedList(const QStringList &names)
{
    return names.isEmpty() ? QStringLiteral("none") : names.join(QStringLiteral(", "));
}

// Every key of the tree, for suggestions.
void collectKeys(const FlashTemplatePropertyList &list, QStringList &keys)
{
    for (const FlashTemplatePropertyPtr &node : list) {
        if (!node)
            continue;
        if (node->hasKey())
            keys << node->key();
        collectKeys(node->childProperties(), keys);
    }
}

} // namespace

QStringList TemplateCatalog::templateNames()
{
    return sortedNames(FlashTemplate::tmplNames());
}

QStringList TemplateCatalog::styleNames(const QString &tmplName)
{
    return sortedNames(FlashTemplate::tmplStyleNamesForTmpl(tmplName));
}

QString TemplateCatalog::defaultStyle(const QString &tmplName)
{
    if (!QFileInfo(FlashTemplate::tmplMetaPathForName(tmplName)).isFile())
        return QString();
    FlashTemplate tmpl(tmplName);
    return tmpl.defaultSytleName();
}

QString TemplateCatalog::findTemplate(const QString &name)
{
    return findName(templateNames(), name);
}

QString TemplateCatalog::findStyle(const QString &tmplName, const QString &name)
{
    return findName(styleNames(tmplName), name);
}

bool TemplateCatalog::resolve(QString &tmplName, QString &styleName, bool styleWanted, QString *error)
{
    if (templateNames().isEmpty()) {
        *error = QStringLiteral("no templates are installed in %1")
                     .arg(FlashTemplate::tmplDataPath() + QStringLiteral("Templates"));
        return false;
    }
    // The template the controller starts with, when none is named.
    const QString wanted = tmplName.isEmpty() ? FlashTemplate().tmplName() : tmplName;
    const QString found = findTemplate(wanted);
    if (found.isEmpty() || !QFileInfo(FlashTemplate::tmplMetaPathForName(found)).isFile()) {
        *error = QStringLiteral("unknown template \"%1\" (installed: %2)").arg(wanted, quotedList(templateNames()));
        return false;
    }
    tmplName = found;
    if (!styleWanted)
        return true;
    const QStringList styles = styleNames(found);
    if (styleName.isEmpty()) {
        const QString preferred = findName(styles, defaultStyle(found));
        styleName = preferred.isEmpty() ? styles.value(0) : preferred;
        if (styleName.isEmpty()) {
            *error = QStringLiteral("template \"%1\" has no styles to choose from").arg(found);
            return false;
        }
        return true;
    }
    const QString style = findName(styles, styleName);
    if (style.isEmpty()) {
        *error = QStringLiteral("unknown style \"%1\" of template \"%2\" (its styles: %3)")
                     .arg(styleName, found, quotedList(styles));
        return false;
    }
    styleName = style;
    return true;
}

bool TemplateCatalog::checkValues(const QString &tmplName, QList<QPair<QString, QString>> &sets, QString *error)
{
    if (sets.isEmpty())
        return true;
    const FlashTemplate tmpl(tmplName);
    for (auto &[key, value] : sets) {
        const FlashTemplatePropertyPtr node = tmpl.propertyFor(key);
        if (!node) {
            QStringList keys;
            collectKeys(tmpl.properties(), keys);
            const QString close = findName(keys, key);
            *error = close.isEmpty()
                         ? QStringLiteral("unknown property key \"%1\" in template \"%2\" (export-settings lists "
                                          "every key)")
                               .arg(key, tmplName)
                         : QStringLiteral("unknown property key \"%1\" in template \"%2\"; did you mean \"%3\"?")
                               .arg(key, tmplName, close);
            return false;
        }
        const QString text = value.trimmed();
        switch (node->propertyType()) {
        case pt_bool: {
            const QString word = text.toLower();
            if (QStringList{QStringLiteral("yes"), QStringLiteral("true"), QStringLiteral("on"), QStringLiteral("1"),
                            QStringLiteral("show"), QStringLiteral("enable")}
                    .contains(word)) {
                value = QStringLiteral("YES");
            } else if (QStringList{QStringLiteral("no"), QStringLiteral("false"), QStringLiteral("off"),
                                   QStringLiteral("0"), QStringLiteral("hide"), QStringLiteral("disable")}
                           .contains(word)) {
                value = QStringLiteral("NO");
            } else {
                *error = QStringLiteral("property \"%1\" is yes or no, got \"%2\"").arg(key, value);
                return false;
            }
            break;
        }
        case pt_number: {
            bool ok = false;
            text.toDouble(&ok);
            if (!ok) {
                *error = QStringLiteral("property \"%1\" is a number, got \"%2\"").arg(key, value);
                return false;
            }
            value = text;
            break;
        }
        case pt_list: {
            QStringList options;
            for (const QString &option : node->listOptions())
                if (!option.trimmed().isEmpty())
                    options << option.trimmed();
            if (options.isEmpty())
                break;
            const QString option = findName(options, text);
            if (option.isEmpty()) {
                *error = QStringLiteral("property \"%1\" takes one of %2, got \"%3\"")
                             .arg(key, options.join(QStringLiteral(", ")), value);
                return false;
            }
            value = option;
            break;
        }
        case pt_file: {
            if (text.isEmpty())
                break;
            const QFileInfo file(text);
            if (!file.isFile()) {
                *error = QStringLiteral("property \"%1\" names a file, and %2 is none").arg(key, text);
                return false;
            }
            // The book is written from another folder; a relative path would not be found there.
            value = file.absoluteFilePath();
            break;
        }
        default:
            break;
        }
    }
    return true;
}

QString TemplateCatalog::listing()
{
    QString text;
    for (const QString &name : templateNames()) {
        text += name + QLatin1Char('\n');
        const QString preferred = defaultStyle(name);
        for (const QString &style : styleNames(name))
            text +=
                QStringLiteral("    %1%2\n").arg(style, style == preferred ? QStringLiteral(" (default)") : QString());
    }
    return text;
}
