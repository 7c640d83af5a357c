#include "state.h"

#include "falcet/options.h"
#include "fileio/file.h"
#include "fileio/paths.h"

namespace falcet {

Player& App() {
  static Player player;
  return player;
}

const std::string& Ui(int n) { return UiEntry(App().strings, n); }

int Option(int field) { return OptionValue(App().options, field); }

bool IsExistingFile(const std::string& path) { return fileio::Exists(path) && !fileio::IsDirectory(path); }

std::string UiField(int entry, int field) { return fileio::Trim(OptionText(Ui(entry), field)); }

}  // namespace falcet
