#pragma once
// Paints a utilisation picture with QPainter and writes it as PNG or PDF.
// Needs a QGuiApplication (the command line makes one on the offscreen
// platform).
#include <filesystem>

#include "query/UtilisationPicture.h"
#include "store/Result.h"

class QPainter;

namespace tarvolen {

void PaintUtilisation(QPainter& painter, const query::UtilisationPicture& picture);
Status SaveUtilisationPng(const std::filesystem::path& path, const query::UtilisationPicture& picture);
Status SaveUtilisationPdf(const std::filesystem::path& path, const query::UtilisationPicture& picture);

}  // namespace tarvolen
