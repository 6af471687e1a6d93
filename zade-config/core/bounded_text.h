// Texts held in place, with a fixed capacity, cut to it when longer. The
// Windows exes link the C++ library statically, and its string and vector
// instantiations (with the exception support they bring) would nearly double
// them; a bounded text needs nothing of the library.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdio>
#include <cstring>

template <std::size_t Capacity>
class BoundedText {
 public:
  BoundedText() = default;
  BoundedText(const char* text) { Append(text); }  // NOLINT: converts like a string

  BoundedText& Append(const char* text) {
    const std::size_t room = Capacity - length_;
    const std::size_t wanted = std::strlen(text);
    const std::size_t length = wanted < room ? wanted : room;
    std::memcpy(text_ + length_, text, length);
    length_ += length;
    text_[length_] = '\0';
    return *this;
  }

  // printf-style.
  BoundedText& AppendFormat(const char* format, ...) __attribute__((format(printf, 2, 3))) {
    std::va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text_ + length_, Capacity + 1 - length_, format, arguments);
    va_end(arguments);
    length_ += std::strlen(text_ + length_);
    return *this;
  }

  const char* c_str() const { return text_; }
  std::size_t size() const { return length_; }
  bool empty() const { return length_ == 0; }
  bool operator==(const char* other) const { return std::strcmp(text_, other) == 0; }
  bool operator!=(const char* other) const { return !(*this == other); }

 private:
  char text_[Capacity + 1] = {};
  std::size_t length_ = 0;
};
