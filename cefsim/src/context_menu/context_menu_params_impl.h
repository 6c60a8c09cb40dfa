// What a context menu was opened over, as the handler's callbacks see it.
// A params object answers only until it is detached, after the callback it
// was given to; then every getter gives the neutral value, as CEF's do.
// UI thread only.
#ifndef CEFSIM_SRC_CONTEXT_MENU_CONTEXT_MENU_PARAMS_IMPL_H_
#define CEFSIM_SRC_CONTEXT_MENU_CONTEXT_MENU_PARAMS_IMPL_H_

#include <string>

#include "include/cef_context_menu_handler.h"

namespace cefsim {

struct ContextMenuData {
  int x = 0;
  int y = 0;
  cef_context_menu_type_flags_t type_flags = CM_TYPEFLAG_NONE;
  std::string link_url;
  std::string source_url;
  std::string page_url;
  std::string frame_url;
  cef_context_menu_media_type_t media_type = CM_MEDIATYPE_NONE;
  std::string selection_text;
  cef_context_menu_edit_state_flags_t edit_flags = CM_EDITFLAG_NONE;
};

class CefContextMenuParamsImpl : public CefContextMenuParams {
 public:
  explicit CefContextMenuParamsImpl(const ContextMenuData& data)
      : data_(data) {}

  void Detach() { detached_ = true; }

  // CefContextMenuParams:
  int GetXCoord() override { return Get().x; }
  int GetYCoord() override { return Get().y; }
  TypeFlags GetTypeFlags() override { return Get().type_flags; }
  CefString GetLinkUrl() override { return Get().link_url; }
  CefString GetUnfilteredLinkUrl() override { return Get().link_url; }
  CefString GetSourceUrl() override { return Get().source_url; }
  bool HasImageContents() override {
    return Get().media_type == CM_MEDIATYPE_IMAGE;
  }
  // Nothing is laid out, so nothing has a title attribute to show.
  CefString GetTitleText() override { return CefString(); }
  CefString GetPageUrl() override { return Get().page_url; }
  CefString GetFrameUrl() override { return Get().frame_url; }
  CefString GetFrameCharset() override { return CefString(); }
  MediaType GetMediaType() override { return Get().media_type; }
  MediaStateFlags GetMediaStateFlags() override { return CM_MEDIAFLAG_NONE; }
  CefString GetSelectionText() override { return Get().selection_text; }
  // No spell checker runs, so nothing is misspelled.
  CefString GetMisspelledWord() override { return CefString(); }
  bool GetDictionarySuggestions(std::vector<CefString>& suggestions) override;
  bool IsEditable() override {
    return (Get().type_flags & CM_TYPEFLAG_EDITABLE) != 0;
  }
  bool IsSpellCheckEnabled() override { return false; }
  EditStateFlags GetEditStateFlags() override { return Get().edit_flags; }
  bool IsCustomMenu() override { return false; }
  bool IsPepperMenu() override { return false; }

 private:
  const ContextMenuData& Get() const;

  const ContextMenuData data_;
  bool detached_ = false;

  IMPLEMENT_REFCOUNTING(CefContextMenuParamsImpl);
};

}  // namespace cefsim

#endif  // CEFSIM_SRC_CONTEXT_MENU_CONTEXT_MENU_PARAMS_IMPL_H_
