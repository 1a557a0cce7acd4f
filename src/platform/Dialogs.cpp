#include "platform/Dialogs.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPushButton>
#include <cstdio>

#include "platform/Application.h"
#include "platform/Forms.h"

namespace {

TMessageHandler& Handler() {
  static TMessageHandler handler;
  return handler;
}

// A small modal screen on the stage: caption bar, text, one OK button.
class TMessageForm : public TForm {
 public:
  TMessageForm(const TMessageRequest& r, int width, int height) : TForm(width, height) {
    KeyPreview = true;
    SetColor(clSilver);
    auto* title = new TLabel(this);
    title->SetFont(TFont{QStringLiteral("Arial CE"), 10, clWhite, fsBold});
    title->SetColor(r.Kind == TMessageKind::Error ? TColor(0x000080) : TColor(0x800000));
    title->SetAutoSize(false);
    title->SetBounds(0, 0, width, 22);
    title->setIndent(6);
    title->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
    title->SetCaption(r.Caption);
    auto* text = new TLabel(this);
    text->SetFont(TFont{QStringLiteral("Arial CE"), 10, clBlack, 0});
    text->SetTransparent(true);
    text->SetAutoSize(false);
    text->SetWordWrap(true);
    text->SetBounds(16, 34, width - 32, height - 34 - 48);
    text->SetCaption(r.Text);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setGeometry((width - 80) / 2, height - 38, 80, 26);
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, [this] { ModalResult = mrOk; });
  }
  void FormKeyDown(int& key, TShiftState) override {
    if (key == VK_RETURN || key == VK_ESCAPE || key == VK_SPACE) {
      ModalResult = key == VK_ESCAPE ? mrCancel : mrOk;
      key = 0;
    }
  }
  void paintEvent(QPaintEvent* e) override {
    TForm::paintEvent(e);
    QPainter p(this);
    p.setPen(Qt::black);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
  }
};

int Show(TMessageKind kind, const QString& caption, const QString& text) {
  std::fprintf(stderr, "tarvolin: %s\n", text.toLocal8Bit().constData());
  std::fflush(stderr);
  const TMessageRequest request{kind, caption, text};
  if (Handler()) return Handler()(request);
  TStageForm* stage = Stage();
  if (!stage || !Application()) return mrOk;
  if (stage->isHidden()) stage->ShowStage(Application()->Windowed);
  QFont font = ToQFont(TFont{QStringLiteral("Arial CE"), 10, clBlack, 0});
  QFontMetrics fm(font);
  const int width = std::clamp(fm.horizontalAdvance(text) + 48, 240, 600);
  const QRect box = fm.boundingRect(QRect(0, 0, width - 32, 400), Qt::TextWordWrap, text);
  const int height = std::min(460, box.height() + 34 + 56);
  TMessageForm form(request, width, height);
  return form.ShowModal();
}

}  // namespace

void SetMessageHandler(TMessageHandler handler) { Handler() = std::move(handler); }

int ShowMessage(const QString& text) {
  return Show(TMessageKind::Plain, Application() ? Application()->Title : QStringLiteral("Tarvolin"), text);
}

int MessageBoxCaption(const QString& text, const QString& caption) {
  return Show(TMessageKind::Captioned, caption, text);
}

int ShowWarning(const QString& text) {
  return Show(TMessageKind::Warning, QStringLiteral("Ostrzeżenie"), text);
}

int ShowErrorBox(const QString& text) { return Show(TMessageKind::Error, QStringLiteral("Błąd"), text); }
