#pragma once

#include "SwfPaintEngine.h"

#include <QPaintDevice>

// A paint device of the frame's size whose drawing ends up in an SwfWriter.
class SwfPaintDevice : public QPaintDevice
{
public:
    SwfPaintDevice(SwfWriter &writer, int jpegQuality);
    ~SwfPaintDevice() override;

    QPaintEngine *paintEngine() const override { return &m_engine; }
    const SwfPaintEngine &engine() const { return m_engine; }

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    SwfWriter &m_writer;
    mutable SwfPaintEngine m_engine;
};
