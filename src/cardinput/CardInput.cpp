#include "cardinput/CardInput.h"

#include <algorithm>

namespace tarvolen {

CardInput::CardInput(Hooks hooks, std::unique_ptr<Timer> digitTimeout)
    : hooks_(std::move(hooks)), timer6_(std::move(digitTimeout)) {
  if (timer6_) timer6_->onTimeout = [this] { DigitTimeout(); };
}

void CardInput::Changed() {
  if (hooks_.changed) hooks_.changed();
}

void CardInput::setCardOnly(bool on) {
  timeoutMs_ = on ? kCardOnlyTimeoutMs : kTypedTimeoutMs;
  // A running timeout takes the new interval at once.
  if (timer6_ && timer6_->isActive()) timer6_->start(timeoutMs_);
}

void CardInput::setForeground(bool foreground) {
  foreground_ = foreground;
  floatingVisible_ = !foreground;
  Changed();
}

void CardInput::clearBuffer() {
  buffer_.clear();
  Changed();
}

void CardInput::setMajorEntries(int count) {
  majorEntries_ = std::max(1, count);
  majorIndex_ = std::clamp(majorIndex_, 0, majorEntries_ - 1);
}

void CardInput::setMajorIndex(int index) { majorIndex_ = std::clamp(index, 0, majorEntries_ - 1); }

bool CardInput::CardEntryAllowed() const {
  const bool forced = hooks_.focusForced && hooks_.focusForced();
  return mode_ == KeyboardMode::Normal && (forced || foreground_);
}

void CardInput::TKeyKeyDown(int key) {
  // While a modal box of the desk has the main window disabled, the
  // foreground flag keeps its last value and nothing is navigated.
  const bool enabled = hooks_.mainWindowEnabled ? hooks_.mainWindowEnabled() : true;
  if (enabled) {
    foreground_ = hooks_.mainWindowForeground ? hooks_.mainWindowForeground() : false;
    floatingVisible_ = !foreground_;
    if (foreground_) {
      if (mode_ == KeyboardMode::Administration) {
        Changed();
        return;
      }
      Navigate(key);
    }
  }

  if (CardEntryAllowed()) {
    if (key == vk::kBackspace) {
      if (!buffer_.empty()) buffer_.pop_back();
    } else if (buffer_.size() < kMaxBuffer) {
      const bool mainRow = key >= vk::kDigit0 && key <= vk::kDigit9 && hooks_.mainRowDigits && hooks_.mainRowDigits();
      const bool keypad = key >= vk::kNumpad0 && key <= vk::kNumpad9;
      if (mainRow || keypad) {
        buffer_ += static_cast<char>('0' + (key - (keypad ? vk::kNumpad0 : vk::kDigit0)));
        if (timer6_) {
          timer6_->stop();
          timer6_->start(timeoutMs_);
        }
      } else if (key == vk::kEnter && !buffer_.empty()) {
        Changed();
        // A copy: the dispatch empties the buffer while it works.
        std::string card = buffer_;
        if (hooks_.swipe) hooks_.swipe(card);
        return;
      }
    }
  }
  Changed();
}

void CardInput::Navigate(int key) {
  if (mode_ == KeyboardMode::Normal) {
    NavigateList(sessionCursor_, hooks_.sessionCount ? hooks_.sessionCount() : 0, key, false);
  } else if (mode_ == KeyboardMode::RoomSelection) {
    if (key == vk::kEnter || key == vk::kSpace) {
      if (hooks_.checkInSelectedRow) hooks_.checkInSelectedRow();
      return;
    }
    if (key == vk::kEscape) {
      if (hooks_.cancelRoomSelection) hooks_.cancelRoomSelection();
      return;
    }
    NavigateList(roomCursor_, hooks_.candidateCount ? hooks_.candidateCount() : 0, key, true);
  }
}

void CardInput::NavigateList(ListCursor& cursor, int count, int key, bool roomList) {
  bool moved = false;
  switch (key) {
    case vk::kPageUp:
      cursor.pageUp(count);
      moved = true;
      break;
    case vk::kPageDown:
      cursor.pageDown(count);
      moved = true;
      break;
    case vk::kUp: moved = cursor.up(count); break;
    case vk::kDown: moved = cursor.down(count); break;
    case vk::kLeft: setMajorIndex(majorIndex_ - 1); break;
    case vk::kRight: setMajorIndex(majorIndex_ + 1); break;
    default: break;
  }
  if (!moved) return;
  if (roomList && hooks_.roomRowMoved) hooks_.roomRowMoved();
  if (!roomList && hooks_.sessionRowMoved) hooks_.sessionRowMoved();
}

void CardInput::DigitTimeout() {
  if (timer6_) timer6_->stop();
  buffer_.clear();
  Changed();
}

}  // namespace tarvolen
