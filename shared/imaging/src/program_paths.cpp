#include "imaging/program_paths.h"

#include "fileio/paths.h"

namespace startup {

ProgramPaths ProgramPathsOf(const std::string& exePath) {
  ProgramPaths p;
  p.exePath = exePath;
  p.programFolder = fileio::WithTrailingSeparator(fileio::FolderOf(exePath));
  p.programFile = fileio::NameOf(exePath);
  p.programName = fileio::StemOf(p.programFile);
  p.basePath = fileio::WithoutExtension(exePath);
  p.uiFile = p.basePath + ".SYS";
  return p;
}

std::string MissingUiFileText(const std::string& uiFile) { return uiFile + " missing !"; }

}  // namespace startup
