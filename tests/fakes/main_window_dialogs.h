#pragma once
// The main window's dialogs for window tests: each forwards to the real dialog a test puts in
// (a TFTallimoabout, say) and otherwise answers as a dialog left without a choice.
#include <optional>
#include <string>
#include <vector>

#include "app/main_form.h"

namespace tallimo::testing {

struct MainWindowDialogSlots final : DriveChoice,
                                     EntryEditor,
                                     GeneralInfoEditor,
                                     NfoView,
                                     AboutView {
  DriveChoice* drive = nullptr;
  EntryEditor* entry = nullptr;
  GeneralInfoEditor* generalInfo = nullptr;
  NfoView* nfo = nullptr;
  AboutView* about = nullptr;

  MainWindowDialogs Dialogs() { return {*this, *this, *this, *this, *this}; }

  std::optional<char> ChooseDrive() override { return drive ? drive->ChooseDrive() : std::nullopt; }
  void SetIniFileName(const std::string& name) override {
    if (entry) entry->SetIniFileName(name);
  }
  void SetCategories(const StringList& categories) override {
    if (entry) entry->SetCategories(categories);
  }
  void LoadEntry(const TTallimoProg& e) override {
    if (entry) entry->LoadEntry(e);
  }
  TModalResult ShowEditor() override {
    return entry ? entry->ShowEditor() : TModalResult::mrCancel;
  }
  void StoreEntry(TTallimoProg& e) override {
    if (entry) entry->StoreEntry(e);
  }
  bool Edit(const std::string& title, GeneralInfoFields& fields) override {
    return generalInfo && generalInfo->Edit(title, fields);
  }
  void SetViewerSize(int width, int height) override {
    if (nfo) nfo->SetViewerSize(width, height);
  }
  int FontPoints() const override { return nfo ? nfo->FontPoints() : 0; }
  void SetFontPoints(int points) override {
    if (nfo) nfo->SetFontPoints(points);
  }
  void SetText(const std::string& text) override {
    if (nfo) nfo->SetText(text);
  }
  void SetStatus(const std::string& path) override {
    if (nfo) nfo->SetStatus(path);
  }
  void ShowViewer() override {
    if (nfo) nfo->ShowViewer();
  }
  void ShowFor(const std::string& createdBy, const std::string& writeDate,
               const std::vector<std::string>& noteLines) override {
    if (about) about->ShowFor(createdBy, writeDate, noteLines);
  }
};

}  // namespace tallimo::testing
