#include "falcet/item_lists.h"

#include "dunmere/show_format.h"
#include "falcet/command_line.h"
#include "fileio/file.h"
#include "fileio/macros.h"
#include "fileio/paths.h"
#include "skin/sk_text.h"

namespace falcet {

namespace {

constexpr const char* kPictureTypes =
    ".JPG.CMP.GIF.TIF.BMP.ICO.CUR.PCX.PCC.DCX.PCD.WMF.PSD.PNG.TGA.EPS.RAS.WPG.PCT.MAC.IMG.MSP.EMF.JPEG.G2B.I2B.FPX.";

std::string ReadText(const std::string& path, bool& found) {
  std::string bytes;
  found = fileio::ReadWholeFile(path, bytes) == fileio::kOk;
  return bytes;
}

void Append(std::string& list, const std::string& item) {
  if (!list.empty()) list += '|';
  list += item;
}

}  // namespace

std::string UplItems(const std::string& text, const std::string& programFolder) {
  std::string list;
  for (const auto& raw : SplitLines(text)) {
    std::string line = fileio::Trim(raw);
    if (line.empty()) continue;
    Append(list, fileio::ExpandPathMacros(line, {.programFolder = programFolder}));
  }
  return list;
}

std::string READUPL(const std::string& path, const std::string& programFolder) {
  bool found = false;
  std::string text = ReadText(path, found);
  return found ? UplItems(text, programFolder) : std::string();
}

ShowItems ReadShowItems(const std::string& text, const std::string& listFolder,
                        const std::function<bool(const std::string&)>& exists) {
  dunmere::ShowList show = dunmere::ParseShowList(text, listFolder);
  // A list without its header line still has its slides.
  if (!show.valid) show = dunmere::ParseShowList("[]\r\n" + text, listFolder);
  ShowItems s;
  const dunmere::ShowHeader& h = show.header;
  s.soundFile = h.musicList;
  s.flagOne = h.optionOne;
  s.flagTwo = h.optionTwo;
  s.flagThree = h.optionThree;
  s.soundNumberOne = h.groupValue;
  s.soundNumberTwo = h.textFileNumber;
  s.pictureTime = h.defaultTime;
  s.lastFlag = h.modeFlag != 0;
  std::vector<std::string> times;
  for (const auto& e : show.entries) {
    // A slide that is left out takes its time along.
    if (!IsPictureFile(e.picture) || !exists(e.picture)) continue;
    Append(s.items, e.picture);
    times.push_back(e.time);
  }
  for (size_t i = 0; i < times.size(); ++i) s.times += (i ? "|" : "") + times[i];
  return s;
}

bool IsPictureFile(const std::string& path) {
  std::string ext = SKUCASE(fileio::ExtensionOf(path));
  return !ext.empty() && std::string(kPictureTypes).find("." + ext + ".") != std::string::npos;
}

bool MatchesPatterns(const std::string& item, const std::string& patterns) {
  std::string ext = fileio::ExtensionOf(item);
  if (ext.empty()) return false;
  std::string list = SKLCASE(patterns);
  // Every pattern ends in ";", also the last one of the entry.
  if (list.empty() || list.back() != ';') list += ';';
  return (";" + list).find(";*." + SKLCASE(ext) + ";") != std::string::npos;
}

bool IsMedium(const std::string& item, const std::string& mediaPatterns, const std::string& soundPatterns,
              bool audioAvailable) {
  return MatchesPatterns(item, mediaPatterns) || (audioAvailable && MatchesPatterns(item, soundPatterns));
}

bool IsWebPageName(const std::string& item) {
  std::string ext = fileio::ToLower(fileio::ExtensionOf(item));
  return ext == "htm" || ext == "html";
}

std::vector<std::string> AttachedSoundEntries(const std::string& listText, const std::string& baseFolder,
                                              const std::function<bool(const std::string&)>& exists) {
  std::vector<std::string> out;
  for (const auto& raw : SplitLines(listText)) {
    std::string line = fileio::ExpandPathMacros(fileio::Trim(raw), {.programFolder = baseFolder});
    if (!line.empty() && exists(line)) out.push_back(line);
  }
  return out;
}

}  // namespace falcet
