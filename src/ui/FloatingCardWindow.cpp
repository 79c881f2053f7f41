#include "ui/FloatingCardWindow.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

#include "desk/Desk.h"
#include "ui/WindowLook.h"

namespace tarvolen {

namespace {
constexpr int kWidth = 420;
constexpr int kHeight = 72;
}  // namespace

FloatingCardWindow::FloatingCardWindow(Desk& desk)
    : QWidget(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool | Qt::WindowTransparentForInput |
                           Qt::WindowDoesNotAcceptFocus),
      desk_(desk) {
  setObjectName(QStringLiteral("floatingCard"));
  setWindowTitle(QStringLiteral("floatingCard"));
  setAttribute(Qt::WA_TranslucentBackground);
  setAttribute(Qt::WA_ShowWithoutActivating);
  resize(kWidth, kHeight);

  QFont font = this->font();
  font.setPointSize(36);
  font.setBold(true);
  // The shadows first, so the white digits lie on top of them.
  for (int i = 2; i >= 0; --i) {
    auto* l = new QLabel(this);
    l->setObjectName(QStringLiteral("Label1_%1").arg(i));
    l->setFont(font);
    l->setAttribute(Qt::WA_TranslucentBackground);
    l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, i == 0 ? Qt::white : Qt::black);
    l->setPalette(p);
    l->setGeometry(i, i, kWidth - 2, kHeight - 2);
    labels_[static_cast<size_t>(i)] = l;
  }

  // Near the top of the screen, horizontally centred.
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect g = screen->availableGeometry();
    move(g.left() + (g.width() - kWidth) / 2, g.top() + g.height() / 6);
  }
}

void FloatingCardWindow::render() {
  const std::string& buffer = desk_.cardInput().buffer();
  if (buffer != drawn_) {
    const QString text = QString::fromStdString(buffer);
    for (QLabel* l : labels_) l->setText(text);
    drawn_ = buffer;
    shaped_ = false;
  }
  const bool shown = desk_.floatingCardShown();
  if (shown != isVisible()) setVisible(shown);
  if (shown && !shaped_) {
    ShapeToContent(this);
    shaped_ = true;
  }
}

}  // namespace tarvolen
