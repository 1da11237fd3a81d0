#pragma once

#include <QString>

// The title, keywords and description filled into a template's HTML page when
// a book is previewed or published.
class HTMLConfigInfo
{
public:
    HTMLConfigInfo() = default;

    const QString &HTMLTitle() const { return m_HTMLTitle; }
    void setHTMLTitle(const QString &v) { m_HTMLTitle = v; }
    const QString &HTMLKeywords() const { return m_HTMLKeywords; }
    void setHTMLKeywords(const QString &v) { m_HTMLKeywords = v; }
    const QString &HTMLDescription() const { return m_HTMLDescription; }
    void setHTMLDescription(const QString &v) { m_HTMLDescription = v; }
    const QString &HTMLScript() const { return m_HTMLScript; }
    void setHTMLScript(const QString &v) { m_HTMLScript = v; }
    const QString &otherScript() const { return m_otherScript; }
    void setOtherScript(const QString &v) { m_otherScript = v; }

    // Reads the template page as UTF-8, fills "index.title", "meta.keywords" and
    // "meta.description", puts `headLines` (if any) before its "</head>", and
    // writes the page atomically. Returns false, writing nothing, when the page
    // cannot be read or the result cannot be written.
    bool generateHTMLFrom(const QString &templatePage, const QString &toFile, const QString &headLines = {}) const;

private:
    QString m_HTMLTitle = QStringLiteral("Foliant");
    QString m_HTMLKeywords = QStringLiteral("Quirefold,page flip,flipping-book");
    QString m_HTMLDescription = QStringLiteral("A page-turning book made with Foliant.");
    QString m_HTMLScript;
    QString m_otherScript;
};
