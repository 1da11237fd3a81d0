#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

#include <libxml/tree.h>

// A thin handle on an element of an XmlDocument; it does not own the node and is
// valid as long as its document and the node live.
class XmlNode
{
public:
    XmlNode() = default;
    explicit XmlNode(xmlNodePtr node) : m_node(node) {}

    bool isNull() const { return m_node == nullptr; }
    explicit operator bool() const { return m_node != nullptr; }
    xmlNodePtr raw() const { return m_node; }
    bool operator==(const XmlNode &other) const { return m_node == other.m_node; }

    QString name() const;
    void setName(const QString &name);

    bool hasAttribute(const QString &name) const;
    QString attribute(const QString &name, const QString &fallback = {}) const;
    void setAttribute(const QString &name, const QString &value);
    void removeAttribute(const QString &name);
    QList<QPair<QString, QString>> attributes() const; // in document order

    // All text below the node (CDATA included), as the XPath string value.
    QString text() const;
    // Replaces the node's children with one text node.
    void setText(const QString &text);
    // Appends a CDATA section.
    void addCData(const QString &text);

    XmlNode parent() const;
    QList<XmlNode> children() const;                    // element children
    QList<XmlNode> children(const QString &name) const; // element children with that name
    XmlNode firstChild(const QString &name) const;      // first element child with that name
    // Element found by walking names separated by "/", first match at each step.
    XmlNode child(const QString &path) const;

    XmlNode addChild(const QString &name);
    XmlNode addChild(const QString &name, const QString &text);
    // Appends a deep copy of `other` (from any document); returns the copy.
    XmlNode appendCopy(const XmlNode &other);
    // Unlinks the node from its tree and frees it. The handle becomes null.
    void remove();

private:
    xmlNodePtr m_node = nullptr;
};

// An XML document, owned. Move-only.
class XmlDocument
{
public:
    XmlDocument() = default;
    ~XmlDocument();
    XmlDocument(XmlDocument &&other) noexcept;
    XmlDocument &operator=(XmlDocument &&other) noexcept;
    XmlDocument(const XmlDocument &) = delete;
    XmlDocument &operator=(const XmlDocument &) = delete;

    // A new document with a root element of that name.
    static XmlDocument create(const QString &rootName);
    // Parses. With `recover`, libxml2's recovering parser takes what it can of a
    // malformed document. On failure the document is null and `error` says why.
    static XmlDocument parse(const QByteArray &data, bool recover = false, QString *error = nullptr);
    static XmlDocument parseFile(const QString &path, bool recover = false, QString *error = nullptr);
    // Strict first, then recovering: what metadata readers want.
    static XmlDocument parseTolerant(const QByteArray &data, QString *error = nullptr);

    XmlDocument clone() const;

    bool isNull() const { return m_doc == nullptr; }
    xmlDocPtr raw() const { return m_doc; }
    XmlNode root() const;
    // Replaces the root element with a deep copy of `node`.
    XmlNode setRootCopy(const XmlNode &node);

    // Serialised as UTF-8, with the XML declaration unless told otherwise.
    QByteArray toBytes(bool pretty = true, bool declaration = true) const;
    // Written atomically (write-then-rename).
    bool save(const QString &path, bool pretty = true) const;

private:
    explicit XmlDocument(xmlDocPtr doc) : m_doc(doc) {}
    xmlDocPtr m_doc = nullptr;
};
