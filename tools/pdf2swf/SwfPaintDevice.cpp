#include "SwfPaintDevice.h"

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
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return 72;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(devicePixelRatioFScale());
    }
    return 0;
}
