#include "framework/win32/user/WindowProcs.h"

#include "framework/win32/user/UserState.h"

#include <memory>
#include <unordered_map>
#include <unordered_set>

namespace {

struct TProcInstance {
  TWindowFunction Function;
};

// Never destroyed, like the window engine's state: windows die with forms at exit.
std::unordered_map<std::uintptr_t, std::unique_ptr<TProcInstance>>& Instances() {
  static auto& table = *new std::unordered_map<std::uintptr_t, std::unique_ptr<TProcInstance>>;
  return table;
}

// Instances freed: calling one does nothing rather than jump to a stale address.
std::unordered_set<std::uintptr_t>& Retired() {
  static auto& keys = *new std::unordered_set<std::uintptr_t>;
  return keys;
}

std::uintptr_t KeyOf(WNDPROC proc) { return reinterpret_cast<std::uintptr_t>(proc); }

} // namespace

WNDPROC MakeProcInstance(TWindowFunction function) {
  auto instance = std::make_unique<TProcInstance>(TProcInstance{std::move(function)});
  const auto key = reinterpret_cast<std::uintptr_t>(instance.get());
  Instances().emplace(key, std::move(instance));
  return reinterpret_cast<WNDPROC>(key);
}

void FreeProcInstance(WNDPROC proc) {
  if (Instances().erase(KeyOf(proc))) Retired().insert(KeyOf(proc));
}

LRESULT CallProc(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!proc) return 0;
  const auto it = Instances().find(KeyOf(proc));
  if (it == Instances().end())
    return Retired().count(KeyOf(proc)) ? 0 : proc(window, message, wParam, lParam);
  // A copy, so the instance may be freed while it runs.
  const TWindowFunction function = it->second->Function;
  return function ? function(window, message, wParam, lParam) : 0;
}

LRESULT SendTo(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const TWindow* w = WindowOf(window);
  if (!w) return 0;
  return CallProc(w->Proc, window, message, wParam, lParam);
}
