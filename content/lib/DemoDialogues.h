// The demo's dialogues: the dialogue screen's background, the town square's
// and the shop's dialogue lists (a spoken dialogue and a gap dialogue each),
// and the family presentation on the farm ("\farm\rodzina.fc2", one of the
// presentations with a dialogue button) with its own dialogue list
// ("\farm\rodzina.fc6"), its words and their sounds.
//
// The farm's exercise list is written here too, holding the presentation;
// a list compiled later from the demo sources replaces it. The screen's
// spoken instructions (D1 to D3) are the demo sources' (help.txt), beside
// every other screen's.
#pragma once

struct TInstallation;

void WriteDemoDialogues(const TInstallation& inst, bool speech);
