// Message boxes. They are small modal screens on the stage; every text also
// goes to standard error so a parent or a script can see why the game stopped.
// Tests replace the handler to record the texts and answer at once.
#pragma once

#include <QString>
#include <functional>

enum class TMessageKind { Plain, Captioned, Warning, Error };

struct TMessageRequest {
  TMessageKind Kind;
  QString Caption;
  QString Text;
};

using TMessageHandler = std::function<int(const TMessageRequest&)>;
// Replaces how boxes are shown; an empty handler restores the boxes on the stage.
void SetMessageHandler(TMessageHandler handler);

// A plain box titled with the application title, with OK.
int ShowMessage(const QString& text);
// A box with a caption of the program's own, with OK.
int MessageBoxCaption(const QString& text, const QString& caption);
int ShowWarning(const QString& text);
int ShowErrorBox(const QString& text);
