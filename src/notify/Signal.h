#pragma once
// An event the windows (and other parts) listen to. Any number of listeners
// connect; none can overwrite another's. Everything runs on the one UI
// thread, so no locking.
#include <functional>
#include <utility>
#include <vector>

namespace tarvolen {

template <class... Args>
class Signal {
 public:
  using Slot = std::function<void(Args...)>;

  // Returns the connection's id, for `disconnect`.
  int connect(Slot slot) {
    slots_.push_back({++lastId_, std::move(slot)});
    return lastId_;
  }
  void disconnect(int id) {
    std::erase_if(slots_, [id](const Entry& e) { return e.id == id; });
  }
  // Tells every listener, in the order they connected. A listener that
  // connects or disconnects while being told takes effect from the next emit.
  void operator()(Args... args) const {
    const std::vector<Entry> snapshot = slots_;
    for (const Entry& e : snapshot) e.slot(args...);
  }
  bool empty() const { return slots_.empty(); }

 private:
  struct Entry {
    int id;
    Slot slot;
  };
  std::vector<Entry> slots_;
  int lastId_ = 0;
};

// The connections of one listener, undone when it goes away (a window that
// is destroyed before the desk it listens to).
class Connections {
 public:
  Connections() = default;
  Connections(const Connections&) = delete;
  Connections& operator=(const Connections&) = delete;
  ~Connections() {
    for (auto& undo : undo_) undo();
  }

  template <class F, class... Args>
  void add(Signal<Args...>& signal, F slot) {
    const int id = signal.connect(std::move(slot));
    undo_.push_back([&signal, id] { signal.disconnect(id); });
  }

 private:
  std::vector<std::function<void()>> undo_;
};

}  // namespace tarvolen
