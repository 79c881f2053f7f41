#pragma once
// Small pieces shared by the pages of the administration area: a clickable
// colour swatch, redraw helpers that leave a control alone when it already
// shows the desk's value, and the number boxes' hand-over to the desk.
#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QString>
#include <cstdint>
#include <string>

#include "startup/OptionsEditor.h"

class QLayout;
class QMouseEvent;

namespace tarvolen::adminui {

inline QString Text(const std::string& s) { return QString::fromStdString(s); }
inline std::string Utf8(const QString& s) { return s.toStdString(); }

// A label that reports a left click: the colour swatches.
class SwatchLabel : public QLabel {
  Q_OBJECT
 public:
  explicit SwatchLabel(const QString& text, QWidget* parent = nullptr);

  // Background in a stored colour (0x00BBGGRR), the text in its inverse.
  void paint(int32_t stored);

 signals:
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QString drawn_;
};

// A stored colour (0x00BBGGRR) from a colour of the dialog.
int32_t ToStoredColour(const QColor& colour);

inline void SetChecked(QAbstractButton* b, bool on) {
  if (b->isChecked() == on) return;
  QSignalBlocker block(b);
  b->setChecked(on);
}

inline void SetEnabled(QWidget* w, bool on) {
  if (w->isEnabled() != on) w->setEnabled(on);
}

inline void SetVisible(QWidget* w, bool on) {
  if (w->isHidden() == on) w->setVisible(on);
}

inline void SetLabel(QLabel* label, const std::string& text) {
  const QString q = Text(text);
  if (label->text() != q) label->setText(q);
}

// The chosen entry, without telling the desk of a choice it made itself.
inline void SetIndex(QComboBox* combo, int index) {
  if (combo->currentIndex() == index) return;
  QSignalBlocker block(combo);
  combo->setCurrentIndex(index);
}

// A line edit whose text is typed into memory at once (textEdited): it is
// rewritten only when the desk's text differs, so the cursor stays put.
inline void MirrorText(QLineEdit* edit, const std::string& text) {
  const QString q = Text(text);
  if (edit->text() == q) return;
  QSignalBlocker block(edit);
  edit->setText(q);
}

// A box that holds the operator's typing until it is handed over: it shows
// the desk's value whenever that value changes (or after a hand-over), and
// leaves the typing alone otherwise.
class ValueBox {
 public:
  ValueBox() = default;
  explicit ValueBox(QLineEdit* edit) : edit_(edit) {}
  QLineEdit* edit() const { return edit_; }
  void show(const std::string& value) {
    if (!stale_ && value == drawn_) return;
    drawn_ = value;
    stale_ = false;
    QSignalBlocker block(edit_);
    edit_->setText(Text(value));
    edit_->setModified(false);
  }
  // After a hand-over the next show() rewrites the box with what the desk kept.
  void handedOver() { stale_ = true; }

 private:
  QLineEdit* edit_ = nullptr;
  std::string drawn_;
  bool stale_ = true;
};

// A number box the operator has left: what was typed goes to the desk, and
// from then on the box shows what the desk kept. False when nothing was typed.
bool HandOverNumber(OptionsEditor& editor, ValueBox& box, NumberOption option);

// The spacing of the pages' layouts: close enough that every page fits the
// area at the window's delivered size.
inline constexpr int kPageMargin = 6;
inline constexpr int kPageSpacing = 4;
void Tighten(QLayout* layout);

}  // namespace tarvolen::adminui
