#include <dirent.h>
#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstring>

#include "device_holder.h"

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

ProgramText Holder(const ProcPath& processDir, const char* pid) {
  char name[32] = {};
  if (std::FILE* comm = std::fopen(ProcPath(processDir).Append("/comm").c_str(), "r")) {
    if (std::fgets(name, sizeof name, comm) == nullptr) name[0] = '\0';
    std::fclose(comm);
  }
  name[std::strcspn(name, "\n")] = '\0';
  return ProgramText().AppendFormat("%s (process %s)", name[0] != '\0' ? name : "a program", pid);
}

bool IsNumber(const char* text) {
  for (; *text != '\0'; ++text) {
    if (!std::isdigit(static_cast<unsigned char>(*text))) return false;
  }
  return true;
}

}  // namespace

ProgramText DeviceHolder(const char* path) {
  char target[PATH_MAX];
  if (path == nullptr || realpath(path, target) == nullptr) return ProgramText();
  DIR* processes = opendir("/proc");
  if (processes == nullptr) return ProgramText();
  const long self = getpid();
  ProgramText holder;
  while (const dirent* process = readdir(processes)) {
    if (!IsNumber(process->d_name) || std::atol(process->d_name) == self) continue;
    const ProcPath processDir = ProcPath("/proc/").Append(process->d_name);
    if (!HasOpen(processDir, target)) continue;
    holder = Holder(processDir, process->d_name);
    break;
  }
  closedir(processes);
  return holder;
}
