#include "open_failure.h"

BoundedText<160> OpenFailureReason(const OpenFailure& failure) {
  switch (failure.kind) {
    case OpenFailureKind::PermissionDenied:
      return "Permission denied: this user may not read and write it; join the dialout group"
             " (sudo usermod -aG dialout $USER, then log in again).";
    case OpenFailureKind::Busy:
      return BoundedText<160>().AppendFormat("Busy: %s holds it.", failure.holder.empty()
                                                                       ? "another program"
                                                                       : failure.holder.c_str());
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
