// The audit of the serial port driver's service key, its one repair (the
// transmit FIFO setting) and the program's flow around it.
#pragma once

#include <cstdint>
#include <cstdio>

#include "windows_class.h"

// The service key under HKEY_LOCAL_MACHINE.
extern const char kServiceKeyPath[];

// Repair: TxFIFO is rewritten when it differs or the key is missing.
// CheckOnly: nothing is written or created; a TxFIFO that differs is a warning.
enum class AuditMode { Repair, CheckOnly };

// What an audit found and did.
struct AuditOutcome {
  bool warning = false;       // a value differs and was left as it was
  bool changed = false;       // TxFIFO was written
  bool changeFailed = false;  // TxFIFO (or the key) could not be written
  bool keyMissing = false;    // the service key could not be opened
};

// Prints the installation line, reads the ten service values through the
// registry operations of registry.h, compares each with its expected value
// (Start's depends on `windows`), rewrites TxFIFO when it differs or the key is
// missing (in Repair mode), closes the key and prints the summary, all to `out`.
AuditOutcome RunAudit(WindowsClass windows, std::FILE* out, AuditMode mode = AuditMode::Repair);

// The whole program: the version line, the audit when the system is of the NT
// family (an error line otherwise), the prompt, and one key read from the
// console. Returns the key's value, which is the exit status.
int RunObdSetup(std::uint32_t versionWord, std::FILE* out);

// The exit status of a run with options: fsck's bits, added up.
constexpr int kExitCorrected = 1;
constexpr int kExitRebootNeeded = 2;
constexpr int kExitUncorrected = 4;
constexpr int kExitOperationalError = 8;
constexpr int kExitUsage = 16;
constexpr int kExitWriteError = 32;  // the output could not be written

// The same run for scripts, without the prompt and the key wait: the
// version line, the audit (CheckOnly leaves the registry as it is) and the
// summary. Returns the status bits.
int RunObdSetupForScript(std::uint32_t versionWord, AuditMode mode, std::FILE* out);
