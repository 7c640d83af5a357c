#include "web_pages.h"

#include <windows.h>

#include <set>

#include "boxes.h"
#include "file_batch.h"
#include "filelist.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "imaging/text_shape.h"
#include "imaging/thumbnails.h"
#include "imglib/imglib.h"
#include "kelmor/index_pages.h"
#include "kelmor/partner_rules.h"
#include "launcher.h"
#include "skin/sk_boxes.h"
#include "skin/sk_files.h"
#include "skin/sk_text.h"
#include "skin/skin.h"
#include "state.h"

namespace kelmor {

namespace {

// Loads a picture at 24 bits, fitted into the box with its layered objects drawn over it
// at full size first. False when it cannot be loaded.
bool LoadThumbnail(const std::string& picture, const BoxSize& box, ImgBitmap& bitmap) {
  std::string load = picture;
  GIFTOBMP(load);
  if (L_LoadBitmap(load, &bitmap, 24) != imglib::kSuccess) return false;
  int left = 0, top = 0, width = 0, height = 0;
  SKICONISE(bitmap.width, bitmap.height, box.width, box.height, left, top, width, height);
  if (HDC dc = L_CreateLeadDC(&bitmap)) {
    DRAWOVERLAY(dc, picture);
    L_DeleteLeadDC(dc);
  }
  if ((width != bitmap.width || height != bitmap.height) &&
      L_SizeBitmap(&bitmap, width, height, imglib::kSizeResample) != imglib::kSuccess) {
    L_FreeBitmap(&bitmap);
    return false;
  }
  return true;
}

class PageFile {
 public:
  explicit PageFile(const std::string& path) {
    SKKILLFILE(path);
    error_ = SKFOPEN(path, 1, 1, handle_);
    ok_ = error_ == 0;
  }
  ~PageFile() { SKFCLOSE(handle_); }
  bool Ok() const { return ok_; }
  int Error() const { return error_; }
  void Write(const std::string& line) {
    if (ok_ && SKFPUT(handle_, HTMLLINE(line)) != 0) ok_ = false;
  }
  void Write(const std::vector<std::string>& lines) {
    for (const auto& line : lines) Write(line);
  }

 private:
  int handle_ = 0;
  int error_ = 0;
  bool ok_ = false;
};

}  // namespace

void MakeWebPages(int command) {
  BrowserState& b = App();
  if (b.batchRunning || b.makingPages || SelectedEntries(b.fileList).empty()) return;
  std::string target = CURRENTFOLDER();
  if (!AskTargetFolder(Ui(47), target)) return;
  std::string title;
  int pressed = SKINPUTBOX(b.frame, SKCAPTIONFONT(), Ui(61), Ui(61), Ui(32), title, SkBoxStyle::Input(b.icon, 200, 300));
  if (pressed != 1) return;

  std::vector<std::string> written;
  bool cancelled = false;
  {
    FileBatch batch(b.makingPages);
    if (!batch.Started()) return;
    const std::string& folder = batch.Folder();
    std::set<std::string> sources, thumbnails;
    for (const auto& name : batch.Names()) sources.insert(fileio::ToLower(folder + name));
    auto isSource = [&](const std::string& path) { return sources.count(fileio::ToLower(path)) != 0; };
    auto exists = [](const std::string& path) { return fileio::Exists(path); };

    GridLayout grid = ParseGridLayout(SKMACTE(command, b.menus));
    BoxSize box = WebThumbnailBox(PageAreaFor(GetSystemMetrics(SM_CXSCREEN), grid.divisor), grid);
    const std::vector<std::string>& names = batch.Names();
    int pages = PageCount(int(names.size()), grid);
    std::string pageName = kIndexFirstName;
    size_t next = 0;
    for (int page = 1; page <= pages && !cancelled; ++page) {
      SKSEQUENCE(pageName);
      std::string pagePath = target + pageName + ".htm";
      PageFile file(pagePath);
      if (!file.Ok()) {
        MESSAGEBOXICON(pagePath + "||" + SKWINERR(file.Error()));
        break;
      }
      file.Write(WebPageHead(title, page, pages));
      for (int row = 0; row < grid.rows && next < names.size() && !cancelled; ++row) {
        file.Write(kWebRowStart);
        for (int column = 0; column < grid.columns && next < names.size(); ++column) {
          if (PUMPMESSAGEBOX(1) != 0) {
            cancelled = true;
            break;
          }
          const std::string& name = names[next++];
          MarkEntry(folder, name, true);
          ImgBitmap bitmap{};
          if (LoadThumbnail(folder + name, box, bitmap)) {
            std::string thumbnail = ThumbnailName(target, name, isSource, exists, thumbnails);
            if (L_SaveBitmap(target + thumbnail, &bitmap, imglib::kFormatJpeg, 24, 25) == imglib::kSuccess) {
              thumbnails.insert(fileio::ToLower(target + thumbnail));
              file.Write(WebPageCell(thumbnail, bitmap.width, bitmap.height, name));
            } else {
              // A picture without a thumbnail gets no cell: the next takes its place.
              --column;
            }
            L_FreeBitmap(&bitmap);
          } else {
            --column;
          }
          MarkEntry(folder, name, false);
        }
        file.Write(kWebRowEnd);
      }
      file.Write(kWebPageEnd);
      written.push_back(pagePath);
    }
  }
  if (cancelled || written.empty()) return;
  if (QUESTIONBOX(WebPagesQuestion(int(written.size()), Ui(59), target), Ui(29)) == 1)
    LAUNCHSUITEAPP(JoinPaths(written));
}

}  // namespace kelmor
