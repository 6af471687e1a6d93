// The audit of the serial port driver's service key, its one repair (the
// transmit FIFO setting) and the program's flow around it.
#pragma once

#include <cstdint>
#include <cstdio>

#include "windows_class.h"

// The service key under HKEY_LOCAL_MACHINE.
extern const char kServiceKeyPath[];

// Prints the installation line, reads the ten service values through the
// registry operations of registry.h, compares each with its expected value
// (Start's depends on `windows`), rewrites TxFIFO when it differs or the key is
// missing, closes the key and prints the summary, all to `out`.
void RunAudit(WindowsClass windows, std::FILE* out);

// The whole program: the version line, the audit when the system is of the NT
// family (an error line otherwise), the prompt, and one key read from the
// console. Returns the key's value, which is the exit status.
int RunObdSetup(std::uint32_t versionWord, std::FILE* out);
