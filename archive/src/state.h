// The archive program's state: who it is, its folders, the archive, the picture list, the
// record form and the windows. Main thread only.
#pragma once
#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "db/db.h"
#include "dunmere/narration.h"
#include "grilton/archive_rules.h"
#include "grilton/filing.h"
#include "imaging/program_start.h"
#include "imaging/received_lists.h"
#include "jorvel/mixer_volume.h"
#include "skin/ui_text.h"
#include "win/gdiplus_session.h"
#include "win/raii.h"

namespace grilton {

// One field of the record form: its caption and its input control (null when the field
// has none).
struct FormField {
  HWND caption = nullptr;
  HWND control = nullptr;
};

struct Grilton : startup::ProgramIdentity {
  std::string commandLine;
  HICON icon = nullptr;
  MenuTable menus;
  StringTable strings{std::string()};
  win::Mutex mutex;
  win::GdiplusSession gdiplus;

  // Folders and files.
  std::string temporaryPicture;
  std::string scanFolder;
  std::string entry24Folder;
  std::string thesaurusAddFile;  // UI entry 77: when it exists filing adds new words
  ArchivePlace place;
  std::string settingsPath;
  ArchiveSettings settings;
  int screenWidth = 0;
  int screenHeight = 0;
  jorvel::MixerVolume mixer;
  UINT_PTR volumeTimer = 0;

  // Windows.
  HWND frame = nullptr;
  HWND clientHolder = nullptr;
  HWND menuHolder = nullptr;
  HWND zoomHolder = nullptr;
  HWND status = nullptr;
  HWND countDisplay = nullptr;
  HWND thesaurusBox = nullptr;
  HWND topicPanel = nullptr;
  HWND strip = nullptr;

  // The picture list: paths, the current picture (0-based, -1 for none), the list came
  // by message.
  std::vector<std::string> pictures;
  int current = -1;
  bool listByMessage = false;
  startup::ReceivedLists received;

  // The record form.
  int topicSlots = 10;
  std::vector<DBFIELD> fields;
  std::vector<FormField> form;
  std::vector<std::string> titles;  // caption of each field ("" for none)

  // The sound comment: the recorder, the copy of the last captured buffer that the
  // recording display draws, and the clip that plays a comment back.
  bool recording = false;
  dunmere::NarrationRecorder recorder;
  std::array<uint8_t, 1024> captureCopy{};
  size_t captureBytes = 0;
  int captureBits = 16;
  dunmere::SoundClip clip;
  HWND recordingDisplay = nullptr;
};

Grilton& App();
// UI entry n ("" when the file has none).
const std::string& Ui(int n);

}  // namespace grilton
