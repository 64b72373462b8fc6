// Runs a piece of clean-up when the scope ends, also when an error leaves it.
#pragma once

#include <utility>

namespace orvalis {

template <class F>
class tScopeGuard {
 public:
  explicit tScopeGuard(F onExit) : onExit_(std::move(onExit)) {}
  ~tScopeGuard() { onExit_(); }
  tScopeGuard(const tScopeGuard&) = delete;
  tScopeGuard& operator=(const tScopeGuard&) = delete;

 private:
  F onExit_;
};

}  // namespace orvalis
