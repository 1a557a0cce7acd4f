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
}  // namespace

void CreateScreens() {
  if (Application()) Application()->BeforeEnd = SaveSignedInPlayer;
  Create(PodkladFrm);
  if (Application() && Application()->Terminated()) return;
  Create(MainForm);
  InstallExerciseDispatch();
  Create(Cw1Form);
  Create(Cw2Form);
  Create(Cw3Form);
  Create(Cw5Form);
  Create(cw6form);
  Create(Cw7Form);
  Create(MenuStart);
  Create(SlownikForm);
  Create(InfoForm);
  Create(FindForm);
  Create(AlfabetForm);
  Create(LilieForm);
  Create(NewLoginForm);
  Create(LoginForm);
  Create(InformacjaForm);
  Create(TopTenForm);
  Create(DiamentyForm);
  Create(AboutForm);
}

void DestroyScreens() {
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
