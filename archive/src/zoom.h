// The enlarged view: a picture of the list at its own size over the main window's client
// area, scrolled by the keys and the mouse, closed by any other key or a click.
#pragma once

namespace grilton {

void ShowZoom(int index);
bool ZoomOpen();

}  // namespace grilton
