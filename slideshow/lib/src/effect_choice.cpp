#include "dunmere/effect_choice.h"

#include <cstdint>
#include <vector>

#include "fileio/fields.h"
#include "fileio/paths.h"
#include "imglib/transitions.h"
#include "skin/sk_text.h"

namespace dunmere {

int EffectId(int group, int index) { return kFirstEffectId + 1000 * group + index; }

// In 64 bits: a damaged side file may hold any number, and its group is still told.
int EffectGroup(int id) { return int((int64_t(id) - kFirstEffectId) / 1000); }

int EffectIndex(int id) { return int(int64_t(id) - (kFirstEffectId + int64_t(1000) * EffectGroup(id))); }

bool IsPluginEffect(int id) { return id >= kAutomaticPluginEffect && id < kNoEffect; }

std::string FormatEffectFile(int id, const std::string& listEntry) { return std::to_string(id) + "|" + listEntry; }

EffectChoice ParseEffectFile(std::string_view text) {
  EffectChoice choice;
  size_t bar = text.find('|');
  std::string number = fileio::Trim(text.substr(0, bar));
  if (number.empty() || number.find_first_not_of("-0123456789") != std::string::npos) return choice;
  choice.valid = true;
  choice.id = fileio::LeadingNumber(number);
  if (bar != std::string_view::npos) choice.listEntry = std::string(text.substr(bar + 1));
  return choice;
}

EffectEntry ParseEffectEntry(const std::string& line) {
  std::vector<std::string> f;
  SKSPLITS(line, ",", f);
  EffectEntry e;
  e.name = f[0];
  if (f.size() > 1) e.step = fileio::LeadingNumber(f[1]);
  if (f.size() > 2) e.time = fileio::LeadingNumber(f[2]);
  return e;
}

SlideTransition ParseSlideTransition(std::string_view sfxText) {
  SlideTransition t;
  std::string text = fileio::Trim(sfxText);
  if (text.find('|') != std::string::npos) {
    EffectChoice choice = ParseEffectFile(text);
    if (!choice.valid) return t;
    EffectEntry entry = ParseEffectEntry(choice.listEntry);
    t.id = choice.id;
    t.step = entry.step;
    t.time = entry.time;
    return t;
  }
  // "id,step,time": the same fields as an entry whose name is the number.
  EffectEntry numbers = ParseEffectEntry(text);
  t.id = fileio::LeadingNumber(numbers.name);
  t.step = numbers.step;
  t.time = numbers.time;
  return t;
}

TransitionPlan PlanTransition(int id, int step, int time, int processorMhz) {
  TransitionPlan plan;
  if (IsPluginEffect(id)) {
    plan.painter = TransitionPainter::kPlugin;
    plan.effect = id - kAutomaticPluginEffect;
    plan.step = step;
    plan.time = time;
    if (id == kAutomaticPluginEffect) {
      bool slow = processorMhz < kSlowProcessorMhz;
      plan.effect = slow ? -1 : 0;
      plan.step = slow ? 50 : 1;
      plan.time = slow ? 2000 : 10;
    }
  } else if (imglib::IsTransitionEffect(id)) {
    plan.painter = TransitionPainter::kImaging;
    plan.effect = id;
  }
  return plan;
}

}  // namespace dunmere
