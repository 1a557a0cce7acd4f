// The thirty button picture strips, in the order their indexes (a button's
// BitmapNormal) refer to. The game loads them, the content tool draws the
// demo's, and the tests use the same table.
#pragma once

#include <array>

class QString;
class TMyImageList;

struct TButtonStrip {
  const char* File;  // under ProgramDir + "\buttons\"
  int Frames;        // frame 0 normal, frame 1 highlighted
};

inline constexpr std::array<TButtonStrip, 30> ButtonStrips = {{
    {"M_exit.bmp", 2},   {"_left.bmp", 2},    {"_right.bmp", 2},   {"_rozpocz.bmp", 2},
    {"_pomoc.bmp", 2},   {"_koniec.bmp", 2},  {"_czytaj.bmp", 2},  {"_rememb.bmp", 2},
    {"M_cwicz.bmp", 2},  {"M_dial.bmp", 2},   {"D_play.bmp", 2},   {"D_playA.bmp", 2},
    {"D_playB.bmp", 2},  {"_nast.bmp", 2},    {"A_song.bmp", 2},   {"SL_lekt.bmp", 2},
    {"SL_nagr.bmp", 2},  {"SL_poro.bmp", 2},  {"SL_szuk.bmp", 2},  {"_weh.bmp", 2},
    {"_kor.bmp", 2},     {"A_alf.bmp", 2},    {"UP.bmp", 2},       {"DN.bmp", 2},
    {"SL_graj.bmp", 2},  {"SL_n_st.bmp", 2},  {"Nowy.bmp", 2},     {"Szuk_D.bmp", 2},
    {"Dial_L.bmp", 2},   {"Dial_P.bmp", 2},
}};

// The path of a strip as the game opens it.
QString ButtonStripPath(const QString& programDir, const TButtonStrip& strip);
// Empties `list`, then adds every strip at default position (0, 0), each
// decoded when first drawn; list.DecodeWaiting() decodes the others, and the
// first strip that fails stops the filling with its error, those before it staying.
void LoadButtonStrips(TMyImageList& list, const QString& programDir);
