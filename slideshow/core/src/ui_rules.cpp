#include "dunmere/ui_rules.h"

#include <algorithm>

#include "dunmere/side_data.h"
#include "fileio/fields.h"
#include "fileio/paths.h"
#include "skin/sk_text.h"

namespace dunmere {

std::string ReplaceAll(std::string text, const std::string& what, const std::string& with) {
  if (what.empty()) return text;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + with.size()))
    text.replace(at, what.size(), with);
  return text;
}

std::string FieldOf(const std::string& text, const std::string& separator, int n) {
  std::vector<std::string> parts;
  SKSPLITS(text, separator, parts);
  return n >= 1 && size_t(n) <= parts.size() ? parts[size_t(n - 1)] : std::string();
}

std::string NumberForm(const std::string& entry, int64_t number) {
  size_t bar = entry.find('|');
  if (bar == std::string::npos) return entry;
  return number == 1 || number == -1 ? entry.substr(0, bar) : entry.substr(bar + 1);
}

std::string CountersText(int slides, const std::string& entry4) {
  return std::to_string(slides) + NumberForm(entry4, slides);
}

std::string TimePrefix(const std::string& entry52, int milliseconds) {
  int seconds = WholeSeconds(milliseconds);
  return ReplaceAll(NumberForm(entry52, seconds), "#", std::to_string(seconds));
}

std::string SlideInfoText(const std::string& fileName, int width, int height, int bits, int64_t size,
                          const std::string& entry44, const std::string& entry45, const std::string& timePrefix) {
  std::string info = fileName + " " + std::to_string(width) + " x" + " " + std::to_string(height) + " (" +
                     std::to_string(bits) + entry44 + SKLONGFORMAT(size) + entry45;
  return timePrefix + info;
}

std::string StatusAfterTimeCommand(const std::string& status, const std::string& prefix) {
  size_t gt = status.rfind('>');
  std::string rest = fileio::Trim(gt == std::string::npos ? status : status.substr(gt + 1));
  return prefix + rest;
}

std::string BuildSummary(const std::string& entry78, const std::string& target, int slides, int64_t bytes) {
  // "#" and "$" first: the target folder may hold either character.
  std::string text = ReplaceAll(entry78, "#", std::to_string(slides));
  text = ReplaceAll(text, "$", SKLONGFORMAT(bytes));
  return ReplaceAll(text, "@", target);
}

uint32_t BuildBoxChecks(int optionOne, int optionThree) {
  return (optionThree ? kCheckSlideTexts : 0u) | (optionOne ? 0u : kCheckEnlargedView);
}

void OptionsFromBuildBox(uint32_t checks, int& optionOne, int& optionThree) {
  optionThree = (checks & kCheckSlideTexts) ? 1 : 0;
  optionOne = (checks & kCheckEnlargedView) ? 0 : 1;
}

Placement PlacementOf(const std::string& entry, int k) {
  Placement p;
  if (fileio::Trim(entry).empty()) return p;
  std::vector<std::string> f;
  SKSPLITS(entry, ",", f);
  size_t triples = (f.size() + 2) / 3;
  size_t index = size_t(std::max(k, 1)) - 1;
  if (index >= triples) index = triples - 1;
  f.resize(triples * 3);
  p.hidden = fileio::EqualsNoCase(fileio::Trim(f[index * 3]), "H");
  p.x = fileio::LeadingNumber(f[index * 3 + 1]);
  p.y = fileio::LeadingNumber(f[index * 3 + 2]);
  return p;
}

std::vector<std::string> EffectGroupNames(const std::string& entry40) {
  std::vector<std::string> f, names;
  if (fileio::Trim(entry40).empty()) return names;
  SKSPLITS(entry40, ",", f);
  for (size_t i = 0; i < f.size(); i += 2) names.push_back(fileio::Trim(f[i]));
  return names;
}

std::string EffectListFile(const std::string& entry40, int group) {
  return fileio::Trim(FieldOf(entry40, ",", 2 * (group + 1)));
}

}  // namespace dunmere
