// The audio wrapper: one current medium at a time (a sound file, or a stream address
// fetched into the download folder) plus free channels that a program keeps beside it
// (the sound attached to a picture or a show). WAVE files (PCM, and whatever the
// system's audio codecs decode: ADPCM, GSM, G.711 ...) and MPEG audio files play through
// the sound device; a machine without sound output plays them on a silent device that
// keeps real time, so positions, levels and the end of a sound behave the same.
//
// Positions and lengths are milliseconds. Results: 0 is success, anything else one of
// the error codes below (text: BASSERRORDESCRIPTION), unless a call says otherwise.
// Thread-safe; every sound plays on a thread of its own. Portable: the native build
// has no codecs and no device (plain PCM on the silent device).
#pragma once
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>

#include "audio/effects.h"

enum : int {
  kBassOk = 0,
  kBassErrorMemory = 1,
  kBassErrorFileOpen = 2,   // the file cannot be opened
  kBassErrorDriver = 3,     // the sound device failed
  kBassErrorHandle = 5,     // no such channel, or no current medium
  kBassErrorFormat = 6,     // a sound form the codecs cannot decode
  kBassErrorPosition = 7,   // a position that cannot be reached
  kBassErrorInit = 8,       // the layer is not loaded
  kBassErrorNotAvail = 37,  // the request is not available for this sound
  kBassErrorFileForm = 41,  // no sound file the layer knows
  kBassErrorNoNet = 32,     // a stream address while there is no connection
  kBassErrorTimeout = 40,   // the server did not answer in time
  kBassErrorWmaReader = 43, // WMA: the system has no Windows Media reader that decodes it
  kBassErrorUnknown = -1,
};

// Media types (BASSMEDIATYPE).
enum : int { kBassMediaFile = 1, kBassMediaStream = 5 };

// ---- The layer --------------------------------------------------------------------------
// Loaded at first use; BASSUNLOAD closes every channel and stops their threads.
int BASSLOAD();
void BASSUNLOAD();
// 1 when the layer can play (it can always: without a device it plays silently).
int BASSAVAILABLE();
// The version as "major.minor".
std::string BASSGETVERSION();
// Where stream addresses are fetched to (a folder; "" = the temporary folder).
void BASSSETDOWNLOADPATH(const std::string& folder);
// Settings: 4, 5, 6 the global volume (0 to 100) of samples, streams and music; every
// channel of this layer is a stream and follows 5. Returns 0, or kBassErrorNotAvail.
int BASSSETCONFIG(int option, int value);
// The code of the last failure of this thread, and a text for a code.
int BASSERRORGETCODE();
std::string BASSERRORDESCRIPTION(int code);

// ---- The current medium -------------------------------------------------------------------
// Opens a file (or fetches a "http://", "https://" or "ftp://" address) as the current
// medium; the previous one is closed. flags: reserved, 0.
int BASSOPEN(const std::string& path, int flags);
// Plays the current medium from start to end (an end of 0 or past the sound: its end).
int BASSPLAY(int64_t start, int64_t end);
int BASSPAUSE();
// Goes on after a pause or a stop.
int BASSSTART();
int BASSSTOP();
int BASSCLOSE();
// kStatePlaying 1, paused 3, else 0 (stopped, ended, or no medium).
int BASSCHANNELISACTIVE();
// 1 when the current medium has played to the end of its range (it stays stopped there
// until it is played, moved or closed), else 0: a stopped medium has not ended.
int BASSCHANNELENDED();
int64_t BASSCHANNELGETPOSITION();
int BASSCHANNELSETPOSITION(int64_t position);
int64_t BASSMEDIAGETLENGTH();
// Left level in the low word, right in the high word, each 0 to 128; 0xFFFFFFFF when the
// medium is not playing (stopped or ended), 0 while it is paused.
uint32_t BASSCHANNELGETLEVEL();
int BASSMEDIATYPE();
// Title of a tracker module ("" always: the layer plays no modules) and of a stream (the
// tags of the file: ID3 or the WAVE INFO title).
std::string BASSMUSICNAME();
std::string BASSSTREAMNAME();
// The channel of the current medium, 0 when there is none.
uint32_t BASSCURRENTCHANNEL();

