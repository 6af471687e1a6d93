#include "answer_input.h"

namespace {
bool IsWhiteSpace(int c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}
}  // namespace

bool ExtractChar(std::FILE* in, char& answer) {
  int c = std::fgetc(in);
  while (IsWhiteSpace(c)) c = std::fgetc(in);
  if (c == EOF) return false;
  answer = static_cast<char>(c);
  return true;
}
