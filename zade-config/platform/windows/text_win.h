// Text between the program, which keeps it in UTF-8, and Windows, whose own
// calls speak UTF-16.
#pragma once

#include "bounded_text.h"

using Utf8Text = BoundedText<512>;

// UTF-16 from Windows as UTF-8, cut where a character begins when too long.
Utf8Text Utf8FromWide(const wchar_t* text);

// UTF-8 as UTF-16 in WIDE, which holds CAPACITY units with the terminator;
// the count of units written, the terminator's included, or 0, leaving WIDE
// empty, when the text does not fit.
int WideFromUtf8(const char* utf8, wchar_t* wide, int capacity);
