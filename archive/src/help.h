// Help (command 105, F1): the help document of UI entry 80 in the viewer of UI entry 81.
#pragma once

namespace grilton {

void ShowHelp();

}  // namespace grilton
