#include "lock.h"

#include <windows.h>

#include "boxes.h"
#include "db/archive.h"
#include "editing.h"
#include "fileio/file.h"
#include "lumbric/command_ids.h"
#include "lumbric/work_folder.h"
#include "skin/sk_boxes.h"
#include "skin/skin.h"
#include "state.h"

namespace lumbric {

namespace {

void Repaint() {
  if (App().clientHolder) InvalidateRect(App().clientHolder, nullptr, FALSE);
}

}  // namespace

void SETPASSWORD(int command) {
  Lumbric& a = App();
  if (RefusedWhileLocked()) return;
  // The box starts empty: the old password is never shown, not even to this copy.
  std::string password;
  if (SKINPUTPW(a.frame, MenuText(command), Ui(42), Ui(43), password) != 1 || password.empty()) return;
  if (fileio::Exists(a.PasswordFile())) SetFileAttributesA(a.PasswordFile().c_str(), FILE_ATTRIBUTE_NORMAL);
  int rc = db::WritePasswordFile(a.PasswordFile(), password);
  if (rc != 0) {
    // The lock stays as it was.
    ErrorBox(a.PasswordFile() + "|" + SKWINERR(rc));
    return;
  }
  a.locked = true;
  Repaint();
}

void ToggleLock() {
  Lumbric& a = App();
  if (!a.locked) {
    SETPASSWORD(kCmdSetPassword);
    return;
  }
  std::string typed;
  if (SKINPUTBOX(a.frame, SKCAPTIONFONT(), Ui(18), Ui(41), "", typed, SkBoxStyle::Input(a.icon, 64)) != 1) return;
  bool matches = false;
  int rc = CheckPassword(a.PasswordFile(), typed, matches);
  if (rc != 0 && rc != kDbErrNotFound) {
    ErrorBox(a.PasswordFile() + "|" + SKWINERR(rc));
    return;
  }
  if (rc == kDbErrNotFound || matches) {
    a.locked = false;
    Repaint();
    return;
  }
  MessageBeep(MB_ICONHAND);
  ErrorBox(Ui(49), Ui(1));
}

}  // namespace lumbric
