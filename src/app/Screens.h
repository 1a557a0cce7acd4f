// Creating and destroying the twenty screens, in the design's fixed order.
#pragma once

// Creates the background screen, then (unless its start-up ended the program)
// the other nineteen; each screen's FormCreate runs as it is created. Only the
// location screen and the two sign-in screens are created at once; the others
// follow, in the same order, right after the stage's first paint (before any
// input is handled and before any modal screen opens), so they cost the first
// picture nothing.
void CreateScreens();
// Creates now whatever CreateScreens left for after the first paint.
void CreateRemainingScreens();
// Deletes every screen and clears the screen pointers (tests).
void DestroyScreens();
