// Reachability of every program's commands, as the program is installed: for each of the
// ten, the command identifiers its window procedure handles, split by who sends them - the
// user through the shipped menus (<program>.SYS), through the buttons and controls of its
// windows, through keys - or only partners and the program itself. Each test holds the
// shipped menus and the running program's controls against that list: every menu item has
// a handler, and every command meant for the user is offered somewhere.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>

#include "driver.h"
#include "fileio/file.h"
#include "installed_suite.h"
#include "program_test.h"
#include "skin/ui_text.h"

namespace roads {
namespace {

struct Range {
  int first;
  int last;
};

struct Reach {
  const char* program;
  // User commands that the window procedure handles and the shipped menus are to offer.
  std::vector<int> menu;
  // Groups of menu items handled by their range (options whose action text is the value,
  // entries made from a list); the menus may offer any part of them.
  std::vector<Range> menuRanges;
  // User commands of the controls the main window (or its pane) shows after a plain start.
  std::vector<int> controls;
  // User commands reached by a key, with the key.
  std::vector<std::pair<int, const char*>> keys;
  // Commands only partners or the program itself send: no user reaches them, by design.
  std::vector<std::pair<int, const char*>> partnerOnly;
};

std::vector<int> Span(int first, int last) {
  std::vector<int> v;
  for (int i = first; i <= last; ++i) v.push_back(i);
  return v;
}

std::vector<int> Join(std::initializer_list<std::vector<int>> parts) {
  std::vector<int> v;
  for (const auto& p : parts) v.insert(v.end(), p.begin(), p.end());
  return v;
}

// Read from each program's command dispatch (its OnCommand and the menus it builds).
const std::vector<Reach>& Table() {
  static const std::vector<Reach> table{
      {"kelmor",
       Join({{101, 103, 104, 105, 106, 107, 108, 110, 112, 113, 114, 116},
             {201, 202, 203, 204, 205, 206, 208, 210, 212},
             Span(401, 406), {408}, {701}, Span(703, 707), {710, 711}, Span(801, 807), {809},
             Span(901, 907), Span(1201, 1204), Span(1301, 1304), Span(1501, 1503)}),
       {{301, 399} /* skins */, {503, 509} /* suite programs */, {1001, 1005} /* tools */,
        {1101, 1199} /* documents */, {1400, 1499} /* sheet layouts */},
       {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15},
       {},
       {{95, "the disc burner's button: shown only when the burner is installed"}}},
      {"bravik",
       Join({{101, 102, 104, 106, 107, 108, 110, 112}, Span(203, 212), {214, 216, 217}, Span(301, 304),
             {306, 308, 309, 313, 315, 317}, Span(401, 406), Span(408, 414), Span(601, 606), {608},
             Span(701, 708), Span(801, 803), Span(901, 908), {1001, 1002}}),
       {{1101, 1111} /* the object's popup */, {1201, 1205} /* fills */, {1301, 1302} /* order */},
       {1, 2, 3, 4, 42, 76},
       {{112, "F1"}},
       {}},
      {"jorvel",
       // Its frame is never shown: the pane is what the user sees, its menus stay out of reach
       // and every command they hold is on a pane button too.
       {},
       {{51, 56}, {71, 71}, {74, 74}, {101, 103}},
       {51, 53, 54, 55, 56, 57, 61, 67, 71, 74, 76, 77, 78},
       {},
       {{73, "the restart a partner posts"}}},
      {"dunmere",
       Join({{101, 102, 103, 104, 106, 107, 108, 110}, {203, 204, 205, 206, 207, 209, 210, 212},
             Span(214, 217)}),
       {{501, 513} /* display times */, {601, 612} /* recording qualities */, {701, 709} /* group values */,
        {801, 812} /* default times */, {901, 902} /* modes */, {1001, 1014} /* output sizes */,
        {1101, 1199} /* frame rates */},
       {1, 2, 3, 4, 5, 6, 7, 9, 10, 11, 51, 52, 53, 54, 75},
       {{110, "F1 in the slide list"}, {209, "Delete in the slide list"}, {210, "Insert in the slide list"},
        {205, "Ctrl+A in the slide list"}, {207, "Ctrl+Z in the slide list"}},
       {}},
      {"falcet",
       {51, 52, 55, 56, 57, 63, 68, 70, 71, 72, 74, 101, 103, 301, 401, 403, 404, 405, 407, 409, 411},
       {{303, 308} /* sizes */},
       {51, 53, 54, 55, 56, 61, 67, 68, 71, 72, 74, 76, 77},
       {},
       {{73, "the second restart, as 57"}}},
      {"hessam",
       {101, 201, 203, 204, 206, 207, 209},
       {},
       // Paging, printing, the zoom and clear buttons of the four selection cells, help,
       // the folder tree and the picture button.
       Join({Span(1, 14), {15, 16, 17}}),
       {{15, "F1"}},
       {{99, "posted by the window itself at the end of its layout"}}},
      {"grilton",
       {3, 4, 11, 101, 105, 107, 108, 201, 202},
       {{401, 412} /* recording qualities */},
       {1, 2, 5, 6, 7, 8, 9, 10, 12, 75, 80, 81},
       {{105, "F1"}},
       {{-1, "posted by WINMAIN: the first listing"}}},
      {"lumbric",
       {101, 102, 103, 105, 107, 109, 201, 203, 204, 206, 207, 209},
       {},
       {11, 12, 13, 14, 15, 16, 17, 18, 20},
       {{109, "F1"}},
       {{-1, "posted by the form's builder"}}},
      {"ostrel",
       {101, 103, 105, 107, 109},
       {},
       Join({Span(301, 304), Span(311, 319), {320, 322}}),
       {{107, "F1"}},
       {}},
      {"narwen",
       {101, 102, 201, 202, 203, 204},
       {},
       {},
       {},
       {}},
  };
  return table;
}

const Reach& ReachOf(const std::string& program) {
  for (const Reach& r : Table())
    if (program == r.program) return r;
  return Table().front();
}

bool InRanges(int id, const std::vector<Range>& ranges) {
  return std::any_of(ranges.begin(), ranges.end(), [id](const Range& r) { return id >= r.first && id <= r.last; });
}

std::string List(const std::vector<int>& ids) {
  std::ostringstream s;
  for (int id : ids) s << id << ' ';
  return s.str();
}

UiTextFile ShippedUiFile(const InstalledSuite& suite, const std::string& program) {
  std::string text;
  EXPECT_EQ(fileio::ReadWholeFile(suite.Folder() + program + ".SYS", text), fileio::kOk) << program;
  std::vector<UiTextError> errors;
  UiTextFile file = ParseUiText(text, errors);
  EXPECT_TRUE(errors.empty()) << program << ".SYS: " << UiTextErrorReport(program + ".SYS", errors);
  return file;
}

class Reachability : public ::testing::TestWithParam<std::string> {};

// Every item of the shipped menus reaches a handler; every user command the window
// procedure handles for a menu is there.
TEST_P(Reachability, TheShippedMenusAndTheHandlersAgree) {
  InstalledSuite suite;
  ASSERT_TRUE(suite.Complete());
  const Reach& r = ReachOf(GetParam());
  UiTextFile file = ShippedUiFile(suite, r.program);
  std::set<int> offered;
  int ends = 0;
  for (const Menu& menu : file.menus.menus)
    for (const MenuItem& item : menu.items) {
      if (item.separator) continue;
      offered.insert(item.command);
      if (item.action == "END") {
        ++ends;
        continue;
      }
      bool handled = std::find(r.menu.begin(), r.menu.end(), item.command) != r.menu.end() ||
                     InRanges(item.command, r.menuRanges);
      EXPECT_TRUE(handled) << r.program << ".SYS item " << item.command << " \"" << item.caption
                           << "\" reaches no handler";
    }
  // The user can always leave through the menus (the audio player's frame is never shown).
  if (std::string(r.program) != "jorvel") {
    EXPECT_GE(ends, 1) << r.program << " has no exit item";
  }
  for (int id : r.menu) EXPECT_EQ(offered.count(id), 1u) << r.program << ": command " << id << " is in no menu";
}

// Every user command of a control is on a shown control of the running program.
TEST_P(Reachability, TheRunningProgramShowsItsControls) {
  const Reach& r = ReachOf(GetParam());
  const SuiteProgramInfo& p = SuiteProgramNamed(r.program);
  InstalledSuite suite;
  ASSERT_TRUE(suite.Complete());
  ChildProcess process;
  ASSERT_TRUE(suite.Start(process, p.name));
  HWND frame = WaitForProgram(process, p);
  ASSERT_NE(frame, nullptr) << p.name;
  std::vector<int> shown;
  // Controls of a pane or holder may follow their window a moment later.
  WaitUntil(
      [&] {
        shown = VisibleControlIds(process.Id());
        return std::all_of(r.controls.begin(), r.controls.end(), [&](int id) {
          return std::binary_search(shown.begin(), shown.end(), id);
        });
      },
      std::chrono::milliseconds(20000), std::chrono::milliseconds(50));
  for (int id : r.controls)
    EXPECT_TRUE(std::binary_search(shown.begin(), shown.end(), id))
        << p.name << ": no shown control " << id << " (shown: " << List(shown) << ")";
  EXPECT_EQ(EndProgram(process, frame, std::chrono::milliseconds(30000)), 0);
}

std::vector<std::string> Programs() {
  std::vector<std::string> names;
  for (const Reach& r : Table()) names.push_back(r.program);
  return names;
}

INSTANTIATE_TEST_SUITE_P(Suite, Reachability, ::testing::ValuesIn(Programs()),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

TEST(ReachabilityTable, CoversTheTenProgramsWithoutOverlaps) {
  ASSERT_EQ(Table().size(), SuitePrograms().size());
  for (const Reach& r : Table()) {
    std::set<int> seen;
    for (const auto& [id, why] : r.partnerOnly) {
      EXPECT_TRUE(seen.insert(id).second) << r.program << " " << id;
      EXPECT_EQ(std::count(r.menu.begin(), r.menu.end(), id), 0) << r.program << ": " << id << " " << why;
      EXPECT_EQ(std::count(r.controls.begin(), r.controls.end(), id), 0) << r.program << ": " << id;
    }
    // A key gives a command the menus or the controls give too.
    for (const auto& [id, key] : r.keys)
      EXPECT_TRUE(std::count(r.menu.begin(), r.menu.end(), id) || std::count(r.controls.begin(), r.controls.end(), id))
          << r.program << ": " << key << " gives " << id;
  }
}

}  // namespace
}  // namespace roads
