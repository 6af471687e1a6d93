#include "service_audit.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "command_line.h"
#include "fake_console.h"
#include "fake_registry.h"
#include "output_capture.h"

namespace {

using fake::Dword;
using fake::Registry;
using fake::Text;
using testing::EndsWith;
using testing::HasSubstr;
using testing::Not;
using testing::StartsWith;
using Calls = std::vector<std::string>;

const std::string kOpened =
    "Installing OBD driver... \n"
    "\nSubKey 'SYSTEM\\CurrentControlSet\\Services\\Serial' allready  exist ! \n"
    "\nReading values of the key ...";
const std::string kMissing =
    "Installing OBD driver... \n"
    "\nSubKey 'SYSTEM\\CurrentControlSet\\Services\\Serial' do not exist ! \n\n";

const std::string kWarningSummary =
    "Warning! Some values have no standard data - May be there are problems !\n\n";
const std::string kFailedSummary = "Administrator rights failed - Please retry setup !\n\n";
const std::string kChangedSummary =
    "Some values have been changed\nPlease reboot the machine now...\n";
const std::string kAllDone = "\nAll done.\n";
const std::string kPrompt = "\nPress any key to continue ...\n";

const std::string kLastTwoOk =
    "Value PermitShare     = 0\t\tExpected = 0\t\t  Ok\n"
    "Value LogFifo         = 0\t\tExpected = 0\t\t  Ok\n";

constexpr std::uint32_t kWindows7 = 6 | (1 << 8) | (7601u << 16);

Calls CallsStartingWith(const std::string& prefix) {
  Calls found;
  for (const std::string& call : Registry().calls) {
    if (call.rfind(prefix, 0) == 0) found.push_back(call);
  }
  return found;
}

class AuditTest : public testing::Test {
 protected:
  void SetUp() override {
    fake::ResetRegistry();
    fake::ResetConsole();
    Registry().values = fake::StandardValues();
  }

  // Every test ends with no key open, and with nothing written but TxFIFO as
  // REG_DWORD 8.
  void TearDown() override {
    EXPECT_TRUE(Registry().openKeys.empty()) << "a key handle was left open";
    for (const std::string& set : CallsStartingWith("set ")) {
      EXPECT_THAT(set, EndsWith(" TxFIFO"));
    }
    if (!CallsStartingWith("set ").empty() && !Registry().writeFails) {
      EXPECT_EQ(Registry().values.at("TxFIFO").type, kRegDword);
      EXPECT_EQ(Registry().values.at("TxFIFO").bytes, Dword(8).bytes);
    }
  }

