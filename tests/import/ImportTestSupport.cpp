#include "ImportTestSupport.h"

#include "platform/Paths.h"
#include "platform/ProcessRunner.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <log4cxx/logger.h>

#include <gtest/gtest.h>

QString importData(const QString &name)
{
    // Test programs run side by side under ctest: each makes the files in a
    // folder of its own and moves it into place whole, so no reader ever sees a
    // half-written file. A folder older than the generator is made again.
    static const QString dir = [] {
        const QString out = QStringLiteral(FOLIANT_BINARY_DIR "/tests/import-data");
        const QString script = QStringLiteral(FOLIANT_SOURCE_DIR "/tests/data/make_pdfs.py");
        const QFileInfo done(out + QStringLiteral("/complete"));
        if (done.exists() && done.lastModified() >= QFileInfo(script).lastModified())
            return out;
        QDir().mkpath(QFileInfo(out).path());
        const QString fresh = out + QStringLiteral(".%1").arg(QCoreApplication::applicationPid());
        const ProcessResult r =
            ProcessRunner::run(QStringLiteral("python3"), {script, fresh, QStringLiteral("--large")}, 120000);
        if (!r.ok())
            ADD_FAILURE() << "make_pdfs.py failed: " << r.standardError.constData();
        QFile complete(fresh + QStringLiteral("/complete"));
        if (!complete.open(QIODevice::WriteOnly))
            ADD_FAILURE() << "cannot mark the test PDFs complete";
        complete.close();
        if (done.exists())
            QDir(out).removeRecursively();
        if (!QDir().rename(fresh, out))
            QDir(fresh).removeRecursively(); // another program was first
        return out;
    }();
    return dir + QLatin1Char('/') + name;
}

bool haveConverterPrograms()
{
    return QFileInfo(Paths::resource(QStringLiteral("lib/pdf2swf"))).isExecutable() &&
           QFileInfo(Paths::resource(QStringLiteral("lib/getswfSize"))).isExecutable();
}

class LogCapture::Appender : public log4cxx::AppenderSkeleton
{
public:
    void append(const log4cxx::spi::LoggingEventPtr &event, log4cxx::helpers::Pool &) override
    {
        std::lock_guard lock(mutex);
        lines.append(QString::fromStdString(event->getRenderedMessage()));
    }
    void close() override {}
    bool requiresLayout() const override { return false; }

    mutable std::mutex mutex;
    QStringList lines;
};

LogCapture::LogCapture(const char *loggerName)
    : m_logger(log4cxx::Logger::getLogger(loggerName)), m_appender(std::make_shared<Appender>())
{
    m_oldLevel = m_logger->getLevel();
    m_logger->setLevel(log4cxx::Level::getDebug());
    m_logger->addAppender(m_appender);
}

LogCapture::~LogCapture()
{
    m_logger->removeAppender(m_appender);
    m_logger->setLevel(m_oldLevel);
}

QStringList LogCapture::messages() const
{
    std::lock_guard lock(m_appender->mutex);
    return m_appender->lines;
}

bool LogCapture::contains(const QString &text) const
{
    for (const QString &line : messages())
        if (line.contains(text))
            return true;
    return false;
}

QSize jpegSize(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray b = file.readAll();
    auto byte = [&](qsizetype i) { return i < b.size() ? quint8(b[i]) : 0; };
    if (byte(0) != 0xFF || byte(1) != 0xD8)
        return {};
    qsizetype i = 2;
    while (i + 9 < b.size()) {
        if (byte(i) != 0xFF)
            return {};
        const int marker = byte(i + 1);
        const int length = (byte(i + 2) << 8) | byte(i + 3);
        if (marker >= 0xC0 && marker <= 0xC2)
            return QSize((byte(i + 7) << 8) | byte(i + 8), (byte(i + 5) << 8) | byte(i + 6));
        i += 2 + length;
    }
    return {};
}
