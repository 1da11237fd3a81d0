#pragma once

#include <QString>

// Number reading shared by the readers of program output and stored documents.
namespace TextScan {

// The value of a leading decimal number after optional blanks and a sign; 0 when
// the text does not begin so (an empty text included). Trailing text, such as a
// line end, is ignored. Saturates at the int range instead of overflowing.
int leadingInt(const QString &text);

// The value of a leading hexadecimal number after optional blanks and an optional
// "0x"/"0X"; 0 when there is none. Digits end at the first other character.
// Saturates at 0xFFFFFFFF.
quint32 leadingHex(const QString &text);

} // namespace TextScan
