// The box style presets: the colours come from the skin in use when the style is made.
#include <gtest/gtest.h>
#include <windows.h>

#include "skin/sk_msgbox.h"
#include "skin/skin.h"
#include "temp_dir.h"

namespace {

TEST(SkBoxStyle, PresetsTakeTheColoursOfTheCurrentSkin) {
  TempDir dir;
  dir.Write("one.sks", "[colours]\n112 = 1, 2, 3\n113 = 4, 5, 6\n");
  dir.Write("two.sks", "[colours]\n112 = 7, 8, 9\n113 = 10, 11, 12\n");
  SKINITENGINE(dir.File("one.sks"));
  SkBoxStyle first = SkBoxStyle::Warning();
  EXPECT_EQ(first.textColour, RGB(4, 5, 6));
  EXPECT_EQ(first.secondColour, RGB(1, 2, 3));
  SKINITENGINE(dir.File("two.sks"));
  for (const SkBoxStyle& style : {SkBoxStyle::Warning(), SkBoxStyle::Question(), SkBoxStyle::Input(nullptr, 16)}) {
    EXPECT_EQ(style.textColour, RGB(10, 11, 12));
    EXPECT_EQ(style.secondColour, RGB(7, 8, 9));
  }
  SKINITENGINE("");
}

TEST(SkBoxStyle, TheStopBoxSetsNoColoursAndAQuestionHasItsIcon) {
  // The stop box reports faults before the program has read its skin.
  SKINITENGINE("");
  SkBoxStyle stop = SkBoxStyle::Stop();
  EXPECT_EQ(stop.icon, LoadIcon(nullptr, IDI_HAND));
  EXPECT_EQ(stop.textColour, 0u);
  EXPECT_EQ(stop.secondColour, 0u);
  HICON program = LoadIcon(nullptr, IDI_APPLICATION);
  EXPECT_EQ(SkBoxStyle::Question(program).icon, program);
  EXPECT_EQ(SkBoxStyle::Question().icon, LoadIcon(nullptr, IDI_QUESTION));
  EXPECT_EQ(SkBoxStyle::Question().kind, kSkBoxQuestion);
}

}  // namespace
