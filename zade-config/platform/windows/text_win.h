// Text between the program, which keeps it in UTF-8, and Windows, whose own
// calls speak UTF-16 and whose consoles and redirected output want their
// code pages.
#pragma once

#include <cstdio>

#include "bounded_text.h"

using Utf8Text = BoundedText<512>;

// UTF-16 from Windows as UTF-8, cut where a character begins when too long.
Utf8Text Utf8FromWide(const wchar_t* text);

// Writes UTF-8 text to a C runtime stream: on a console with WriteConsoleW,
// after what the runtime holds for the stream; redirected, in the console's
// output code page, or the OEM code page without a console, a character the
// code page lacks becoming its best fit or "?". Only the runtime's own handle
// of the stream is used: a handle the process inherited may be stale.
void WriteText(std::FILE* stream, const char* text);
