#include "ui/UtilisationImage.h"

#include <QFont>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QString>
#include <algorithm>
#include <set>

namespace tarvolen {

using query::PictureColour;
using query::PictureRect;
using query::UtilisationPicture;

namespace {

QColor Colour(PictureColour c) {
  return QColor(static_cast<int>((c >> 16) & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>(c & 0xFF));
}
QRect Rect(const PictureRect& r) { return QRect(r.x, r.y, r.width, r.height); }

constexpr PictureColour kLineColour = 0xC0C0C0;
constexpr int kPdfResolution = 96;  // one picture pixel is one PDF dot at scale 1
constexpr int kPdfMarginMm = 10;

QString Path(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

Status WriteFailed(const std::filesystem::path& path, const QString& why) {
  return Status(ErrorCode::WriteFailed, "无法写入文件 " + path.string() + "：" + why.toStdString());
}

// Where the pages of a tall picture are cut: at the top of the last row
// (a text or a cell) that still begins inside the page's band.
std::vector<int> PageCuts(const UtilisationPicture& picture, int band) {
  std::set<int> tops;
  for (const auto& t : picture.texts) tops.insert(t.rect.y);
  for (const auto& c : picture.cells) tops.insert(c.rect.y);
  std::vector<int> cuts{0};
  while (picture.height - cuts.back() > band) {
    const int start = cuts.back();
    auto it = tops.upper_bound(start + band);
    int cut = start + band;
    if (it != tops.begin() && *std::prev(it) > start) cut = *std::prev(it);
    cuts.push_back(cut);
  }
  cuts.push_back(picture.height);
  return cuts;
}

}  // namespace

void PaintUtilisation(QPainter& painter, const UtilisationPicture& picture) {
  PaintUtilisation(painter, picture, QRect(0, 0, picture.width, picture.height));
}

void PaintUtilisation(QPainter& painter, const UtilisationPicture& picture, const QRect& visible) {
  painter.save();
  painter.fillRect(visible.intersected(QRect(0, 0, picture.width, picture.height)), Qt::white);
  for (const PictureRect& line : picture.lines) {
    const QRect r = Rect(line);
    if (r.intersects(visible)) painter.fillRect(r, Colour(kLineColour));
  }
  // The cells run top to bottom: start at the first one that reaches the
  // visible part and stop below it, so a tall picture paints only its view.
  auto cell = std::partition_point(picture.cells.begin(), picture.cells.end(), [&](const query::PictureCell& c) {
    return c.rect.y + c.rect.height <= visible.top();
  });
  for (; cell != picture.cells.end() && cell->rect.y <= visible.bottom(); ++cell) {
    const QRect r = Rect(cell->rect);
    if (r.intersects(visible)) painter.fillRect(r, Colour(cell->fill));
  }
  for (const auto& swatch : picture.legend) painter.fillRect(Rect(swatch.rect), Colour(swatch.fill));
  QFont font = painter.font();
  font.setPixelSize(query::kPictureFontPixels);
  QFont bold = font;
  bold.setBold(true);
  for (const auto& text : picture.texts) {
    const QRect r = Rect(text.rect);
    if (!r.intersects(visible)) continue;
    painter.setFont(text.bold ? bold : font);
    painter.setPen(Colour(text.colour));
    painter.drawText(r, static_cast<int>((text.alignRight ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter),
                     QString::fromStdString(text.text));
  }
  painter.restore();
}

Status SaveUtilisationPng(const std::filesystem::path& path, const UtilisationPicture& picture) {
  QImage image(std::max(1, picture.width), std::max(1, picture.height), QImage::Format_RGB32);
  if (image.isNull()) return WriteFailed(path, QStringLiteral("图片太大"));
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    PaintUtilisation(painter, picture);
  }
  QSaveFile file(Path(path));
  if (!file.open(QIODevice::WriteOnly)) return WriteFailed(path, file.errorString());
  if (!image.save(&file, "PNG")) {
    file.cancelWriting();
    return WriteFailed(path, file.errorString());
  }
  if (!file.commit()) return WriteFailed(path, file.errorString());
  return Status::Ok();
}

Status SaveUtilisationPdf(const std::filesystem::path& path, const UtilisationPicture& picture) {
  QSaveFile file(Path(path));
  if (!file.open(QIODevice::WriteOnly)) return WriteFailed(path, file.errorString());
  {
    QPdfWriter writer(&file);
    writer.setResolution(kPdfResolution);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(kPdfMarginMm, kPdfMarginMm, kPdfMarginMm, kPdfMarginMm),
                                     QPageLayout::Millimeter));
    writer.setTitle(QStringLiteral("房间使用率"));
    QPainter painter;
    if (!painter.begin(&writer)) {
      file.cancelWriting();
      return WriteFailed(path, QStringLiteral("PDF 无法开始"));
    }
    const QRect page = writer.pageLayout().paintRectPixels(kPdfResolution);
    const double scale = std::min(1.0, static_cast<double>(page.width()) / std::max(1, picture.width));
    const int band = std::max(1, static_cast<int>(page.height() / scale));
    const std::vector<int> cuts = PageCuts(picture, band);
    for (size_t i = 0; i + 1 < cuts.size(); ++i) {
      if (i > 0 && !writer.newPage()) {
        painter.end();
        file.cancelWriting();
        return WriteFailed(path, QStringLiteral("PDF 无法换页"));
      }
      const QRect slice(0, cuts[i], picture.width, cuts[i + 1] - cuts[i]);
      painter.save();
      painter.scale(scale, scale);
      painter.translate(0, -cuts[i]);
      painter.setClipRect(slice);
      PaintUtilisation(painter, picture, slice);
      painter.restore();
    }
    painter.end();
  }
  if (file.error() != QFileDevice::NoError) {
    file.cancelWriting();
    return WriteFailed(path, file.errorString());
  }
  if (!file.commit()) return WriteFailed(path, file.errorString());
  return Status::Ok();
}

}  // namespace tarvolen
