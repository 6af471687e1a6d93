// Randomized sessions of the whole program: random registries on random
// version words. Whatever is drawn, the program must print one version line,
// on NT the ten checks' lines in table order and the summary those lines
// imply, write nothing but TxFIFO = 8 as a DWORD (nothing at all when not on
// NT), close every key before the summary and read nothing past a buffer.
#include <strings.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "fake_console.h"
#include "fake_registry.h"
#include "output_capture.h"
#include "random.h"
#include "registry_draw.h"
#include "service_audit.h"
#include "session_runner.h"

namespace {

using fake::Registry;
using fake::RegistryValue;

// --- What the session did -------------------------------------------------

std::string Describe(std::uint32_t versionWord, const fake::FakeRegistry& registry) {
  char line[160];
  std::snprintf(line, sizeof line,
                "  version word %08X; key exists %d, open fails %d, create fails %d, write fails "
                "%d\n",
                versionWord, registry.keyExists, registry.openFails, registry.createFails,
                registry.writeFails);
  std::string text = line;
  for (const auto& [name, value] : registry.values) {
    std::snprintf(line, sizeof line, "  %s: type %u, %zu bytes: ", name.c_str(), value.type,
                  value.bytes.size());
    text += line + Printable({value.bytes.begin(), value.bytes.end()}) + "\n";
  }
  return text;
}

// Reads printed text from the front, one expected piece at a time.
class Printed {
 public:
  explicit Printed(const std::string& text) : text_(text) {}
  bool Take(const std::string& piece) {
    if (text_.compare(at_, piece.size(), piece) != 0) return false;
    at_ += piece.size();
    return true;
  }
  std::size_t at() const { return at_; }
  std::string Rest() const { return text_.substr(at_); }

 private:
  const std::string& text_;
  std::size_t at_ = 0;
};

// The version line the word calls for; `expectedStart` becomes the Start
// value that class of system expects, and stays 0 when it is not NT.
std::string VersionLine(std::uint32_t word, std::uint32_t& expectedStart) {
  if (word & 0x80000000u) return "Windows 95\n\n";
  const unsigned major = word & 0xFF, minor = word >> 8 & 0xFF, build = word >> 16;
  const char* name = major < 5 ? "NT" : minor == 0 ? "2000" : "XP";
  expectedStart = major < 5 ? 2 : 1;
  char line[80];
  std::snprintf(line, sizeof line, "Windows %s Version %u.%u Build %u\n\n", name, major, minor,
                build);
  return line;
}

struct Flags {
  bool warning = false;
  bool changed = false;
  bool changeFailed = false;
};

std::string Summary(const Flags& flags, bool keyMissing) {
  std::string summary;
  if (flags.warning) {
    summary += "Warning! Some values have no standard data - May be there are problems !\n\n";
  }
  if (flags.changeFailed) summary += "Administrator rights failed - Please retry setup !\n\n";
  if (flags.changed) summary += "Some values have been changed\nPlease reboot the machine now...\n";
  if (!flags.warning && !flags.changed && !flags.changeFailed && !keyMissing) {
    summary += "\nAll done.\n";
  }
  return summary;
}

// The check's value as the program may read it: up to `room` bytes, missing
// otherwise.
bool Readable(const std::map<std::string, RegistryValue>& values, const std::string& name,
              std::size_t room, std::string& bytes) {
  const auto found = values.find(name);
  if (found == values.end() || found->second.bytes.size() > room) return false;
  bytes.assign(found->second.bytes.begin(), found->second.bytes.end());
  return true;
}

std::string AsSignedText(const std::string& bytes) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
  }
  return std::to_string(static_cast<std::int32_t>(value));
}

// What the check lines are judged against.
struct Situation {
  std::uint32_t expectedStart;
  std::map<std::string, RegistryValue> values;  // before the program ran
  bool repairWorks;                             // the create and the write succeed
};

