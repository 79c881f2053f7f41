#include "notify/InfoPanel.h"

namespace tarvolen {

InfoPanel::InfoPanel(std::unique_ptr<Timer> timer) : timer_(std::move(timer)) {
  timer_->onTimeout = [this] { Tick(); };
}

void InfoPanel::Place(double outerHeight, int panelHeight) {
  outerHeight_ = outerHeight;
  panelHeight_ = panelHeight;
  timer_->stop();
  top_ = collapsedTop();
  Changed();
}

void InfoPanel::TitleClicked() {
  // Compared as the panel's stored top, so a panel on its way or open
  // ignores the click.
  if (top_ != collapsedTop()) return;
  timer_->start(kSlideMs);
}

void InfoPanel::HideClicked() {
  timer_->stop();
  top_ = collapsedTop();
  hideVisible_ = false;
  Changed();
}

void InfoPanel::Tick() {
  top_ -= kStep;
  if (top_ <= openTop()) {
    top_ = openTop();
    timer_->stop();
    hideVisible_ = true;
  }
  Changed();
}

}  // namespace tarvolen
