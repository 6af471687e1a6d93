#include "command_line.h"

#include <getopt.h>

#include <cstring>

#include "ascii_case.h"

namespace {

// The options in getopt_long's terms; a short option's letter is its value.
const option kOptions[] = {
    {"help", no_argument, nullptr, 'h'},       {"version", no_argument, nullptr, 'V'},
    {"list-ports", no_argument, nullptr, 'l'}, {"port", required_argument, nullptr, 'p'},
    {"mode", required_argument, nullptr, 'm'}, {nullptr, 0, nullptr, 0}};
// "+": the options end at the first operand, which is an error.
constexpr char kShortOptions[] = "+hVlp:m:";
constexpr int kOptionCount = sizeof kOptions / sizeof kOptions[0] - 1;

bool ParseMode(const char* text, CanBusMode& mode) {
  if (std::strcmp(text, "500") == 0) {
    mode = kMode500kDCan;
  } else if (std::strcmp(text, "100") == 0) {
    mode = kMode100kKCan;
  } else if (SameAsciiIgnoringCase(text, "off")) {
    mode = kModeCanOff;
  } else {
    return false;
  }
  return true;
}

// What a message quotes of the user's text: enough to recognise it.
constexpr int kQuoted = 40;

int OptionWithLetter(int letter) {
  for (int option = 0; option < kOptionCount; ++option) {
    if (kOptions[option].val == letter) return option;
  }
  return -1;
}

// The option a long name, or any beginning of it, stands for: no two begin alike.
int OptionWithName(const char* name, std::size_t length) {
  for (int option = 0; option < kOptionCount && length > 0; ++option) {
    if (std::strncmp(kOptions[option].name, name, length) == 0) return option;
  }
  return -1;
}

using UsageError = BoundedText<160>;

// Why getopt_long refused `arg`, told from the argument itself: the C
// runtimes report it differently (glibc and MinGW-w64 return other codes, and
// MinGW-w64 leaves optopt as it was).
UsageError Refusal(const char* arg) {
  UsageError error;
  if (arg[1] == '-') {
    const char* name = arg + 2;
    const std::size_t length = std::strcspn(name, "=");
    const int option = OptionWithName(name, length);
    if (option < 0) return error.AppendFormat("unrecognized option '--%.*s'", int(length), name);
    return error.AppendFormat(kOptions[option].has_arg == no_argument
                                  ? "option '--%s' takes no value"
                                  : "option '--%s' needs a value",
                              kOptions[option].name);
  }
  // Short options may be bundled (-lh); the first one getopt_long could not take
  // is the one it refused.
  for (const char* letter = arg + 1; *letter != '\0'; ++letter) {
    const int option = OptionWithLetter(*letter);
    if (option < 0) return error.AppendFormat("invalid option -- '%c'", *letter);
    if (kOptions[option].has_arg != no_argument) {
      return error.AppendFormat("option '--%s' needs a value", kOptions[option].name);
    }
  }
  return error.Append("invalid option");
}

// The options given, and the first fault of the command line.
struct Options {
  bool seen[kOptionCount] = {};
  const char* values[kOptionCount] = {};
  UsageError error;

  bool Record(int option, const char* value) {
    const char* name = kOptions[option].name;
    if (seen[option]) return Fail(UsageError().AppendFormat("option '--%s' given twice", name));
    if (value != nullptr && std::strlen(value) > kMaxPortName) {
      return Fail(UsageError().AppendFormat(
          "the value of '--%s' is too long (at most %d characters)", name, int(kMaxPortName)));
    }
    seen[option] = true;
    values[option] = value;
    return true;
  }
  bool Given(char letter) const { return seen[OptionWithLetter(letter)]; }
  const char* Value(char letter) const { return values[OptionWithLetter(letter)]; }
  bool Fail(const UsageError& text) {
    error = text;
    return false;
  }
};

bool ReadOptions(int argc, const char* const* argv, PortStyle style, Options& options) {
  char* const* arguments = const_cast<char* const*>(argv);
  opterr = 0;
  optind = 0;  // both runtimes start afresh
  for (;;) {
    const int current = optind == 0 ? 1 : optind;
    const int letter = getopt_long(argc, arguments, kShortOptions, kOptions, nullptr);
    if (letter == -1) {
      const bool endedByDashes = optind == current + 1 && std::strcmp(argv[current], "--") == 0;
      if (optind >= argc) return true;
      // Windows' own help option stands among the others.
      if (style == PortStyle::Windows && !endedByDashes && std::strcmp(argv[optind], "/?") == 0) {
        if (!options.Record(OptionWithLetter('h'), nullptr)) return false;
        ++optind;
        continue;
      }
      return options.Fail(
          UsageError().AppendFormat("unexpected argument '%.*s'", kQuoted, argv[optind]));
    }
    const int option = OptionWithLetter(letter);
    if (option < 0) return options.Fail(Refusal(argv[current]));
    if (!options.Record(option, kOptions[option].has_arg == no_argument ? nullptr : optarg)) {
      return false;
    }
  }
}

}  // namespace

