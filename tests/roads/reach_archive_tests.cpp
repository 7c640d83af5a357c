// The archive's commands that file the picture (3), move it to the recycle bin (4) and open
// it in the picture tool (11) are handled by its window procedure, and its window has no
// button for them: the shipped menus must offer them, or no user can file a picture.
#include <gtest/gtest.h>

#include "fileio/file.h"
#include "installed_suite.h"
#include "skin/ui_text.h"

namespace roads {
namespace {

TEST(ArchiveMenus, OfferFilingDeletingAndEditingThePicture) {
  InstalledSuite suite;
  ASSERT_TRUE(suite.Complete());
  std::string text;
  ASSERT_EQ(fileio::ReadWholeFile(suite.Folder() + "grilton.SYS", text), fileio::kOk);
  std::vector<UiTextError> errors;
  UiTextFile file = ParseUiText(text, errors);
  for (int id : {3, 4, 11}) {
    const MenuItem* item = file.menus.FindItem(id);
    EXPECT_TRUE(item && !item->separator && item->action != "END") << "grilton.SYS offers no command " << id;
  }
}

}  // namespace
}  // namespace roads
