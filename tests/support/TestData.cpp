#include "TestData.h"

#include "platform/ProcessRunner.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <log4cxx/appenderskeleton.h>
#include <log4cxx/helpers/transcoder.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>

QString pdfData(const QString &name)
{
    // Test programs run side by side under ctest: each makes the files in a
    // folder of its own and moves it into place whole, so that two generators
    // never write the same file and no reader sees half of one. A folder older
    // than the generator is made again.
    static const QString dir = [] {
        const QString out = QStringLiteral(FOLIANT_BINARY_DIR "/tests/pdf-data");
        const QString script = QStringLiteral(FOLIANT_SOURCE_DIR "/tests/data/make_pdfs.py");
        const auto current = [&] {
            const QFileInfo done(out + QStringLiteral("/complete"));
            return done.exists() && done.lastModified() >= QFileInfo(script).lastModified();
        };
        if (current())
            return out;
        QDir().mkpath(QFileInfo(out).path());
        const QString fresh = out + QStringLiteral(".%1").arg(QCoreApplication::applicationPid());
        const ProcessResult r =
            ProcessRunner::run(QStringLiteral("python3"), {script, fresh, QStringLiteral("--large")}, 180000);
        if (!r.ok())
            ADD_FAILURE() << "make_pdfs.py failed: " << r.standardError.constData();
        QFile complete(fresh + QStringLiteral("/complete"));
        if (!complete.open(QIODevice::WriteOnly))
            ADD_FAILURE() << "cannot mark the test PDFs complete";
        complete.close();
        // Another program may have put a complete folder in place meanwhile;
        // anything else there is stale or half made.
        if (current()) {
            QDir(fresh).removeRecursively();
            return out;
        }
        QDir(out).removeRecursively();
        if (!QDir().rename(fresh, out))
            QDir(fresh).removeRecursively(); // another program was first
        return out;
    }();
    return dir + QLatin1Char('/') + name;
}

bool haveVectorConverter()
{
    return QFileInfo(QStringLiteral(FOLIANT_RESOURCES_DIR "/lib/pdf2swf")).isExecutable() &&
           QFileInfo(QStringLiteral(FOLIANT_RESOURCES_DIR "/lib/getswfSize")).isExecutable();
}

class LogCapture::Sink : public log4cxx::AppenderSkeleton
{
public:
    void append(const log4cxx::spi::LoggingEventPtr &event, log4cxx::helpers::Pool &) override
    {
        std::string text;
        log4cxx::helpers::Transcoder::encode(event->getRenderedMessage(), text);
        std::lock_guard lock(mutex);
        lines.append(QString::fromStdString(text));
    }
    void close() override {}
    bool requiresLayout() const override { return false; }

    mutable std::mutex mutex;
    QStringList lines;
};

LogCapture::LogCapture(const char *loggerName)
    : m_logger(log4cxx::Logger::getLogger(loggerName)), m_sink(std::make_shared<Sink>())
{
    m_previousLevel = m_logger->getLevel();
    m_logger->setLevel(log4cxx::Level::getDebug());
    m_logger->addAppender(m_sink);
}

LogCapture::~LogCapture()
{
    m_logger->removeAppender(m_sink);
    m_logger->setLevel(m_previousLevel);
}

QStringList LogCapture::messages() const
{
    std::lock_guard lock(m_sink->mutex);
    return m_sink->lines;
}

bool LogCapture::contains(const QString &text) const
{
    const QStringList all = messages();
    return std::any_of(all.begin(), all.end(), [&](const QString &line) { return line.contains(text); });
}

bool LogCapture::contains(std::initializer_list<const char *> fragments) const
{
    const QStringList all = messages();
    return std::any_of(all.begin(), all.end(), [&](const QString &line) {
        return std::all_of(fragments.begin(), fragments.end(),
                           [&](const char *fragment) { return line.contains(QString::fromUtf8(fragment)); });
    });
}
