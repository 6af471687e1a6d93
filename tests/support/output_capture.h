// A stdio stream that collects what the code under test prints.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

class OutputCapture {
 public:
  OutputCapture() : file_(open_memstream(&buffer_, &size_)) {}
  ~OutputCapture() {
    std::fclose(file_);
    std::free(buffer_);
  }
  OutputCapture(const OutputCapture&) = delete;
  OutputCapture& operator=(const OutputCapture&) = delete;

  std::FILE* file() const { return file_; }

  // Everything printed so far.
  std::string Text() {
    std::fflush(file_);
    return Flushed();
  }

  // What the code under test has flushed so far, without flushing it here.
  std::string Flushed() const { return buffer_ ? std::string(buffer_, size_) : std::string(); }

 private:
  char* buffer_ = nullptr;
  std::size_t size_ = 0;
  std::FILE* file_;
};
