#pragma once
// The key handler of the desk (TKeyKeyDown): collects the digits a card
// reader types into the card buffer and hands the buffer on at Enter, and
// moves the selection of the session list, the room list and the major
// selector. Key codes are Windows virtual-key codes, whatever the platform
// source of the keys is.
#include <functional>
#include <memory>
#include <string>

#include "board/ListCursor.h"
#include "platform/Timer.h"
#include "platform/VirtualKeys.h"

namespace tarvolen {

enum class KeyboardMode : int { Normal = 0, RoomSelection = 1, Administration = 3 };

class CardInput {
 public:
  static constexpr size_t kMaxBuffer = 13;
  static constexpr int kCardOnlyTimeoutMs = 50;
  static constexpr int kTypedTimeoutMs = 9999;

  // What the handler needs from the rest of the desk.
  struct Hooks {
    std::function<bool()> mainWindowEnabled;
    std::function<bool()> mainWindowForeground;
    std::function<bool()> focusForced;    // "焦点强制"
    std::function<bool()> mainRowDigits;  // "启用大键盘数字"
    std::function<int()> sessionCount;
    std::function<int()> candidateCount;
    // Enter with a non-empty buffer in the normal mode.
    std::function<void(const std::string& card)> swipe;
    // Enter or Space while a room is being chosen; Escape cancels.
    std::function<void()> checkInSelectedRow;
    std::function<void()> cancelRoomSelection;
    // The room list's selected row moved (the room name label follows it).
    std::function<void()> roomRowMoved;
    // The session list's page or selected row moved.
    std::function<void()> sessionRowMoved;
    // The buffer or the floating window changed: redraw.
    std::function<void()> changed;
  };

  CardInput(Hooks hooks, std::unique_ptr<Timer> digitTimeout);

  // The handler of every key-down code, from whichever key source.
  void TKeyKeyDown(int key);
  // The digit timeout fired (Timer6): the unfinished number is dropped.
  void DigitTimeout();

  // "只能刷卡登记": 50 ms when on, 9999 ms when off, applied at once.
  void setCardOnly(bool on);
  int digitTimeoutMs() const { return timeoutMs_; }

  const std::string& buffer() const { return buffer_; }
  void clearBuffer();
  // Whether the floating card window shows (the main window is not in front).
  bool floatingVisible() const { return floatingVisible_; }
  bool foreground() const { return foreground_; }
  // The main window's activation changed (shown/hidden at once, no key needed).
  void setForeground(bool foreground);

  KeyboardMode mode() const { return mode_; }
  void setMode(KeyboardMode mode) { mode_ = mode; }

  ListCursor& sessionCursor() { return sessionCursor_; }
  ListCursor& roomCursor() { return roomCursor_; }
  // The major selector (Combo2) moved by Left/Right, clamped to its entries.
  int majorIndex() const { return majorIndex_; }
  void setMajorEntries(int count);
  void setMajorIndex(int index);

 private:
  void Navigate(int key);
  void NavigateList(ListCursor& cursor, int count, int key, bool roomList);
  bool CardEntryAllowed() const;
  void Changed();

  Hooks hooks_;
  std::unique_ptr<Timer> timer6_;
  int timeoutMs_ = kTypedTimeoutMs;
  std::string buffer_;
  bool foreground_ = false;
  bool floatingVisible_ = false;
  KeyboardMode mode_ = KeyboardMode::Normal;
  ListCursor sessionCursor_;
  ListCursor roomCursor_;
  int majorIndex_ = 0;
  int majorEntries_ = 1;
};

}  // namespace tarvolen
