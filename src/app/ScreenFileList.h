// Every screen's declaration of the files it opens by name, in one list for
// whoever needs them all (the installation check walks it).
#pragma once

#include <span>

#include "app/FeedbackFiles.h"
#include "app/FrmPodkladFiles.h"
#include "exercises/FrmCw1Files.h"
#include "exercises/FrmCw2Files.h"
#include "exercises/FrmCw3Files.h"
#include "exercises/FrmCw5Files.h"
#include "exercises/FrmCw6Files.h"
#include "exercises/FrmCw7Files.h"
#include "exercises/FrmLilieFiles.h"
#include "menu/FrmAboutFiles.h"
#include "menu/FrmInfoFiles.h"
#include "menu/FrmInformacjaFiles.h"
#include "menu/FrmMenuStartFiles.h"
#include "players/FrmDiamentyFiles.h"
#include "players/FrmLoginFiles.h"
#include "players/FrmNewLoginFiles.h"
#include "players/FrmTopTenFiles.h"
#include "tools/FrmFindFiles.h"
#include "tools/FrmSlownikFiles.h"
#include "world/FrmMainFiles.h"

struct TScreenFileSet {
  std::span<const TScreenFile> Files;
  // Needed only where an exercise list starts the screen: the check looks
  // at them there, so a problem names the entry's line.
  bool PerEntry = false;
};

inline constexpr TScreenFileSet AllScreenFiles[] = {
    {PodkladFiles::Pictures},   {MainFiles::Pictures},       {LoginFiles::Pictures},
    {LoginFiles::Sounds},       {NewLoginFiles::Pictures},   {NewLoginFiles::Sounds},
    {MenuStartFiles::Pictures}, {MenuStartFiles::Videos},    {MenuStartFiles::Sounds},
    {InfoFiles::Pictures},      {InformacjaFiles::Pictures}, {AboutFiles::Pictures},
    {SlownikFiles::Pictures},   {FindFiles::Pictures},       {TopTenFiles::Pictures},
    {DiamentyFiles::Pictures},  {DiamentyFiles::Sounds},     {FeedbackFiles::Sounds},
    {FeedbackFiles::Praise},    {FeedbackFiles::FairPraise}, {Cw1Files::Pictures},
    {Cw1Files::Sounds},         {Cw5Files::Pictures},        {Cw5Files::Sounds},
    {Cw6Files::Pictures},       {Cw6Files::Sounds},          {Cw2Files::Pictures, true},
    {Cw2Files::Sounds, true},   {Cw3Files::Pictures, true},  {Cw3Files::Sounds, true},
    {Cw7Files::Pictures, true}, {Cw7Files::Sounds, true},    {LilieFiles::Pictures, true},
    {LilieFiles::Sounds, true},
};
