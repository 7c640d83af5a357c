#include "fileio/folder_guard.h"

#include <gtest/gtest.h>

namespace {

fileio::ProtectedFolders Guarded() {
  fileio::ProtectedFolders p;
  p.windowsFolder = "C:\\Windows\\";
  p.systemFolder = "C:\\Windows\\System32";
  p.programFolder = "D:\\Suite\\";
  p.dataFolder = "\\\\server\\archive\\data\\";
  return p;
}

TEST(FolderGuard, RootsAndPartialPathsAreNeverDisposable) {
  for (const char* folder : {"C:\\", "c:", "D:/", "\\\\server\\share\\", "\\\\server\\share", "work\\", "", "  ",
                             "C:\\..", "C:\\temp\\..\\..", "\\\\server\\"})
    EXPECT_FALSE(fileio::IsDisposableFolder(folder, Guarded())) << folder;
}

TEST(FolderGuard, ProtectedFoldersAndTheirParentsAreRefusedInAnySpelling) {
  for (const char* folder : {"c:\\windows", "C:\\WINDOWS\\SYSTEM32\\", "C:/Windows/System32/.", "d:\\suite",
                             "D:\\Suite\\Work\\..\\", "\\\\SERVER\\ARCHIVE\\DATA", "\\\\server\\archive\\",
                             "C:\\Temp\\..\\Windows\\"})
    EXPECT_FALSE(fileio::IsDisposableFolder(folder, Guarded())) << folder;
}

TEST(FolderGuard, FoldersBelowOrBesideProtectedOnesMayBeEmptied) {
  for (const char* folder : {"D:\\Suite\\WORK\\", "C:\\Windows\\Temp\\Archive", "C:\\Windowsx\\",
                             "\\\\server\\archive\\data\\work", "E:\\scans"})
    EXPECT_TRUE(fileio::IsDisposableFolder(folder, Guarded())) << folder;
  // A folder inside the Windows folder is not the Windows folder itself.
  fileio::ProtectedFolders none;
  EXPECT_TRUE(fileio::IsDisposableFolder("C:\\Windows", none));
  none.others = {"E:\\keep\\"};
  EXPECT_FALSE(fileio::IsDisposableFolder("e:\\KEEP", none));
}

#ifndef _WIN32
TEST(FolderGuard, NativeFullPathsStartAtTheRoot) {
  fileio::ProtectedFolders p;
  p.dataFolder = "/srv/archive/";
  for (const char* folder : {"/", "//", "/srv", "/srv/archive/", "/srv/x/../archive", "tmp/work"})
    EXPECT_FALSE(fileio::IsDisposableFolder(folder, p)) << folder;
  for (const char* folder : {"/tmp/work/", "/srv/archive/result", "/srv/other"})
    EXPECT_TRUE(fileio::IsDisposableFolder(folder, p)) << folder;
}
#endif

}  // namespace
