#include <gtest/gtest.h>

#include "imaging/program_paths.h"

using startup::ProgramPathsOf;

TEST(ProgramPaths, EveryPathFromTheExePath) {
  startup::ProgramPaths p = ProgramPathsOf("C:\\Suite\\kelmor.exe");
  EXPECT_EQ(p.exePath, "C:\\Suite\\kelmor.exe");
  EXPECT_EQ(p.programFolder, "C:\\Suite\\");
  EXPECT_EQ(p.programFile, "kelmor.exe");
  EXPECT_EQ(p.programName, "kelmor");
  EXPECT_EQ(p.basePath, "C:\\Suite\\kelmor");
  EXPECT_EQ(p.uiFile, "C:\\Suite\\kelmor.SYS");
}

TEST(ProgramPaths, OnlyTheLastDotOfTheFileNameEndsTheName) {
  // A dotted folder keeps its dot; a dotted program name loses only its extension.
  startup::ProgramPaths p = ProgramPathsOf("D:\\My.Programs\\fal.cet.EXE");
  EXPECT_EQ(p.programFolder, "D:\\My.Programs\\");
  EXPECT_EQ(p.programFile, "fal.cet.EXE");
  EXPECT_EQ(p.programName, "fal.cet");
  EXPECT_EQ(p.basePath, "D:\\My.Programs\\fal.cet");
  EXPECT_EQ(p.uiFile, "D:\\My.Programs\\fal.cet.SYS");
  // A program at the root of a drive: the folder is the root, with one "\".
  p = ProgramPathsOf("E:\\dunmere.exe");
  EXPECT_EQ(p.programFolder, "E:\\");
  EXPECT_EQ(p.uiFile, "E:\\dunmere.SYS");
}

TEST(ProgramPaths, TheMissingUiFileText) {
  EXPECT_EQ(startup::MissingUiFileText("C:\\Suite\\bravik.SYS"), "C:\\Suite\\bravik.SYS missing !");
  EXPECT_EQ(startup::kExitMissingUiFile, 2);
}
