// The console program's text output, in what its reader decodes.
#pragma once

#include <cstdio>

// Writes UTF-8 text to a C runtime stream: on a console with WriteConsoleW,
// after what the runtime holds for the stream; redirected, in the console's
// output code page, or the OEM code page without a console, a character the
// code page lacks becoming its best fit or "?". Only the runtime's own handle
// of the stream is used: a handle the process inherited may be stale.
void WriteText(std::FILE* stream, const char* text);
