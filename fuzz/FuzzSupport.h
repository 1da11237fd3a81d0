#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

// Helpers shared by the fuzz targets: quiet logging, private path roots, and a
// scratch file for the readers that only take a path.
namespace FuzzSupport {

// Turns logging off (a log line per input would dominate the run time) and
// points every path root into a private temporary folder. Idempotent.
void init();

// The private temporary folder init() made.
QString scratchDir();

// Writes the bytes to a file in the scratch folder (the same file each call)
// and returns its path.
QString writeScratch(const uint8_t *data, size_t size, const QString &name = QStringLiteral("input"));

} // namespace FuzzSupport
