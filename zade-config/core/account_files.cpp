#include "account_files.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// The fields of a line of an account file ("name:x:id:..."), split in place.
constexpr int kMaxFields = 7;
int SplitFields(char* line, char* fields[kMaxFields]) {
  line[std::strcspn(line, "\n")] = '\0';
  int count = 0;
  for (char* field = line; count < kMaxFields; ++count) {
    fields[count] = field;
    char* colon = std::strchr(field, ':');
    if (colon == nullptr) return count + 1;
    *colon = '\0';
    field = colon + 1;
  }
  return count;
}

// Calls `take` with the fields of each line whose id field (field 2) is `id`.
template <class Take>
void ForLinesWithId(const char* file, unsigned long id, Take take) {
  std::FILE* accounts = std::fopen(file, "r");
  if (accounts == nullptr) return;
  char line[4096];
  while (std::fgets(line, sizeof line, accounts) != nullptr) {
    char* fields[kMaxFields];
    const int count = SplitFields(line, fields);
    char* end = nullptr;
    if (count < 3 || std::strtoul(fields[2], &end, 10) != id || *end != '\0') continue;
    take(fields, count);
  }
  std::fclose(accounts);
}

bool IsMember(const char* members, const char* user) {
  const std::size_t length = std::strlen(user);
  for (const char* member = members; *member != '\0';) {
    const std::size_t memberLength = std::strcspn(member, ",");
    if (memberLength == length && std::strncmp(member, user, length) == 0) return true;
    member += memberLength + (member[memberLength] == ',' ? 1 : 0);
  }
  return false;
}

}  // namespace

DeviceAccess AccessFromAccounts(const DeviceOwnership& device, const AccountFiles& files) {
  DeviceAccess result;
  result.denied = device.denied;
  result.rootAlone = device.group == 0 || !device.groupReadWrite;
  result.group.AppendFormat("%lu", device.group);

  BoundedText<64> user;
  bool listed = false;
  ForLinesWithId(files.passwd, device.user, [&](char** fields, int count) {
    user = fields[0];
    listed = count > 3 && std::strtoul(fields[3], nullptr, 10) == device.group;
  });
  ForLinesWithId(files.group, device.group, [&](char** fields, int count) {
    result.group = fields[0];
    if (count > 3 && !user.empty() && IsMember(fields[3], user.c_str())) listed = true;
  });
  result.inGroupNotLoggedIn = listed && !device.processHasGroup;
  return result;
}
