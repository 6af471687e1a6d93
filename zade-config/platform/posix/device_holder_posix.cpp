#include "device_holder_posix.h"

#include <dirent.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstring>

#include "port_names.h"

namespace {

using ProcPath = BoundedText<300>;

bool HasOpen(const ProcPath& processDir, const char* target) {
  const ProcPath fdDir = ProcPath(processDir).Append("/fd");
  DIR* fds = opendir(fdDir.c_str());
  if (fds == nullptr) return false;
  bool found = false;
  while (const dirent* fd = readdir(fds)) {
    char link[PATH_MAX];
    const ProcPath fdPath = ProcPath(fdDir).Append("/").Append(fd->d_name);
    const ssize_t length = readlink(fdPath.c_str(), link, sizeof link - 1);
    if (length <= 0) continue;
    link[length] = '\0';
    if (std::strcmp(link, target) == 0) {
      found = true;
      break;
    }
  }
  closedir(fds);
  return found;
}

// "NAME (process PID)", or empty when the process is gone.
ProgramText Holder(long pid) {
  char name[32] = {};
  std::FILE* comm = std::fopen(ProcPath().AppendFormat("/proc/%ld/comm", pid).c_str(), "r");
  if (comm == nullptr) return ProgramText();
  if (std::fgets(name, sizeof name, comm) == nullptr) name[0] = '\0';
  std::fclose(comm);
  name[std::strcspn(name, "\n")] = '\0';
  return ProgramText().AppendFormat("%s (process %ld)", name, pid);
}

bool IsNumber(const char* text) {
  for (; *text != '\0'; ++text) {
    if (!std::isdigit(static_cast<unsigned char>(*text))) return false;
  }
  return true;
}

// The process holding a lock on the device, as /proc/locks lists it
// ("1: FLOCK  ADVISORY  WRITE 1234 00:05:12 0 EOF"); 0 when none.
long LockHolder(const char* path) {
  struct stat device;
  if (stat(path, &device) != 0) return 0;
  char wanted[64];
  std::snprintf(wanted, sizeof wanted, "%02x:%02x:%lu", major(device.st_dev), minor(device.st_dev),
                static_cast<unsigned long>(device.st_ino));
  std::FILE* locks = std::fopen("/proc/locks", "r");
  if (locks == nullptr) return 0;
  long holder = 0;
  char line[256];
  while (holder == 0 && std::fgets(line, sizeof line, locks) != nullptr) {
    long pid = 0;
    char file[64];
    if (std::sscanf(line, "%*s %*s %*s %*s %ld %63s", &pid, file) == 2 &&
        std::strcmp(file, wanted) == 0) {
      holder = pid;
    }
  }
  std::fclose(locks);
  return holder;
}

}  // namespace

DeviceUser DeviceHolder(const char* path) {
  char target[PATH_MAX];
  if (path == nullptr || realpath(path, target) == nullptr) return DeviceUser();
  // A lock names its holder, while the process that took it lives; otherwise
  // another process with the device open may be what keeps it.
  const ProgramText locker = Holder(LockHolder(target));
  if (!locker.empty()) return {locker, true};
  DIR* processes = opendir("/proc");
  if (processes == nullptr) return DeviceUser();
  const long self = getpid();
  DeviceUser holder;
  while (const dirent* process = readdir(processes)) {
    if (!IsNumber(process->d_name) || std::atol(process->d_name) == self) continue;
    const ProcPath processDir = ProcPath("/proc/").Append(process->d_name);
    if (!HasOpen(processDir, target)) continue;
    holder.program = Holder(std::atol(process->d_name));
    break;
  }
  closedir(processes);
  return holder;
}

DeviceUser PortHolder(const char* portName) {
  return DeviceHolder(DevicePath(portName, std::getenv(portName)).Get());
}
