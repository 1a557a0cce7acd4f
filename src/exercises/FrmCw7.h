// Exercise screen 7: the listening choice at the pond. The child hears an
// English word and picks its translation from three answers on a panel; a
// wrong pick makes a dog bark (then the word is said again), and after the
// last right answer the crying puppy runs home. A fish, a periscope and a
// drifting balloon keep the pond alive; the pond keeps quiet while the
// shared player is playing, so it never cuts off the word being asked.
//
// Every picture and strip the scenes use is read when the exercise loads,
// together with the choice file: a missing one stops the load with its error
// and leaves the screen as it was, instead of stranding the child in the
// middle of a scene. Leaving the screen stops its timers and sprites, so no
// bark or run finishes later with sounds over another screen.
#pragma once

#include <QImage>

#include "controls/TransparentButton.h"
#include "exercises/ListeningChoiceFile.h"
#include "platform/Forms.h"
#include "platform/Timers.h"

class TAnimated;
class TBmpTransparent;
class TKwillOnMouse;

class TCw7Form : public TForm {
 public:
  TCw7Form();
  void FormCreate() override;
  void FormShow() override;
  void FormClose() override;
  void FormKeyDown(int& key, TShiftState shift) override;

  // Called by StartExercise with ProgramDir + "\cwicz" + the entry's file.
  // The first question asked is swapped with a random later one.
  void LoadListeningChoice(const QString& path);
  // What LoadListeningChoice reads, without touching the screen.
  struct TPictures {
    QImage Pond, Panel, Balloon, Fish, Periscope, Crying, Still, Bark, Run, Home;
  };
  struct TListeningChoiceFiles {
    TListeningChoice Choice;
    TPictures Pictures;
  };
  static TListeningChoiceFiles ReadListeningChoiceFiles(const QString& path);
  void LoadListeningChoice(TListeningChoiceFiles files);

  // Handlers.
  void Kwill1Click(int tag);  // the three answers, Tag 1 .. 3
  void Button2Click();        // "Rozpocznij"
  void Button3Click();        // "Koniec"
  void Button6Click();        // "Czytaj"
  void CW1_KWS_LeftClick();
  void CW1_KWS_RightClick();
  void Timer1Timer();  // the pond's events
  void Timer2Timer();  // the balloon
  void Animated1ChangeFrame();
  void Animated2ChangeFrame();
  void Animated3ChangeFrame();
  void Animated4ChangeFrame();
  void Animated5ChangeFrame();
  void BmpTransparent1Click();

  // Controls.
  TImage* Image1_2 = nullptr;  // background
  TImage* Image1 = nullptr;    // the pond
  TPanel* Panel1 = nullptr;    // the answers
  TImage* Image2 = nullptr;    // the panel's picture
  TKwillOnMouse* Kwill1 = nullptr;
  TKwillOnMouse* Kwill2 = nullptr;
  TKwillOnMouse* Kwill3 = nullptr;
  TAnimated* Animated1 = nullptr;  // the fish
  TAnimated* Animated2 = nullptr;  // the barking dog, later the dog at home
  TAnimated* Animated3 = nullptr;  // the periscope
  TAnimated* Animated4 = nullptr;  // the running puppy
  TAnimated* Animated5 = nullptr;  // the puppy at the shore
  TImage* img_balon = nullptr;
  TBmpTransparent* BmpTransparent1 = nullptr;  // the spoken instruction
  TTransparentButton* button3 = nullptr;       // "Koniec"
  TTransparentButton* Button2 = nullptr;       // "Rozpocznij"
  TTransparentButton* button6 = nullptr;       // "Czytaj"
  TTransparentButton* CW1_KWS_left = nullptr;
  TTransparentButton* cw1_kws_right = nullptr;
  TLabel* lbl_Red = nullptr;
  TLabel* lbl_Green = nullptr;
  TTimer Timer1;
  TTimer Timer2;

  // The questions in the order asked (question k at [k - 1]).
  std::vector<TChoiceQuestion> Questions;
  int QuestionCount = 0;
  int CurrentQuestion = 0;  // 1-based
  int BalloonX = 30;
  bool BalloonRising = true;

 private:
  void StartCrying();
  void ShowBarkingDog();
  void ShowDogAtHome();
  void ShowAnswers();
  void SayWord();
  void Finish();
  void StopScenes();
  // What the arrows stop before another entry starts.
  void LeaveForEntry();
  bool PlayerPlaying() const;
  TKwillOnMouse* Answer(int k) const;

  TPictures pictures_;
};

extern TCw7Form* Cw7Form;
