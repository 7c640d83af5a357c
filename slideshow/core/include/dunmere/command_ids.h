// The identifiers of the slide show maker's controls and menu commands. Controls and
// commands share one number space (both arrive as WM_COMMAND); a menu command is 100 x its
// menu's number + its item, as the UI text file numbers them. Portable, so that the layout,
// the rules and the tests name them as the window does.
#pragma once

namespace dunmere {

// The main window's controls.
enum Control : int {
  kEffectGroupBox = 1,
  kEffectList = 2,
  kTextField = 3,
  kSlideList = 4,
  kApplyEffectButton = 5,
  kPreviewButton = 6,
  kDeleteEffectButton = 7,
  kPreviewPane = 8,
  kSaveTextButton = 9,
  kDeleteTextButton = 10,
  kPlayButton = 11,
  kTotalLabel = 12,
  kMusicLabel = 13,
  kProgressBar = 14,
  kLevelDisplay = 15,  // the loudness of a narration while it records
  kPlaySoundButton = 51,
  kRecordButton = 52,
  kStopButton = 53,
  kDeleteSoundButton = 54,
  kVolumeBar = 75,
};

// The menus by number: the show menu, the slides menu (also the slide list's context
// menu) and the display times.
inline constexpr int kShowMenu = 1;
inline constexpr int kSlidesMenu = 2;
inline constexpr int kTimeMenu = 5;

// Single commands.
enum Command : int {
  kCmdNewShow = 101,
  kCmdOpenShow = 102,
  kCmdSaveShow = 103,
  kCmdBuildShow = 104,
  kCmdPicturesFromBrowser = 106,
  kCmdChooseMusic = 107,
  kCmdNoMusic = 108,
  kCmdHelp = 110,
  kCmdRemoveSlides = 203,
  kCmdEffectToSelected = 204,
  kCmdSelectAll = 205,
  kCmdInvertSelection = 206,
  kCmdSelectNone = 207,
  kCmdCut = 209,
  kCmdPaste = 210,
  kCmdOpenBrowser = 212,
  kCmdDeleteTexts = 214,
  kCmdDeleteSounds = 215,
  kCmdDeleteEffects = 216,
  kCmdDeleteTimes = 217,
};

// A group of commands whose action texts are the values they choose.
struct CommandGroup {
  int first;
  int last;
  constexpr bool Holds(int command) const { return command >= first && command <= last; }
};

inline constexpr CommandGroup kDisplayTimes{501, 513};
inline constexpr int kCmdDefaultDisplayTime = 513;  // the show's default: the tim file goes
inline constexpr CommandGroup kRecordingQualities{601, 612};
inline constexpr CommandGroup kGroupValues{701, 709};
inline constexpr CommandGroup kDefaultTimes{801, 812};
inline constexpr CommandGroup kModes{901, 902};
inline constexpr CommandGroup kOutputSizes{1001, 1014};
inline constexpr CommandGroup kVideoSizes{1011, 1014};  // the output sizes that record a video
inline constexpr CommandGroup kFrameRates{1101, 1199};

}  // namespace dunmere
