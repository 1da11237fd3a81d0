#include "SwfPaintDevice.h"

// Qt's default resolution, the one QPicture records at.
Q_GUI_EXPORT int qt_defaultDpiX();
Q_GUI_EXPORT int qt_defaultDpiY();

SwfPaintDevice::SwfPaintDevice(SwfWriter &writer, int jpegQuality) : m_writer(writer), m_engine(writer, jpegQuality) {}

SwfPaintDevice::~SwfPaintDevice() = default;

int SwfPaintDevice::metric(PaintDeviceMetric metric) const
{
    switch (metric) {
    case PdmWidth:
        return m_writer.frameSize().width();
    case PdmHeight:
        return m_writer.frameSize().height();
    case PdmWidthMM:
        return int(m_writer.frameSize().width() * 25.4 / 72.0);
    case PdmHeightMM:
        return int(m_writer.frameSize().height() * 25.4 / 72.0);
    case PdmNumColors:
        return INT_MAX;
    case PdmDepth:
        return 32;
    // Poppler records Type3 glyphs and transparency groups as QPictures and
    // replays them here; a replay is scaled by this device's resolution over
    // the picture's, so the two must agree or those parts shrink (72/96).
    case PdmDpiX:
    case PdmPhysicalDpiX:
        return qt_defaultDpiX();
    case PdmDpiY:
    case PdmPhysicalDpiY:
        return qt_defaultDpiY();
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(devicePixelRatioFScale());
    }
    return 0;
}
