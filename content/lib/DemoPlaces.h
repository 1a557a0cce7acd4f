// The demo's places: location files, place pictures, sprite strips, place
// sounds and idle videos, all drawn and synthesised here (no text is drawn,
// so the content tool needs no fonts or display).
//
//   Start.lok   town square, the top place: walks to the park, the farm and
//               the shop, a fountain and a shop front that sound, two
//               overlapping notice-board exercise spots, three sprites,
//               two idle videos and one idle sound.
//   Park.lok    park with a pond: idle sounds only, three exercise list lines.
//   Farma.lok   farm: one idle video and one idle sound; the barn door walks
//               (with a creak) into Stodola.lok.
//   Stodola.lok inside the barn: no idle events, a horse that stands until
//               clicked, a way out without a sound ("0").
//   Sklep.lok   shop: exercise spots on the shelves, no idle events.
#pragma once

#include <QString>

struct TInstallation;

// Writes the places into `inst` (location files under the program directory,
// media under the data root) and draws the location screen's frame.
void WriteDemoPlaces(const TInstallation& inst);
