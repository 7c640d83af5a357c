#include <windows.h>

#include "db/db.h"

std::string DBUSERNAME() {
  char name[257] = {};
  DWORD size = sizeof name;
  if (!GetUserNameA(name, &size)) return "";
  return name;
}
