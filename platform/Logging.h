#pragma once

#include <QString>

#include <log4cxx/logger.h>

// Logging on log4cxx. Each class keeps its own logger:
//
//   static const auto logger = Logging::logger("FlashTemplate");
//   LOG4CXX_DEBUG(logger, "range[" << i << "]=" << value);   // built only when enabled
//
// QString values stream through the operator below.
namespace Logging {

log4cxx::LoggerPtr logger(const char *name);

// Reads the properties file, points the file appender "TessaloomFileLog" at
// `logFile` and applies the configuration. A missing or unreadable properties
// file leaves a console configuration at warn level. Returns false then.
bool configure(const QString &propertiesFile, const QString &logFile);

// The appender key that configure() sets in code.
inline constexpr const char *kFileAppenderKey = "log4j.appender.TessaloomFileLog.File";

} // namespace Logging

std::ostream &operator<<(std::ostream &os, const QString &text);