// One check's line: the read failure, or the report of the value read with
// the status it calls for. Adds the flag the status raises.
bool TakeCheckLine(Printed& printed, std::size_t index, const Situation& situation, Flags& flags) {
  static const std::map<std::string, RegistryValue> kStandard = fake::StandardValues();
  const std::string name = kCheckNames[index];
  const std::string lead = index == 0 ? "\n\n" : "";
  const bool isGroup = name == "Group";
  std::string bytes;
  if (!Readable(situation.values, name, isGroup ? kGroupRoom : 4, bytes)) {
    return printed.Take(lead + "Read value '" + name + "' failed !\n");
  }
  char label[32];
  std::snprintf(label, sizeof label, "Value %-16s= ", name.c_str());
  bool equal = false;
  std::string shown;
  if (isGroup) {
    shown = bytes.substr(0, bytes.find('\0'));
    equal = strcasecmp(shown.c_str(), kExpectedGroup) == 0;
    shown += std::string("\tExpected = ") + kExpectedGroup + "  ";
  } else {
    const std::vector<unsigned char>& standard = kStandard.at(name).bytes;
    const std::string expected = name == "Start" ? std::to_string(situation.expectedStart)
                                                 : AsSignedText({standard.begin(), standard.end()});
    equal = AsSignedText(bytes) == expected;
    shown = AsSignedText(bytes) + "\t\tExpected = " + expected + "\t\t  ";
  }
  if (!printed.Take(lead + label + shown)) return false;
  if (equal) return printed.Take("Ok\n");
  if (name != "TxFIFO") return (flags.warning = printed.Take("Warning\n"));
  if (situation.repairWorks) return (flags.changed = printed.Take("Changed\n"));
  return (flags.changeFailed = printed.Take("Change Failed\n"));
}

std::vector<std::string> CallsStartingWith(const std::string& prefix) {
  std::vector<std::string> found;
  for (const std::string& call : Registry().calls) {
    if (call.rfind(prefix, 0) == 0) found.push_back(call);
  }
  return found;
}

// Only TxFIFO may change, and only to the DWORD 8; a write that was refused
// leaves everything as it was.
void CheckWrites(const std::map<std::string, RegistryValue>& before, bool notNt,
                 std::vector<std::string>& problems) {
  const fake::FakeRegistry& registry = Registry();
  if (notNt && !registry.calls.empty()) {
    problems.push_back("touched the registry on a non-NT system");
  }
  const std::vector<std::string> sets = CallsStartingWith("set ");
  for (const std::string& set : sets) {
    if (set.size() < 7 || set.compare(set.size() - 7, 7, " TxFIFO") != 0) {
      problems.push_back("wrote a value other than TxFIFO: " + set);
    }
  }
  if (sets.size() > 1) problems.push_back("wrote TxFIFO more than once");
  std::map<std::string, RegistryValue> after = registry.values;
  std::map<std::string, RegistryValue> unchanged = before;
  const auto txFifo = after.find("TxFIFO");
  if (!sets.empty() && !registry.writeFails && !registry.createFails) {
    const RegistryValue eight = fake::Dword(8);
    if (txFifo == after.end() || txFifo->second.type != eight.type ||
        txFifo->second.bytes != eight.bytes) {
      problems.push_back("TxFIFO was not written as the DWORD 8");
    }
    after.erase("TxFIFO");
    unchanged.erase("TxFIFO");
  }
  const auto same = [](const auto& a, const auto& b) {
    return a.first == b.first && a.second.type == b.second.type && a.second.bytes == b.second.bytes;
  };
  if (after.size() != unchanged.size() ||
      !std::equal(after.begin(), after.end(), unchanged.begin(), same)) {
    problems.push_back("values other than TxFIFO changed");
  }
  if (registry.callsOnClosedKeys > 0) problems.push_back("used a key handle after closing it");
  if (!registry.openKeys.empty()) problems.push_back("left a key handle open");
}

