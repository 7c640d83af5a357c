// What the browser writes from the selected files, as a user and its partners see it: web
// index pages with their thumbnails. The browser runs under Wine and is driven from outside.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "bmp_file.h"
#include "fileio/file.h"
#include "fileio/paths.h"
#include "imaging/copydata.h"
#include "imglib/imglib.h"
#include "kelmor/index_pages.h"
#include "kelmor_command_fixture.h"
#include "test_windows.h"

namespace kelmor {

namespace {

int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

bool WriteJpeg(const std::string& path, int width, int height) {
  ImgBitmap bitmap{};
  if (L_CreateBitmap(&bitmap, width, height, 24) != imglib::kSuccess) return false;
  bool ok = L_SaveBitmap(path, &bitmap, imglib::kFormatJpeg, 24, 25) == imglib::kSuccess;
  L_FreeBitmap(&bitmap);
  return ok;
}

class KelmorOutput : public KelmorCommands {
 protected:
  // Selects the whole list and runs a command that asks for a target and a title.
  bool StartPages(HWND frame, int command, const std::string& target, const std::string& title) {
    SendAndWait(list_, LB_SETSEL, TRUE, -1);
    PostMessageA(frame, WM_COMMAND, WPARAM(command), 0);
    return ChooseTarget(target) && AnswerInput(title);
  }
};

TEST_F(KelmorOutput, WebPagesOfNinePicturesAreOnePageAndYesHandsThemToThePartner) {
  KelmorFolder& folder = Copy();
  std::string log = folder.Log("partner.txt");
  folder.SetPartner("KELMORPAGES", log);
  TempDir pictures, web;
  std::vector<std::string> names;
  for (int i = 1; i <= 9; ++i) {
    std::string name = "p" + std::to_string(i) + ".bmp";
    ASSERT_TRUE(WriteBmp(pictures.File(name), 300 + i, 200, 10, 20, 30));
    names.push_back(" " + name);
  }
  HWND frame = Start(pictures.Path(), "*.*");
  ASSERT_NE(frame, nullptr);
  ASSERT_EQ(WaitForList(list_, names, 10000).size(), 9u);
  ASSERT_TRUE(StartPages(frame, 904, web.Path(), "Tom & Jerry's <best>"));

  std::string question = MessageBoxText();
  EXPECT_NE(question.find("1 web page(s) written: " + web.Path() + "qorct???.htm"), std::string::npos) << question;
  std::string page = web.Read("QORCT001.htm");
  EXPECT_EQ(Count(page, "<td>"), 9);
  EXPECT_EQ(Count(page, "<tr "), 3);  // rows of 4, 4 and 1
  EXPECT_NE(page.find("Tom &amp; Jerry&#39;s &lt;best&gt;<br>\r\n<small><small><small>page 1/1"), std::string::npos);
  EXPECT_NE(page.find("<img src=\"p1.jpg\" width=\"275\""), std::string::npos) << page.substr(0, 900);
  EXPECT_FALSE(fileio::Exists(web.File("QORCT002.htm")));
  for (int i = 1; i <= 9; ++i) {
    ImgFileInfo info;
    ASSERT_EQ(L_FileInfo(web.File("p" + std::to_string(i) + ".jpg"), &info), imglib::kSuccess) << i;
    EXPECT_EQ(info.format, imglib::kFormatJpeg);
    EXPECT_EQ(info.width, 275);
  }
  EXPECT_TRUE(driver::PressButton("SKMSGBOX", 1, "", 5000));
  std::vector<LoggedMessage> got = WaitForLog(log, 2, 10000);
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].code, kCodeStarted);
  EXPECT_EQ(got[1].code, kCodeOpen);
  EXPECT_EQ(fileio::ToLower(got[1].text), fileio::ToLower(web.File("QORCT001.htm")));
  CloseStandin("KELMORPAGES");
  EXPECT_EQ(Close(), 0);
}

