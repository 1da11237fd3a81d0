#include "publish/TextTemplate.h"

namespace {

// A cursor over the text that skips white space and line breaks before every
// scan, and counts the text as ended when only such characters are left.
class Scanner
{
public:
    explicit Scanner(const QString &text) : m_text(text) {}

    bool isAtEnd()
    {
        qsizetype p = m_pos;
        while (p < m_text.size() && m_text.at(p).isSpace())
            ++p;
        return p >= m_text.size();
    }

    // Scans up to `marker` (or the end); false when nothing was scanned.
    bool scanUpTo(const QString &marker, QString *into)
    {
        skip();
        const qsizetype found = m_text.indexOf(marker, m_pos);
        const qsizetype end = found < 0 ? m_text.size() : found;
        if (end == m_pos)
            return false;
        if (into)
            *into = m_text.mid(m_pos, end - m_pos);
        m_pos = end;
        return true;
    }

    bool scanString(const QString &literal)
    {
        skip();
        if (QStringView(m_text).mid(m_pos).startsWith(literal)) {
            m_pos += literal.size();
            return true;
        }
        return false;
    }

    bool atEndOfText() const { return m_pos >= m_text.size(); }

private:
    void skip()
    {
        while (m_pos < m_text.size() && m_text.at(m_pos).isSpace())
            ++m_pos;
    }

    const QString &m_text;
    qsizetype m_pos = 0;
};

} // namespace

TextTemplate::TextTemplate(const QString &fromStr) : m_fromStr(fromStr) {}

void TextTemplate::setItem(const QString &key, const QString &value)
{
    m_keyAndValues.insert(key, value);
}

QString TextTemplate::parse() const
{
    const QString open = QStringLiteral("${");
    const QString close = QStringLiteral("}");
    Scanner scanner(m_fromStr);
    QString result;
    while (!scanner.isAtEnd()) {
        QString literal;
        if (!scanner.scanUpTo(open, &literal)) {
            // A placeholder with nothing before it: the rest is copied unchanged.
            QString rest;
            scanner.scanUpTo(QStringLiteral("___${__"), &rest);
            result += rest;
            return result;
        }
        QString key;
        if (!scanner.atEndOfText()) {
            scanner.scanString(open);
            scanner.scanUpTo(close, &key);
            scanner.scanString(close);
        }
        result += literal;
        result += m_keyAndValues.value(key);
    }
    return result;
}