SessionResult RunSession(std::uint64_t seed) {
  Random random(seed);
  fake::ResetRegistry();
  fake::ResetConsole();
  const std::uint32_t versionWord = DrawVersionWord(random);
  DrawRegistry(random);
  const auto key = static_cast<unsigned char>(random.Between(1, 255));
  fake::Console().events = {fake::KeyDown('K', key)};
  const std::map<std::string, RegistryValue> before = Registry().values;
  const bool openWorks = Registry().keyExists && !Registry().openFails;

  SessionResult result;
  result.description = Describe(versionWord, Registry());
  OutputCapture out;
  std::vector<std::size_t> printedAtClose;
  Registry().onClose = [&] { printedAtClose.push_back(out.Text().size()); };
  const int status = RunObdSetup(versionWord, out.file());
  const std::string text = out.Text();
  result.description += "  printed: " + Printable(text) + "\n  status: " + std::to_string(status);
  std::vector<std::string>& problems = result.problems;

  if (status != key) problems.push_back("ended with status " + std::to_string(status));
  std::uint32_t expectedStart = 0;
  const std::string versionLine = VersionLine(versionWord, expectedStart);
  const bool notNt = expectedStart == 0;
  CheckWrites(before, notNt, problems);
  Printed printed(text);
  if (!printed.Take(versionLine)) {
    problems.push_back("the version line is not the one for the version word");
    return result;
  }
  result.paths.push_back(notNt ? "not NT" : expectedStart == 2 ? "NT 4" : "NT 5 or later");

  const Situation situation{expectedStart, before,
                            !Registry().createFails && !Registry().writeFails};
  Flags flags;
  std::size_t printedBeforeSummary = printed.at();
  if (!notNt) {
    const std::string keyPath = "SYSTEM\\CurrentControlSet\\Services\\Serial";
    if (!printed.Take("Installing OBD driver... \n")) problems.push_back("no installation line");
    if (openWorks) {
      if (!printed.Take("\nSubKey '" + keyPath +
                        "' allready  exist ! \n\nReading values of the key ...")) {
        problems.push_back("no line about the key that was opened");
      }
      for (std::size_t i = 0; i < std::size(kCheckNames); ++i) {
        if (!TakeCheckLine(printed, i, situation, flags)) {
          problems.push_back(std::string("no fitting line for the check of ") + kCheckNames[i]);
          return result;
        }
      }
    } else {
      if (!printed.Take("\nSubKey '" + keyPath + "' do not exist ! \n\n")) {
        problems.push_back("no line about the missing key");
      }
      flags.changed = situation.repairWorks;
      flags.changeFailed = !situation.repairWorks;
    }
    printedBeforeSummary = printed.at();
    const std::string summary = Summary(flags, !openWorks);
    if (!printed.Take(summary)) problems.push_back("the summary does not match the lines");
    result.paths.push_back(openWorks ? "key opened" : "key missing");
    if (flags.warning) result.paths.push_back("summary: warning");
    if (flags.changed) result.paths.push_back("summary: changed");
    if (flags.changeFailed) result.paths.push_back("summary: change failed");
    if (summary.find("All done") != std::string::npos) result.paths.push_back("summary: all done");
  } else {
    if (!printed.Take("Error! The Setup is only for Windows NT!\n")) {
      problems.push_back("no error line on a non-NT system");
    }
  }
  if (!printed.Take("\nPress any key to continue ...\n") || !printed.Rest().empty()) {
    problems.push_back("does not end with the prompt: \"" + Printable(printed.Rest()) + "\"");
  }
  if (!printedAtClose.empty() && printedAtClose.back() != printedBeforeSummary) {
    problems.push_back("the key was not closed right before the summary");
  }
  const auto group = before.find("Group");
  if (!notNt && openWorks && group != before.end()) {
    const std::size_t size = group->second.bytes.size();
    if (size + 1 >= kGroupRoom && size <= kGroupRoom + 1) {
      result.paths.push_back("Group of " + std::to_string(size) + " bytes");
    }
  }
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  return RunRandomizedSuite(
      argc, argv, "obd-setup randomized sessions",
      {"not NT", "NT 4", "NT 5 or later", "key opened", "key missing", "summary: warning",
       "summary: changed", "summary: change failed", "summary: all done", "Group of 31 bytes",
       "Group of 32 bytes", "Group of 33 bytes"},
      RunSession);
}
