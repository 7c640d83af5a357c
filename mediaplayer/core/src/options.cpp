#include "falcet/options.h"

#include <algorithm>

#include "falcet/command_line.h"
#include "fileio/fields.h"
#include "fileio/macros.h"
#include "fileio/paths.h"
#include "skin/sk_text.h"

namespace falcet {

const char* const kDefaultCodecEntry = "@path@codec\\camcodec.dll|VIDC.CSCD|CamStudio lossless codec [CSCD]";

std::string OptionText(const std::string& entry, int field) {
  if (field < 1) return std::string();
  std::vector<std::string> fields;
  SKSPLITS(entry, ",", fields);
  return size_t(field) <= fields.size() ? fields[size_t(field) - 1] : std::string();
}

int OptionValue(const std::string& entry, int field) { return fileio::LeadingNumber(OptionText(entry, field)); }

std::string WithOption(const std::string& entry, int field, const std::string& value) {
  if (field < 1) return entry;
  std::vector<std::string> fields;
  SKSPLITS(entry, ",", fields);
  if (fields.size() < size_t(field)) fields.resize(size_t(field));
  fields[size_t(field) - 1] = value;
  std::string out;
  for (size_t i = 0; i < fields.size(); ++i) out += (i ? "," : "") + fields[i];
  return out;
}

namespace {

std::string CommasToDots(std::string text) {
  std::replace(text.begin(), text.end(), ',', '.');
  return text;
}

}  // namespace

CodecInstall CodecInstallOf(const std::string& field12, const std::string& programFolder,
                            const std::string& systemFolder) {
  std::vector<std::string> f;
  SKSPLITS(fileio::Trim(field12).empty() ? std::string(kDefaultCodecEntry) : field12, "|", f);
  f.resize(4);
  CodecInstall c;
  c.source = fileio::ExpandPathMacros(fileio::Trim(f[0]), {.programFolder = programFolder});
  c.fileName = fileio::NameOf(c.source);
  c.target = fileio::WithTrailingSeparator(systemFolder) + c.fileName;
  c.key = fileio::Trim(f[1]);
  c.description = CommasToDots(f[2]);
  c.friendlyName = CommasToDots(f[3].empty() ? f[2] : f[3]);
  c.registryKey = "System\\CurrentControlSet\\Control\\MediaResources\\icm\\" + c.key;
  c.valid = !c.fileName.empty() && !c.key.empty();
  return c;
}

std::string SettingsFolder(const std::string& field13, const std::string& programFolder,
                           const std::string& windowsFolder, const std::string& systemFolder,
                           const std::string& tempFolder) {
  std::string f = fileio::Trim(field13);
  if (f.empty()) return fileio::WithTrailingSeparator(tempFolder);
  f = fileio::ExpandPathMacros(f, {.programFolder = programFolder,
                                    .windowsFolder = windowsFolder,
                                    .systemFolder = systemFolder,
                                    .tempFolder = tempFolder});
  return fileio::WithTrailingSeparator(f);
}

}  // namespace falcet
