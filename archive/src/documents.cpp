#include "documents.h"

#include <commdlg.h>
#include <dlgs.h>

#include <vector>

#include "boxes.h"
#include "commands.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "form.h"
#include "grilton/archive_rules.h"
#include "pictures.h"
#include "skin/sk_text.h"
#include "skin/sk_window_skin.h"
#include "skin/skin.h"
#include "state.h"
#include "win/raii.h"

namespace grilton {

namespace {

constexpr const char* kFrameTips = "Dock|Undock|Minimize|Maximize|Restore|Close";

std::string lastDocumentFolder;

std::string DefaultValue(HKEY root, const std::string& key) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return {};
  char value[1024] = {};
  DWORD size = sizeof value - 1, type = 0;
  LONG rc = RegQueryValueExA(opened, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
  RegCloseKey(opened);
  if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return {};
  return std::string(value, strnlen(value, sizeof value));
}

// The hook: the frame is skinned when the dialog is made, the dialog is centred once it
// is laid out, and choosing the document type gives the name the ".DOC" extension.
UINT_PTR CALLBACK OpenHook(HWND child, UINT message, WPARAM, LPARAM lParam) {
  HWND dialog = GetParent(child);
  if (message == WM_INITDIALOG) {
    skSkinWindow(dialog, kFrameTips);
    return 0;
  }
  if (message != WM_NOTIFY) return 0;
  const auto* note = reinterpret_cast<const OFNOTIFYA*>(lParam);
  if (note->hdr.code == CDN_INITDONE) {
    win::WindowDC screen(nullptr);
    int width = GetDeviceCaps(screen, HORZRES), height = GetDeviceCaps(screen, VERTRES);
    RECT r;
    GetWindowRect(dialog, &r);
    SetWindowPos(dialog, nullptr, (width - (r.right - r.left)) / 2, (height - (r.bottom - r.top)) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
  } else if (note->hdr.code == CDN_TYPECHANGE && note->lpOFN->nFilterIndex == 1) {
    char name[MAX_PATH] = {};
    if (SendMessageA(dialog, CDM_GETSPEC, sizeof name, reinterpret_cast<LPARAM>(name)) > 1 && name[0]) {
      std::string renamed = WithExtension(name, ".DOC");
      // The newer dialog has a name box where the older one had its own edit box.
      int field = GetDlgItem(dialog, cmb13) ? cmb13 : edt1;
      SendMessageA(dialog, CDM_SETCONTROLTEXT, WPARAM(field), reinterpret_cast<LPARAM>(renamed.c_str()));
    }
  }
  return 0;
}

bool OpenFileDialog(HWND owner, const std::string& initialName, std::string& file, const std::string& folder,
                    const std::string& caption, const std::string& filterPairs, DWORD& flags) {
  std::string filter = OpenDialogFilter(filterPairs);
  std::vector<char> name(32768, '\0');
  initialName.copy(name.data(), name.size() - 1);
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = name.data();
  ofn.nMaxFile = DWORD(name.size());
  ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  ofn.lpstrTitle = caption.c_str();
  ofn.Flags = flags | OFN_ENABLEHOOK;
  ofn.lpfnHook = OpenHook;
  BOOL chosen = GetOpenFileNameA(&ofn);
  flags = ofn.Flags;
  if (!chosen) return false;
  file = name.data();
  return true;
}

HWND Control(int id) { return App().clientHolder ? GetDlgItem(App().clientHolder, id) : nullptr; }

}  // namespace

std::string RegisteredApplication(const std::string& extension) {
  std::string fileClass = DefaultValue(HKEY_CLASSES_ROOT, "." + extension);
  if (fileClass.empty()) return {};
  return ProgramOfCommand(DefaultValue(HKEY_CLASSES_ROOT, fileClass + "\\shell\\open\\command"));
}

std::string PickDocument(HWND owner) {
  std::string file;
  DWORD flags = OFN_LONGNAMES | OFN_EXPLORER | OFN_NOVALIDATE;
  if (!OpenFileDialog(owner, Ui(63), file, lastDocumentFolder, Ui(64), Ui(65), flags)) return {};
  lastDocumentFolder = fileio::FolderOf(file);
  if (SKVALIDNAME(fileio::NameOf(file)) == 123) {
    WarningBox(file + "||" + SKWINERR(123));
    return {};
  }
  return file;
}

void OpenDocument() {
  Grilton& a = App();
  std::string program = RegisteredApplication("doc");
  std::string document = WorkDocument();
  if (program.empty() || document.empty()) return;
  if (!fileio::Exists(document) && !a.place.templatePath.empty() && fileio::Exists(a.place.templatePath)) {
    SetFileAttributesA(a.place.templatePath.c_str(), FILE_ATTRIBUTE_NORMAL);
    fileio::CopyFileTo(a.place.templatePath, document);
  }
  ShowWindow(a.frame, SW_MINIMIZE);
  SKSHELL("\"" + program + "\" \"" + document + "\"", SW_SHOW, 65535);
  ShowWindow(a.frame, SW_RESTORE);
}

void AttachDocument() {
  std::string picked = PickDocument(App().frame);
  std::string document = WorkDocument();
  if (picked.empty() || document.empty() || !fileio::Exists(picked)) return;
  SetFileAttributesA(picked.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (int rc = fileio::CopyFileTo(picked, document); rc != 0) WarningBox(document + "|" + SKWINERR(rc));
}

void EnableDocumentButtons() {
  bool on = !CurrentPicture().empty();
  if (HWND open = Control(kCmdOpenDocument)) EnableWindow(open, on && !RegisteredApplication("doc").empty());
  if (HWND attach = Control(kCmdAttachDocument)) EnableWindow(attach, on);
}

}  // namespace grilton
