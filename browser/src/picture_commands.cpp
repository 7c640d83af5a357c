#include "picture_commands.h"

#include <windows.h>
#include <shellapi.h>

#include "boxes.h"
#include "detail_filler.h"
#include "file_batch.h"
#include "fileio/file.h"
#include "fileio/item_list.h"
#include "fileio/paths.h"
#include "filelist.h"
#include "imglib/imglib.h"
#include "kelmor/file_commands.h"
#include "kelmor/file_listing.h"
#include "skin/sk_boxes.h"
#include "skin/sk_files.h"
#include "skin/sk_text.h"
#include "skin/skin.h"
#include "state.h"
#include "transforms.h"
#include "watchers.h"

namespace kelmor {

namespace {

constexpr const char* kWatchedEditorClass = "Photoshop";

// Waits for a process while answering the messages other programs send (a partner's
// command message is not held up until the editor closes). False after the time limit.
bool WaitAnswering(HANDLE process, DWORD milliseconds) {
  DWORD start = GetTickCount();
  for (;;) {
    DWORD elapsed = GetTickCount() - start;
    DWORD left = milliseconds == INFINITE ? INFINITE : (elapsed >= milliseconds ? 0 : milliseconds - elapsed);
    DWORD r = MsgWaitForMultipleObjects(1, &process, FALSE, left, QS_SENDMESSAGE);
    if (r == WAIT_OBJECT_0) return true;
    if (r != WAIT_OBJECT_0 + 1) return false;
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
}

// Input idle, also answering sent messages: a program that never gets idle (a console
// program) does not hold the browser longer than its own end.
void WaitForIdle(HANDLE process) {
  while (WaitForInputIdle(process, 50) == WAIT_TIMEOUT)
    if (WaitAnswering(process, 0)) return;
}

// One file of a conversion: 0 when converted or skipped as its own target, else the
// failure's text.
std::string ConvertOne(const std::string& folder, const std::string& name, const ConversionChoice& choice) {
  BrowserState& b = App();
  std::string source = folder + name;
  std::string target = ConversionTarget(source, choice.extension);
  int index = EntryIndex(folder, name);
  if (index >= 0) SendMessageA(b.fileList, LB_SETSEL, TRUE, index);
  ShowInStatus(source);
  switch (PlanConversion(source, target, fileio::Exists(target))) {
    case ConversionStep::kSameFile:
      return {};
    case ConversionStep::kTargetTaken:
      // Another file of that name is never replaced by a conversion.
      return source + Ui(35) + "||" + SKWINERR(ERROR_FILE_EXISTS);
    case ConversionStep::kConvert:
      break;
  }
  ImgFileInfo info;
  if (L_FileInfo(source, &info) != imglib::kSuccess) return source + Ui(35);
  ConversionFormat rule = ConversionFormatRule(choice.format);
  int width = info.width, height = info.height;
  if (rule.iconSize) {
    int left = 0, top = 0;
    SKICONISE(info.width, info.height, 32, 32, left, top, width, height);
  }
  int bits = rule.bitsPerPixel ? rule.bitsPerPixel : info.bitsPerPixel;
  if (L_FileConvert(source, target, choice.format, width, height, bits, rule.qualityFactor, &info) !=
      imglib::kSuccess) {
    SKKILLFILE(target);
    return source + Ui(35);
  }
  index = EntryIndex(folder, name);
  if (index >= 0) {
    ForgetThumbnail(index);
    SendMessageA(b.fileList, LB_DELETESTRING, WPARAM(index), 0);
    std::string entry = FileListEntry(fileio::NameOf(target));
    if (SendMessageA(b.fileList, LB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>(entry.c_str())) == LB_ERR)
      SendMessageA(b.fileList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  }
  SKKILLFILE(source);
  return {};
}

// The next free name of a series: the picture's and every side file's name unused. False
// when the user stopped or 10000 numbers in a row were taken: the batch ends.
bool NextFreeName(std::string& base, const std::string& folder, const std::string& extension,
                  const std::vector<std::string>& sides) {
  for (int tries = 0; tries < kSeriesTries; ++tries) {
    SKSEQUENCE(base);
    if (PUMPMESSAGEBOX(1) != 0) return false;
    bool free = true;
    for (const auto& path : SeriesNames(folder, base, extension, sides)) free = free && !fileio::Exists(path);
    if (free) return true;
  }
  return false;
}

// The renamed picture's entry keeps its item data, so its thumbnail stays.
void RenameEntry(const std::string& folder, const std::string& from, const std::string& to) {
  BrowserState& b = App();
  int index = EntryIndex(folder, from);
  if (index < 0) return;
  SendMessageA(b.fileList, WM_SETREDRAW, FALSE, 0);
  LRESULT data = SendMessageA(b.fileList, LB_GETITEMDATA, WPARAM(index), 0);
  SendMessageA(b.fileList, LB_DELETESTRING, WPARAM(index), 0);
  std::string entry = FileListEntry(to);
  LRESULT added = SendMessageA(b.fileList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  if (added >= 0) SendMessageA(b.fileList, LB_SETITEMDATA, WPARAM(added), data);
  ShowInStatus(folder + from);
  SendMessageA(b.fileList, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(b.fileList, nullptr, TRUE);
  if (added >= 0) SendMessageA(b.fileList, LB_SETSEL, TRUE, added);
}

}  // namespace

void OPENINEDITOR(const std::vector<std::string>& openList) {
  BrowserState& b = App();
  if (openList.empty()) return;
  ShowWindow(b.frame, SW_MINIMIZE);
  win::Handle watched, other;
  for (const auto& item : openList) {
    std::string program = fileio::ItemAt(item, 1), file = fileio::ItemAt(item, 2);
    SHELLEXECUTEINFOA run{};
    run.cbSize = sizeof run;
    run.fMask = SEE_MASK_NOCLOSEPROCESS;
    run.hwnd = b.frame;
    run.lpVerb = "open";
    run.lpFile = file.c_str();
    run.nShow = SW_SHOW;
    if (!ShellExecuteExA(&run) || !run.hProcess) continue;
    win::Handle process(run.hProcess);
    WaitForIdle(process.Get());
    win::Handle& kept = IsWatchedEditor(program) ? watched : other;
    if (!kept) kept = std::move(process);
  }
  // The watched editor hands its files to a running copy and ends: its window counts.
  if (watched) {
    while (FindWindowA(kWatchedEditorClass, nullptr)) WaitAnswering(watched.Get(), 1000);
  }
  if (other) WaitAnswering(other.Get(), INFINITE);
  ShowWindow(b.frame, SW_RESTORE);
}

void OpenInAssociatedPrograms() {
  BrowserState& b = App();
  std::string folder = CURRENTFOLDER();
  std::vector<int> selected = SelectedEntries(b.fileList);
  if (selected.empty() || folder.empty()) return;
  std::vector<std::string> openList;
  for (int index : selected) {
    std::string path = folder + EntryFileName(ListEntryText(b.fileList, index));
    char program[MAX_PATH] = {};
    if (INT_PTR(FindExecutableA(path.c_str(), "", program)) > 32) openList.push_back(OpenListItem(program, path, index));
  }
  if (openList.empty()) {
    QUESTIONBOX(EntryFileName(ListEntryText(b.fileList, selected.front())) + "||" + SKWINERR(ERROR_NO_ASSOCIATION), "");
    return;
  }
  OPENINEDITOR(openList);
}

void ResizeSelectedPictures() {
  BrowserState& b = App();
  if (b.batchRunning || SelectedEntries(b.fileList).empty()) return;
  SizeChoice size = b.sizeChoice;
  if (AskNewSize(size) != 2) return;
  b.sizeChoice = size;
  StartTransformBatch(kTransformResize, size);
}

void ConvertSelectedPictures() {
  BrowserState& b = App();
  if (b.converting) return;
  if (CurrentFolderOnCdRom()) {
    MESSAGEBOXICON(SKWINERR(ERROR_WRITE_FAULT));
    return;
  }
  std::string choiceText;
  if (AskPictureType(choiceText) != 1) return;
  ConversionChoice choice = ParseConversionChoice(choiceText);
  if (!choice.Valid()) return;
  FileBatch batch(b.converting);
  if (!batch.Started()) return;
  bool firstError = true;
  for (const auto& name : batch.Names()) {
    if (PUMPMESSAGEBOX(1) != 0) break;
    std::string failure = ConvertOne(batch.Folder(), name, choice);
    if (!failure.empty() && firstError) {
      firstError = false;
      MESSAGEBOXICON(failure);
    }
  }
}

void RenameSelectedAsSeries() {
  BrowserState& b = App();
  if (b.renaming) return;
  if (CurrentFolderOnCdRom()) {
    MESSAGEBOXICON(SKWINERR(ERROR_WRITE_FAULT));
    return;
  }
  std::string typed;
  int pressed = SKINPUTBOX(b.frame, SKCAPTIONFONT(), Ui(1), Ui(36), Ui(32), typed, SkBoxStyle::Input(b.icon, 80, 200));
  std::string base = SeriesBaseName(typed);
  if (pressed != 1 || base.empty()) return;
  FileBatch batch(b.renaming);
  if (!batch.Started()) return;
  std::vector<std::string> sides = SideFileExtensions(Ui(50));
  const std::string& folder = batch.Folder();
  for (const auto& name : batch.Names()) {
    std::string source = folder + name, extension = NameExtension(name);
    if (!NextFreeName(base, folder, extension, sides)) break;
    // A picture that cannot be renamed keeps its side files too.
    if (SKRENAME(source, folder + base + extension) != 0) continue;
    RenameEntry(folder, name, base + extension);
    if (extension.empty()) continue;
    for (const auto& side : sides) {
      std::string sideFile = SideFilePath(source, side);
      if (fileio::Exists(sideFile)) SKRENAME(sideFile, folder + base + "." + side);
    }
  }
}

}  // namespace kelmor
