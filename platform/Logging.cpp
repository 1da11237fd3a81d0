#include "platform/Logging.h"

#include <QFile>

#include <log4cxx/basicconfigurator.h>
#include <log4cxx/helpers/bytearrayinputstream.h>
#include <log4cxx/helpers/properties.h>
#include <log4cxx/logmanager.h>
#include <log4cxx/propertyconfigurator.h>

#include <vector>

log4cxx::LoggerPtr Logging::logger(const char *name)
{
    return log4cxx::Logger::getLogger(name);
}

bool Logging::configure(const QString &propertiesFile, const QString &logFile)
{
    QFile file(propertiesFile);
    if (!file.open(QIODevice::ReadOnly)) {
        log4cxx::LogManager::resetConfiguration();
        log4cxx::BasicConfigurator::configure();
        log4cxx::Logger::getRootLogger()->setLevel(log4cxx::Level::getWarn());
        return false;
    }
    const QByteArray bytes = file.readAll();
    std::vector<unsigned char> data(bytes.begin(), bytes.end());
    log4cxx::helpers::Properties props;
    props.load(std::make_shared<log4cxx::helpers::ByteArrayInputStream>(data));
    props.setProperty(kFileAppenderKey, logFile.toStdString());
    log4cxx::LogManager::resetConfiguration();
    log4cxx::PropertyConfigurator::configure(props);
    return true;
}

std::ostream &operator<<(std::ostream &os, const QString &text)
{
    return os << text.toStdString();
}
