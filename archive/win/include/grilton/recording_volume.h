// The recording volume bar's mixer control: the volume of the line that records (the
// wave-in destination, else the microphone source), the speaker volume only where the
// mixer has no recording line with a volume.
#pragma once
#include <windows.h>
#include <mmsystem.h>

#include <optional>

namespace grilton {

enum class RecordingVolumeLine { kNone, kWaveIn, kMicrophone, kSpeakers };

// The line the bar drives on this mixer (kNone: no mixer or no volume control at all).
RecordingVolumeLine ChooseRecordingVolumeLine(HMIXER mixer);
// Its volume in percent; none when it cannot be read.
std::optional<int> ReadRecordingVolume(HMIXER mixer);
// Sets it on every channel; false when there is no such control or the mixer refused.
bool WriteRecordingVolume(HMIXER mixer, int percent);

}  // namespace grilton
