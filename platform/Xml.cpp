#include "platform/Xml.h"

#include "platform/AtomicFile.h"

#include <QFile>

#include <libxml/parser.h>
#include <libxml/xmlsave.h>

namespace {

const xmlChar *X(const QByteArray &utf8)
{
    return reinterpret_cast<const xmlChar *>(utf8.constData());
}

QString fromX(const xmlChar *text)
{
    return text ? QString::fromUtf8(reinterpret_cast<const char *>(text)) : QString();
}

QString takeX(xmlChar *text)
{
    QString s = fromX(text);
    xmlFree(text);
    return s;
}

// libxml2 reports through a global callback; collect instead of printing.
void collectError(void *ctx, const xmlError *error)
{
    auto *out = static_cast<QString *>(ctx);
    if (out && out->isEmpty() && error && error->message)
        *out = QString::fromUtf8(error->message).trimmed() + QStringLiteral(" (line %1)").arg(error->line);
}

void quietError(void *, const xmlError *) {}

} // namespace

QString XmlNode::name() const
{
    return m_node ? fromX(m_node->name) : QString();
}

void XmlNode::setName(const QString &name)
{
    if (m_node)
        xmlNodeSetName(m_node, X(name.toUtf8()));
}

bool XmlNode::hasAttribute(const QString &name) const
{
    return m_node && xmlHasProp(m_node, X(name.toUtf8())) != nullptr;
}

QString XmlNode::attribute(const QString &name, const QString &fallback) const
{
    if (!m_node)
        return fallback;
    xmlChar *value = xmlGetProp(m_node, X(name.toUtf8()));
    return value ? takeX(value) : fallback;
}

void XmlNode::setAttribute(const QString &name, const QString &value)
{
    if (m_node)
        xmlSetProp(m_node, X(name.toUtf8()), X(value.toUtf8()));
}

void XmlNode::removeAttribute(const QString &name)
{
    if (!m_node)
        return;
    if (xmlAttrPtr attr = xmlHasProp(m_node, X(name.toUtf8())))
        xmlRemoveProp(attr);
}

QList<QPair<QString, QString>> XmlNode::attributes() const
{
    QList<QPair<QString, QString>> out;
    if (!m_node)
        return out;
    for (xmlAttrPtr a = m_node->properties; a; a = a->next)
        out.append({fromX(a->name), takeX(xmlNodeListGetString(m_node->doc, a->children, 1))});
    return out;
}

QString XmlNode::text() const
{
    return m_node ? takeX(xmlNodeGetContent(m_node)) : QString();
}

void XmlNode::setText(const QString &text)
{
    if (!m_node)
        return;
    // xmlNodeSetContent parses entities; a text node takes the string as it is.
    xmlNodeSetContent(m_node, nullptr);
    xmlAddChild(m_node, xmlNewDocTextLen(m_node->doc, X(text.toUtf8()), text.toUtf8().size()));
}

void XmlNode::addCData(const QString &text)
{
    if (!m_node)
        return;
    const QByteArray utf8 = text.toUtf8();
    xmlAddChild(m_node, xmlNewCDataBlock(m_node->doc, X(utf8), utf8.size()));
}

XmlNode XmlNode::parent() const
{
    if (!m_node || !m_node->parent || m_node->parent->type != XML_ELEMENT_NODE)
        return XmlNode();
    return XmlNode(m_node->parent);
}

QList<XmlNode> XmlNode::children() const
{
    QList<XmlNode> out;
    if (!m_node)
        return out;
    for (xmlNodePtr c = m_node->children; c; c = c->next)
        if (c->type == XML_ELEMENT_NODE)
            out.append(XmlNode(c));
    return out;
}

QList<XmlNode> XmlNode::children(const QString &name) const
{
    QList<XmlNode> out;
    const QByteArray wanted = name.toUtf8();
    if (!m_node)
        return out;
    for (xmlNodePtr c = m_node->children; c; c = c->next)
        if (c->type == XML_ELEMENT_NODE && xmlStrEqual(c->name, X(wanted)))
            out.append(XmlNode(c));
    return out;
}

XmlNode XmlNode::firstChild(const QString &name) const
{
    const QByteArray wanted = name.toUtf8();
    if (!m_node)
        return XmlNode();
    for (xmlNodePtr c = m_node->children; c; c = c->next)
        if (c->type == XML_ELEMENT_NODE && xmlStrEqual(c->name, X(wanted)))
            return XmlNode(c);
    return XmlNode();
}

XmlNode XmlNode::child(const QString &path) const
{
    XmlNode at = *this;
    for (const QString &step : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        at = at.firstChild(step);
        if (!at)
            break;
    }
    return at;
}

XmlNode XmlNode::addChild(const QString &name)
{
    if (!m_node)
        return XmlNode();
    return XmlNode(xmlNewChild(m_node, nullptr, X(name.toUtf8()), nullptr));
}

