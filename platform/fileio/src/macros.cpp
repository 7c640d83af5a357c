#include "fileio/macros.h"

#include "fileio/paths.h"

namespace fileio {

namespace {

struct Macro {
  std::string_view name;
  const std::optional<std::string>& value;
};

}  // namespace

std::string ExpandPathMacros(std::string_view text, const PathMacros& macros) {
  const Macro table[] = {{kProgramFolderMacro, macros.programFolder},
                         {"@user@", macros.userFolder},
                         {"@win@", macros.windowsFolder},
                         {"@sys@", macros.systemFolder},
                         {"@temp@", macros.tempFolder},
                         {"@tmp@", macros.tempFolder},
                         {"@prog@", macros.programTitle}};
  std::string out;
  out.reserve(text.size());
  size_t at = 0;
  while (at < text.size()) {
    const Macro* hit = nullptr;
    if (text[at] == '@' && (at == 0 || !macros.atStartOnly)) {
      for (const Macro& m : table) {
        if (m.value && EqualsNoCase(text.substr(at, m.name.size()), m.name)) {
          hit = &m;
          break;
        }
      }
    }
    if (hit) {
      out += *hit->value;
      at += hit->name.size();
    } else {
      out += text[at++];
    }
  }
  return out;
}

}  // namespace fileio
