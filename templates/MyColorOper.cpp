#include "templates/MyColorOper.h"

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
    qsizetype i = 0;
    while (i < text.size() && text.at(i).isSpace())
        ++i;
    if (i + 1 < text.size() && text.at(i) == QLatin1Char('0') &&
        (text.at(i + 1) == QLatin1Char('x') || text.at(i + 1) == QLatin1Char('X')))
        i += 2;
    quint64 value = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text.at(i).toLower().unicode();
        int digit;
        if (c >= u'0' && c <= u'9')
            digit = c - u'0';
        else if (c >= u'a' && c <= u'f')
            digit = c - u'a' + 10;
        else
            break;
        value = (value << 4) | quint64(digit);
        if (value > 0xffffffffULL) // the scanner saturates on overflow
            value = 0xffffffffULL;
    }
    return QColor(int((value >> 16) & 0xff), int((value >> 8) & 0xff), int(value & 0xff));
}
