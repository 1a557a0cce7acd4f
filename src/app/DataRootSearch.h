// Finding the CD when the settings file names a drive of another system
// ("D:\Data") or a folder that is gone: the same folder is looked for on every
// mounted volume.
#pragma once

#include <QString>
#include <QStringList>

struct TDataRootSearch {
  QString Found;       // empty when nothing passed
  QStringList Looked;  // every folder tried, in order, and each root with no volume in it
};

// Folders under which removable media and images are mounted on this system
// (/media/USER, /run/media/USER, /mnt). Tests replace them.
extern QStringList VolumeRoots;
QStringList DefaultVolumeRoots();

// True for a folder that holds the game's places: what tells the CD from any
// other volume.
bool LooksLikeDataRoot(const QString& dir);

// Where the data root named `configured` lies when it is not where it says.
// `given` is the --data-root folder, which may be a mounted image whose
// subfolder is the data root. Each volume under `roots` is tried with the
// configured path's part after the drive (or its last folder), then as it is.
TDataRootSearch SearchDataRoot(const QString& configured, const QString& given, const QStringList& roots);

// A relative data root ("../cd", as a relocatable installation writes it)
// counts from the program directory, the working directory the game sets.
QString AnchoredDataRoot(const QString& configured, const QString& programDir);

// Whether the configured data root needs a search at all.
bool NeedsDataRootSearch(const QString& configured);
