#pragma once

#include "TestData.h"

#include <QImageReader>
#include <QSize>
#include <QString>

// Pixel size of a JPEG file from its header; invalid when it is no JPEG.
inline QSize jpegSize(const QString &path)
{
    return QImageReader(path, "jpeg").size();
}
