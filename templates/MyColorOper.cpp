#include "templates/MyColorOper.h"

#include "platform/TextScan.h"

QString MyColorOper::colorToHexRGB(const QColor &color)
{
    if (!color.isValid())
        return QString();
    const QColor rgb = color.toRgb();
    // The largest single-precision value below 256, so 1.0 maps to 255 and
    // every channel value lands in its own 1/256 bucket.
    const float scale = 255.99998f;
    auto channel = [scale](float v) { return QStringLiteral("%1").arg(int(v * scale), 2, 16, QLatin1Char('0')); };
    return QStringLiteral("0x") + channel(float(rgb.redF())) + channel(float(rgb.greenF())) +
           channel(float(rgb.blueF()));
}

QColor MyColorOper::colorFromHexRGB(const QString &text)
{
    const quint32 value = TextScan::leadingHex(text);
    return QColor(int((value >> 16) & 0xff), int((value >> 8) & 0xff), int(value & 0xff));
}