TEST_F(KelmorOutput, WebPagesIntoThePicturesOwnFolderChangeNoPicture) {
  TempDir pictures;
  ASSERT_TRUE(WriteJpeg(pictures.File("a.jpg"), 40, 30));
  ASSERT_TRUE(WriteBmp(pictures.File("a.bmp"), 60, 30, 200, 0, 0));
  for (int i = 10; i < 29; ++i) ASSERT_TRUE(WriteBmp(pictures.File("p" + std::to_string(i) + ".bmp"), 8, 8, 1, 2, 3));
  std::string jpeg = pictures.Read("a.jpg");
  HWND frame = Start(pictures.Path(), "*.*");
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(PumpUntil([&] { return SendMessageA(list_, LB_GETCOUNT, 0, 0) == 21; }, milliseconds(10000)));
  ASSERT_TRUE(StartPages(frame, 904, pictures.Path(), "own"));

  std::string question = MessageBoxText();
  EXPECT_EQ(question.rfind("2 web page(s)", 0), 0u) << question;
  EXPECT_TRUE(driver::PressButton("SKMSGBOX", 2, "", 5000));
  EXPECT_EQ(pictures.Read("a.jpg"), jpeg);
  std::string first = pictures.Read("QORCT001.htm"), second = pictures.Read("QORCT002.htm");
  EXPECT_NE(first.find("page 1/2"), std::string::npos);
  EXPECT_EQ(Count(first, "<td>"), 20);
  EXPECT_NE(second.find("page 2/2"), std::string::npos);
  EXPECT_EQ(Count(second, "<td>"), 1);
  // The list is sorted: a.bmp's thumbnail cannot be a.jpg (a source), a.jpg's then takes
  // the next free name.
  EXPECT_NE(first.find("<img src=\"a-2.jpg\" width=\"60\""), std::string::npos);
  EXPECT_NE(first.find("<img src=\"a-3.jpg\""), std::string::npos);
  ImgFileInfo info;
  ASSERT_EQ(L_FileInfo(pictures.File("a-3.jpg"), &info), imglib::kSuccess);
  EXPECT_EQ(info.width, 40);
  EXPECT_EQ(Close(), 0);
}

// The red, green and blue of a pixel of a decoded picture.
struct Rgb {
  int r = -1, g = -1, b = -1;
  bool operator==(const Rgb&) const = default;
};
Rgb PixelAt(const imglib::Picture& p, int x, int y) {
  const uint8_t* at = p.pixels.Row(y) + size_t(x) * 3;
  return Rgb{at[2], at[1], at[0]};
}
// Whether a row band holds a dark pixel (text).
bool HasDarkPixel(const imglib::Picture& p, int top, int bottom) {
  for (int y = top; y < bottom; ++y)
    for (int x = 0; x < p.pixels.Width(); ++x)
      if (PixelAt(p, x, y).r < 100) return true;
  return false;
}

