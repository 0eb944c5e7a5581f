#pragma once
// Tabbed pages: a tab control whose pages (TabSheet) are its children, one shown at a time.
// A page's caption is its tab's text; "&" in it marks the letter that, with Alt, brings the
// page forward.
#include "ui/win_control.h"

namespace tallimo::ui {

class PageControl;

class TabSheet : public WinControl {
 public:
  TabSheet();
  PageControl* PageControlOf() const;

 protected:
  void FillCreateParams(CreateParams& params) override;
};

class PageControl : public WinControl {
 public:
  PageControl();
  // The pages in the order of their tabs (the order they were placed in the control).
  std::vector<TabSheet*> Pages() const;
  int ActivePageIndex() const { return active_; }
  TabSheet* ActivePage() const;
  // Brings the page forward (its tab selected, the page shown, the others hidden).
  void SetActivePage(int index);
  RECT AlignArea() const override;
  bool DialogChar(wchar_t key) override;

 protected:
  void FillCreateParams(CreateParams& params) override;
  void AfterCreate() override;
  bool Notify(NMHDR& header, LRESULT& result) override;

 private:
  void ShowActivePage();
  int active_ = 0;
};

}  // namespace tallimo::ui
