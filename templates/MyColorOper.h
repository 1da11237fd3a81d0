#pragma once

#include <QColor>
#include <QString>

// Colour values of template properties are text: "0x" and six hex digits.
class MyColorOper
{
public:
    MyColorOper() = delete;

    // "0x" + red, green, blue as two lower-case hex digits each; empty for an
    // invalid colour.
    static QString colorToHexRGB(const QColor &color);
    // Reads an unsigned hex number (leading blanks, optional 0x/0X, digits up to
    // the first other character); bits 16-23 red, 8-15 green, 0-7 blue. Text
    // that holds no number gives black.
    static QColor colorFromHexRGB(const QString &text);
};