  // The audit of the standard values with `changes` made to them.
  std::string Audit(const std::map<std::string, fake::RegistryValue>& changes = {},
                    WindowsClass windows = WindowsClass::WinXp) {
    for (const auto& [name, value] : changes) Registry().values[name] = value;
    OutputCapture out;
    RunAudit(windows, out.file());
    return out.Text();
  }
};

TEST_F(AuditTest, AllValuesAsExpected) {
  EXPECT_EQ(Audit(), kOpened +
                         "\n\nValue Type            = 1\t\tExpected = 1\t\t  Ok\n"
                         "Value Start           = 1\t\tExpected = 1\t\t  Ok\n"
                         "Value Group           = Extended base\tExpected = Extended base  Ok\n"
                         "Value ErrorControl    = 0\t\tExpected = 0\t\t  Ok\n"
                         "Value Tag             = 1\t\tExpected = 1\t\t  Ok\n"
                         "Value ForceFifoEnable = 1\t\tExpected = 1\t\t  Ok\n"
                         "Value RxFIFO          = 8\t\tExpected = 8\t\t  Ok\n"
                         "Value TxFIFO          = 8\t\tExpected = 8\t\t  Ok\n" +
                         kLastTwoOk + kAllDone);
  EXPECT_EQ(Registry().calls.size(), 12u);  // open, ten queries, close
}

TEST_F(AuditTest, KeyWithoutValuesGivesTenReadFailuresAndAllDone) {
  Registry().values.clear();
  EXPECT_EQ(Audit(), kOpened +
                         "\n\nRead value 'Type' failed !\n"
                         "Read value 'Start' failed !\n"
                         "Read value 'Group' failed !\n"
                         "Read value 'ErrorControl' failed !\n"
                         "Read value 'Tag' failed !\n"
                         "Read value 'ForceFifoEnable' failed !\n"
                         "Read value 'RxFIFO' failed !\n"
                         "Read value 'TxFIFO' failed !\n"
                         "Read value 'PermitShare' failed !\n"
                         "Read value 'LogFifo' failed !\n" +
                         kAllDone);
}

// --- The TxFIFO repair -------------------------------------------------------

TEST_F(AuditTest, TxFifoDifferentIsRewrittenAndLaterChecksUseTheNewHandle) {
  EXPECT_THAT(Audit({{"TxFIFO", Dword(16)}}),
              EndsWith("Value TxFIFO          = 16\t\tExpected = 8\t\t  Changed\n" + kLastTwoOk +
                       kChangedSummary));
  EXPECT_EQ(CallsStartingWith("create"), Calls{"create 2"});
  EXPECT_THAT(Registry().calls, testing::IsSupersetOf({"close 1", "set 2 TxFIFO",
                                                       "query 2 PermitShare", "query 2 LogFifo"}));
  EXPECT_EQ(Registry().calls.back(), "close 2");
}

TEST_F(AuditTest, TxFifoWriteRefusedReportsChangeFailedAndReadsOnThroughTheNewHandle) {
  Registry().writeFails = true;
  EXPECT_THAT(Audit({{"TxFIFO", Dword(16)}}),
              EndsWith("Value TxFIFO          = 16\t\tExpected = 8\t\t  Change Failed\n" +
                       kLastTwoOk + kFailedSummary));
  EXPECT_EQ(CallsStartingWith("query 2"), (Calls{"query 2 PermitShare", "query 2 LogFifo"}));
}

TEST_F(AuditTest, TxFifoCreateFailingKeepsTheOpenHandle) {
  Registry().createFails = true;
  EXPECT_THAT(Audit({{"TxFIFO", Dword(16)}}),
              EndsWith("Value TxFIFO          = 16\t\tExpected = 8\t\t  Change Failed\n" +
                       kLastTwoOk + kFailedSummary));
  EXPECT_EQ(CallsStartingWith("query 1").size(), 10u);
  EXPECT_EQ(CallsStartingWith("close"), Calls{"close 1"});
}

TEST_F(AuditTest, MissingKeyIsCreatedWithTxFifoAlone) {
  Registry().keyExists = false;
  Registry().values.clear();
  EXPECT_EQ(Audit(), kMissing + kChangedSummary);
  EXPECT_EQ(Registry().calls, (Calls{"open failed", "create 1", "set 1 TxFIFO", "close 1"}));
  EXPECT_EQ(Registry().values.size(), 1u);
}

TEST_F(AuditTest, MissingKeyThatCannotBeRepairedNeverSaysAllDone) {
  Registry().keyExists = false;
  Registry().writeFails = true;
  EXPECT_EQ(Audit(), kMissing + kFailedSummary);

  SetUp();
  Registry().keyExists = false;
  Registry().createFails = true;
  EXPECT_EQ(Audit(), kMissing + kFailedSummary);
  EXPECT_EQ(Registry().calls, (Calls{"open failed", "create failed"}));
}

TEST_F(AuditTest, NothingButTxFifoIsWrittenWhenEveryValueDiffers) {
  Registry().values = {{"Type", Dword(2)},        {"Start", Dword(3)},
                       {"Group", Text("Base")},   {"ErrorControl", Dword(1)},
                       {"Tag", Dword(7)},         {"ForceFifoEnable", Dword(0)},
                       {"RxFIFO", Dword(14)},     {"TxFIFO", Dword(1)},
                       {"PermitShare", Dword(1)}, {"LogFifo", Dword(1)}};
  EXPECT_THAT(Audit(), EndsWith(kWarningSummary + kChangedSummary));
  EXPECT_EQ(CallsStartingWith("set"), Calls{"set 2 TxFIFO"});
}

// --- Values and their comparison -----------------------------------------------

TEST_F(AuditTest, StartExpectedDependsOnTheWindowsClass) {
  const char* const kStart2Ok = "Value Start           = 2\t\tExpected = 2\t\t  Ok\n";
  const char* const kStart1OnNt4 = "Value Start           = 1\t\tExpected = 2\t\t  Warning\n";
  const char* const kStart2Later = "Value Start           = 2\t\tExpected = 1\t\t  Warning\n";
  EXPECT_THAT(Audit({{"Start", Dword(2)}}, WindowsClass::Nt4), HasSubstr(kStart2Ok));
  EXPECT_THAT(Audit({{"Start", Dword(1)}}, WindowsClass::Nt4), HasSubstr(kStart1OnNt4));
  EXPECT_THAT(Audit({{"Start", Dword(2)}}, WindowsClass::Win2000), HasSubstr(kStart2Later));
  EXPECT_THAT(Audit({{"Start", Dword(2)}}, WindowsClass::WinXp), HasSubstr(kStart2Later));
}

TEST_F(AuditTest, GroupIsComparedIgnoringCase) {
  const std::string output = Audit({{"Group", Text("EXTENDED BASE")}});
  EXPECT_THAT(output,
              HasSubstr("Value Group           = EXTENDED BASE\tExpected = Extended base  Ok\n"));
  EXPECT_THAT(output, EndsWith(kAllDone));
}

TEST_F(AuditTest, GroupFillingAll32BytesWithoutTerminatorStaysWithinThem) {
  const std::string full(32, 'G');
  EXPECT_THAT(
      Audit({{"Group", fake::Bytes(1, full)}}),
      HasSubstr("Value Group           = " + full + "\tExpected = Extended base  Warning\n"));
}

TEST_F(AuditTest, GroupOf31CharactersIsReadAndLongerFailsToRead) {
  const std::string longest(31, 'g');
  EXPECT_THAT(
      Audit({{"Group", Text(longest)}}),
      HasSubstr("Value Group           = " + longest + "\tExpected = Extended base  Warning\n"));

  SetUp();
  const std::string output = Audit({{"Group", Text(longest + "g")}});
  EXPECT_THAT(output, HasSubstr("Value Start           = 1\t\tExpected = 1\t\t  Ok\n"
                                "Read value 'Group' failed !\n"
                                "Value ErrorControl    = 0"));
  EXPECT_THAT(output, EndsWith(kAllDone));  // a read failure raises no flag
}

TEST_F(AuditTest, DwordsPrintAsSigned32BitNumbers) {
  const std::string output = Audit({{"ErrorControl", Dword(0xFFFFFFFFu)},
                                    {"Tag", Dword(0x80000000u)},
                                    {"LogFifo", Dword(0x7FFFFFFFu)}});
  EXPECT_THAT(output, HasSubstr("Value ErrorControl    = -1\t\tExpected = 0\t\t  Warning\n"));
  EXPECT_THAT(output,
              HasSubstr("Value Tag             = -2147483648\t\tExpected = 1\t\t  Warning\n"));
  EXPECT_THAT(output,
              HasSubstr("Value LogFifo         = 2147483647\t\tExpected = 0\t\t  Warning\n"));
}

TEST_F(AuditTest, DwordsAreFourLittleEndianBytesWhateverTheirStoredType) {
  const std::string output =
      Audit({{"Type", fake::Bytes(3, std::string("\x01\0\0\0\0\0\0\0", 8))},  // too long
             {"ErrorControl", Dword(0x01010100u)},
             {"Tag", fake::Bytes(3, "\x01")},  // shorter: the rest is 0, not ErrorControl's
             {"RxFIFO", fake::Bytes(3, std::string("\x08\0\0\0", 4))}});
  EXPECT_THAT(output, HasSubstr("\n\nRead value 'Type' failed !\n"));
  EXPECT_THAT(output, HasSubstr("Value Tag             = 1\t\tExpected = 1\t\t  Ok\n"));
  EXPECT_THAT(output, HasSubstr("Value RxFIFO          = 8\t\tExpected = 8\t\t  Ok\n"));
}

// --- Summary -------------------------------------------------------------------------

TEST_F(AuditTest, WarningAndChangedTogetherWarningFirst) {
  const std::string output = Audit({{"Type", Dword(2)}, {"TxFIFO", Dword(16)}});
  EXPECT_THAT(output, HasSubstr("\n\nValue Type            = 2\t\tExpected = 1\t\t  Warning\n"));
  EXPECT_THAT(output, EndsWith(kLastTwoOk + kWarningSummary + kChangedSummary));
}

TEST_F(AuditTest, KeyIsClosedBeforeTheSummary) {
  Registry().values["Type"] = Dword(2);
  OutputCapture out;
  std::string printedBeforeClose;
  Registry().onClose = [&] { printedBeforeClose = out.Text(); };
  RunAudit(WindowsClass::WinXp, out.file());
  EXPECT_THAT(printedBeforeClose, EndsWith(kLastTwoOk));
  EXPECT_EQ(out.Text(), printedBeforeClose + kWarningSummary);
}

// --- The whole program ------------------------------------------------------------

TEST_F(AuditTest, ProgramAuditsAnNtSystemAndEndsWithTheKey) {
  fake::Console().events = {fake::KeyDown('A', 'a')};
  OutputCapture out;
  std::string flushedAtKeyRead;
  fake::Console().onRead = [&] { flushedAtKeyRead = out.Flushed(); };
  EXPECT_EQ(RunObdSetup(kWindows7, out.file()), 'a');
  EXPECT_THAT(out.Text(), StartsWith("Windows XP Version 6.1 Build 7601\n\n" + kOpened));
  EXPECT_THAT(flushedAtKeyRead, EndsWith(kAllDone + kPrompt));  // on screen before the wait
}

TEST_F(AuditTest, ProgramNeverTouchesTheRegistryOfANonNtSystem) {
  fake::Console().events = {fake::KeyDown(0x0D, '\r')};
  OutputCapture out;
  EXPECT_EQ(RunObdSetup(0xC0000A04u, out.file()), '\r');
  EXPECT_EQ(out.Text(), "Windows 95\n\nError! The Setup is only for Windows NT!\n" + kPrompt);
  EXPECT_TRUE(Registry().calls.empty());
}

// --- Runs for scripts: --check and --no-wait --------------------------------------

struct ScriptRun {
  OutputCapture out, err;
  int status = 1234;
  explicit ScriptRun(std::vector<const char*> args, std::uint32_t versionWord = kWindows7) {
    args.insert(args.begin(), "obd-setup");
    status = RunObdSetupCommand(static_cast<int>(args.size()), args.data(), versionWord, out.file(),
                                err.file(), std::fflush);
  }
};

TEST_F(AuditTest, ScriptRunsAddUpTheStatusBitsAndNeverWaitForAKey) {
  struct Case {
    std::vector<const char*> args;
    std::map<std::string, fake::RegistryValue> changes;
    int status;
  };
  const std::vector<Case> cases = {
      {{"--no-wait"}, {}, 0},
      {{"--check", "--no-wait"}, {}, 0},
      {{"--no-wait"}, {{"TxFIFO", Dword(16)}}, kExitCorrected | kExitRebootNeeded},
      {{"--no-wait"}, {{"TxFIFO", Dword(16)}, {"Tag", Dword(0)}}, 1 | 2 | kExitUncorrected},
      {{"--check"}, {{"TxFIFO", Dword(16)}}, kExitUncorrected},
      {{"--check"}, {{"RxFIFO", Dword(1)}}, kExitUncorrected},
  };
  for (const Case& c : cases) {
    SetUp();
    fake::Console().events = {fake::KeyDown('A', 'a')};
    for (const auto& [name, value] : c.changes) Registry().values[name] = value;
    ScriptRun run(c.args);
    EXPECT_EQ(run.status, c.status) << c.args[0] << " " << c.changes.size();
    EXPECT_THAT(run.out.Text(), StartsWith("Windows XP Version 6.1 Build 7601\n\n" + kOpened));
    EXPECT_THAT(run.out.Text(), Not(HasSubstr("Press any key")));
    EXPECT_EQ(fake::Console().events.size(), 1u);  // the key is still there
  }
}

TEST_F(AuditTest, CheckWritesAndCreatesNothing) {
  Registry().values["TxFIFO"] = Dword(16);
  ScriptRun differs({"--check"});
  EXPECT_THAT(differs.out.Text(),
              HasSubstr("Value TxFIFO          = 16\t\tExpected = 8\t\t  Warning\n"));
  EXPECT_THAT(differs.out.Text(), EndsWith(kLastTwoOk + kWarningSummary));
  EXPECT_EQ(CallsStartingWith("create"), Calls{});
  EXPECT_EQ(CallsStartingWith("set"), Calls{});

  Registry().keyExists = false;
  ScriptRun missing({"--check"});
  EXPECT_EQ(missing.status, kExitUncorrected);
  EXPECT_EQ(missing.out.Text(), "Windows XP Version 6.1 Build 7601\n\n" + kMissing);
  EXPECT_EQ(CallsStartingWith("create"), Calls{});
}

TEST_F(AuditTest, ScriptRunsReportOperationalErrors) {
  Registry().values["TxFIFO"] = Dword(16);
  Registry().writeFails = true;
  EXPECT_EQ(ScriptRun({"--no-wait"}).status, kExitOperationalError);
  ScriptRun notNt({"--check"}, 0xC0000A04u);
  EXPECT_EQ(notNt.status, kExitOperationalError);
  EXPECT_EQ(notNt.out.Text(), "Windows 95\n\nError! The Setup is only for Windows NT!\n");
}

// Output that cannot be written adds 32 to what the run found, and says so
// where the error stream still takes it.
TEST_F(AuditTest, OutputThatCannotBeWrittenAddsItsBit) {
  struct Case {
    std::vector<const char*> args;
    bool fullOutput;  // else the error stream is full
    int status;
  };
  const std::vector<Case> cases = {
      {{"--version"}, true, kExitWriteError},
      {{"--help"}, true, kExitWriteError},
      {{"--check"}, true, kExitWriteError},
      {{"--bogus"}, false, kExitUsage | kExitWriteError},
      {{"--version"}, false, 0},  // nothing for the error stream
  };
  for (const Case& c : cases) {
    std::FILE* full = std::fopen("/dev/full", "w");
    ASSERT_NE(full, nullptr);
    OutputCapture capture;
    std::vector<const char*> args = c.args;
    args.insert(args.begin(), "obd-setup");
    const int status = RunObdSetupCommand(static_cast<int>(args.size()), args.data(), kWindows7,
                                          c.fullOutput ? full : capture.file(),
                                          c.fullOutput ? capture.file() : full, std::fflush);
    std::fclose(full);
    EXPECT_EQ(status, c.status) << c.args[0] << (c.fullOutput ? " >/dev/full" : " 2>/dev/full");
    if (c.fullOutput) {
      EXPECT_EQ(capture.Text(), "obd-setup: write error: No space left on device\n") << c.args[0];
    }
  }
}

TEST_F(AuditTest, BadCommandLinesReadAndWriteNothing) {
  for (const std::vector<const char*>& args : std::vector<std::vector<const char*>>{
           {"--fix"}, {"-c"}, {"extra"}, {"--check", "--check"}, {"--help=1"}}) {
    ScriptRun run(args);
    EXPECT_EQ(run.status, kExitUsage) << args[0];
    EXPECT_THAT(run.err.Text(), EndsWith("\nTry 'obd-setup --help'.\n"));
    EXPECT_EQ(run.out.Text(), "");
  }
  EXPECT_TRUE(Registry().calls.empty());
  ScriptRun help({"/?"});
  EXPECT_EQ(help.status, 0);
  EXPECT_THAT(help.out.Text(), StartsWith("Usage: obd-setup [--check] [--no-wait]\n"));
  EXPECT_EQ(ScriptRun({"--vers"}).out.Text(), "obd-setup 1.0.0\n");
  EXPECT_TRUE(Registry().calls.empty());
}

}  // namespace
