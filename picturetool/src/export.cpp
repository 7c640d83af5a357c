// Saving the working picture by the target's extension: GDI+ for its own types, the
// imaging layer for the others. The new file is written beside the old one and then put in
// its place, and the layered side file follows only a picture that was saved.
#include "export.h"

#include "boxes.h"
#include "bravik/export_rules.h"
#include "bravik/object_rules.h"
#include "bravik/picture_rules.h"
#include "commands.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "imaging/gdiplus_helpers.h"
#include "imaging/thumbnails.h"
#include "imglib/imglib.h"
#include "objects.h"
#include "partner.h"
#include "picture.h"
#include "skin/sk_draw.h"
#include "skin/sk_menu.h"
#include "skin/skin.h"
#include "state.h"
#include "win/raii.h"

namespace bravik {
namespace {

void RefuseType(const std::string& path, const std::string& extension) {
  ErrorBox(fileio::NameOf(path) + Ui(20) + extension);
}

// The output copy's picture as 24-bit pixels encoded by the imaging layer.
int EncodePicture(const SaveFormat& format, std::string& bytes) {
  ToolState& t = App();
  imglib::BitmapOwner copy;
  int r = L_CreateBitmap(copy.Get(), t.pictureWidth, t.pictureHeight, 24);
  if (r != imglib::kSuccess) return r;
  HDC lead = L_CreateLeadDC(copy.Get());
  if (!lead) return imglib::kNoMemory;
  BitBlt(lead, 0, 0, t.pictureWidth, t.pictureHeight, OutputDc(), 0, 0, SRCCOPY);
  L_DeleteLeadDC(lead);
  HGLOBAL memory = nullptr;
  uint32_t size = 0;
  r = L_SaveBitmapMemory(&memory, copy.Get(), format.code, format.bitsPerPixel, format.quality, &size);
  if (r == imglib::kSuccess && memory) {
    if (const void* p = GlobalLock(memory)) {
      bytes.assign(static_cast<const char*>(p), size);
      GlobalUnlock(memory);
    } else {
      r = imglib::kNoMemory;
    }
  }
  if (memory) GlobalFree(memory);
  return r;
}

// GDI+ writes to a file of its own name beside the target (with the target's extension,
// which chooses the encoder); it replaces the target only when complete. 0 or a GDI+
// status; kGdiplusNoEncoder when GDI+ cannot write the type.
int SaveThroughGdiplus(const std::string& path) {
  ToolState& t = App();
  if (!t.gdiplus) return kGdiplusNoEncoder;
  std::string beside = fileio::FolderOf(path) + "~new~" + fileio::NameOf(path);
  win::Bitmap bitmap(DCTOBITMAP(OutputDc(), 0, 0, t.pictureWidth, t.pictureHeight));
  if (!bitmap) return -1;
  Gdiplus::GpBitmap* image = BITMAPFROMHBITMAP(bitmap.Get());
  bitmap.Reset();
  if (!image) return -1;
  PictureHandle handle = image;
  int status = SAVEIMAGEBYEXT(beside, reinterpret_cast<Gdiplus::GpImage*>(image));
  FREEGDIPIMAGE(handle, 0);
  if (status == 0 && !SKEXIST(beside)) status = kGdiplusNoEncoder;  // nothing was written
  if (status == 0 && fileio::MoveFileReplacing(beside, path) != fileio::kOk) status = -1;
  if (status != 0) SKKILLFILE(beside);
  return status;
}

// After the picture itself was saved: its layered side file, the saved picture shown, the
// modified flags cleared (or the objects kept as changes when their file failed).
void Saved(const std::string& path, const std::string& caption) {
  ToolState& t = App();
  bool objectsKept = ObjectsMessage(kObjWriteFile, path) != 0 || ObjectCount() == 0;
  t.currentFile = fileio::ToLower(path);
  t.currentFolder = fileio::FolderOf(t.currentFile);
  t.list.ReplaceCurrent(t.currentFile);
  t.loadedFile = t.currentFile;
  t.saveFilter = SaveFilterFor(t.currentFile);
  t.redEye.clear();
  // The shown picture is the saved one (a JPEG as it was compressed); the objects stay.
  // A saved file that cannot be read back leaves the shown picture as it is: reloading it
  // would empty the canvas and leave nothing to save again.
  if (ImgFileInfo info; L_FileInfo(t.loadedFile, &info) == imglib::kSuccess && info.width > 0 && info.height > 0) {
    int colours = 0;
    LOADPICTURE(t.loadedFile, colours, true);
  }
  t.modified = objectsKept ? 0 : kModifiedObjects;
  PICTUREINFO();
  SKCURSORSTD();
  if (!objectsKept) ErrorBox(layer::LayerPathFor(path) + Ui(58));
  InformationBox(PlainCaption(caption), Ui(21) + "|" + path);
}

}  // namespace

void EXPORTPICTURE(const std::string& target, int pickResult, const std::string& caption) {
  ToolState& t = App();
  std::string folder, name;
  SKSPLITN(target, folder, name);
  if (!folder.empty()) t.lastSaveFolder = folder;
  if (pickResult != 2 || t.pictureWidth <= 0 || t.pictureHeight <= 0) return;
  std::string path = ExpandPatternTarget(target, t.currentFile, Ui(13));
  std::string extension = TargetExtension(path);
  SaveFormat format;
  bool gdiplus = IsGdiplusSaveExtension(extension) && extension != ".DIB";
  if (extension == ".DIB") format = SaveFormat{imglib::kFormatBmp, 24, 0};  // a DIB file is a BMP file
  else if (!gdiplus && !LookupSaveFormat(extension, format)) {
    RefuseType(path, extension);
    return;
  }
  SKCURSORWAIT();
  if (gdiplus) {
    int status = SaveThroughGdiplus(path);
    if (status == kGdiplusNoEncoder && LookupMetafileFormat(extension, format)) {
      gdiplus = false;  // GDI+ reads metafiles but has no encoder: the imaging layer writes them
    } else {
      SKCURSORSTD();
      if (status == kGdiplusNoEncoder) RefuseType(path, extension);
      else if (status != 0) ErrorBox(path + Ui(58));
      else Saved(path, caption);
      return;
    }
  }
  std::string bytes;
  int r = EncodePicture(format, bytes);
  SKCURSORSTD();
  if (r == imglib::kUnsupported) {
    // A type the imaging layer cannot write: refused before anything is touched.
    RefuseType(path, extension);
    return;
  }
  if (r != imglib::kSuccess) {
    ErrorBox(path + Ui(58));
    return;
  }
  int error = fileio::WriteFileReplacing(path, bytes);
  if (error != fileio::kOk) {
    ErrorBox(path + Ui(58) + SKWINERR(error));
    return;
  }
  Saved(path, caption);
}

void SaveCurrent() {
  ToolState& t = App();
  if (t.pictureWidth <= 0) return;
  std::string target = t.list.Current().empty() ? t.currentFile : t.list.Current();
  // A picture without a file of its own (a new, pasted or captured one) gets a name first.
  if (target.empty() || fileio::EqualsNoCase(target, t.tempCopy)) {
    SaveAs();
    return;
  }
  EXPORTPICTURE(target, 2, SKGETMENUSTRING(kCmdSave));
}

void SaveAs() {
  ToolState& t = App();
  if (t.pictureWidth <= 0) return;
  std::string caption = SKGETMENUSTRING(kCmdSaveAs);
  std::string folder = t.lastSaveFolder.empty() ? t.currentFolder : t.lastSaveFolder;
  std::string target = PickSaveTarget(PlainCaption(caption), folder, SaveAsPattern(t.saveFilter));
  if (target.empty()) return;
  EXPORTPICTURE(target, 2, caption);
}

}  // namespace bravik
