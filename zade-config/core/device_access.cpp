#include "device_access.h"

BoundedText<128> AccessAdvice(const DeviceAccess& access) {
  if (access.rootAlone) return "only root may open it";
  if (access.inGroupNotLoggedIn) {
    return BoundedText<128>().AppendFormat(
        "log in again: this user is in the '%s' group, but this login is not",
        access.group.c_str());
  }
  return BoundedText<128>().AppendFormat(
      "join the '%s' group (sudo usermod -aG %s $USER, then log in again)", access.group.c_str(),
      access.group.c_str());
}
