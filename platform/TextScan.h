#pragma once

#include <QString>

// Number reading shared by the readers of program output and stored documents.
namespace TextScan {

// The value of a leading decimal number after optional blanks and a sign; 0 when
// the text does not begin so (an empty text included). Trailing text, such as a
// line end, is ignored. Saturates at the int range instead of overflowing.
int leadingInt(const QString &text);

} // namespace TextScan
