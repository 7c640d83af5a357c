// The video codec of option field 12: copied into the system folder when it is not there
// yet, named in system.ini and described in the registry.
#include "codecs.h"

#include "falcet/options.h"
#include "fileio/file.h"
#include "skin/sk_shell.h"
#include "skin/skin.h"
#include "state.h"

namespace falcet {

namespace {

bool SetValue(HKEY key, const char* name, const std::string& value) {
  // The terminating zero is part of a string value: a reader that takes the stored bytes
  // as they are must find the end of the text in them.
  return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                        DWORD(value.size() + 1)) == ERROR_SUCCESS;
}

}  // namespace

void INSTALLCODECS() {
  Player& p = App();
  CodecInstall c = CodecInstallOf(OptionText(p.options, kOptCodecs), p.programFolder, SKSYSDIR());
  if (!c.valid) return;
  // A codec that is installed already, or whose driver file is missing, is left alone.
  if (fileio::Exists(c.target) || !fileio::Exists(c.source)) return;
  if (SKSHELLCOPY(GetActiveWindow(), c.source, c.target) != 0) return;
  WritePrivateProfileStringA("Drivers32", c.key.c_str(), c.fileName.c_str(), "system.ini");
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, c.registryKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                      nullptr, &key, nullptr) != ERROR_SUCCESS)
    return;
  SetValue(key, "Description", c.description);
  SetValue(key, "Driver", c.fileName);
  SetValue(key, "FriendlyName", c.friendlyName);
  RegCloseKey(key);
}

}  // namespace falcet
