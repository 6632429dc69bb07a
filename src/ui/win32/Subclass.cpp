#include "ui/win32/Subclass.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace tw::ui {
namespace {

struct Link {
  detail::ChainProc procedure;
  void* data;
};

// One window's subclassers, the last added running first. While a message is
// on its way through (`depth` above 0) a link that leaves is only emptied, so
// that the places of the links still to run stay where they are; the list is
// tidied once the outermost message is done.
struct Chain {
  WNDPROC original = nullptr;
  std::vector<Link> links;
  std::size_t next = 0;  // links below the one running: the next to call is links[next - 1]
  int depth = 0;
};

// Which window has which chain. Every message to a subclassed window looks
// its chain up, several times: a window property would cost a call into the
// system each time (under Wine a round trip to its server), this costs none.
// Windows are subclassed on the thread that made them, the program's one
// window thread.
std::vector<std::pair<HWND, Chain*>>& Chains() {
  static std::vector<std::pair<HWND, Chain*>> chains;
  return chains;
}

Chain* ChainOf(HWND window) {
  for (const auto& [owner, chain] : Chains()) {
    if (owner == window) return chain;
  }
  return nullptr;
}

void ForgetChain(HWND window) {
  std::erase_if(Chains(), [window](const auto& entry) { return entry.first == window; });
}

LRESULT CALLBACK ChainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Puts the window's own procedure back once nobody is left in its chain, as
// long as nobody has swapped theirs in above ours meanwhile (their saved
// pointer still leads here, so the chain must then stay).
void TidyUp(HWND window, Chain* chain) {
  if (chain->depth > 0) return;
  std::erase_if(chain->links, [](const Link& link) { return link.procedure == nullptr; });
  if (!chain->links.empty()) return;
  if (GetWindowLongPtrA(window, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&ChainWindowProc)) return;
  SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(chain->original));
  ForgetChain(window);
  delete chain;
}

LRESULT CALLBACK ChainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Chain* chain = ChainOf(window);
  if (chain == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  const std::size_t outer = chain->next;
  chain->next = chain->links.size();
  ++chain->depth;
  const LRESULT result = CallNextSubclass(window, message, wParam, lParam);
  --chain->depth;
  chain->next = outer;
  if (chain->depth == 0 && (message == WM_NCDESTROY || !IsWindow(window))) {
    // The window is going, or went inside a handler: the chain goes with it.
    ForgetChain(window);
    delete chain;
  } else {
    TidyUp(window, chain);
  }
  return result;
}

Link* Find(Chain* chain, detail::ChainProc procedure) {
  if (chain == nullptr) return nullptr;
  const auto link = std::find_if(chain->links.begin(), chain->links.end(),
                                 [procedure](const Link& each) { return each.procedure == procedure; });
  return link != chain->links.end() ? &*link : nullptr;
}

}  // namespace

namespace detail {

bool AddToChain(HWND window, ChainProc procedure, void* data) {
  DWORD process = 0;
  if (window == nullptr || GetWindowThreadProcessId(window, &process) == 0 || process != GetCurrentProcessId()) {
    return false;
  }
  Chain* chain = ChainOf(window);
  if (Link* link = Find(chain, procedure)) {
    link->data = data;
    return true;
  }
  if (chain == nullptr) {
    chain = new Chain;
    Chains().emplace_back(window, chain);
    chain->original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ChainWindowProc)));
    if (chain->original == nullptr) {
      ForgetChain(window);
      delete chain;
      return false;
    }
  }
  chain->links.push_back({procedure, data});
  return true;
}

bool RemoveFromChain(HWND window, ChainProc procedure) {
  Chain* chain = window != nullptr ? ChainOf(window) : nullptr;
  Link* link = Find(chain, procedure);
  if (link == nullptr) return false;
  link->procedure = nullptr;
  link->data = nullptr;
  TidyUp(window, chain);
  return true;
}

bool FindInChain(HWND window, ChainProc procedure, void** data) {
  const Link* link = window != nullptr ? Find(ChainOf(window), procedure) : nullptr;
  if (link == nullptr) return false;
  *data = link->data;
  return true;
}

}  // namespace detail

LRESULT CallNextSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Chain* chain = ChainOf(window);
  if (chain == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  const std::size_t position = chain->next;
  std::size_t below = position;
  while (below > 0 && chain->links[below - 1].procedure == nullptr) --below;
  if (below == 0) return CallWindowProcA(chain->original, window, message, wParam, lParam);
  const Link link = chain->links[below - 1];
  chain->next = below - 1;
  const LRESULT result = link.procedure(window, message, wParam, lParam, link.data);
  // The chain may have gone with the window meanwhile (destroyed by a handler).
  if (Chain* still = ChainOf(window); still == chain) chain->next = position;
  return result;
}

}  // namespace tw::ui