TEST_F(KelmorOutput, IndexSheetsLayTheirPagesOutWithFramesAndFooters) {
  TempDir pictures;
  // Seven pictures, each of its own red value.
  for (int i = 1; i <= 7; ++i) ASSERT_TRUE(WriteBmp(pictures.File("p" + std::to_string(i) + ".bmp"), 40, 30, uint8_t(i * 30), 200, 10));
  Copy().SetMenuAction(1400, "2,2,6");
  HWND frame = Start(pictures.Path(), "*.*");
  ASSERT_NE(frame, nullptr);
  ASSERT_EQ(WaitForList(list_, {" p1.bmp", " p2.bmp", " p3.bmp", " p4.bmp", " p5.bmp", " p6.bmp", " p7.bmp"}, 10000).size(), 7u);
  SendAndWait(list_, LB_SETSEL, TRUE, -1);
  SendAndWait(frame, WM_COMMAND, 801, 0);
  EXPECT_TRUE(PumpUntil([&] { return SendMessageA(list_, LB_GETCOUNT, 0, 0) == 9; }, milliseconds(20000)));
  std::vector<std::string> items = driver::ListItems(list_);
  ASSERT_EQ(items.size(), 9u);
  EXPECT_EQ(items[0], " p1.bmp");
  EXPECT_EQ(items[7], " qorct001.bmp");
  EXPECT_EQ(items[8], " qorct002.bmp");
  imglib::Picture second;
  ASSERT_TRUE(ReadPicture(pictures.File("QORCT002.bmp"), second));
  ASSERT_EQ(second.pixels.Width(), 1114);
  ASSERT_EQ(second.pixels.Height(), 1538);
  // Cell 1 of page 2 holds the fifth picture; cell 4 is an empty frame; the frame's line
  // is black.
  EXPECT_EQ(PixelAt(second, 1 + 275, 1 + 376), (Rgb{150, 200, 10}));
  EXPECT_EQ(PixelAt(second, 562 + 275, 765 + 376), (Rgb{255, 255, 255}));
  EXPECT_EQ(PixelAt(second, 562, 765 + 100), (Rgb{0, 0, 0}));
  EXPECT_TRUE(HasDarkPixel(second, 1518 + 3, 1538));

  // 1400: one page of the first four, no footer; 1401: the first picture in every cell.
  SelectOnly(list_, {0, 1, 2, 3, 4, 5, 6});
  SendAndWait(frame, WM_COMMAND, 1400, 0);
  SelectOnly(list_, {1, 2, 3});
  SendAndWait(frame, WM_COMMAND, 1401, 0);
  EXPECT_TRUE(PumpUntil([&] { return SendMessageA(list_, LB_GETCOUNT, 0, 0) == 11; }, milliseconds(20000)));
  imglib::Picture one, copies;
  ASSERT_TRUE(ReadPicture(pictures.File("QORCT003.bmp"), one));
  EXPECT_EQ(PixelAt(one, 562 + 275, 765 + 376), (Rgb{120, 200, 10}));
  EXPECT_FALSE(HasDarkPixel(one, 1518 + 3, 1538));
  ASSERT_TRUE(ReadPicture(pictures.File("QORCT004.bmp"), copies));
  ASSERT_EQ(copies.pixels.Width(), 1114);
  for (CellCorner c : {CellCorner{1, 1}, CellCorner{562, 1}, CellCorner{1, 765}, CellCorner{562, 765}})
    EXPECT_EQ(PixelAt(copies, c.x + 275, c.y + 376), (Rgb{60, 200, 10})) << c.x << "," << c.y;
  EXPECT_FALSE(fileio::Exists(pictures.File("QORCT005.bmp")));
  EXPECT_EQ(Close(), 0);
}

// The test prefix maps drive T: to a folder of the build with a folder "sub" whose "back"
// is a link to T:\ (scripts/wine-prefix.sh).
bool TestDriveMapped() { return fileio::IsDirectory("T:\\sub"); }

// Drive T: holding one file of each kind a catalogue must tell apart.
void FillTestDrive() {
  for (const auto& e : fileio::ListDirectory("T:\\*.*"))
    if (!e.directory) fileio::RemoveFile("T:\\" + e.name);
  for (const auto& e : fileio::ListDirectory("T:\\sub\\*.*"))
    if (!e.directory) fileio::RemoveFile("T:\\sub\\" + e.name);
  fileio::WriteFileReplacing("T:\\MOVIE.DAT", "RIFF" + std::string(60, 'm'));
  fileio::WriteFileReplacing("T:\\DATA.DAT", "not a video at all");
  fileio::WriteFileReplacing("T:\\pic.gif", std::string("GIF89a\x80\x02\xe0\x01", 10) + std::string(1990, '\0'));
  fileio::WriteFileReplacing("T:\\empty.bmp", "");
  WriteBmp("T:\\photo.xyz", 16, 16, 1, 2, 3);
  WriteBmp("T:\\sub\\b.bmp", 30, 20, 9, 9, 9);
}

std::string Padded(const std::string& header) { return header + std::string(80 - header.size(), ' ') + "\r\n\r\n"; }

