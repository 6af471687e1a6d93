// Texts held in place, with a fixed capacity, cut to it when longer: UTF-8,
// cut only where a character begins. The
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
  static constexpr std::size_t kCapacity = Capacity;
  BoundedText() = default;
  BoundedText(const char* text) { Append(text); }  // NOLINT: converts like a string

  BoundedText& Append(const char* text) {
    const std::size_t room = Capacity - length_;
    const std::size_t wanted = std::strlen(text);
    std::memcpy(text_ + length_, text, wanted < room ? wanted : room);
    return EndAt(length_ + wanted, length_ + room);
  }

  // printf-style.
  BoundedText& AppendFormat(const char* format, ...) __attribute__((format(printf, 2, 3))) {
    std::va_list arguments;
    va_start(arguments, format);
    const int wanted = std::vsnprintf(text_ + length_, Capacity + 1 - length_, format, arguments);
    va_end(arguments);
    return EndAt(length_ + (wanted > 0 ? static_cast<std::size_t>(wanted) : 0), Capacity);
  }

  const char* c_str() const { return text_; }
  std::size_t size() const { return length_; }
  bool empty() const { return length_ == 0; }
  bool operator==(const char* other) const { return std::strcmp(text_, other) == 0; }
  bool operator!=(const char* other) const { return !(*this == other); }

 private:
  // Ends the text at `wanted`, or, when it did not fit, at `limit` less the
  // part of a character cut there.
  BoundedText& EndAt(std::size_t wanted, std::size_t limit) {
    std::size_t end = wanted <= limit ? wanted : limit;
    if (wanted > limit) {
      std::size_t lead = end;  // after the last byte that begins a character
      while (lead > length_ && (Byte(lead - 1) & 0xC0) == 0x80) --lead;
      if (lead > length_ && lead - 1 + SequenceLength(Byte(lead - 1)) > end) end = lead - 1;
    }
    length_ = end;
    text_[length_] = '\0';
    return *this;
  }
  unsigned char Byte(std::size_t at) const { return static_cast<unsigned char>(text_[at]); }
  static std::size_t SequenceLength(unsigned char lead) {
    return lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
  }

  char text_[Capacity + 1] = {};
  std::size_t length_ = 0;
};
