#include "open_failure.h"

BoundedText<160> OpenFailureReason(const OpenFailure& failure) {
  switch (failure.kind) {
    case OpenFailureKind::PermissionDenied:
      if (failure.access.group.empty())
        return "Permission denied: this user may not read and write it.";
      return BoundedText<160>().AppendFormat(
          "Permission denied: this user may not read and write it; %s.",
          AccessAdvice(failure.access).c_str());
    case OpenFailureKind::Busy:
      if (failure.user.program.empty()) return "Busy: another program holds it.";
      return BoundedText<160>().AppendFormat(
          failure.user.holdsLock ? "Busy: held by %s." : "Busy: open in %s.",
          failure.user.program.c_str());
    case OpenFailureKind::NoSuchDevice:
      return "No such device.";
    case OpenFailureKind::AccessDenied:
      return "Access denied: another program holds it.";
    case OpenFailureKind::NotFound:
      return "Not found: there is no such port.";
    default:
      return "";
  }
}
