#pragma once

#include <log4cxx/appenderskeleton.h>
#include <log4cxx/logger.h>

#include <mutex>
#include <string>
#include <vector>

class CaptureSink;

// Collects the messages one logger emits while it lives, so a test can check
// what a user would read in the log.
class LogCapture
{
public:
    explicit LogCapture(const char *loggerName);
    ~LogCapture();
    LogCapture(const LogCapture &) = delete;
    LogCapture &operator=(const LogCapture &) = delete;

    std::vector<std::string> lines() const;
    // True when some line contains every one of the fragments.
    bool contains(std::initializer_list<const char *> fragments) const;

private:
    log4cxx::LoggerPtr m_logger;
    log4cxx::LevelPtr m_previousLevel;
    std::shared_ptr<CaptureSink> m_sink;
};
