#include "cefsim/src/context_menu/context_menu_params_impl.h"

namespace cefsim {

bool CefContextMenuParamsImpl::GetDictionarySuggestions(
    std::vector<CefString>& suggestions) {
  suggestions.clear();
  return false;
}

const ContextMenuData& CefContextMenuParamsImpl::Get() const {
  static const ContextMenuData kNeutral;
  return detached_ ? kNeutral : data_;
}

}  // namespace cefsim
