// The transport commands: play, pause, previous, next, stop, seek.
#pragma once
#include "jorvel/command_ids.h"

namespace jorvel {

void RESUMEPLAYER();
void PAUSEPLAYER();
void PREVIOUSITEM();
void NEXTITEM();
// Stops and closes the player.
void STOPPLAYER();
void SEEKPERCENT(int percent);
// Shows one of two buttons of the pane in place of the other (play and pause).
void SwapButtons(int shown, int hidden);
// The level meter fades to black when it showed levels.
void FadeMeterWhenLit();
// The pane's animation plays or stops (when the pane has one).
void AnimatePane(bool play);

}  // namespace jorvel
