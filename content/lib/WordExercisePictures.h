// The pictures of the word exercise screen that lie under the program
// directory: the cover rectangle, the letter-grid row and the dragging
// exercise's side panel.
#pragma once

#include <QImage>
#include <QString>

// 84 x 20; its corners carry the key colour (bottom-left pixel), so they let
// the exercise picture show through.
QImage CoverRectanglePicture();
// 278 x 21: 27 cells of 10 pixels between grey lines, white inside.
QImage GridRowPicture();
// 111 x 233.
QImage SidePanelPicture();

// Writes the three where the screen reads them under `programDir`.
void WriteWordExerciseScreenPictures(const QString& programDir);
