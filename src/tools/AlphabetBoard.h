// Where things lie on the alphabet board and which files it plays: the 26
// letter areas, the seven creatures with their strips, and the sounds under
// the data root's "\Words\Alfabet\". The screen, the installation check and
// the installations we write all read them from here.
#pragma once

#include <QString>
#include <array>

struct TLetterArea {
  int Left, Top, Width, Height;
};

// Letters A .. Z at [0 .. 25] (Tag 1 .. 26).
inline constexpr std::array<TLetterArea, 26> LetterAreas = {{
    {32, 46, 85, 92},   {120, 46, 65, 92},  {188, 46, 67, 92},  {263, 46, 74, 92},
    {343, 46, 66, 92},  {411, 46, 62, 92},  {475, 46, 73, 92},  {43, 142, 77, 99},
    {123, 142, 38, 99}, {163, 142, 54, 99}, {219, 142, 70, 99}, {291, 142, 62, 99},
    {355, 142, 86, 99}, {443, 142, 78, 99}, {43, 246, 77, 99},  {120, 246, 61, 99},
    {183, 246, 82, 99}, {267, 246, 62, 99}, {339, 246, 62, 99}, {403, 246, 62, 99},
    {467, 246, 70, 99}, {32, 348, 57, 91},  {96, 348, 81, 91},  {184, 348, 65, 91},
    {251, 348, 65, 91}, {323, 348, 65, 91},
}};

struct TCreature {
  const char* Name;  // the control
  int Left, Top;
  const char* Strip;  // under DataRoot + "\gfx\anim\"
  int Width, Height;  // of one frame
  int Frames;
  int Interval;  // ms
};

// Tag 1 .. 7 at [0 .. 6].
inline constexpr std::array<TCreature, 7> Creatures = {{
    {"lbl_robal", 185, 232, "A_robal.bmp", 20, 20, 8, 300},
    {"ani_jabko", 415, 375, "A_jabko.bmp", 30, 71, 7, 100},
    {"ani_jajo", 148, 319, "A_jajo.bmp", 38, 28, 4, 250},
    {"Animated1", 325, 106, "A_jez.bmp", 37, 32, 7, 220},
    {"ani_kot", 528, 165, "A_kot.bmp", 30, 16, 9, 160},
    {"lbl_pies", 502, 375, "A_pies.bmp", 31, 20, 6, 100},
    {"lbl_ptak", 75, 229, "A_ptak.bmp", 57, 48, 5, 260},
}};

// Paths under the data root, spelt as the game spells them.
inline QString CreatureStripPath(int tag) {
  return QStringLiteral("\\gfx\\anim\\") + QLatin1String(Creatures[tag - 1].Strip);
}
// The name of letter `tag` (1 .. 26), without a leading zero.
inline QString LetterSoundPath(int tag) {
  return QStringLiteral("\\Words\\Alfabet\\V_%1.wav").arg(tag);
}
// The sound of creature `tag` (1 .. 7): one digit after the "0".
inline QString CreatureSoundPath(int tag) {
  return QStringLiteral("\\Words\\Alfabet\\FX\\0%1.wav").arg(tag);
}
inline QString AlphabetSongPath() {
  return QStringLiteral("\\Words\\Alfabet\\Song.wav");
}
