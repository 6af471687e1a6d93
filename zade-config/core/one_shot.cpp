#include "one_shot.h"

OpenFailure LookedUpFailure(const PortArgument& port, OpenFailure failure,
                            const FailureLookups& lookups) {
  if (failure.kind == OpenFailureKind::Busy && lookups.holder != nullptr) {
    failure.user = lookups.holder(port.device.c_str());
  }
  if (failure.kind == OpenFailureKind::PermissionDenied && lookups.access != nullptr) {
    failure.access = lookups.access(port.device.c_str());
  }
  return failure;
}

OutcomeLines OpenFailureLines(const PortArgument& port, OpenFailure failure,
                              const FailureLookups& lookups) {
  failure = LookedUpFailure(port, failure, lookups);
  OutcomeLines lines;
  lines.AppendFormat("Error: %s in use or does not exist.\n", port.name.c_str());
  const BoundedText<160> reason = OpenFailureReason(failure);
  if (!reason.empty()) lines.AppendFormat("%s\n", reason.c_str());
  return lines;
}

OutcomeLines NoEchoLine(const ModeFrame& sent, const ModeFrame& read, std::uint32_t readCount) {
  OutcomeLines line = "No echo of the request: sent";
  for (const std::uint8_t byte : sent) line.AppendFormat(" %02X", byte);
  line.Append(", read");
  for (std::uint32_t i = 0; i < readCount && i < read.size(); ++i) {
    line.AppendFormat(" %02X", read[i]);
  }
  line.Append("\n");
  return line;
}

OneShotOutcome ReportedModeOutcome(const PortArgument& port, CanBusMode asked,
                                   CanBusMode reported) {
  OneShotOutcome outcome{};
  outcome.port = port.name;
  outcome.asked = asked;
  outcome.reported = reported;
  outcome.result.AppendFormat("%s: %s\n", port.name.c_str(), ModeLine(reported).text);
  if (reported == asked) {
    outcome.status = kExitDone;
    outcome.kind = OutcomeKind::Done;
  } else {
    outcome.status = kExitOtherMode;
    outcome.kind = OutcomeKind::OtherMode;
    outcome.problems.AppendFormat("Asked for %s\n", ModeLine(asked).text);
  }
  return outcome;
}
