// A synchronous event of a public class: handlers connect to it, and raising
// it calls every connected handler in the order of connection, on the
// raiser's thread, before Raise returns.
#pragma once

#include <cstddef>
#include <functional>
#include <utility>
#include <vector>

namespace bp {

template <class... Args>
class Evento {
 public:
  using Handler = std::function<void(Args...)>;

  // Connects a handler; the number returned disconnects it.
  size_t Connect(Handler handler) {
    handlers_.emplace_back(++last_id_, std::move(handler));
    return last_id_;
  }
  void Disconnect(size_t id) {
    std::erase_if(handlers_, [id](const auto& entry) { return entry.first == id; });
  }
  bool HasHandlers() const { return !handlers_.empty(); }

  // Calls the handlers connected when the raise begins (a handler connected
  // during the raise is not called by it). A handler that throws stops the
  // raise and the failure reaches the raiser.
  void Raise(Args... args) const {
    const size_t count = handlers_.size();
    for (size_t i = 0; i < count && i < handlers_.size(); ++i) handlers_[i].second(args...);
  }

 private:
  std::vector<std::pair<size_t, Handler>> handlers_;
  size_t last_id_ = 0;
};

}  // namespace bp
