#include <algorithm>
#include <cmath>

#include "jorvel/mixer_volume.h"

namespace jorvel {

uint32_t MixerValueOfPercent(int percent) { return uint32_t(std::clamp(percent, 0, 100)) * 655u; }

int PercentOfMixerValue(uint32_t value) {
  return int(std::lround(100.0 * double(std::min<uint32_t>(value, 65535u)) / 65535.0));
}

}  // namespace jorvel
