#include "cefsim/src/context_menu/menu_model_impl.h"

namespace cefsim {

bool CefMenuModelImpl::Clear() {
  items_.clear();
  return true;
}

bool CefMenuModelImpl::AddSeparator() {
  return InsertSeparatorAt(GetCount());
}

bool CefMenuModelImpl::AddItem(int command_id, const CefString& label) {
  return InsertItemAt(GetCount(), command_id, label);
}

bool CefMenuModelImpl::InsertSeparatorAt(int index) {
  if (index < 0 || index > GetCount())
    return false;
  items_.insert(items_.begin() + index,
                Item{MENUITEMTYPE_SEPARATOR, -1, CefString(), true, true});
  return true;
}

bool CefMenuModelImpl::InsertItemAt(int index, int command_id,
                                    const CefString& label) {
  // -1 is what the getters answer for "none"; an entry cannot carry it.
  if (index < 0 || index > GetCount() || command_id == -1)
    return false;
  items_.insert(items_.begin() + index,
                Item{MENUITEMTYPE_COMMAND, command_id, label, true, true});
  return true;
}

bool CefMenuModelImpl::Remove(int command_id) {
  return RemoveAt(GetIndexOf(command_id));
}

bool CefMenuModelImpl::RemoveAt(int index) {
  if (!At(index, true))
    return false;
  items_.erase(items_.begin() + index);
  return true;
}

int CefMenuModelImpl::GetIndexOf(int command_id) {
  for (size_t i = 0; i < items_.size(); ++i) {
    if (items_[i].type != MENUITEMTYPE_SEPARATOR &&
        items_[i].command_id == command_id)
      return static_cast<int>(i);
  }
  return -1;
}

int CefMenuModelImpl::GetCommandIdAt(int index) {
  Item* item = At(index);
  return item ? item->command_id : -1;
}

bool CefMenuModelImpl::SetCommandIdAt(int index, int command_id) {
  Item* item = At(index);
  if (!item || command_id == -1)
    return false;
  item->command_id = command_id;
  return true;
}

CefString CefMenuModelImpl::GetLabel(int command_id) {
  return GetLabelAt(GetIndexOf(command_id));
}

CefString CefMenuModelImpl::GetLabelAt(int index) {
  Item* item = At(index);
  return item ? item->label : CefString();
}

bool CefMenuModelImpl::SetLabel(int command_id, const CefString& label) {
  return SetLabelAt(GetIndexOf(command_id), label);
}

bool CefMenuModelImpl::SetLabelAt(int index, const CefString& label) {
  Item* item = At(index);
  if (!item)
    return false;
  item->label = label;
  return true;
}

CefMenuModel::MenuItemType CefMenuModelImpl::GetType(int command_id) {
  return GetTypeAt(GetIndexOf(command_id));
}

CefMenuModel::MenuItemType CefMenuModelImpl::GetTypeAt(int index) {
  Item* item = At(index, true);
  return item ? item->type : MENUITEMTYPE_NONE;
}

bool CefMenuModelImpl::IsVisible(int command_id) {
  return IsVisibleAt(GetIndexOf(command_id));
}

bool CefMenuModelImpl::IsVisibleAt(int index) {
  Item* item = At(index, true);
  return item && item->visible;
}

bool CefMenuModelImpl::SetVisible(int command_id, bool visible) {
  return SetVisibleAt(GetIndexOf(command_id), visible);
}

bool CefMenuModelImpl::SetVisibleAt(int index, bool visible) {
  Item* item = At(index, true);
  if (!item)
    return false;
  item->visible = visible;
  return true;
}

bool CefMenuModelImpl::IsEnabled(int command_id) {
  return IsEnabledAt(GetIndexOf(command_id));
}

bool CefMenuModelImpl::IsEnabledAt(int index) {
  Item* item = At(index, true);
  return item && item->enabled;
}

bool CefMenuModelImpl::SetEnabled(int command_id, bool enabled) {
  return SetEnabledAt(GetIndexOf(command_id), enabled);
}

bool CefMenuModelImpl::SetEnabledAt(int index, bool enabled) {
  Item* item = At(index, true);
  if (!item)
    return false;
  item->enabled = enabled;
  return true;
}

CefMenuModelImpl::Item* CefMenuModelImpl::At(int index, bool separators) {
  if (index < 0 || index >= GetCount())
    return nullptr;
  Item* item = &items_[index];
  return separators || item->type != MENUITEMTYPE_SEPARATOR ? item : nullptr;
}

}  // namespace cefsim
