#include "app/about_box.h"

#include "resources/resource_ids.h"

namespace tallimo {

TFTallimoabout* FTallimoabout = nullptr;

namespace {

// The fixed lines: transparent, fixed size, in their own font.
void PlaceLabel(ui::Label& label, ui::Form* form, const char* name, int left, int top, int width,
                int height, const char* caption, ui::TAlignment alignment, const ui::TFont& font) {
  label.Name = name;
  label.SetParent(form);
  label.SetBounds(left, top, width, height);
  label.Transparent = true;
  label.Alignment = alignment;
  label.SetFont(font);
  label.SetCaption(caption);
}

}  // namespace

TFTallimoabout::TFTallimoabout(SystemColors& colors) : Gradient1(colors) {
  Name = "FTallimoabout";
  SetCaption("Tallimo - Information");
  BorderStyle = ui::TBorderStyle::bsDialog;
  Position = ui::TPosition::poDesigned;
  SetFont(ui::FontOf("MS Sans Serif", 14, clWindowText));
  SetClientSize(338, 258);
  SetBounds(33, 37, Width(), Height());
  // Help asked for here: this context, in the application's help file.
  HelpContext = 70;

  Gradient1.Name = "Gradient1";
  Gradient1.SetParent(this);
  Gradient1.SetColorStart(clNavy);
  Gradient1.SetColorEnd(clGreen);

  Image1.Name = "Image1";
  Image1.SetParent(this);
  Image1.SetBounds(4, 4, 83, 83);
  Image1.Stretch = true;
  Image1.SetBitmap(ui::LoadBitmapResource(IDB_LOGO));
  Image1.Cursor = reinterpret_cast<LPCSTR>(IDC_CROSS);
  Image1.OnClick = [this] { Image1Click(); };

  Image2.Name = "Image2";
  Image2.SetParent(this);
  Image2.SetBounds(0, 122, 346, 31);
  Image2.Stretch = true;
  Image2.SetBitmap(ui::LoadBitmapResource(IDB_BANNER));

  const ui::TFont lines = ui::FontOf("Times New Roman", 18, clAqua);
  const auto centre = ui::TAlignment::taCenter;
  PlaceLabel(Label1, this, "Label1", 98, 10, 228, 31, "A simple menu system for", centre, lines);
  PlaceLabel(Label3, this, "Label3", 98, 36, 228, 24, "installing software from CD's", centre,
             lines);
  PlaceLabel(Label4, this, "Label4", 98, 62, 228, 28, "containing multiple programs.", centre,
             lines);
  PlaceLabel(Label5, this, "Label5", 0, 94, 96, 18, "Version 0.97", centre,
             ui::FontOf("Arial", 15, clWhite));

  LabelEffect1.Name = "LabelEffect1";
  LabelEffect1.SetParent(this);
  LabelEffect1.SetBounds(1, 123, 336, 31);
  LabelEffect1.SetDirectionHighlight(edDownRight);
  LabelEffect1.SetDirectionShadow(edUpLeft);
  LabelEffect1.SetColourShadow(clOlive);
  LabelEffect1.SetGraduateFace(goVertical);
  LabelEffect1.SetGraduateFrom(clBlue);
  LabelEffect1.SetEffectStyle(esSunken);
  LabelEffect1.SetColourScheme(csCustom);
  LabelEffect1.SetAlignment(centre);
  LabelEffect1.SetFont(ui::FontOf("Times New Roman", 20, clBlack));

  Memo2.Name = "Memo2";
  Memo2.SetParent(this);
  Memo2.SetBounds(10, 166, 316, 74);
  Memo2.ReadOnly = true;
  Memo2.Alignment = centre;
  Memo2.TabStop = false;

  const ui::TFont bottom = ui::FontOf("Arial", 15, clLime);
  PlaceLabel(Label7, this, "Label7", 10, 241, 316, 17, "Created:", ui::TAlignment::taLeftJustify,
             bottom);
  PlaceLabel(Label2, this, "Label2", 10, 241, 316, 17, "", ui::TAlignment::taRightJustify, bottom);
}

TFTallimoabout::~TFTallimoabout() {
  DestroyHandle();  // before the controls go
  if (FTallimoabout == this) FTallimoabout = nullptr;
}

void TFTallimoabout::ShowFor(const std::string& createdBy, const std::string& writeDate,
                             const std::vector<std::string>& noteLines) {
  if (!HandleAllocated()) Create();
  LabelEffect1.SetCaption(createdBy.empty() ? std::string() : "Setup by " + createdBy);
  Label2.SetCaption(writeDate);
  Memo2.SetLines(noteLines);
  ShowModal();
}

void TFTallimoabout::Image1Click() {
  Close();
}

}  // namespace tallimo
