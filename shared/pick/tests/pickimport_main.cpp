// pickimport: calls nadrix.dll through its import library, as the programs that import it
// do. Exit code 0 when the remembered values and switches answer as they should, else the
// number of the first check that failed.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "pick/nadrix.h"

int main() {
  char text[64];
  SkTextBuffer buffer{text, sizeof text, 0};
  if (SKPICKMULTI(1) != 0) return 1;
  if (SKPICKMULTI(1) != -1) return 2;  // armed twice: disarmed
  if (SKNOTICONISE(0) != 0) return 3;
  strcpy(text, ".JPG.PNG.");
  SKUSEFILTER(&buffer, 1);
  text[0] = '\0';
  if (SKUSEFILTER(&buffer, 0) != 10 || strcmp(text, ".JPG|.PNG|") != 0) return 4;
  strcpy(text, "C:\\pics\\a.jpg");
  SKPICKLASTFILE(&buffer, 1);
  text[0] = '\0';
  SKPICKLASTFILE(&buffer, 0);
  if (strcmp(text, "C:\\pics\\a.jpg") != 0 || buffer.length != 13) return 5;
  std::printf("pickimport: ok\n");
  return 0;
}
