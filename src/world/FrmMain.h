// The location screen: a place with its spots, sprites and idle show. It
// also owns the game's shared wave player and the shared button pictures.
#pragma once

#include <QImage>
#include <array>
#include <functional>
#include <vector>

#include "platform/Forms.h"
#include "platform/Timers.h"
#include "world/LocationFile.h"

class TMediaPlayer;
class TAnimated;
class TAnimation;
class TTransparentButton;
class TMyImageList;

// A sprite slot: its control and what a click on it does.
struct TSpriteSlot {
  TAnimated* Control = nullptr;
  QString Strip;  // relative to the data root, reloaded when the place is shown again
  QString Sound;
  int Action = 0;
  int Still = 0;
};

// A place read and checked, with its pictures decoded, ready to be shown.
struct TPreparedPlace {
  TLocation Place;
  QImage Picture;
  std::vector<QImage> Strips;  // one per sprite
};

class TMainForm : public TForm {
 public:
  TMainForm();
  ~TMainForm() override;
  void FormCreate() override;
  void FormShow() override;
  void FormKeyDown(int& key, TShiftState shift) override;

  // Reads the location file `name` under ProgramDir + LocationsDir and shows
  // that place. The file and its pictures are read and checked first: a
  // broken place raises its error and leaves the place on screen as it was.
  void LoadLocation(const QString& name);
  // Reading and decoding only (no change to the screen).
  static TPreparedPlace PreparePlace(const QString& name);
  void ApplyPlace(const TPreparedPlace& prepared);
  // Called by the exercise and dialogue screens after showing this screen again.
  void ResumeLocation();

  // Handlers.
  void Image1MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  void Image1MouseMove(TShiftState shift, int x, int y);
  void Ani_1MouseDown(int slot);  // 1-based sprite slot
  void AnnounceJump(const QString& text);  // a sprite's "Skok do" box
  void Timer1Timer();
  void Ani_Timer_oldStop();
  void Btn_WrocClick();
  void Btn_ExitClick();
  void Btn_Cwicz1Click();
  void Btn_Dialo1Click();
  // End of a sound played through MediaPlayer1; its NotifyValue tells how it ended.
  // Moves the read-aloud chains on (world/Dialogues.h).
  virtual void MediaPlayer1Notify();

  // Controls.
  TImage* Image1_2 = nullptr;  // the frame
  TImage* Image1 = nullptr;    // the place picture
  TAnimated* Ani_1 = nullptr;
  TAnimated* Ani_2 = nullptr;
  TAnimated* Ani_3 = nullptr;
  TAnimated* Ani_4 = nullptr;
  TAnimated* Ani_5 = nullptr;
  TAnimated* Ani_6 = nullptr;
  TAnimated* Ani_7 = nullptr;
  TLabel* lbl_Red = nullptr;
  TLabel* lbl_Green = nullptr;
  TTransparentButton* btn_Cwicz1 = nullptr;
  TTransparentButton* btn_dialog1 = nullptr;
  TTransparentButton* btn_wroc = nullptr;
  TTransparentButton* btn_exit = nullptr;
  // The one player for every wave sound of the game (PlayWave).
  TMediaPlayer* MediaPlayer1 = nullptr;
  TAnimation* Ani_Timer = nullptr;  // the idle video window
  TTimer Timer1;                    // the idle show
  TMyImageList* MyImageList1 = nullptr;

  // The place on screen. Slots beyond the counts keep stale data and are never used.
  QString PictureName;
  QString BackLink;
  QString ExerciseListFile;
  QString DialogueListFile;
  std::array<TWalkSpot, MaxWalkSpots> WalkSpots{};
  std::array<TSoundSpot, MaxSoundSpots> SoundSpots{};
  std::array<TExerciseSpot, MaxExerciseSpots> ExerciseSpots{};
  std::array<TSpriteSlot, MaxSprites> Sprites{};
  std::array<QString, MaxWaveEvents> WaveEvents{};
  std::array<TAniEvent, MaxAniEvents> AniEvents{};
  TEventSchedule EventSchedule{};
  int WalkCount = 0, SoundCount = 0, ExerciseSpotCount = 0, SpriteCount = 0, WaveCount = 0,
      AniCount = 0;
  int SchedulePos = 1;

  // Which spot a point of the place picture is in (0-based index, -1 for none),
  // with each table's own border rules.
  int WalkSpotAt(int x, int y) const;
  int SoundSpotAt(int x, int y) const;
  int ExerciseSpotAt(int x, int y, bool forCursor) const;

 private:
  void StopPlaceForLeaving();
  void LeaveForExercises(const QString& listFile);
  void PrepareExercises() const;
  QString FxPath(const QString& sound) const;
};

extern TMainForm* MainForm;

// Shows place `name` on the location screen (the start menu and the screen's own walks).
void LoadLocation(const QString& name);
void ResumeLocation();

// Call points for the exercise and dialogue dispatch: read the list at `path`
// and start its first entry. Until the dispatch sets them, the buttons and
// spots that need them report that the exercises are not available and leave
// the place as it is. LoadExerciseList says whether an exercise started (a
// key no screen takes starts none, and the place stays).
extern std::function<bool(const QString& path)> LoadExerciseList;
extern std::function<void(const QString& path)> LoadDialogueList;
// Has the first exercise of each list at `paths` decoded while the game is idle.
extern std::function<void(const QStringList& paths)> PrepareExerciseLists;
