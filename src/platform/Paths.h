// Paths as the data spells them (backslashes, any letter case) turned into
// real paths. Each component matches exactly when it can, otherwise without
// regard to case, so "\GFX\Tlo_Cwic.BMP" finds "gfx/tlo_cwic.bmp". Directory
// listings are cached; writers call NotePathWritten so the cache stays true.
#pragma once

#include <QString>

// The real path for `path`. Components that exist nowhere are kept as spelled,
// so the result can be used to report or create a missing file.
QString ResolvePath(const QString& path);
bool FileExists(const QString& path);
bool DirectoryExists(const QString& path);
// Forget the cached listing of the directory holding `path` (and `path` itself).
void NotePathWritten(const QString& path);
void ClearPathCache();
// Joins pieces the way the data does ("dir" + "\x\y.bmp") and normalises separators.
QString NormalizeSeparators(const QString& path);
// Empty when `name`, a file named inside a data file, stays inside the folder
// it is joined to; otherwise why not, in Polish: a ".." part would climb out
// of the installation. The name is quoted when `file`, the data file that
// holds it, may be (MayQuote).
QString ClimbingNameProblem(const QString& name, const QString& file = {});
// A path as the system writes it, for messages a parent reads: the data's
// backslashes and the program's slashes become the platform's one separator.
QString ShownPath(const QString& path);
