#pragma once
// Menus: items with a caption, enabled state, default (bold) item, a column break, a help
// context number and a click handler; the main menu of a form and popup menus.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tallimo::ui {

class MenuItem {
 public:
  explicit MenuItem(std::string name, std::string caption = "-", int helpContext = 0);
  ~MenuItem();
  MenuItem(const MenuItem&) = delete;
  MenuItem& operator=(const MenuItem&) = delete;

  std::string Name;
  std::string Caption;  // "-" is a separator
  int HelpContext = 0;
  std::function<void()> OnClick;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  bool Default = false;   // shown bold; the menu's default item
  bool BarBreak = false;  // begins a new column behind a vertical bar
  bool Submenu = false;   // opens a submenu even while it has no sub-items
  bool IsSeparator() const { return Caption == "-"; }
  int Command() const { return command_; }

  // Sub-items (for the top-level items of a main menu).
  MenuItem& Add(std::unique_ptr<MenuItem> item);
  MenuItem& Add(std::string name, std::string caption, int helpContext = 0);
  const std::vector<std::unique_ptr<MenuItem>>& Items() const { return items_; }
  // Removes every sub-item (a submenu whose items follow the catalogue).
  void ClearItems();

  void Click();
  // The item behind a menu command number, or nullptr.
  static MenuItem* FromCommand(int command);
  // The item behind an item id as the system reports it for a highlighted item: a command
  // number, or the handle of the submenu that the item opens. nullptr when none.
  static MenuItem* FromMenuId(UINT_PTR id);
  // The item whose sub-items this item is (nullptr at the top).
  MenuItem* ParentItem() const { return parent_; }
  // The help context of the item, else of its nearest parent item with one, else 0.
  int EffectiveHelpContext() const;

  // Builds the Win32 menu of the sub-items (a popup menu handle).
  HMENU BuildPopup();

 private:
  void AppendTo(HMENU menu);
  std::string caption_;
  bool enabled_ = true;
  bool checked_ = false;
  int command_;
  HMENU owner_ = nullptr;  // the menu that shows this item
  HMENU submenu_ = nullptr;
  MenuItem* parent_ = nullptr;
  std::vector<std::unique_ptr<MenuItem>> items_;
};

// The menu bar of a form; its top-level items hold the commands.
class MainMenu {
 public:
  std::string Name;
  MenuItem& Add(std::string name, std::string caption, int helpContext = 0);
  const std::vector<std::unique_ptr<MenuItem>>& Items() const { return items_; }
  HMENU Handle();
  ~MainMenu();

 private:
  std::vector<std::unique_ptr<MenuItem>> items_;
  HMENU menu_ = nullptr;
};

// A popup menu, opened by a control with the secondary mouse button.
class PopupMenu {
 public:
  explicit PopupMenu(std::string name = {}) : root_(std::move(name)) {}
  std::string Name() const { return root_.Name; }
  int HelpContext = 0;
  MenuItem& Add(std::string name, std::string caption, int helpContext = 0);
  const std::vector<std::unique_ptr<MenuItem>>& Items() const { return root_.Items(); }
  HMENU Handle();
  // Called just before the menu shows, to bring its items' states up to date.
  std::function<void()> OnPopup;
  // Shows the menu at a screen position and runs the chosen item's command.
  void PopupAt(HWND owner, int screenX, int screenY);

 private:
  MenuItem root_;
  HMENU menu_ = nullptr;
};

}  // namespace tallimo::ui
