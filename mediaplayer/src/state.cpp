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

win::Module LoadProgramLibrary(const std::string& name) {
  return win::Module(LoadLibraryA((App().programFolder + name).c_str()));
}

int Option(int field) { return OptionValue(App().options, field); }

bool IsExistingFile(const std::string& path) { return fileio::Exists(path) && !fileio::IsDirectory(path); }

std::string UiField(int entry, int field) { return fileio::Trim(OptionText(Ui(entry), field)); }

}  // namespace falcet
