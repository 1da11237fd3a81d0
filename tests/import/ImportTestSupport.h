#pragma once

#include "TestData.h"

#include <QSize>
#include <QString>

// Pixel size of a JPEG file from its frame header; invalid when unreadable.
QSize jpegSize(const QString &path);
