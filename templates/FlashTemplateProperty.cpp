#include "templates/FlashTemplateProperty.h"

#include "platform/Logging.h"
#include "platform/Xml.h"

#include <QCoreApplication>

namespace {

const auto logger = Logging::logger("FlashTemplateProperty");

struct TypeKeyword
{
    const char *keyword;
    int code;
};

constexpr TypeKeyword kTypeKeywords[] = {
    {"pt_text", pt_text},
    {"pt_number", pt_number},
    {"pt_color", pt_color},
    {"pt_list", pt_list},
    {"pt_composite", pt_composite},
    {"pt_file", pt_file},
    {"pt_list_fromFunction", pt_list_fromFunction},
    {"pt_form_security", pt_form_security},
    {"pt_font", pt_font},
    {"pt_form_contactabout", pt_form_contactabout},
    {"pt_bool", pt_bool},
};

} // namespace

int flashTemplatePropertyTypeFromString(const QString &keyword)
{
    for (const TypeKeyword &entry : kTypeKeywords) {
        if (keyword == QLatin1String(entry.keyword))
            return entry.code;
    }
    return pt_text;
}

bool valueAsBool(const QString &text)
{
    const QString upper = text.toUpper();
    return upper == QLatin1String("YES") || upper == QLatin1String("SHOW") || upper == QLatin1String("ENABLE") ||
           upper == QLatin1String("TRUE");
}

void FlashTemplateProperty::loadFromNode(const XmlNode &element)
{
    if (element.isNull() || element.name() != QLatin1String("property"))
        return;
    // A node loaded twice must not keep what the first element said and the
    // second does not.
    *this = FlashTemplateProperty();

    QStringList missing;
    auto read = [&](const char *name, std::optional<QString> &field) {
        const XmlNode child = element.firstChild(QLatin1String(name));
        if (child.isNull()) {
            missing << QLatin1String(name);
            return;
        }
        field = child.text();
    };
    read("key", m_key);
    read("title", m_title);
    read("desc", m_desc);
    read("value", m_value);
    read("valueSource", m_valueSource);
    read("defaultValue", m_defaultValue);

    const QString typeKeyword = element.attribute(QStringLiteral("type"));
    const XmlNode aTitle = element.firstChild(QStringLiteral("aTitle"));
    m_aTitle = aTitle.isNull() ? QString(QLatin1String("")) : aTitle.text();

    m_propertyType = flashTemplatePropertyTypeFromString(typeKeyword);
    if (element.hasAttribute(QStringLiteral("aType")))
        m_propertyType = pt_bool;

    if (!missing.isEmpty()) {
        // The template author needs to find the node: give its key and line.
        LOG4CXX_WARN(logger, "Template property \""
                                 << key() << "\" (line " << xmlGetLineNo(element.raw())
                                 << ") lacks required element(s): " << missing.join(QStringLiteral(", ")));
    }

    m_childProperties.clear();
    const XmlNode children = element.firstChild(QStringLiteral("childProperties"));
    if (children.isNull())
        return;
    for (const XmlNode &childElement : children.children(QStringLiteral("property"))) {
        auto child = std::make_shared<FlashTemplateProperty>();
        child->loadFromNode(childElement);
        addChildProperty(child);
    }
}

void FlashTemplateProperty::addChildProperty(const FlashTemplatePropertyPtr &child)
{
    if (!child)
        return;
    child->m_parent = weak_from_this();
    m_childProperties.append(child);
}

QStringList FlashTemplateProperty::listOptions() const
{
    return valueSource().split(QLatin1Char(','));
}

QStringList FlashTemplateProperty::fileExtensions() const
{
    QString source = valueSource();
    source.remove(QLatin1Char(';'));
    const QStringList parts = source.split(QLatin1Char('|'));
    const QString patterns = parts.size() >= 2 ? parts.at(1) : source;
    QStringList extensions = patterns.split(QStringLiteral("*."));
    // The piece before the first "*." names no extension.
    extensions.removeFirst();
    extensions.removeAll(QString());
    return extensions;
}

QString FlashTemplateProperty::fileFilterName() const
{
    const QString source = valueSource();
    const qsizetype bar = source.indexOf(QLatin1Char('|'));
    return bar < 0 ? QString() : source.left(bar);
}

QString FlashTemplateProperty::displayTitle() const
{
    const QString text = title().trimmed();
    return text.isEmpty() ? text : QCoreApplication::translate("FlashTemplateProperty", text.toUtf8().constData());
}

QString FlashTemplateProperty::displayDesc() const
{
    const QString text = desc().trimmed();
    return text.isEmpty() ? text : QCoreApplication::translate("FlashTemplateProperty", text.toUtf8().constData());
}
