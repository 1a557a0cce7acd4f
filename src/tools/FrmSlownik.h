// The dictionary: the whole word list (tools/WordList.h) fourteen entries a
// page, English and Polish side by side, with the reader's voice, the
// child's own recording and a comparison of the two. The start menu shows it
// modally; the search dialog (FrmFind) works on its entries and page.
//
// Rows. A click on a row selects its entry (a pale band behind both
// columns) and speaks it; "Lektor" speaks the selected entry again. Entry 1
// is selected on every show, and a search hit becomes the selected entry,
// so the reader always says the word the child last chose or found.
//
// Pages. The last page is computed from the real number of entries: the
// next-page button shows only while an entry follows the page, whether the
// page was reached by paging or by a search hit (which always starts its
// page, marked red, in either column).
//
// Recording. "Nagraj" opens the capture device and records until "stop" or
// for at most ten seconds (Timer1); the take is written whole to tmp1.Wav
// in the program directory, or in the user's data directory when the
// program directory cannot be written. "Odtwórz" plays it; "Porównaj
// nagranie" plays it and then, through MediaPlayer1Notify, the reader's
// word of the selected entry. Without a capture device the record button
// says so and nothing changes; a take that cannot be saved is reported and
// the play and compare buttons stay hidden. "Porównaj nagranie" stands one
// row below "Odtwórz" (586, 169), so both can be reached.
#pragma once

#include <array>
#include <vector>

#include "platform/Forms.h"
#include "platform/Timers.h"
#include "platform/WaveRecorder.h"
#include "tools/WordList.h"

class TMediaPlayer;
class TTransparentButton;

class TSlownikForm : public TForm {
 public:
  TSlownikForm();
  void FormCreate() override;
  void FormShow() override;
  void FormClose() override;
  void FormKeyDown(int& key, TShiftState shift) override;

  // Fills the fourteen rows from entry `first`; the found entry is red.
  void ShowPage(int first);
  // Ends a recording: saves the take and closes the device. True when the
  // take is on disk.
  bool StopRecordingAndSave();

  void Ang_1Click(TLabel* row);
  void btn_lektorClick();
  void btn_nagrajsieClick();
  void btn_skoncznagranieClick();
  void btn_grajnagranieClick();
  void btn_porownajClick();
  void tb_UPClick();
  void tb_dnClick();
  void Label2Click();
  void szuk_dalejClick();
  void Label3Click();
  void lbl_AboutClick();
  void Timer1Timer();
  void MediaPlayer1Notify();

  // Replaces the entries with the word list at `path`, read and checked
  // whole first (a broken file changes nothing).
  void LoadWordList(const QString& path);
  int EntryCount() const { return static_cast<int>(Entries.size()); }
  // Entry n (1-based); an empty entry outside 1 .. EntryCount.
  TWordEntry Entry(int n) const;
  // The reader's sound of entry n: words\D_ff.cdr\nnnnn.wav under the data root.
  QString EntrySoundPath(int n) const;
  // The selected entry (kept in btn_lektor's Tag as entry + 1).
  int SelectedEntry() const;
  void SelectEntry(int n);
  // Shows the page arrows for PageTop: up above entry 1, down while an entry
  // follows the page.
  void SetPageButtons();
  // Turns to the page that starts at entry `first`: its rows and arrows.
  void TurnToPage(int first);
  // Where the take is written.
  QString RecordingPath() const;

  std::vector<TWordEntry> Entries;
  int PageTop = 1;
  int FoundEntry = 0;
  int PageStart = 1;
  bool ComparePending = false;
  bool RecorderOpen = false;
  TWaveRecorder Recorder;

  TImage* Image1 = nullptr;
  std::array<TLabel*, WordsPerPage> Ang{};
  std::array<TLabel*, WordsPerPage> Pol{};
  TTransparentButton* btn_lektor = nullptr;
  TTransparentButton* btn_nagrajsie = nullptr;
  TTransparentButton* btn_skoncznagranie = nullptr;
  TTransparentButton* btn_porownaj = nullptr;
  TTransparentButton* btn_grajnagranie = nullptr;
  TTransparentButton* tb_UP = nullptr;
  TTransparentButton* tb_dn = nullptr;
  TTransparentButton* label2 = nullptr;
  TTransparentButton* szuk_dalej = nullptr;
  TTransparentButton* label3 = nullptr;
  TLabel* lbl_About = nullptr;
  TMediaPlayer* MediaPlayer1 = nullptr;
  TTimer Timer1;  // the recording's ten seconds

 private:
  void StopPlayers();
  void PlayOwn(const QString& path);
  void RecordingButtons(bool recording, bool haveTake);
};

extern TSlownikForm* SlownikForm;

// The band behind the selected row, and the found entry's text.
constexpr TColor SelectedRowColor = RGBColor(255, 236, 150);
constexpr TColor FoundEntryColor = RGBColor(255, 0, 0);
