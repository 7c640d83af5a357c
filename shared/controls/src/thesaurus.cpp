// The thesaurus on the record form: loading the topic combo boxes, saving a list, and the
// editor's modal run.
#include "controls/thesaurus.h"

#include <vector>

#include "controls/controls_host.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "thesaurus_internal.h"
#include "win/window_class.h"

namespace thesaurus {

std::string CurrentPath() {
  const ControlsHost& host = CurrentControlsHost();
  return ThesaurusPath(host.dataFolder, host.thesaurusName);
}

bool EntryText(HWND box, int index, std::string& text) {
  LRESULT length = SendMessageA(box, CB_GETLBTEXTLEN, WPARAM(index), 0);
  if (length == CB_ERR || length < 0) return false;
  std::string buffer(size_t(length) + 1, '\0');
  LRESULT got = SendMessageA(box, CB_GETLBTEXT, WPARAM(index), reinterpret_cast<LPARAM>(buffer.data()));
  if (got == CB_ERR || got < 0) return false;
  buffer.resize(std::min(size_t(got), size_t(length)));
  text = std::move(buffer);
  return true;
}

}  // namespace thesaurus

namespace {

struct Params {
  std::string buttons;
  int maxLength = 0;
};

Params& StoredParams() {
  static Params params;
  return params;
}

void AddEntry(HWND box, const std::string& text) {
  SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void StartTopicBox(HWND box) {
  SendMessageA(box, CB_RESETCONTENT, 0, 0);
  AddEntry(box, "");
}

bool InEditor(HWND editor, const MSG& msg) { return msg.hwnd == editor || IsChild(editor, msg.hwnd); }

}  // namespace

int LOADTHESAURUS() {
  std::vector<HWND> boxes = TopicComboBoxes(CurrentControlsHost().fields);
  for (HWND box : boxes) StartTopicBox(box);
  std::vector<std::string> words;
  int rc = ReadThesaurus(thesaurus::CurrentPath(), words);
  for (const std::string& word : words) {
    for (HWND box : boxes) AddEntry(box, word);
  }
  return rc;
}

int SAVETHESAURUS(HWND source, int refill) {
  // No window answers 0 entries: that is no list, not an empty one.
  if (!source || !IsWindow(source)) return ERROR_INVALID_WINDOW_HANDLE;
  LRESULT count = SendMessageA(source, CB_GETCOUNT, 0, 0);
  if (count == CB_ERR || count < 0) return ERROR_INVALID_WINDOW_HANDLE;
  std::vector<std::string> entries;
  for (int i = 0; i < int(count); ++i) {
    std::string text;
    if (thesaurus::EntryText(source, i, text)) entries.push_back(std::move(text));
    else if (i == 0) return ERROR_INVALID_DATA;
  }
  if (int rc = SaveThesaurus(thesaurus::CurrentPath(), entries); rc != 0) return rc;
  std::vector<HWND> boxes;
  for (HWND box : TopicComboBoxes(CurrentControlsHost().fields)) {
    if (box != source) boxes.push_back(box);
  }
  if (refill) {
    for (HWND box : boxes) StartTopicBox(box);
  }
  // The boxes have their one empty entry already. Without the refill they hold words
  // already: only the ones they lack are added.
  for (const std::string& entry : entries) {
    if (entry.empty()) continue;
    for (HWND box : boxes) {
      if (!refill && SendMessageA(box, CB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>(entry.c_str())) !=
                         CB_ERR)
        continue;
      AddEntry(box, entry);
    }
  }
  return 0;
}

void THESAURUSPARAMS(std::string& buttons, int& maxLength, int set) {
  Params& p = StoredParams();
  if (set) {
    p.buttons = buttons;
    p.maxLength = maxLength;
  } else {
    buttons = p.buttons;
    maxLength = p.maxLength;
  }
}

void RUNTHESAURUS(const std::string& title, const std::string& buttons, int maxLength) {
  std::string labels = buttons;
  THESAURUSPARAMS(labels, maxLength, 1);
  // One editor at a time: a second call brings the open one forward.
  if (HWND open = FindWindowA(kThesaurusClass, nullptr); open && GetWindowThreadProcessId(open, nullptr) ==
                                                                     GetCurrentThreadId()) {
    SetForegroundWindow(open);
    return;
  }
  if (!win::RegisterClassOnce({.name = kThesaurusClass, .procedure = THESAURUSPROC, .style = CS_HREDRAW | CS_VREDRAW}))
    return;
  HWND owner = CurrentControlsHost().mainWindow;
  if (owner && !IsWindow(owner)) owner = nullptr;
  thesaurus::Editor editor;
  editor.title = title;
  HWND window = CreateWindowExA(0, kThesaurusClass, title.c_str(), WS_POPUP | WS_VISIBLE, 0, 0, 0, 0, owner, nullptr,
                                GetModuleHandleA(nullptr), &editor);
  if (!window) return;
  if (owner) EnableWindow(owner, FALSE);

  MSG msg;
  bool quit = false;
  int quitCode = 0;
  // The editor is destroyed within a message of this thread, so the flag is seen at once.
  while (!editor.destroyed) {
    BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == -1) break;
    if (got == 0) {
      quit = true;  // the program's end: passed on after the editor
      quitCode = int(msg.wParam);
      break;
    }
    // Escape closes as the frame's close does; the dialog handling would take it for the
    // command 2 (IDCANCEL), which adds a word.
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE && InEditor(window, msg)) {
      PostMessageA(window, WM_COMMAND, kThesaurusFrameClose, 0);
      continue;
    }
    if (IsWindow(window) && IsDialogMessageA(window, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  if (IsWindow(window)) {
    // The program is ending: the editor closes as its frame's close does, and goes.
    SendMessageA(window, WM_CLOSE, 0, 0);
    if (IsWindow(window)) DestroyWindow(window);
  }
  if (owner && IsWindow(owner)) EnableWindow(owner, TRUE);
  if (quit) PostQuitMessage(quitCode);
}

void FillThesaurusNames(HWND comboBox, const std::string& dataFolder, const std::string& current) {
  if (!comboBox) return;
  SendMessageA(comboBox, CB_RESETCONTENT, 0, 0);
  for (const fileio::DirEntry& e : fileio::ListDirectory(dataFolder + "*.THM")) {
    if (e.directory) continue;
    std::string name = fileio::ToUpper(fileio::StemOf(e.name));
    SendMessageA(comboBox, CB_ADDSTRING, 0, LPARAM(name.c_str()));
  }
  LRESULT at = SendMessageA(comboBox, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(current.c_str()));
  SendMessageA(comboBox, CB_SETCURSEL, at == CB_ERR ? 0 : WPARAM(at), 0);
}