CommandLine ParseCommandLine(int argc, const char* const* argv, PortStyle style) {
  CommandLine line;
  line.action = Action::BadUsage;
  Options given;
  if (!ReadOptions(argc, argv, style, given)) {
    line.error = given.error;
    return line;
  }
  if (given.Given('p')) {
    if (!ParsePortArgument(given.Value('p'), style, line.port)) {
      line.error.AppendFormat("'%.*s' is no port name: give %s", kQuoted, given.Value('p'),
                              style == PortStyle::Windows
                                  ? "a name --list-ports shows, or \\\\.\\NAME"
                                  : "COM1 to COM255 or a device's path");
      return line;
    }
    line.portGiven = true;
  }
  if (given.Given('m') && !ParseMode(given.Value('m'), line.mode)) {
    line.error.AppendFormat("'%.*s' is no CAN bus mode: give 500, 100 or off", kQuoted,
                            given.Value('m'));
    return line;
  }
  if (given.Given('l') && (given.Given('m') || given.Given('p'))) {
    line.error = "'--list-ports' goes with no '--mode' or '--port'";
    return line;
  }

  if (given.Given('h')) {
    line.action = Action::Help;
  } else if (given.Given('V')) {
    line.action = Action::Version;
  } else if (given.Given('l')) {
    line.action = Action::ListPorts;
  } else if (given.Given('m')) {
    line.action = Action::SetMode;
  } else {
    line.action = Action::Dialogue;
  }
  return line;
}

void PrintUsage(std::FILE* out, PortStyle style) {
  const bool windows = style == PortStyle::Windows;
  std::fputs(
      "Usage: zade-config                      ask for the port, then for the mode\n"
      "       zade-config --port PORT          the same without the port question\n"
      "       zade-config [--port PORT] --mode MODE\n"
      "       zade-config --list-ports\n"
      "Sets the CAN bus mode of the ORX D-CAN USB adapter and shows the mode it reports.\n"
      "\n"
      "Options:\n",
      out);
  std::fputs(windows ? "  -p, --port PORT   the adapter's port: COM1 to COM255, or \\\\.\\NAME\n"
                     : "  -p, --port PORT   the adapter's device, such as /dev/ttyUSB0 or\n"
                       "                    /dev/serial/by-id/..., or COM1 to COM255 ($COMn,\n"
                       "                    else /dev/ttyUSB<n-1>)\n",
             out);
  std::fputs(
      "  -m, --mode MODE   set the mode and end, with no question and no key wait:\n"
      "                    500 (500 kbit/s, D-CAN and PT-CAN), 100 (100 kbit/s, K-CAN)\n"
      "                    or off; without --port, the only USB serial port present\n"
      "  -l, --list-ports  list the serial ports present: the name --port takes, a\n"
      "                    tab, what the port is\n",
      out);
  std::fputs(windows ? "  -h, --help, /?    show this help and end\n"
                     : "  -h, --help        show this help and end\n",
             out);
  std::fputs(
      "  -V, --version     show the version and end\n"
      "\n"
      "Exit status with --mode:\n"
      "  0  the adapter took the mode\n"
      "  1  failed, and the error output says why: no port could be chosen or\n"
      "     opened (a busy port names who holds it, a forbidden one the group to\n"
      "     join), the adapter did not answer, what came back was not the\n"
      "     request's echo (nothing more is sent then), or the output could not\n"
      "     be written (\"write error\"; the mode may have been set)\n"
      "  2  a bad command line; nothing was opened or sent\n"
      "  3  the adapter answered, but reports another mode than the one asked for\n"
      "The dialogue ends with 0 after the OK screen or Exit, and with -1 (255)\n"
      "otherwise. --help, --version and --list-ports end with 0, or with 1 when\n"
      "their output could not be written.\n"
      "\n"
      "Example:\n",
      out);
  std::fputs(windows ? "  zade-config --port COM12 --mode 100\n"
                     : "  zade-config --port /dev/ttyUSB0 --mode 100\n",
             out);
}
