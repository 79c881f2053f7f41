#pragma once
// Paints a utilisation picture with QPainter and writes it as PNG or PDF.
// Needs a QGuiApplication (the command line makes one on the offscreen
// platform).
#include <filesystem>

#include "query/UtilisationPicture.h"
#include "store/Result.h"

class QPainter;
class QRect;

namespace tarvolen {

void PaintUtilisation(QPainter& painter, const query::UtilisationPicture& picture);
// Only what meets `visible` (picture pixels): a window's exposed part, a
// page's band of a tall picture.
void PaintUtilisation(QPainter& painter, const query::UtilisationPicture& picture, const QRect& visible);
// The file is written beside its target and renamed over it when whole; a
// folder that cannot be written gives an error naming the file and why.
Status SaveUtilisationPng(const std::filesystem::path& path, const query::UtilisationPicture& picture);
// A4 portrait; a picture wider than the page is scaled to its width, one
// taller than a page goes on over further pages, cut between rows.
Status SaveUtilisationPdf(const std::filesystem::path& path, const query::UtilisationPicture& picture);

// The utilisation window's exports through the two functions above.
class QtUtilisationFiles final : public query::PictureFiles {
 public:
  Status SavePng(const std::filesystem::path& path, const query::UtilisationPicture& picture) override {
    return SaveUtilisationPng(path, picture);
  }
  Status SavePdf(const std::filesystem::path& path, const query::UtilisationPicture& picture) override {
    return SaveUtilisationPdf(path, picture);
  }
};

}  // namespace tarvolen
