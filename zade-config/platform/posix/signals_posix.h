// The signals that end the program from its terminal or its caller:
// interrupt, terminate and hang-up. While a cleanup is set, each of them
// runs it, then ends the process by the same signal with its default action,
// so the caller still sees the signal. A signal the program was started to
// ignore stays ignored.
#pragma once

// `cleanup` must be async-signal-safe.
void CatchEndingSignals(void (*cleanup)());
// Puts back the handlers found by CatchEndingSignals.
void ReleaseEndingSignals();
