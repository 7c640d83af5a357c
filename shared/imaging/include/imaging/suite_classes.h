// The main window classes of the suite's programs (also the names of their single-instance
// mutexes), and the suite list built from them. Portable.
#pragma once

inline constexpr const char* kClassBrowser = "SKMBROWSER";          // kelmor, the media browser
inline constexpr const char* kClassPlayer = "QPLAYER";              // falcet, the media player
inline constexpr const char* kClassHelp = "QMHELP";                 // vandrel, the help viewer
inline constexpr const char* kClassAudioPlayer = "JORVELPLAYER";    // jorvel, the audio player
inline constexpr const char* kClassSlideMaker = "SKSLIDEMAKER";     // dunmere, the slide show maker
inline constexpr const char* kClassPictureTool = "QPICTOOL";        // bravik, the picture tool
inline constexpr const char* kClassPictureBrowser = "QPICBROWSER";  // hessam, the picture browser
inline constexpr const char* kClassSpectrum = "QSPECTRUM";          // pelmor, the spectrum display
inline constexpr const char* kClassBurner = "QBURNER";              // corvith, the disc burner
inline constexpr const char* kClassArchive = "GRILTONARCHIVER";     // grilton, the archive
inline constexpr const char* kClassTopicEditor = "QSUPERVISOR";     // lumbric, the topic editor
inline constexpr const char* kClassMaintenance = "QORSDI";          // narwen, the database maintenance
inline constexpr const char* kClassQuery = "QDQUERY";               // ostrel, the query tool

// The suite list: window classes and program files by position, from 1.
constexpr int kSuiteListSize = 9;
const char* SuiteClass(int entry);    // kClassBrowser .. kClassBurner; null outside 1..9
const char* SuiteProgram(int entry);  // "kelmor.exe" .. "corvith.exe"; null outside 1..9
