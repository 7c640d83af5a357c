// The picture tool's objects as a user makes and changes them: every kind of shape drawn,
// saved into the layered side file and read back, and an object's own menu.
#include <gtest/gtest.h>
#include <windows.h>

#include "bravik_fixture.h"
#include "driver.h"
#include "imaging/layer_file.h"

namespace bravik {
namespace {

// The kind of an object window (its creation parameter holds kind and style).
int KindOf(HWND object) { return LOWORD(GetWindowLongPtrA(object, GWLP_USERDATA)); }

HWND ObjectOfKind(const Tool& tool, int kind) {
  for (HWND w : tool.Objects())
    if (KindOf(w) == kind) return w;
  return nullptr;
}

const layer::Object* OfKind(const std::vector<layer::Object>& objects, int kind) {
  for (const layer::Object& o : objects)
    if (o.kind == kind) return &o;
  return nullptr;
}

struct Drawn {
  int command;
  int styleItem;  // of the fill style menu: the style; 0 for the arrow (style 5)
  int penWidth;
  std::vector<POINT> points;
};

TEST_F(Bravik, EveryShapeKindIsSavedIntoTheSideFileAndReadBack) {
  BravikFolder& folder = Copy();
  std::string plain = folder.Picture("plain.bmp");
  Tool tool = StartWithPicture("plain.bmp", 300, 200);
  ASSERT_TRUE(tool.Started());
  const std::vector<Drawn> shapes{
      {kCmdNewEllipse, 2, 3, {{10, 10}, {60, 40}}},
      {kCmdNewRectangle, 1, 2, {{70, 10}, {120, 40}}},
      {kCmdNewCurve, 5, 4, {{10, 60}, {40, 90}, {70, 60}}},
      {kCmdNewArrow, 0, 5, {{100, 60}, {150, 100}}},
      {kCmdNewPolyline, 3, 1, {{10, 120}, {50, 160}, {90, 120}, {130, 160}}},
  };
  for (const Drawn& d : shapes) ASSERT_TRUE(tool.AddShape(d.command, d.styleItem, d.penWidth, d.points)) << d.command;
  ASSERT_TRUE(tool.SaveAs("shapes.png"));

  std::vector<layer::Object> saved = SideObjects(folder.Picture("shapes.png"));
  ASSERT_EQ(saved.size(), shapes.size());
  for (const Drawn& d : shapes) {
    int kind = d.command - kCmdNewText + layer::kText;
    const layer::Object* o = OfKind(saved, kind);
    ASSERT_NE(o, nullptr) << kind;
    EXPECT_EQ(o->style, d.styleItem ? d.styleItem : 5) << kind;
    EXPECT_EQ(o->size, d.penWidth) << kind;
    EXPECT_EQ(o->visible, 1) << kind;
    ASSERT_EQ(o->points.size(), d.points.size()) << kind;
    // The points are kept relative to the object's place: they add up to the clicks.
    for (size_t i = 0; i < d.points.size(); ++i) {
      EXPECT_EQ(o->x + o->points[i].x, d.points[i].x) << kind << " point " << i;
      EXPECT_EQ(o->y + o->points[i].y, d.points[i].y) << kind << " point " << i;
    }
  }

  // Opened again, the picture brings every shape back, each of its kind; saved again under
  // another name, they are the same objects.
  ASSERT_TRUE(tool.Open(plain, "plain.bmp 300 x200"));
  EXPECT_TRUE(tool.Objects().empty());
  ASSERT_TRUE(tool.Open(folder.Picture("shapes.png"), "shapes.png 300 x200"));
  ASSERT_TRUE(tool.WaitObjects(shapes.size()));
  for (int kind = layer::kEllipse; kind <= layer::kPolyline; ++kind) EXPECT_NE(ObjectOfKind(tool, kind), nullptr) << kind;
  ASSERT_TRUE(tool.SaveAs("again.png"));
  std::vector<layer::Object> again = SideObjects(folder.Picture("again.png"));
  ASSERT_EQ(again.size(), saved.size());
  for (const layer::Object& o : saved) {
    const layer::Object* a = OfKind(again, o.kind);
    ASSERT_NE(a, nullptr) << o.kind;
    EXPECT_EQ(a->style, o.style) << o.kind;
    EXPECT_EQ(a->size, o.size) << o.kind;
    EXPECT_EQ(a->points, o.points) << o.kind;
    EXPECT_EQ(a->x, o.x) << o.kind;
    EXPECT_EQ(a->y, o.y) << o.kind;
    EXPECT_EQ(a->colour, o.colour) << o.kind;
  }
  EXPECT_EQ(tool.End(), 0);
}

// The object's own menu (right button): duplicate, delete, edit in the object's box, and
// its fill style; each reaches the side file.
TEST_F(Bravik, TheObjectMenuDuplicatesDeletesEditsAndStylesAnObject) {
  BravikFolder& folder = Copy();
  Tool tool = StartWithPicture("a.bmp", 200, 150);
  ASSERT_TRUE(tool.Started());
  ASSERT_TRUE(tool.AddRectangle(2, 20, 20, 80, 60));
  ASSERT_TRUE(tool.AddText("Label"));
  HWND rect = ObjectOfKind(tool, layer::kRectangle);
  ASSERT_NE(rect, nullptr);
  RECT place;
  GetWindowRect(rect, &place);

  // Duplicate (the menu's second item): a copy over the original.
  ASSERT_TRUE(tool.OpenObjectMenu(rect));
  ASSERT_TRUE(ChooseMenuItem(tool.ProcessId(), 2, kWaitMs));
  ASSERT_TRUE(tool.WaitObjects(3));
  HWND copy = nullptr;
  for (HWND w : tool.Objects())
    if (w != rect && KindOf(w) == layer::kRectangle) copy = w;
  ASSERT_NE(copy, nullptr);
  RECT copyPlace;
  GetWindowRect(copy, &copyPlace);
  EXPECT_TRUE(EqualRect(&place, &copyPlace));

  // Delete (the eighth): the copy goes.
  ASSERT_TRUE(tool.OpenObjectMenu(copy));
  ASSERT_TRUE(ChooseMenuItem(tool.ProcessId(), 8, kWaitMs));
  ASSERT_TRUE(tool.WaitObjects(2));
  EXPECT_FALSE(IsWindow(copy));

  // Edit (the first): the shape box with another pen width; the edited shape replaces it.
  ASSERT_TRUE(tool.OpenObjectMenu(rect));
  ASSERT_TRUE(ChooseMenuItem(tool.ProcessId(), 1, kWaitMs));
  ASSERT_TRUE(tool.AnswerShapeBox(6));
  ASSERT_TRUE(PumpUntil([&] { return !IsWindow(rect); }, std::chrono::milliseconds(kWaitMs)));
  ASSERT_TRUE(tool.WaitObjects(2));
  rect = ObjectOfKind(tool, layer::kRectangle);
  ASSERT_NE(rect, nullptr);

  // Fill (the tenth item's submenu), its second style: solid.
  ASSERT_TRUE(tool.OpenObjectMenu(rect));
  ASSERT_TRUE(ChooseSubmenuItem(tool.ProcessId(), 10, 2, kWaitMs));
  EXPECT_TRUE(PumpUntil([&] { return HIWORD(GetWindowLongPtrA(rect, GWLP_USERDATA)) == 2; },
                        std::chrono::milliseconds(kWaitMs)));

  // A text is edited in the text box.
  HWND text = ObjectOfKind(tool, layer::kText);
  ASSERT_NE(text, nullptr);
  ASSERT_TRUE(tool.OpenObjectMenu(text));
  ASSERT_TRUE(ChooseMenuItem(tool.ProcessId(), 1, kWaitMs));
  ASSERT_TRUE(tool.AnswerTextBox("Changed"));
  ASSERT_TRUE(PumpUntil([&] { return !IsWindow(text); }, std::chrono::milliseconds(kWaitMs)));

  ASSERT_TRUE(tool.SaveAs("menu.png"));
  std::vector<layer::Object> saved = SideObjects(folder.Picture("menu.png"));
  ASSERT_EQ(saved.size(), 2u);
  const layer::Object* r = OfKind(saved, layer::kRectangle);
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->size, 6);
  EXPECT_EQ(r->style, 2);
  ASSERT_EQ(r->points.size(), 2u);
  EXPECT_EQ(r->x + r->points[0].x, 20);
  EXPECT_EQ(r->y + r->points[1].y, 60);
  const layer::Object* t = OfKind(saved, layer::kText);
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->text, "Changed");
  EXPECT_EQ(tool.End(), 0);
}

}  // namespace
}  // namespace bravik
