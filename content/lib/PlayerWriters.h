// The sign-in screens' backgrounds of the demo installation.
#pragma once

#include <QString>
#include <QStringList>

// Framed sky-to-sand pictures with a few stars kept clear of the controls:
// the player selection screen (253 x 136) and the new player screen (393 x 136).
void WriteSignInBackgrounds(const QString& programDir);
// The player list naming `names` and a never-played player file for each
// (boys, today's date) in ProgramDir\login\.
void WritePlayers(const QString& programDir, const QStringList& names);
