// Creating and destroying the twenty screens, in the design's fixed order.
#pragma once

// Creates the background screen, then (unless its start-up ended the program)
// the other nineteen; each screen's FormCreate runs as it is created.
void CreateScreens();
// Deletes every screen and clears the screen pointers (tests).
void DestroyScreens();
