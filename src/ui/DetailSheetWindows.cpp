#include "ui/DetailSheetWindows.h"

#include <QEvent>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>
#include <QWidget>
#include <cmath>

#include "board/DetailSheets.h"
#include "desk/Desk.h"
#include "ui/WindowLook.h"

namespace tarvolen {
namespace {

constexpr Qt::WindowFlags kFloating =
    Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool | Qt::WindowDoesNotAcceptFocus;

int Pixels(int twips) { return static_cast<int>(std::lround(twips / 15.0)); }

// A photo scaled into the box while it is read, so a huge picture is never
// decoded whole; a file that cannot be read gives a null image.
QImage ReadPhoto(const std::string& path) {
  if (path.empty()) return {};
  QImageReader reader(QString::fromStdString(path));
  const QSize full = reader.size();
  const QSize box(kPhotoBoxWidth, kPhotoBoxHeight);
  if (full.isValid() && (full.width() > box.width() || full.height() > box.height())) {
    reader.setScaledSize(full.scaled(box, Qt::KeepAspectRatio));
  }
  return reader.read();
}

}  // namespace

DetailSheetWindows::DetailSheetWindows(Desk& desk) : desk_(desk) {
  plate_ = new QWidget(nullptr, kFloating);
  plate_->setObjectName(QStringLiteral("FStr128"));
  plate_->setWindowTitle(QStringLiteral("FStr128"));
  plate_->setAttribute(Qt::WA_ShowWithoutActivating);
  plate_->setWindowOpacity(128.0 / 255.0);
  plate_->setAutoFillBackground(true);
  QPalette p = plate_->palette();
  p.setColor(QPalette::Window, QColor(255, 255, 225));
  plate_->setPalette(p);
  plate_->installEventFilter(this);
  photo_ = new QLabel(plate_);
  photo_->setObjectName(QStringLiteral("Image1"));
  photo_->setAlignment(Qt::AlignCenter);
  photo_->hide();

  sheet_ = new QWidget(nullptr, kFloating);
  sheet_->setObjectName(QStringLiteral("FStr255"));
  sheet_->setWindowTitle(QStringLiteral("FStr255"));
  sheet_->setAttribute(Qt::WA_ShowWithoutActivating);
  sheet_->setAttribute(Qt::WA_TranslucentBackground);
  sheet_->installEventFilter(this);
  for (size_t i = 0; i < lines_.size(); ++i) {
    auto* l = new QLabel(sheet_);
    l->setObjectName(QStringLiteral("FStr255_Label1_%1").arg(i));
    l->move(kSheetLineLeft, kSheetLineTop + kSheetLinePitch * static_cast<int>(i));
    QFont f = l->font();
    f.setPixelSize(12);
    l->setFont(f);
    l->installEventFilter(this);
    l->hide();
    lines_[i] = l;
  }
}

DetailSheetWindows::~DetailSheetWindows() {
  delete sheet_;
  delete plate_;
}

void DetailSheetWindows::Rebuild() {
  const DetailSheetView& v = desk_.detailSheets().view();
  for (size_t i = 0; i < lines_.size(); ++i) {
    QLabel* l = lines_[i];
    if (i < v.lines.size()) {
      l->setText(QString::fromStdString(v.lines[i]));
      l->adjustSize();
      l->show();
    } else {
      l->hide();
    }
  }
  const QImage picture = ReadPhoto(v.photoPath);
  photoShown_ = !picture.isNull();
  const int width = Pixels(photoShown_ ? v.photoWidthTwips : v.widthTwips);
  size_ = QSize(width, Pixels(v.heightTwips));
  if (photoShown_) {
    photo_->setPixmap(QPixmap::fromImage(picture));
    // At the top right corner, 8 pixels in.
    photo_->setGeometry(width - 8 - kPhotoBoxWidth, 8, kPhotoBoxWidth, kPhotoBoxHeight);
    photo_->show();
  } else {
    photo_->clear();
    photo_->hide();
  }
  sheet_->resize(size_);
  ShapeToContent(sheet_);
}

void DetailSheetWindows::render(QPoint origin) {
  const DetailSheetView& v = desk_.detailSheets().view();
  if (!v.visible) {
    sheet_->hide();
    plate_->hide();
    return;
  }
  if (drawnBuilds_ != v.builds) {
    drawnBuilds_ = v.builds;
    Rebuild();
  }
  // A room's sheet clears the photo box even when its text was cached.
  if (v.photoPath.empty() && photoShown_) {
    photo_->clear();
    photo_->hide();
    photoShown_ = false;
  }
  const QRect place(origin + QPoint(v.offset.x, v.offset.y), size_);
  if (sheet_->geometry() != place) sheet_->setGeometry(place);
  if (plate_->geometry() != place) plate_->setGeometry(place);
  if (!plate_->isVisible()) plate_->show();
  if (!sheet_->isVisible()) sheet_->show();
  sheet_->raise();
}

bool DetailSheetWindows::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) {
    emit clicked();
    return true;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace tarvolen
