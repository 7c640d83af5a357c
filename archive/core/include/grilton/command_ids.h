// The archive's menu and control identifiers (tests drive the program by them too).
#pragma once

namespace grilton {

constexpr int kCmdStart = -1;  // posted by WINMAIN
constexpr int kCmdFirst = 1;
constexpr int kCmdBack = 2;
constexpr int kCmdFile = 3;
constexpr int kCmdDelete = 4;
constexpr int kCmdForward = 5;
constexpr int kCmdLast = 6;
constexpr int kCmdPlaySound = 7;
constexpr int kCmdRecord = 8;
constexpr int kCmdStopRecording = 9;
constexpr int kCmdDeleteSound = 10;
constexpr int kCmdEditPicture = 11;
constexpr int kThesaurusBox = 12;
constexpr int kCountDisplay = 13;
constexpr int kVolumeBar = 75;
constexpr int kCmdOpenDocument = 80;
constexpr int kCmdAttachDocument = 81;
constexpr int kCmdFileAll = 101;
constexpr int kCmdHelp = 105;
constexpr int kCmdNewThesaurus = 107;
constexpr int kCmdEditThesaurus = 108;
constexpr int kCmdScan = 201;
constexpr int kCmdSelectSource = 202;
constexpr int kCmdRecordingFirst = 401;
constexpr int kCmdRecordingLast = 412;

// The thesaurus choice box's notification of a new selection.
constexpr int kSelectionChanged = 9;

// Control identifiers of the form's fields: kFieldIdBase + field number.
constexpr int kFieldIdBase = 2000;  // clear of a combo box's own children (1000, 1001)

}  // namespace grilton
