#include "catalogue/general_info_dialog.h"

namespace tallimo {

TFTallimoinfo* FTallimoinfo = nullptr;

namespace {

ui::TFont SansSerif(int height, TColor color) {
  return ui::FontOf("MS Sans Serif", height, color);
}

}  // namespace

TFTallimoinfo::TFTallimoinfo(SystemColors& colors) : Gradient1(colors) {
  Name = "FTallimoinfo";
  SetCaption("Tallimo - General Info");
  BorderStyle = ui::TBorderStyle::bsDialog;
  HelpButton = true;
  HelpContext = 11;
  SetFont(SansSerif(14, clWindowText));
  SetClientSize(414, 286);
  Position = ui::TPosition::poScreenCenter;

  Gradient1.Name = "Gradient1";
  Gradient1.SetParent(this);
  Gradient1.SetDirection(gdLeftRight);

  struct Field {
    ui::Label& label;
    const char* labelName;
    const char* caption;
    int labelTop;
    ui::Edit& edit;
    const char* editName;
    int editTop, editWidth, editHeight, helpContext;
  };
  const Field fields[] = {
      {Label1, "Label1", "&Title bar caption:", 20, Edit1, "Edit1", 39, 375, 24, 81},
      {Label2, "Label2", "Created &by:", 89, Edit2, "Edit2", 108, 375, 24, 82},
      {Label3, "Label3", "Co&mment:", 158, Memo1, "Memo1", 177, 267, 90, 83},
  };
  for (const Field& f : fields) {
    f.label.Name = f.labelName;
    f.label.SetParent(this);
    f.label.SetBounds(20, f.labelTop, 375, 19);
    f.label.SetCaption(f.caption);
    f.label.Transparent = true;
    f.label.SetFont(SansSerif(15, clAqua));
    f.label.FocusControl = &f.edit;
    f.edit.Name = f.editName;
    f.edit.SetParent(this);
    f.edit.SetBounds(20, f.editTop, f.editWidth, f.editHeight);
    f.edit.HelpContext = f.helpContext;
  }
  // Each note is one line of the memo; a long one wraps at its width but stays one note.
  Memo1.WordWrap = true;

  Button1.Name = "Button1";
  Button1.SetParent(this);
  Button1.SetBounds(305, 236, 93, 31);
  Button1.SetCaption("&Ok");
  Button1.Default = true;
  Button1.ModalResult = TModalResult::mrOK;
  Button2.Name = "Button2";
  Button2.SetParent(this);
  Button2.SetBounds(305, 177, 93, 31);
  Button2.SetCaption("&Cancel");
  Button2.ModalResult = TModalResult::mrCancel;
  DefaultButton = &Button1;
  // No cancel key: a stray Escape must not throw away what was typed. Cancel and the close box
  // cancel.
  ActiveControl = &Edit1;
}

TFTallimoinfo::~TFTallimoinfo() {
  DestroyHandle();  // before the controls go
  if (FTallimoinfo == this) FTallimoinfo = nullptr;
}

bool TFTallimoinfo::Edit(const std::string& title, GeneralInfoFields& fields) {
  if (!HandleAllocated()) Create();
  Edit1.SetText(fields.ConfigCaption);
  Edit2.SetText(fields.CreatedBy);
  Memo1.SetLines(fields.NoteLines);
  SetCaption(title);
  if (ShowModal() != TModalResult::mrOK) return false;
  fields.ConfigCaption = Edit1.Text();
  fields.CreatedBy = Edit2.Text();
  fields.NoteLines = Memo1.Lines();
  return true;
}

}  // namespace tallimo
