// A flat context-menu model: commands and separators. UI thread only, as
// CEF's own model is.
#ifndef CEFSIM_SRC_CONTEXT_MENU_MENU_MODEL_IMPL_H_
#define CEFSIM_SRC_CONTEXT_MENU_MENU_MODEL_IMPL_H_

#include <vector>

#include "include/cef_menu_model.h"

namespace cefsim {

class CefMenuModelImpl : public CefMenuModel {
 public:
  struct Item {
    MenuItemType type;
    int command_id;  // -1 for a separator.
    CefString label;
    bool visible;
    bool enabled;
  };

  const std::vector<Item>& items() const { return items_; }

  // CefMenuModel:
  bool IsSubMenu() override { return false; }
  bool Clear() override;
  int GetCount() override { return static_cast<int>(items_.size()); }
  bool AddSeparator() override;
  bool AddItem(int command_id, const CefString& label) override;
  bool InsertSeparatorAt(int index) override;
  bool InsertItemAt(int index, int command_id,
                    const CefString& label) override;
  bool Remove(int command_id) override;
  bool RemoveAt(int index) override;
  int GetIndexOf(int command_id) override;
  int GetCommandIdAt(int index) override;
  bool SetCommandIdAt(int index, int command_id) override;
  CefString GetLabel(int command_id) override;
  CefString GetLabelAt(int index) override;
  bool SetLabel(int command_id, const CefString& label) override;
  bool SetLabelAt(int index, const CefString& label) override;
  MenuItemType GetType(int command_id) override;
  MenuItemType GetTypeAt(int index) override;
  bool IsVisible(int command_id) override;
  bool IsVisibleAt(int index) override;
  bool SetVisible(int command_id, bool visible) override;
  bool SetVisibleAt(int index, bool visible) override;
  bool IsEnabled(int command_id) override;
  bool IsEnabledAt(int index) override;
  bool SetEnabled(int command_id, bool enabled) override;
  bool SetEnabledAt(int index, bool enabled) override;

 private:
  // The entry at |index|, or null; a separator counts only with
  // |separators|, since what a separator lacks cannot be read or set.
  Item* At(int index, bool separators = false);

  std::vector<Item> items_;

  IMPLEMENT_REFCOUNTING(CefMenuModelImpl);
};

}  // namespace cefsim

#endif  // CEFSIM_SRC_CONTEXT_MENU_MENU_MODEL_IMPL_H_
