#include "slides.h"

#include <algorithm>

#include "dunmere/side_data.h"
#include "dunmere/slide_ops.h"
#include "dunmere/ui_rules.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "imaging/copydata.h"
#include "imaging/side_files.h"
#include "preview.h"
#include "skin/sk_controls.h"
#include "skin/skin.h"
#include "sound.h"
#include "thumbs.h"

namespace dunmere {

namespace {

HWND List() { return App().slideList; }

void RepaintList() {
  if (List()) PostMessageA(App().frame, kMsgRepaint, reinterpret_cast<WPARAM>(List()), 0);
}

LPARAM ItemData(int index) { return SendMessageA(List(), LB_GETITEMDATA, WPARAM(index), 0); }

void SetItemData(int index, LPARAM data) { SendMessageA(List(), LB_SETITEMDATA, WPARAM(index), data); }

int InsertEntry(int at, const std::string& path, LPARAM data) {
  LRESULT index = SendMessageA(List(), LB_INSERTSTRING, WPARAM(at), LPARAM(path.c_str()));
  if (index == LB_ERR || index == LB_ERRSPACE) return -1;
  SetItemData(int(index), data);
  return int(index);
}

void Select(int index, bool on) { SendMessageA(List(), LB_SETSEL, on ? TRUE : FALSE, LPARAM(index)); }

int FindExact(const std::string& path) {
  int n = SlideCount();
  for (int i = 0; i < n; ++i)
    if (SlideText(i) == path) return i;
  return -1;
}

// After a change of the list: the counters, the total and the current slide.
void AfterListChange() {
  SHOWCOUNTERS();
  ShowTotal();
}

}  // namespace

int SlideCount() { return List() ? int(SendMessageA(List(), LB_GETCOUNT, 0, 0)) : 0; }

std::string SlideText(int index) {
  LRESULT len = SendMessageA(List(), LB_GETTEXTLEN, WPARAM(index), 0);
  if (len == LB_ERR || len < 0) return {};
  std::string text(size_t(len) + 1, '\0');
  LRESULT got = SendMessageA(List(), LB_GETTEXT, WPARAM(index), LPARAM(text.data()));
  text.resize(got == LB_ERR || got < 0 ? 0 : size_t(got));
  return text;
}

std::vector<std::string> SlidePaths() {
  std::vector<std::string> out;
  for (int i = 0, n = SlideCount(); i < n; ++i) out.push_back(SlideText(i));
  return out;
}

std::vector<int> SelectedSlides() {
  std::vector<int> out;
  int n = List() ? int(SendMessageA(List(), LB_GETSELCOUNT, 0, 0)) : 0;
  if (n <= 0) return out;
  out.resize(size_t(n));
  int got = int(SendMessageA(List(), LB_GETSELITEMS, WPARAM(n), LPARAM(out.data())));
  out.resize(size_t(std::max(0, got)));
  std::sort(out.begin(), out.end());
  return out;
}

std::vector<std::string> SelectedPaths() {
  std::vector<std::string> out;
  for (int i : SelectedSlides()) out.push_back(SlideText(i));
  return out;
}

int CurrentSlide() {
  if (!List()) return -1;
  int caret = int(SendMessageA(List(), LB_GETCARETINDEX, 0, 0));
  if (caret >= 0 && SendMessageA(List(), LB_GETSEL, WPARAM(caret), 0) > 0) return caret;
  std::vector<int> selected = SelectedSlides();
  return selected.empty() ? -1 : selected.front();
}

Tally COMPANIONSIZE(const std::string& path) {
  Tally t;
  auto add = [&t](const std::string& file) {
    if (file.empty()) return;
    int64_t size = SKFILESIZE(file);
    if (size < 0) return;
    t.bytes += size;
    t.files += 1;
  };
  add(path);
  for (const char* kind : {kTextSideFile, kSoundSideFile, kEffectSideFile,
                           kTimeSideFile})
    add(SideFilePath(path, kind, SideFileNoDot::kNone));
  return t;
}

int AddSlides(const std::vector<std::string>& paths) {
  State& s = App();
  int added = 0, last = -1;
  for (const auto& raw : paths) {
    std::string path = fileio::Trim(raw);
    if (path.empty() || FindExact(path) >= 0 || !fileio::Exists(path) || fileio::IsDirectory(path)) continue;
    int index = InsertEntry(-1, path, 0);
    if (index < 0) break;
    s.show += COMPANIONSIZE(path);
    last = index;
    ++added;
  }
  if (added) {
    SendMessageA(List(), LB_SETTOPINDEX, WPARAM(std::max(0, last - 1)), 0);
    RepaintList();
  }
  AfterListChange();
  return added;
}

void EmptySlideList() {
  State& s = App();
  WaitForScan(5000);
  if (List()) SendMessageA(List(), LB_RESETCONTENT, 0, 0);
  FREETHUMBS();
  // Held slides lose their thumbnails with the cache: they go too.
  s.held.clear();
  s.heldTally = Tally{};
  s.show = Tally{};
  ClearCurrentSlide();
  AfterListChange();
}

void SetStatus(const std::string& text) {
  if (App().status) SetWindowTextA(App().status, text.c_str());
}

std::string StatusText() { return App().status ? SkGetCtlText(App().status) : std::string(); }

void SHOWCOUNTERS() { SetStatus(CountersText(SlideCount(), Ui(4))); }

void ShowTotal() {
  if (App().totalLabel) SKSETCTLTEXT(App().totalLabel, SKLONGFORMAT(RunningTotal()));
}

void ClearCurrentSlide() {
  State& s = App();
  s.currentSlide.clear();
  s.kwdFile.clear();
  s.wavFile.clear();
  s.sfxFile.clear();
  if (s.textField) SetWindowTextA(s.textField, "");
  ClearPreviewPane();
  UpdateSoundButtons();
}

void ShowCurrentSlide() {
  State& s = App();
  int current = CurrentSlide();
  if (current < 0) {
    ClearCurrentSlide();
    return;
  }
  // A recording goes on into the file it started with; the slide's data is shown anyway.
  s.currentSlide = SlideText(current);
  s.kwdFile = SideFilePath(s.currentSlide, kTextSideFile, SideFileNoDot::kNone);
  s.sfxFile = SideFilePath(s.currentSlide, kEffectSideFile, SideFileNoDot::kNone);
  if (!Recording()) s.wavFile = SideFilePath(s.currentSlide, kSoundSideFile, SideFileNoDot::kNone);
  std::string text;
  if (!s.kwdFile.empty()) fileio::ReadWholeFile(s.kwdFile, text);
  if (s.textField) SetWindowTextA(s.textField, text.c_str());
  std::string effect;
  if (!s.sfxFile.empty() && fileio::ReadWholeFile(s.sfxFile, effect) == fileio::kOk) {
    EffectChoice choice = ParseEffectFile(effect);
    if (choice.valid) SelectEffect(choice.id);
  }
  UpdateSoundButtons();
  PAINTPREVIEW(s.currentSlide);
}

void RemoveSelectedSlides() {
  State& s = App();
  StopScan();
  std::vector<std::string> paths = SelectedPaths();
  for (const auto& p : paths) s.show -= COMPANIONSIZE(p);
  for (const auto& p : paths) {
    int index = FindExact(p);
    if (index < 0) continue;
    DeleteThumb(ItemData(index));
    SendMessageA(List(), LB_DELETESTRING, WPARAM(index), 0);
  }
  ClearCurrentSlide();
  AfterListChange();
}

void SelectAllSlides() {
  int n = SlideCount();
  if (n > 0 && int(SelectedSlides().size()) < n) SendMessageA(List(), LB_SELITEMRANGEEX, 0, n - 1);
}

void InvertSelection() {
  std::vector<int> selected = SelectedSlides();
  if (selected.empty()) return;
  std::vector<int> inverted = InvertedSelection(SlideCount(), selected);
  Select(-1, false);
  for (int i : inverted) Select(i, true);
  ShowCurrentSlide();
}

void SelectNoSlides() {
  if (!SelectedSlides().empty()) Select(-1, false);
  ClearCurrentSlide();
}

void CutSlides() {
  State& s = App();
  std::vector<int> selected = SelectedSlides();
  if (selected.empty()) return;
  // An earlier cut that was never pasted is dropped for good.
  for (const auto& h : s.held) DeleteThumb(h.itemData);
  s.held.clear();
  s.heldTally = Tally{};
  for (int i : selected) {
    HeldSlide h{SlideText(i), ItemData(i)};
    s.heldTally += COMPANIONSIZE(h.path);
    s.held.push_back(h);
  }
  for (size_t i = selected.size(); i-- > 0;) SendMessageA(List(), LB_DELETESTRING, WPARAM(selected[i]), 0);
  s.show -= s.heldTally;
  ClearCurrentSlide();
  AfterListChange();
}

void PasteSlides() {
  State& s = App();
  int current = CurrentSlide();
  if (current < 0 || s.held.empty()) return;
  std::vector<std::string> heldPaths;
  for (const auto& h : s.held) heldPaths.push_back(h.path);
  std::vector<size_t> chosen = PasteChoice(SlidePaths(), heldPaths);
  std::vector<bool> inserted(s.held.size(), false);
  int at = current;
  for (size_t i : chosen) {
    if (InsertEntry(at, s.held[i].path, s.held[i].itemData) < 0) continue;
    inserted[i] = true;
    s.show += COMPANIONSIZE(s.held[i].path);
    ++at;
  }
  // Held slides that the list holds already are not pasted: their thumbnails go.
  for (size_t i = 0; i < s.held.size(); ++i)
    if (!inserted[i]) DeleteThumb(s.held[i].itemData);
  s.held.clear();
  s.heldTally = Tally{};
  RepaintList();
  AfterListChange();
}

bool MoveSlides(UINT key) {
  State& s = App();
  std::vector<int> selected = SelectedSlides();
  if (selected.empty()) return false;
  RECT client;
  GetClientRect(List(), &client);
  int page = PageStep(client.bottom, s.rowHeight);
  bool down = key == VK_DOWN || key == VK_RIGHT;
  int step = (key == VK_LEFT || key == VK_RIGHT) ? page : 1;
  int count = SlideCount();
  std::vector<int> moved = MovedIndices(count, selected, step, down);
  if (moved.empty()) return false;
  s.skipNextErase = true;
  SendMessageA(List(), WM_SETREDRAW, FALSE, 0);
  auto one = [](int from, int to) {
    std::string path = SlideText(from);
    LPARAM data = ItemData(from);
    SendMessageA(List(), LB_DELETESTRING, WPARAM(from), 0);
    int index = InsertEntry(to, path, data);
    if (index >= 0) Select(index, true);
  };
  if (down) {
    for (size_t i = selected.size(); i-- > 0;) one(selected[i], moved[i]);
  } else {
    for (size_t i = 0; i < selected.size(); ++i) one(selected[i], moved[i]);
  }
  int caret = down ? moved.back() : moved.front();
  if (down && InLastPartialPage(caret, count, page)) s.skipNextErase = false;
  SendMessageA(List(), LB_SETCARETINDEX, WPARAM(caret), FALSE);
  SendMessageA(List(), WM_SETREDRAW, TRUE, 0);
  InvalidateRect(List(), nullptr, s.skipNextErase ? FALSE : TRUE);
  return true;
}

}  // namespace dunmere
