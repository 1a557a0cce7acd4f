// The system beep: a short tone through the mixer (a desktop's own beep is
// often silent or missing).
#pragma once

// Sounds the tone and returns at once; a beep during a beep starts it again.
void Beep();

// The tone's length and pitch.
constexpr int BeepMs = 150;
constexpr int BeepHz = 880;
