#include "platform/FoliantException.h"

FoliantException::FoliantException(QString name, QString reason)
    : m_name(std::move(name)), m_reason(std::move(reason)), m_what(description().toStdString())
{}

QString FoliantException::description() const
{
    return m_name + QStringLiteral(": ") + m_reason;
}

QString describeException(const std::exception &e)
{
    if (auto *own = dynamic_cast<const FoliantException *>(&e))
        return own->description();
    return QString::fromLocal8Bit(e.what());
}
