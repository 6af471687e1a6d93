#include "service_audit.h"

#include "key_read.h"
#include "registry.h"

const char kServiceKeyPath[] = "SYSTEM\\CurrentControlSet\\Services\\Serial";

namespace {

constexpr std::uint32_t kExpectedTxFifo = 8;
constexpr const char kExpectedGroup[] = "Extended base";
// The Group text, its terminator included, must fit in this many bytes.
constexpr std::uint32_t kGroupReadSize = 32;

enum class CheckKind {
  Dword,       // a DWORD compared with the check's `expected`
  StartDword,  // a DWORD compared with the Start value for the Windows class
  GroupText,   // the Group text, compared with kExpectedGroup ignoring case
};

enum class OnMismatch { Warn, RepairTxFifo };

struct ServiceCheck {
  const char* valueName;
  CheckKind kind;
  std::uint32_t expected;  // Dword checks only
  OnMismatch onMismatch;
  const char* readFailureText;
  const char* reportFormat;  // value read, expected value, status text
};

// The checks, in the order they run.
const ServiceCheck kServiceChecks[] = {
    {"Type", CheckKind::Dword, 1, OnMismatch::Warn, "\n\nRead value 'Type' failed !\n",
     "\n\nValue Type            = %ld\t\tExpected = %ld\t\t  %s\n"},
    {"Start", CheckKind::StartDword, 0, OnMismatch::Warn, "Read value 'Start' failed !\n",
     "Value Start           = %ld\t\tExpected = %ld\t\t  %s\n"},
    {"Group", CheckKind::GroupText, 0, OnMismatch::Warn, "Read value 'Group' failed !\n",
     "Value Group           = %s\tExpected = %s  %s\n"},
    {"ErrorControl", CheckKind::Dword, 0, OnMismatch::Warn, "Read value 'ErrorControl' failed !\n",
     "Value ErrorControl    = %ld\t\tExpected = %ld\t\t  %s\n"},
    {"Tag", CheckKind::Dword, 1, OnMismatch::Warn, "Read value 'Tag' failed !\n",
     "Value Tag             = %ld\t\tExpected = %ld\t\t  %s\n"},
    {"ForceFifoEnable", CheckKind::Dword, 1, OnMismatch::Warn,
     "Read value 'ForceFifoEnable' failed !\n",
     "Value ForceFifoEnable = %ld\t\tExpected = %ld\t\t  %s\n"},
    {"RxFIFO", CheckKind::Dword, 8, OnMismatch::Warn, "Read value 'RxFIFO' failed !\n",
     "Value RxFIFO          = %ld\t\tExpected = %ld\t\t  %s\n"},
    {"TxFIFO", CheckKind::Dword, kExpectedTxFifo, OnMismatch::RepairTxFifo,
     "Read value 'TxFIFO' failed !\n", "Value TxFIFO          = %ld\t\tExpected = %ld\t\t  %s\n"},
    {"PermitShare", CheckKind::Dword, 0, OnMismatch::Warn, "Read value 'PermitShare' failed !\n",
     "Value PermitShare     = %ld\t\tExpected = %ld\t\t  %s\n"},
    {"LogFifo", CheckKind::Dword, 0, OnMismatch::Warn, "Read value 'LogFifo' failed !\n",
     "Value LogFifo         = %ld\t\tExpected = %ld\t\t  %s\n"},
};

struct AuditState {
  AuditMode mode = AuditMode::Repair;
  const char* statusText = "";  // of the last check that read its value, or of the repair
  bool warningFlag = false;     // some value differs from the table
  bool changedFlag = false;     // the repair wrote TxFIFO
  bool changeFailedFlag = false;
  bool keyMissingFlag = false;  // the service key could not be opened
  bool haveKey = false;
  RegistryKey key = 0;  // the current key handle, while haveKey
};

std::uint32_t ExpectedStart(WindowsClass windows) {
  return windows == WindowsClass::Nt4 ? 2 : 1;
}

// DWORDs are printed as signed 32-bit numbers, whatever the width of long.
long AsSigned(std::uint32_t value) {
  return static_cast<long>(static_cast<std::int32_t>(value));
}

// The repair: opens the service key, creating it when missing, and writes
// TxFIFO = 8. The new handle serves the remaining reads; when the create
// fails, the handle held before stays current.
void WriteTxFifo(AuditState& state) {
  RegistryKey created;
  if (!RegistryCreate(kServiceKeyPath, &created)) {
    state.statusText = "Change Failed";
    state.changeFailedFlag = true;
    return;
  }
  if (state.haveKey) RegistryClose(state.key);
  state.key = created;
  state.haveKey = true;

  const unsigned char value[4] = {static_cast<unsigned char>(kExpectedTxFifo),
                                  static_cast<unsigned char>(kExpectedTxFifo >> 8),
                                  static_cast<unsigned char>(kExpectedTxFifo >> 16),
                                  static_cast<unsigned char>(kExpectedTxFifo >> 24)};
  if (RegistrySet(state.key, "TxFIFO", kRegDword, value, sizeof value)) {
    state.statusText = "Changed";
    state.changedFlag = true;
  } else {
    state.statusText = "Change Failed";
    state.changeFailedFlag = true;
  }
}

void Judge(AuditState& state, const ServiceCheck& check, bool equal) {
  if (equal) {
    state.statusText = "Ok";
  } else if (check.onMismatch == OnMismatch::RepairTxFifo && state.mode == AuditMode::Repair) {
    WriteTxFifo(state);
  } else {
    state.statusText = "Warning";
    state.warningFlag = true;
  }
}

void RunGroupCheck(AuditState& state, const ServiceCheck& check, std::FILE* out) {
  // One byte more than the registry may fill, and always 0: a value that
  // uses all 32 bytes without a terminator is still compared and printed as
  // the 32 characters it holds, never beyond them.
  char group[kGroupReadSize + 1] = {};
  if (!RegistryQuery(state.key, check.valueName, group, kGroupReadSize)) {
    std::fputs(check.readFailureText, out);
    return;
  }
  Judge(state, check, SameTextIgnoringCase(group, kExpectedGroup));
  std::fprintf(out, check.reportFormat, group, kExpectedGroup, state.statusText);
}

void RunDwordCheck(AuditState& state, const ServiceCheck& check, WindowsClass windows,
                   std::FILE* out) {
  // Bytes that a shorter value does not fill stay 0; the type is not examined.
  unsigned char bytes[4] = {};
  if (!RegistryQuery(state.key, check.valueName, bytes, sizeof bytes)) {
    std::fputs(check.readFailureText, out);
    return;
  }
  const std::uint32_t value =
      bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
  const std::uint32_t expected =
      check.kind == CheckKind::StartDword ? ExpectedStart(windows) : check.expected;
  Judge(state, check, value == expected);
  std::fprintf(out, check.reportFormat, AsSigned(value), AsSigned(expected), state.statusText);
}

void PrintSummary(const AuditState& state, std::FILE* out) {
  if (state.warningFlag) {
    std::fputs("Warning! Some values have no standard data - May be there are problems !\n\n", out);
  }
  if (state.changeFailedFlag) {
    std::fputs("Administrator rights failed - Please retry setup !\n\n", out);
  }
  if (state.changedFlag) {
    std::fputs("Some values have been changed\nPlease reboot the machine now...\n", out);
  }
  if (!state.warningFlag && !state.changeFailedFlag && !state.changedFlag &&
      !state.keyMissingFlag) {
    std::fputs("\nAll done.\n", out);
  }
}

}  // namespace

