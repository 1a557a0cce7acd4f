// The mains of test and benchmark programs: Qt's offscreen platform and SDL's
// silent dummy driver unless the environment chooses others, the real
// application object and the audio engine around `body`.
#pragma once

#include <functional>

int RunHeadless(int& argc, char** argv, const std::function<int()>& body, bool dummyAudio = true);