TEST_F(KelmorOutput, CataloguesOfADriveListWhatTheyProbeAndWalkALinkLoopOnce) {
  if (!TestDriveMapped()) GTEST_SKIP() << "drive T: is not mapped";
  FillTestDrive();
  KelmorFolder& folder = Copy();
  std::string log = folder.Log("viewer.txt");
  folder.AddStandinAs("vandrel.exe", "QMHELP", log);
  ChildProcess viewer;
  ASSERT_TRUE(StartStandin(viewer, "QMHELP", log));
  TempDir files;
  HWND frame = Start(files.Path(), "*.*");
  ASSERT_NE(frame, nullptr);

  PostMessageA(frame, WM_COMMAND, 405, 0);
  ASSERT_TRUE(driver::PressButton("SKMSGBOX", 0, "T:", kBoxMs));
  std::string pictures = folder.ProgramFolder() + "CATTPIC.TXT";
  std::vector<LoggedMessage> got = WaitForLog(log, 1, 20000);
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].code, kCodeOpen);
  EXPECT_EQ(fileio::ToLower(got[0].text), fileio::ToLower(pictures));
  std::string bytes;
  ASSERT_EQ(fileio::ReadWholeFile(pictures, bytes), fileio::kOk);
  EXPECT_EQ(bytes, Padded("T: 3 pictures - 4 KB") +
                       "                     0 k\tT:\\empty.bmp\r\n"
                       "640x480              2 k\tT:\\pic.gif\r\n"
                       "30x20                2 k\tT:\\sub\\b.bmp\r\n");
  // With UI entry 75 at 2, 405 puts what it found into the (empty) collection list.
  HWND collection = driver::FindChild(frame, kCollectionList);
  EXPECT_EQ(driver::ListItems(collection),
            (std::vector<std::string>{" T:\\empty.bmp", " T:\\pic.gif", " T:\\sub\\b.bmp"}));

  // Videos: only the .DAT that begins with RIFF. 402 collects too, after a question since
  // the collection list holds files: "no" leaves it as it is.
  PostMessageA(frame, WM_COMMAND, 402, 0);
  ASSERT_TRUE(driver::PressButton("SKMSGBOX", 0, "T:", kBoxMs));
  std::string question;
  PumpUntil([&] { return (question = MessageBoxText(1000)).find("Empty it first") != std::string::npos; },
            milliseconds(kBoxMs));
  EXPECT_EQ(question, "The collection list holds files. Empty it first?");
  EXPECT_TRUE(driver::PressButton("SKMSGBOX", 2, "", 5000));
  std::string videos = folder.ProgramFolder() + "CATTVID.TXT";
  got = WaitForLog(log, 2, 20000);
  ASSERT_EQ(got.size(), 2u);
  ASSERT_EQ(fileio::ReadWholeFile(videos, bytes), fileio::kOk);
  EXPECT_EQ(bytes, Padded("T: 1 videos - 0 KB") + "                     0 k\tT:\\MOVIE.DAT\r\n");

  // A catalogue that cannot be written is named with its error, not as "nothing found";
  // 406 does not collect at 2.
  fileio::MakeDirectories(folder.ProgramFolder() + "CATTSIZ.TXT\\in the way");
  PostMessageA(frame, WM_COMMAND, 406, 0);
  ASSERT_TRUE(driver::PressButton("SKMSGBOX", 0, "T:", kBoxMs));
  std::string report;
  // The drive box may still be there a moment after its button.
  PumpUntil([&] { return (report = MessageBoxText(1000)).find("CATTSIZ.TXT") != std::string::npos; },
            milliseconds(kBoxMs));
  EXPECT_NE(report.find("CATTSIZ.TXT"), std::string::npos) << report;
  EXPECT_EQ(report.find("No files of this type"), std::string::npos) << report;
  EXPECT_TRUE(driver::PressButton("SKMSGBOX", 1, "", 5000));
  EXPECT_EQ(driver::ListItems(collection).size(), 3u);
  CloseStandin("QMHELP");
  EXPECT_EQ(Close(), 0);
}

}  // namespace
}  // namespace kelmor
