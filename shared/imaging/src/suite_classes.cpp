#include "imaging/suite_classes.h"

namespace {
const char* const kClasses[kSuiteListSize] = {kClassBrowser,        kClassPlayer,     kClassHelp,
                                              kClassAudioPlayer,    kClassSlideMaker, kClassPictureTool,
                                              kClassPictureBrowser, kClassSpectrum,   kClassBurner};
const char* const kPrograms[kSuiteListSize] = {"kelmor.exe",  "falcet.exe", "vandrel.exe", "jorvel.exe", "dunmere.exe",
                                               "bravik.exe",  "hessam.exe", "pelmor.exe",  "corvith.exe"};
}  // namespace

const char* SuiteClass(int entry) { return entry >= 1 && entry <= kSuiteListSize ? kClasses[entry - 1] : nullptr; }

const char* SuiteProgram(int entry) {
  return entry >= 1 && entry <= kSuiteListSize ? kPrograms[entry - 1] : nullptr;
}
