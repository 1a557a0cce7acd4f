#include "app/Screens.h"

#include "app/FrmPodklad.h"
#include "app/Shared.h"
#include "exercises/FrmCw1.h"
#include "exercises/FrmCw2.h"
#include "exercises/FrmCw3.h"
#include "exercises/FrmCw5.h"
#include "exercises/FrmCw6.h"
#include "exercises/FrmCw7.h"
#include "exercises/FrmLilie.h"
#include "menu/FrmAbout.h"
#include "menu/FrmInfo.h"
#include "menu/FrmInformacja.h"
#include "menu/FrmMenuStart.h"
#include "platform/Application.h"
#include "platform/AudioEngine.h"
#include "platform/IdleWork.h"
#include "players/FrmDiamenty.h"
#include "players/FrmLogin.h"
#include "players/FrmNewLogin.h"
#include "players/FrmTopTen.h"
#include "tools/FrmAlfabet.h"
#include "tools/FrmFind.h"
#include "tools/FrmSlownik.h"
#include "world/ExerciseList.h"
#include "world/FrmMain.h"

namespace {
template <class Screen>
void Create(Screen*& pointer) {
  pointer = new Screen;
  pointer->DoCreate();
}

// A screen created after the sign-in screens takes its place before them
// among the stage's screens, so the stage lists them in the fixed order.
template <class Screen>
void CreateBeforeSignIn(Screen*& pointer) {
  Create(pointer);
  for (TForm* screen : PodkladFrm->Screens()) {
    if (screen == NewLoginForm || screen == LoginForm) {
      pointer->stackUnder(screen);
      break;
    }
  }
}

void CreateTheOthers() {
  CreateBeforeSignIn(Cw1Form);
  CreateBeforeSignIn(Cw2Form);
  CreateBeforeSignIn(Cw3Form);
  CreateBeforeSignIn(Cw5Form);
  CreateBeforeSignIn(cw6form);
  CreateBeforeSignIn(Cw7Form);
  CreateBeforeSignIn(MenuStart);
  CreateBeforeSignIn(SlownikForm);
  CreateBeforeSignIn(InfoForm);
  CreateBeforeSignIn(FindForm);
  CreateBeforeSignIn(AlfabetForm);
  CreateBeforeSignIn(LilieForm);
  Create(InformacjaForm);
  Create(TopTenForm);
  Create(DiamentyForm);
  Create(AboutForm);
}
}  // namespace

void CreateScreens() {
  if (Application()) Application()->BeforeEnd = SaveSignedInPlayer;
  Create(PodkladFrm);
  if (Application() && Application()->Terminated()) return;
  // First after the first picture (or before a first run's new-player
  // screen): the sound device, which the greeting waits for.
  PodkladFrm->AfterFirstPaint([] { Audio::Startup(); }, true);
  // The location screen holds the shared button pictures and sound player
  // that the sign-in screens use; the screens the sign-in does not need
  // follow its first paint (see CreateRemainingScreens).
  Create(MainForm);
  InstallExerciseDispatch();
  PodkladFrm->AfterFirstPaint(CreateTheOthers);
  Create(NewLoginForm);
  Create(LoginForm);
}

void CreateRemainingScreens() {
  if (PodkladFrm) PodkladFrm->RunAfterFirstPaint();
}

void DestroyScreens() {
  IdleWork::Clear();  // what it prepared was for these screens
  delete PodkladFrm;  // the other screens are its children
  PodkladFrm = nullptr;
  MainForm = nullptr;
  Cw1Form = nullptr;
  Cw2Form = nullptr;
  Cw3Form = nullptr;
  Cw5Form = nullptr;
  cw6form = nullptr;
  Cw7Form = nullptr;
  MenuStart = nullptr;
  SlownikForm = nullptr;
  InfoForm = nullptr;
  FindForm = nullptr;
  AlfabetForm = nullptr;
  LilieForm = nullptr;
  NewLoginForm = nullptr;
  LoginForm = nullptr;
  InformacjaForm = nullptr;
  TopTenForm = nullptr;
  DiamentyForm = nullptr;
  AboutForm = nullptr;
}
