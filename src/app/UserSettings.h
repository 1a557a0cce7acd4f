// What the player chose at hand and the game remembers between runs: a window
// or the full screen (F11), the scale, and the installation a parent picked.
// Kept in the user's configuration
// directory (~/.config/tarvolin/tarvolin.conf); the command line wins.
#pragma once

#include <QSize>
#include <QString>

struct TStartOptions;

struct TUserSettings {
  int Window = -1;  // -1: never chosen, 0: full screen, 1: a window
  int Scale = 0;    // 0: the largest whole factor that fits
  QString Installation;  // an original installation's program directory; empty: none picked
  int Demo = -1;         // -1: never asked, 1: the demo installed with the game was chosen
};

QString UserSettingsPath();
// A missing or unreadable file gives the defaults; nonsense values are ignored.
TUserSettings LoadUserSettings(const QString& path);
void SaveUserSettings(const QString& path, const TUserSettings& settings);

// The display this run uses: the command line's choices over the remembered ones.
struct TDisplayChoice {
  bool Window = false;
  int Scale = 0;            // 0: the largest whole factor that fits
  bool Remembered = false;  // the scale comes from an earlier run, not the command line
};
TDisplayChoice ChooseDisplay(const TStartOptions& options, const TUserSettings& saved);
// The factor to draw at on a display area of `area` device pixels (empty when
// unknown): the command line's as given; a remembered one only as far as it
// fits this screen (it may have been chosen on a larger one); otherwise the
// largest whole factor at which 640 x 480 fits.
int ScaleToUse(const TDisplayChoice& choice, QSize area);
