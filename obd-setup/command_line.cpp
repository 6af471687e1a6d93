#include "command_line.h"

#include <getopt.h>

#include <algorithm>
#include <cerrno>
#include <cstdarg>
#include <cstring>

#include "service_audit.h"

namespace {

// The options in getopt_long's terms; --check and --no-wait have no letter.
enum : int { kCheckOption = 256, kNoWaitOption };
const option kOptions[] = {{"help", no_argument, nullptr, 'h'},
                           {"version", no_argument, nullptr, 'V'},
                           {"check", no_argument, nullptr, kCheckOption},
                           {"no-wait", no_argument, nullptr, kNoWaitOption},
                           {nullptr, 0, nullptr, 0}};
// "+": the options end at the first operand, which is an error.
constexpr char kShortOptions[] = "+hV";
constexpr int kOptionCount = sizeof kOptions / sizeof kOptions[0] - 1;

int OptionWithValue(int value) {
  for (int option = 0; option < kOptionCount; ++option) {
    if (kOptions[option].val == value) return option;
  }
  return -1;
}

struct Options {
  bool given[kOptionCount] = {};
  char error[96] = {};

  bool Given(int value) const { return given[OptionWithValue(value)]; }
};

bool Fail(Options& options, const char* format, ...) __attribute__((format(printf, 2, 3)));
bool Fail(Options& options, const char* format, ...) {
  std::va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(options.error, sizeof options.error, format, arguments);
  va_end(arguments);
  return false;
}

bool Give(Options& options, int option) {
  if (options.given[option]) {
    return Fail(options, "option '--%s' given twice", kOptions[option].name);
  }
  options.given[option] = true;
  return true;
}

// Why getopt_long refused `arg`, told from the argument itself: the C
// runtimes report it differently. A long name may be any beginning of one:
// no two begin alike. Short options may be bundled (-hV).
bool Refuse(Options& options, const char* arg) {
  if (arg[1] == '-') {
    const char* name = arg + 2;
    const std::size_t length = std::strcspn(name, "=");
    for (int option = 0; option < kOptionCount && length > 0; ++option) {
      if (std::strncmp(kOptions[option].name, name, length) == 0) {
        return Fail(options, "option '--%s' takes no value", kOptions[option].name);
      }
    }
    return Fail(options, "unrecognized option '--%.*s'",
                static_cast<int>(std::min<std::size_t>(length, 40)), name);
  }
  for (const char* letter = arg + 1; *letter != '\0'; ++letter) {
    if (OptionWithValue(*letter) < 0) return Fail(options, "invalid option -- '%c'", *letter);
  }
  return Fail(options, "invalid option");
}

bool Parse(int argc, const char* const* argv, Options& options) {
  char* const* arguments = const_cast<char* const*>(argv);
  opterr = 0;
  optind = 0;  // both runtimes start afresh
  for (;;) {
    const int current = optind == 0 ? 1 : optind;
    const int value = getopt_long(argc, arguments, kShortOptions, kOptions, nullptr);
    if (value == -1) {
      const bool endedByDashes = optind == current + 1 && std::strcmp(argv[current], "--") == 0;
      if (optind >= argc) return true;
      // Windows' own help option stands among the others.
      if (!endedByDashes && std::strcmp(argv[optind], "/?") == 0) {
        if (!Give(options, OptionWithValue('h'))) return false;
        ++optind;
        continue;
      }
      return Fail(options, "unexpected argument '%.40s'", argv[optind]);
    }
    const int option = OptionWithValue(value);
    if (option < 0) return Refuse(options, argv[current]);
    if (!Give(options, option)) return false;
  }
}

void PrintUsage(std::FILE* out) {
  std::fputs(
      "Usage: obd-setup [--check] [--no-wait]\n"
      "Checks the settings of the Windows serial port driver's service and sets\n"
      "its transmit FIFO (TxFIFO) to 8. Without options it ends with a key.\n"
      "\n"
      "Options:\n"
      "  --check         check only: write and create nothing; a TxFIFO that\n"
      "                  differs is a warning; no key wait\n"
      "  --no-wait       check and repair, without the final key wait\n"
      "  -h, --help, /?  show this help and end\n"
      "  -V, --version   show the version and end\n"
      "\n"
      "Exit status with --check or --no-wait, the sum of:\n"
      "  0   every value as expected\n"
      "  1   TxFIFO was corrected (with 2: 3)\n"
      "  2   reboot needed\n"
      "  4   values differ and were left as they were\n"
      "  8   not Windows NT, or the repair failed: run it as administrator\n"
      "  16  a bad command line; nothing was read or written\n"
      "  32  the output could not be written (\"write error\" on the error output)\n"
      "Without options the status is the code of the key pressed at the end.\n"
      "\n"
      "Example:\n"
      "  obd-setup --check\n",
      out);
}

// Flushed and closed, with no write of it failed. (msvcrt's printf and fflush
// report success on a full device, and only mark the stream.)
bool CloseCleanly(std::FILE* stream, int (*closeStream)(std::FILE*)) {
  const bool failedBefore = std::ferror(stream) != 0;
  return closeStream(stream) == 0 && !failedBefore;
}

int RunForm(int argc, const char* const* argv, std::uint32_t versionWord, std::FILE* out,
            std::FILE* err) {
  Options options;
  if (!Parse(argc, argv, options)) {
    std::fprintf(err, "obd-setup: %s\nTry 'obd-setup --help'.\n", options.error);
    return kExitUsage;
  }
  if (options.Given('h')) {
    PrintUsage(out);
    return 0;
  }
  if (options.Given('V')) {
    std::fputs("obd-setup " OBD_SETUP_VERSION "\n", out);
    return 0;
  }
  return RunObdSetupForScript(
      versionWord, options.Given(kCheckOption) ? AuditMode::CheckOnly : AuditMode::Repair, out);
}

}  // namespace

int RunObdSetupCommand(int argc, const char* const* argv, std::uint32_t versionWord, std::FILE* out,
                       std::FILE* err, int (*closeStream)(std::FILE* stream)) {
  if (argc <= 1) return RunObdSetup(versionWord, out);
  int status = RunForm(argc, argv, versionWord, out, err);
  if (!CloseCleanly(out, closeStream)) {
    std::fprintf(err, "obd-setup: write error: %s\n", std::strerror(errno));
    status |= kExitWriteError;
  }
  if (!CloseCleanly(err, closeStream)) status |= kExitWriteError;
  return status;
}
