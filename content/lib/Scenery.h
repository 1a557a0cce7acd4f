// Scenery and figures for the place pictures: drawing lines that are more
// than one shape (a cottage, a fountain, a fence, a notice board) and the
// figures of sprite strips and idle clips, each drawn at its frame.
#pragma once

#include <QPainter>
#include <QSize>

#include "lib/DemoSource.h"

// Which frame of how many is being drawn (0 of 1 for a still picture).
struct TMoment {
  int Frame = 0, Frames = 1;
};

// Draws `c` when it is a scenery or figure line and returns true; false for
// any other command. `size` is the picture's (or the frame's) size.
bool DrawScenery(QPainter& p, const TSourceNode& c, TMoment at, QSize size);
