#pragma once

#include <QString>
#include <QStringList>

#include <log4cxx/appenderskeleton.h>

#include <memory>
#include <mutex>

// The PDFs that tests/data/make_pdfs.py writes, made once per test program in
// the build tree.
QString importData(const QString &name);

// Whether the converter programs have been built into the resources.
bool haveConverterPrograms();

// Collects the messages of one logger, at every level, while it lives.
class LogCapture
{
public:
    explicit LogCapture(const char *loggerName);
    ~LogCapture();
    QStringList messages() const;
    bool contains(const QString &text) const;

private:
    class Appender;
    log4cxx::LoggerPtr m_logger;
    log4cxx::LevelPtr m_oldLevel;
    std::shared_ptr<Appender> m_appender;
};

#include <QSize>

// Pixel size of a JPEG file from its frame header; invalid when unreadable.
QSize jpegSize(const QString &path);
