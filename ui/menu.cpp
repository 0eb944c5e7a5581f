#include "ui/menu.h"

#include <climits>
#include <map>

#include "platform/wide.h"

namespace tallimo::ui {

namespace {
std::map<int, MenuItem*>& Commands() {
  static std::map<int, MenuItem*> commands;
  return commands;
}
int g_nextCommand = 40000;
}  // namespace

MenuItem::MenuItem(std::string name, std::string caption, int helpContext)
    : Name(std::move(name)), Caption(std::move(caption)), HelpContext(helpContext) {
  command_ = g_nextCommand++;
  Commands()[command_] = this;
}

MenuItem::~MenuItem() {
  Commands().erase(command_);
  if (submenu_ && IsMenu(submenu_)) DestroyMenu(submenu_);
}

MenuItem* MenuItem::FromCommand(int command) {
  auto it = Commands().find(command);
  return it == Commands().end() ? nullptr : it->second;
}

void MenuItem::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (!owner_) return;
  const UINT state = enabled ? MF_ENABLED : MF_GRAYED;
  if (!submenu_) {
    EnableMenuItem(owner_, static_cast<UINT>(command_), MF_BYCOMMAND | state);
    return;
  }
  // An item that opens a submenu has no command number: found by its position.
  for (int i = 0, n = GetMenuItemCount(owner_); i < n; ++i)
    if (GetSubMenu(owner_, i) == submenu_)
      EnableMenuItem(owner_, static_cast<UINT>(i), MF_BYPOSITION | state);
}

void MenuItem::SetChecked(bool checked) {
  checked_ = checked;
  if (owner_)
    CheckMenuItem(owner_, static_cast<UINT>(command_),
                  MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

MenuItem* MenuItem::FromMenuId(UINT_PTR id) {
  if (id <= static_cast<UINT_PTR>(INT_MAX))
    if (MenuItem* item = FromCommand(static_cast<int>(id))) return item;
  for (const auto& [command, item] : Commands())
    if (item->submenu_ && reinterpret_cast<UINT_PTR>(item->submenu_) == id) return item;
  return nullptr;
}

int MenuItem::EffectiveHelpContext() const {
  for (const MenuItem* item = this; item; item = item->parent_)
    if (item->HelpContext != 0) return item->HelpContext;
  return 0;
}

MenuItem& MenuItem::Add(std::unique_ptr<MenuItem> item) {
  item->parent_ = this;
  items_.push_back(std::move(item));
  if (submenu_) items_.back()->AppendTo(submenu_);  // the submenu is shown already
  return *items_.back();
}

void MenuItem::ClearItems() {
  if (submenu_)
    while (GetMenuItemCount(submenu_) > 0) RemoveMenu(submenu_, 0, MF_BYPOSITION);
  items_.clear();
}

MenuItem& MenuItem::Add(std::string name, std::string caption, int helpContext) {
  return Add(std::make_unique<MenuItem>(std::move(name), std::move(caption), helpContext));
}

void MenuItem::Click() {
  if (enabled_ && OnClick) OnClick();
}

void MenuItem::AppendTo(HMENU menu) {
  owner_ = menu;
  UINT flags = 0;
  if (BarBreak) flags |= MF_MENUBARBREAK;
  if (IsSeparator()) {
    AppendMenuW(menu, flags | MF_SEPARATOR, static_cast<UINT_PTR>(command_), nullptr);
  } else if (!items_.empty() || Submenu) {
    AppendMenuW(menu, flags | MF_POPUP | (enabled_ ? 0 : MF_GRAYED),
                reinterpret_cast<UINT_PTR>(BuildPopup()), Widen(Caption).c_str());
  } else {
    AppendMenuW(menu, flags | MF_STRING | (enabled_ ? 0 : MF_GRAYED) | (checked_ ? MF_CHECKED : 0),
                static_cast<UINT_PTR>(command_), Widen(Caption).c_str());
    if (Default) SetMenuDefaultItem(menu, static_cast<UINT>(command_), FALSE);
  }
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_DATA;
  info.dwItemData = static_cast<ULONG_PTR>(HelpContext);
  SetMenuItemInfoW(menu, static_cast<UINT>(GetMenuItemCount(menu) - 1), TRUE, &info);
}

HMENU MenuItem::BuildPopup() {
  if (!submenu_) {
    submenu_ = CreatePopupMenu();
    for (auto& item : items_) item->AppendTo(submenu_);
  }
  return submenu_;
}

MenuItem& MainMenu::Add(std::string name, std::string caption, int helpContext) {
  items_.push_back(std::make_unique<MenuItem>(std::move(name), std::move(caption), helpContext));
  return *items_.back();
}

HMENU MainMenu::Handle() {
  if (!menu_) {
    menu_ = CreateMenu();
    for (auto& item : items_) {
      // A top-level item's popup belongs to the bar; the bar owns and destroys it.
      AppendMenuW(menu_, MF_POPUP | (item->Enabled() ? 0 : MF_GRAYED),
                  reinterpret_cast<UINT_PTR>(item->BuildPopup()), Widen(item->Caption).c_str());
    }
  }
  return menu_;
}

MainMenu::~MainMenu() {
  // The form destroys an attached menu with its window; a menu never attached is ours.
  if (menu_ && !IsMenu(menu_)) menu_ = nullptr;
}

MenuItem& PopupMenu::Add(std::string name, std::string caption, int helpContext) {
  return root_.Add(std::move(name), std::move(caption), helpContext);
}

HMENU PopupMenu::Handle() {
  return root_.BuildPopup();
}

void PopupMenu::PopupAt(HWND owner, int screenX, int screenY) {
  if (OnPopup) OnPopup();
  int command = static_cast<int>(TrackPopupMenu(Handle(), TPM_RETURNCMD | TPM_RIGHTBUTTON, screenX,
                                                screenY, 0, owner, nullptr));
  if (MenuItem* item = MenuItem::FromCommand(command)) item->Click();
}

}  // namespace tallimo::ui
