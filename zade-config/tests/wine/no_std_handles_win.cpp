// no-std-handles: starts a program with no standard handles, as some
// launchers and services start theirs, and ends with its exit code. Under
// Wine a shell's ">&-" never reaches a Windows program: Wine keeps that
// descriptor for itself.
//   no-std-handles [--input FILE] PROGRAM [ARG...]
// --input FILE gives the program FILE as standard input; output and error
// stay null.
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

// The program's command line, each argument quoted (none holds a quote).
bool AppendQuoted(char* line, std::size_t size, const char* argument) {
  const std::size_t used = std::strlen(line);
  return std::snprintf(line + used, size - used, "%s\"%s\"", used > 0 ? " " : "", argument) <
         static_cast<int>(size - used);
}

}  // namespace

int main(int argc, char** argv) {
  int first = 1;
  HANDLE input = nullptr;
  if (argc > 3 && std::strcmp(argv[1], "--input") == 0) {
    SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
    input =
        CreateFileA(argv[2], GENERIC_READ, FILE_SHARE_READ, &inherited, OPEN_EXISTING, 0, nullptr);
    if (input == INVALID_HANDLE_VALUE) return 125;
    first = 3;
  }
  if (first >= argc) return 125;
  char line[4096] = "";
  for (int i = first; i < argc; ++i) {
    if (!AppendQuoted(line, sizeof line, argv[i])) return 125;
  }
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = input;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, line, nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                      &process)) {
    return 126;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 126;
  GetExitCodeProcess(process.hProcess, &code);
  return static_cast<int>(code);
}