// ---- Equaliser and effects -------------------------------------------------------------------
// They serve the current medium and every medium opened after it; free channels (the sound
// attached to a picture or a show) play as they are. The effects window's controls say
// what is on: the calls below read them (audio::ReadEffectControl). The first argument of
// every call is the channel, 0 for the current medium (the only one they serve).
//
// The major version of the system's sound layer: 9. The layer's effects are its own code
// and need no part of the system.
int BASSDIRECTXVERSION();
// The settings in force, and new ones (heard at once).
audio::EffectSettings BassEffects();
int BassSetEffects(const audio::EffectSettings& settings);
// Reads the controls of the ids through read and applies what they say; kBassErrorNotAvail
// for a channel other than 0 or without a reader.
int BassApplyEffectControls(uint32_t channel, std::initializer_list<int> ids, const std::function<int(int id)>& read);
// BASSRESETEQ: every band flat.
int BASSRESETEQ(uint32_t channel);

#ifdef _WIN32
struct HWND__;
// The effects window whose controls the calls read (from the window's thread). attach 1
// with a window attaches it and applies all its controls at once; a null window (or
// attach 0) detaches it, and what is on stays on.
int BASSFXWINDOW(HWND__* window, int attach);
// BASSUPDATEEQ: band 1 to 10 from its bar (heard only while On/Off, control 11, is
// checked). The others: the effect's check button. kBassErrorNotAvail without a window.
int BASSUPDATEEQ(uint32_t channel, int band);
int BASSUPDATEREVERB(uint32_t channel);
int BASSUPDATECHORUS(uint32_t channel);
int BASSUPDATEFLANGER(uint32_t channel);
int BASSUPDATEECHO(uint32_t channel);
int BASSUPDATEROTATE(uint32_t channel);
#endif

// ---- Free channels ----------------------------------------------------------------------------
// Opens a file as a channel beside the current medium; *channel receives its handle.
int BASSOPEN(const std::string& path, int flags, uint32_t* channel);
int BASSPLAY(int64_t start, int64_t end, uint32_t channel);
// 1 when the handle is an open channel (free, or the current medium's), else 0.
int BASSHANDLEINUSE(uint32_t channel);
// 1 playing, 3 paused, 0 otherwise.
int BASSUSECHANNELISACTIVE(uint32_t channel);
int64_t BASSUSECHANNELGETPOSITION(uint32_t channel);
int64_t BASSUSECHANNELGETLENGTH(uint32_t channel);
int BASSUSECHANNELSETPOSITION(uint32_t channel, int64_t position);
int BASSCHANNELPAUSE(uint32_t channel);
// Goes on after a pause or a stop.
int BASSCHANNELRESUME(uint32_t channel);
int BASSCHANNELSTOP(uint32_t channel);
int BASSCLOSECHANNEL(uint32_t channel);
// Attributes: frequency (-1 keeps it; the layer plays every sound at its own rate),
// volume 0 to 100 (-1 keeps it), pan -100 to 100 (-101 keeps it).
int BASSCHANNELSETATTRIBUTES(uint32_t channel, int frequency, int volume, int pan);
int BASSCHANNELGETATTRIBUTES(uint32_t channel, int* frequency, int* volume, int* pan);
// Slides volume and pan to new values over milliseconds; volume -2 fades out and stops.
int BASSCHANNELSLIDEATTRIBUTES(uint32_t channel, int frequency, int volume, int pan, int milliseconds);
// 1 when the channel plays on the silent device (the machine has no sound output).
int BASSCHANNELSILENT(uint32_t channel);
