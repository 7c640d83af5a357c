#include "media.h"

#include "audio/bass.h"

namespace jorvel {

bool BassLayer::Available() { return BASSAVAILABLE() != 0; }
int BassLayer::Open(const std::string& path) { return BASSOPEN(path, 0); }
int BassLayer::Play(int64_t start, int64_t end) { return BASSPLAY(start, end); }
int BassLayer::Pause() { return BASSPAUSE(); }
int BassLayer::Start() { return BASSSTART(); }
int BassLayer::Stop() { return BASSSTOP(); }
int BassLayer::Close() { return BASSCLOSE(); }
int BassLayer::IsActive() { return BASSCHANNELISACTIVE(); }
bool BassLayer::Ended() { return BASSCHANNELENDED() != 0; }
int64_t BassLayer::Position() { return BASSCHANNELGETPOSITION(); }
int BassLayer::SetPosition(int64_t position) { return BASSCHANNELSETPOSITION(position); }
int64_t BassLayer::Length() { return BASSMEDIAGETLENGTH(); }
uint32_t BassLayer::Level() { return BASSCHANNELGETLEVEL(); }
int BassLayer::MediaType() { return BASSMEDIATYPE(); }
std::string BassLayer::Version() { return BASSGETVERSION(); }

}  // namespace jorvel