AuditOutcome RunAudit(WindowsClass windows, std::FILE* out, AuditMode mode) {
  AuditState state;
  state.mode = mode;
  std::fputs("Installing OBD driver... \n", out);

  if (RegistryOpenForQuery(kServiceKeyPath, &state.key)) {
    state.haveKey = true;
    std::fprintf(out, "\nSubKey '%s' allready  exist ! \n", kServiceKeyPath);
    std::fputs("\nReading values of the key ...", out);
    for (const ServiceCheck& check : kServiceChecks) {
      if (check.kind == CheckKind::GroupText) {
        RunGroupCheck(state, check, out);
      } else {
        RunDwordCheck(state, check, windows, out);
      }
    }
  } else {
    std::fprintf(out, "\nSubKey '%s' do not exist ! \n\n", kServiceKeyPath);
    state.keyMissingFlag = true;
    if (mode == AuditMode::Repair) WriteTxFifo(state);
  }

  if (state.haveKey) RegistryClose(state.key);
  PrintSummary(state, out);
  AuditOutcome outcome;
  outcome.warning = state.warningFlag;
  outcome.changed = state.changedFlag;
  outcome.changeFailed = state.changeFailedFlag;
  outcome.keyMissing = state.keyMissingFlag;
  return outcome;
}

int RunObdSetupForScript(std::uint32_t versionWord, AuditMode mode, std::FILE* out) {
  const WindowsClass windows = ClassifyWindows(versionWord, out);
  if (windows == WindowsClass::NotNt) {
    std::fputs("Error! The Setup is only for Windows NT!\n", out);
    return kExitOperationalError;
  }
  const AuditOutcome outcome = RunAudit(windows, out, mode);
  int status = 0;
  if (outcome.changed) status |= kExitCorrected | kExitRebootNeeded;
  // Left as they were: the warnings, and under a check the missing key.
  if (outcome.warning || (outcome.keyMissing && mode == AuditMode::CheckOnly)) {
    status |= kExitUncorrected;
  }
  if (outcome.changeFailed) status |= kExitOperationalError;
  return status;
}

int RunObdSetup(std::uint32_t versionWord, std::FILE* out) {
  RunObdSetupForScript(versionWord, AuditMode::Repair, out);  // the key decides the status
  std::fputs("\nPress any key to continue ...\n", out);
  std::fflush(out);
  return ReadOneKey();
}
