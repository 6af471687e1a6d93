#include "device_access_posix.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "port_names.h"

namespace {

bool ProcessHasGroup(gid_t group) {
  if (getegid() == group) return true;
  gid_t groups[256];
  const int count = getgroups(256, groups);
  for (int i = 0; i < count; ++i) {
    if (groups[i] == group) return true;
  }
  return false;
}

}  // namespace

DeviceAccess DeviceAccessOf(const char* path, const AccountFiles& files) {
  struct stat device = {};
  if (path == nullptr || stat(path, &device) != 0) return DeviceAccess();
  DeviceOwnership ownership;
  ownership.denied = access(path, R_OK | W_OK) != 0 && errno == EACCES;
  ownership.group = device.st_gid;
  ownership.groupReadWrite = (device.st_mode & (S_IRGRP | S_IWGRP)) == (S_IRGRP | S_IWGRP);
  ownership.user = getuid();
  ownership.processHasGroup = ProcessHasGroup(device.st_gid);
  return AccessFromAccounts(ownership, files);
}

DeviceAccess PortAccess(const char* portName) {
  return DeviceAccessOf(DevicePath(portName, std::getenv(portName)).Get());
}
