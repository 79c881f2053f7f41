#include "platform/qt/QtSoundPlayer.h"

#include <QUrl>

namespace tarvolen {

void QtSoundPlayer::play(const std::filesystem::path& file) {
  if (!std::filesystem::exists(file)) return;  // a missing cue is silent
  auto& effect = effects_[file.string()];
  if (!effect) {
    effect = std::make_unique<QSoundEffect>();
    effect->setSource(QUrl::fromLocalFile(QString::fromStdString(file.string())));
  }
  if (playing_ != nullptr && playing_ != effect.get()) playing_->stop();
  effect->stop();
  effect->play();
  playing_ = effect.get();
}

}  // namespace tarvolen
