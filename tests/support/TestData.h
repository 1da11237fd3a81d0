#pragma once

#include <QString>
#include <QStringList>

#include <log4cxx/logger.h>

#include <initializer_list>
#include <memory>

// The test PDFs that tests/data/make_pdfs.py writes, made once in the build tree
// and shared by every test program.
QString pdfData(const QString &name);

// Whether the vector page programs (pdf2swf, getswfSize) have been built.
bool haveVectorConverter();

// Collects the messages one logger emits, at every level, while it lives, so a
// test can check what a user would read in the log.
class LogCapture
{
public:
    explicit LogCapture(const char *loggerName);
    ~LogCapture();
    LogCapture(const LogCapture &) = delete;
    LogCapture &operator=(const LogCapture &) = delete;

    QStringList messages() const;
    bool contains(const QString &text) const;
    // True when some message contains every one of the fragments.
    bool contains(std::initializer_list<const char *> fragments) const;

private:
    class Sink;
    log4cxx::LoggerPtr m_logger;
    log4cxx::LevelPtr m_previousLevel;
    std::shared_ptr<Sink> m_sink;
};
