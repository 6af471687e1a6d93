// Answers typed at the dialogue's questions.
#pragma once

#include <cstdio>

// Formatted extraction of one character: skips leading white space (blanks,
// tabs, line ends, vertical tabs, form feeds) and takes the next character;
// the rest of the line stays buffered for the next question. False at end of
// input or on a read error, leaving `answer` unchanged.
bool ExtractChar(std::FILE* in, char& answer);
