#pragma once

#include <QString>

#include <exception>
#include <string>

// The exception the application raises and catches at the outer level of its
// commands. Its description, "name: reason", is what the log lines show.
class FoliantException : public std::exception
{
public:
    FoliantException(QString name, QString reason);

    const QString &name() const { return m_name; }
    const QString &reason() const { return m_reason; }
    QString description() const;
    const char *what() const noexcept override { return m_what.c_str(); }

private:
    QString m_name;
    QString m_reason;
    std::string m_what;
};

// The text a log line shows for any exception caught at an outer level.
QString describeException(const std::exception &e);
