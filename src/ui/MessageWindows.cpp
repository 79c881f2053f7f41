#include "ui/MessageWindows.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QWidget>
#include <algorithm>

#include "notify/MessageLayout.h"
#include "desk/Desk.h"
#include "ui/WindowLook.h"

namespace tarvolen {

namespace {
const char* const kNames[5] = {"FMsg1", "Fmsg2", "Fmsg3", "Fmsg4", "Fmsg5"};
}

MessageWindows::MessageWindows(Desk& desk) : desk_(desk) {
  for (size_t i = 0; i < windows_.size(); ++i) {
    auto* w = new QWidget(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool |
                                       Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus);
    w->setObjectName(QString::fromLatin1(kNames[i]));
    w->setAttribute(Qt::WA_TranslucentBackground);
    w->setAttribute(Qt::WA_ShowWithoutActivating);
    w->setWindowTitle(QString::fromLatin1(kNames[i]));
    auto* label = new QLabel(w);
    label->setObjectName(QStringLiteral("Label1"));
    label->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    label->setAttribute(Qt::WA_TranslucentBackground);
    windows_[i] = w;
    labels_[i] = label;
  }
}

MessageWindows::~MessageWindows() {
  for (QWidget* w : windows_) delete w;
}

void MessageWindows::ApplyLook() {
  const Options& o = desk_.options();
  const QFont font = FontFromOptions(o.font);
  const QString key = font.toString();
  QScreen* screen = QGuiApplication::primaryScreen();
  const QRect geometry = screen != nullptr ? screen->geometry() : QRect(0, 0, 1024, 768);
  if (key == fontKey_ && o.messageColour == colour_ && geometry.width() == screenWidth_ &&
      geometry.height() == screenHeight_) {
    return;
  }
  fontKey_ = key;
  colour_ = o.messageColour;
  screenWidth_ = geometry.width();
  screenHeight_ = geometry.height();

  const QColor colour = FromStoredColour(static_cast<uint32_t>(o.messageColour));
  int lineHeight = 0;
  for (QLabel* label : labels_) {
    label->setFont(font);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, colour);
    label->setPalette(p);
    lineHeight = std::max(lineHeight, label->fontMetrics().height());
  }
  for (size_t i = 0; i < windows_.size(); ++i) {
    const int k = static_cast<int>(i) + 1;
    const int top = MessageWindowTop(screenHeight_, lineHeight, k);
    windows_[i]->setGeometry(geometry.left(), geometry.top() + top, screenWidth_, lineHeight);
    labels_[i]->setGeometry(0, 0, screenWidth_, lineHeight);
  }
  // The shapes follow the new font.
  for (Drawn& d : drawn_) d.shaped = false;
}

void MessageWindows::render() {
  ApplyLook();
  const MessageStack& stack = desk_.notifier().stack();
  for (size_t i = 0; i < windows_.size(); ++i) {
    const int k = static_cast<int>(i) + 1;
    Drawn& d = drawn_[i];
    QWidget* w = windows_[i];
    const std::string& text = stack.text(k);
    const int level = stack.level(k);
    if (d.text != text) {
      labels_[i]->setText(QString::fromStdString(text));
      d.text = text;
      d.shaped = false;
    }
    if (level != d.level) {
      w->setWindowOpacity(level / 255.0);
      d.level = level;
    }
    // A line at level 0 is also taken off the screen: without a compositor
    // the opacity alone would not hide it.
    const bool shown = level > 0;
    if (shown != w->isVisible()) w->setVisible(shown);
    if (shown && !d.shaped) {
      ShapeToContent(w);
      d.shaped = true;
    }
  }
}

}  // namespace tarvolen
