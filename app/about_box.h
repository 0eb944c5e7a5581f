#pragma once
// The About box, FTallimoabout: what the program is and who set up the disc. Filled from the
// catalogue each time it is shown, modally, from the main window's Help menu.
#include <string>
#include <vector>

#include "components/gradient_win32.h"
#include "components/label_effect_win32.h"
#include "ui/edit.h"
#include "ui/form.h"
#include "ui/label.h"
#include "ui/picture.h"

namespace tallimo {

// The About box as the Help menu sees it.
class AboutView {
 public:
  virtual ~AboutView() = default;
  // Fills the box from the catalogue's header and shows it until it is closed.
  virtual void ShowFor(const std::string& createdBy, const std::string& writeDate,
                       const std::vector<std::string>& noteLines) = 0;
};

class TFTallimoabout : public ui::Form, public AboutView {
 public:
  explicit TFTallimoabout(SystemColors& colors);
  ~TFTallimoabout() override;

  TGradient Gradient1;
  ui::Picture Image1;
  ui::Picture Image2;
  ui::Label Label1, Label3, Label4, Label5;
  TLabelEffect LabelEffect1;
  ui::Memo Memo2;
  ui::Label Label7, Label2;

  // Fills the box from the catalogue's header and shows it until the logo or the close box
  // closes it.
  void ShowFor(const std::string& createdBy, const std::string& writeDate,
               const std::vector<std::string>& noteLines) override;
  void Image1Click();
};

extern TFTallimoabout* FTallimoabout;

}  // namespace tallimo
