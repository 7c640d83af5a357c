// The topic editor's menu and control identifiers (tests drive the program by them too).
#pragma once

namespace lumbric {

constexpr int kCmdStart = -1;  // posted by the form's builder: thesaurus and focus
// The form's buttons (clear of IDOK and IDCANCEL, which Enter and Escape send).
constexpr int kCmdSave = 11;
constexpr int kCmdDelete = 12;
constexpr int kCmdFirst = 13;
constexpr int kCmdLast = 14;
constexpr int kCmdPrevious = 15;
constexpr int kCmdNext = 16;
constexpr int kCmdMedia = 17;
constexpr int kCmdLock = 18;
constexpr int kThesaurusBox = 20;
constexpr int kThesaurusCheck = 21;
constexpr int kProgressBar = 22;
// Menu commands.
constexpr int kCmdNewThesaurus = 101;
constexpr int kCmdEditThesaurus = 102;
constexpr int kCmdTopicTitles = 103;
constexpr int kCmdSetPassword = 105;
constexpr int kCmdStatistics = 107;
constexpr int kCmdHelp = 109;
constexpr int kCmdRebuildIndex = 201;
constexpr int kCmdLibraryIndexes = 203;
constexpr int kCmdCompactLibraries = 204;
constexpr int kCmdExportThesaurus = 206;
constexpr int kCmdExportRecords = 207;
constexpr int kCmdEmptyWorkFolder = 209;

// The message that builds the form (sent once by WINMAIN with kBuildFormParameter).
constexpr unsigned kMsgBuildForm = 0x110;
constexpr unsigned kBuildFormParameter = 0x5155;
// Enter in the key field: the record of the typed number is shown.
constexpr unsigned kMsgKeyEntered = 0x400 + 13;

// Control identifiers of the form's fields: kFieldIdBase + field number.
constexpr int kFieldIdBase = 32200;

// The topic title window: confirm and cancel, the fields from kTitleFieldBase + row.
constexpr int kTitleConfirm = 100;
constexpr int kTitleCancel = 101;
constexpr int kTitleFieldBase = 200;

}  // namespace lumbric
