#pragma once

#include <QHash>
#include <QString>

// Fills "${key}" placeholders in a text. The scan skips white space before each
// step, as the HTML pages of the shipped templates are written to expect:
// leading white space and white space right after a placeholder are dropped,
// and a placeholder that directly follows another (or opens the text) ends the
// substitution, the rest being copied as it stands.
class TextTemplate
{
public:
    explicit TextTemplate(const QString &fromStr);

    void setItem(const QString &key, const QString &value);
    QString parse() const;

    const QString &fromStr() const { return m_fromStr; }
    const QHash<QString, QString> &keyAndValues() const { return m_keyAndValues; }

private:
    QString m_fromStr;
    QHash<QString, QString> m_keyAndValues;
};
