// The demo's places, written into every base installation: the `location`
// commands of the demo's sources (content/demo/places/, see its README.md)
// and the location screen's frame.
#pragma once

#include <QString>

struct TInstallation;

// Writes the places into `inst` (location files under the program directory,
// media under the data root) and draws the location screen's frame.
void WriteDemoPlaces(const TInstallation& inst);
