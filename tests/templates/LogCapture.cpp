#include "LogCapture.h"

#include <log4cxx/helpers/transcoder.h>
#include <log4cxx/level.h>

#include <algorithm>

using namespace log4cxx;

class CaptureSink : public AppenderSkeleton
{
public:
    DECLARE_LOG4CXX_OBJECT(CaptureSink)
    BEGIN_LOG4CXX_CAST_MAP()
    LOG4CXX_CAST_ENTRY(CaptureSink)
    LOG4CXX_CAST_ENTRY_CHAIN(AppenderSkeleton)
    END_LOG4CXX_CAST_MAP()

    void append(const log4cxx::spi::LoggingEventPtr &event, log4cxx::helpers::Pool &) override
    {
        std::string text;
        log4cxx::helpers::Transcoder::encode(event->getRenderedMessage(), text);
        std::lock_guard lock(mutex);
        lines.push_back(std::move(text));
    }
    void close() override {}
    bool requiresLayout() const override { return false; }

    mutable std::mutex mutex;
    std::vector<std::string> lines;
};

IMPLEMENT_LOG4CXX_OBJECT(CaptureSink)

LogCapture::LogCapture(const char *loggerName)
    : m_logger(log4cxx::Logger::getLogger(loggerName)), m_sink(std::make_shared<CaptureSink>())
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

std::vector<std::string> LogCapture::lines() const
{
    std::lock_guard lock(m_sink->mutex);
    return m_sink->lines;
}

bool LogCapture::contains(std::initializer_list<const char *> fragments) const
{
    const auto all = lines();
    return std::any_of(all.begin(), all.end(), [&](const std::string &line) {
        return std::all_of(fragments.begin(), fragments.end(),
                           [&](const char *fragment) { return line.find(fragment) != std::string::npos; });
    });
}
