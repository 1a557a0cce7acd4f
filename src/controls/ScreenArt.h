// The pictures that belong to the screens themselves rather than to the data
// files: drawn here, once, so every screen that shows one shows the same.
// Each is drawn on the key colour of the control that shows it.
#pragma once

#include <QImage>

// Olive: the key colour of the transparent bitmaps these pictures go into.
inline constexpr QRgb ScreenArtKey = qRgb(128, 128, 0);

// The exercise screens' instruction icon: a speech bubble with a question
// mark, `size` pixels square.
QImage HelpIcon(int size = 34);

// Crossword.

// The helicopter that crosses the sky, 73 x 65, nose to the left.
QImage CrosswordHelicopter();
// The child who floats away under balloons when the crossword is done,
// 70 x 84; its bottom-left pixel is the key colour.
QImage CrosswordFigure();
// The frame around the landscape: the top bar 640 x 37, the side bar under
// the buttons 62 x 152 and the strip left of the landscape 8 x 169.
QImage CrosswordTopBar();
QImage CrosswordSideBar();
QImage CrosswordStrip();
// A row of fifteen empty cells, 389 x 27, shown until a crossword loads.
QImage CrosswordEmptyLine();

// Lily pads.

// The pads, 78 x 64 on the key colour (the pad images take their bottom-left
// pixel's colour as transparent): closed (green, with its notch), half turned
// (seen edge on) and open (its pale underside, where the word lies).
QImage LilyPadClosed();
QImage LilyPadHalfTurned();
QImage LilyPadOpen();

// Songs.
// The songs screen's state pictures, laid over its drawn play and pause
// buttons: a lit green "playing" lamp with a play triangle, and an amber
// "paused" lamp with two bars (37 x 33 and 36 x 33).
QImage SongPlayingPicture();
QImage SongPausedPicture();

// Dictionary.

// The dictionary's page (for an installation that brings none of its
// own): the title over the authors' hot area, fourteen ruled
// rows for the English and Polish columns, the rail of the page arrows and
// the button column. 640 x 480.
QImage DictionaryPage();
// The search dialog's frame: 393 x 136, of which the dialog
// shows the top-left 370 x 116, with boxes behind the two column marks.
QImage DictionarySearchBox();
