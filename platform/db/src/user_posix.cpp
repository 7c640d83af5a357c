#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include "db/db.h"

std::string DBUSERNAME() {
  for (const char* var : {"USER", "LOGNAME"}) {
    const char* v = std::getenv(var);
    if (v && *v) return v;
  }
  if (const passwd* pw = getpwuid(getuid())) return pw->pw_name ? pw->pw_name : "";
  return "";
}