XmlNode XmlNode::addChild(const QString &name, const QString &text)
{
    XmlNode child = addChild(name);
    child.setText(text);
    return child;
}

XmlNode XmlNode::appendCopy(const XmlNode &other)
{
    if (!m_node || !other.m_node)
        return XmlNode();
    xmlNodePtr copy = xmlDocCopyNode(other.m_node, m_node->doc, 1);
    return copy ? XmlNode(xmlAddChild(m_node, copy)) : XmlNode();
}

void XmlNode::remove()
{
    if (!m_node)
        return;
    xmlUnlinkNode(m_node);
    xmlFreeNode(m_node);
    m_node = nullptr;
}

XmlDocument::~XmlDocument()
{
    if (m_doc)
        xmlFreeDoc(m_doc);
}

XmlDocument::XmlDocument(XmlDocument &&other) noexcept : m_doc(other.m_doc)
{
    other.m_doc = nullptr;
}

XmlDocument &XmlDocument::operator=(XmlDocument &&other) noexcept
{
    if (this != &other) {
        if (m_doc)
            xmlFreeDoc(m_doc);
        m_doc = other.m_doc;
        other.m_doc = nullptr;
    }
    return *this;
}

XmlDocument XmlDocument::create(const QString &rootName)
{
    xmlDocPtr doc = xmlNewDoc(reinterpret_cast<const xmlChar *>("1.0"));
    xmlDocSetRootElement(doc, xmlNewDocNode(doc, nullptr, X(rootName.toUtf8()), nullptr));
    return XmlDocument(doc);
}

XmlDocument XmlDocument::parse(const QByteArray &data, bool recover, QString *error)
{
    QString message;
    xmlSetStructuredErrorFunc(&message, reinterpret_cast<xmlStructuredErrorFunc>(collectError));
    // No network, no external entities: page lists and templates come from anywhere.
    int options = XML_PARSE_NONET | XML_PARSE_NOWARNING | XML_PARSE_NOERROR | XML_PARSE_HUGE;
    if (recover)
        options |= XML_PARSE_RECOVER;
    xmlDocPtr doc =
        data.isEmpty() ? nullptr : xmlReadMemory(data.constData(), int(data.size()), nullptr, nullptr, options);
    xmlSetStructuredErrorFunc(nullptr, reinterpret_cast<xmlStructuredErrorFunc>(quietError));
    if (doc && !xmlDocGetRootElement(doc)) {
        xmlFreeDoc(doc);
        doc = nullptr;
        if (message.isEmpty())
            message = QStringLiteral("document has no root element");
    }
    if (!doc && message.isEmpty())
        message = data.isEmpty() ? QStringLiteral("empty document") : QStringLiteral("not a well-formed document");
    if (error)
        *error = doc ? QString() : message;
    return XmlDocument(doc);
}

XmlDocument XmlDocument::parseFile(const QString &path, bool recover, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return XmlDocument();
    }
    return parse(file.readAll(), recover, error);
}

XmlDocument XmlDocument::parseTolerant(const QByteArray &data, QString *error)
{
    XmlDocument strict = parse(data, false, error);
    if (!strict.isNull())
        return strict;
    return parse(data, true, nullptr);
}

XmlDocument XmlDocument::clone() const
{
    return XmlDocument(m_doc ? xmlCopyDoc(m_doc, 1) : nullptr);
}

XmlNode XmlDocument::root() const
{
    return XmlNode(m_doc ? xmlDocGetRootElement(m_doc) : nullptr);
}

XmlNode XmlDocument::setRootCopy(const XmlNode &node)
{
    if (!m_doc || node.isNull())
        return XmlNode();
    xmlNodePtr copy = xmlDocCopyNode(node.raw(), m_doc, 1);
    xmlNodePtr old = xmlDocSetRootElement(m_doc, copy);
    if (old)
        xmlFreeNode(old);
    return XmlNode(copy);
}

QByteArray XmlDocument::toBytes(bool pretty, bool declaration) const
{
    if (!m_doc)
        return {};
    xmlBufferPtr buffer = xmlBufferCreate();
    int options = XML_SAVE_AS_XML;
    if (pretty)
        options |= XML_SAVE_FORMAT;
    if (!declaration)
        options |= XML_SAVE_NO_DECL;
    xmlSaveCtxtPtr ctxt = xmlSaveToBuffer(buffer, "UTF-8", options);
    xmlSaveDoc(ctxt, m_doc);
    xmlSaveClose(ctxt);
    QByteArray out(reinterpret_cast<const char *>(xmlBufferContent(buffer)), xmlBufferLength(buffer));
    xmlBufferFree(buffer);
    return out;
}

bool XmlDocument::save(const QString &path, bool pretty) const
{
    return m_doc && AtomicFile::write(path, toBytes(pretty));
}
