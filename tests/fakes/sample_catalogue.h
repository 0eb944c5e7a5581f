#pragma once
// A small catalogue in memory, with changes not yet written, for the save tests.
#include <memory>
#include <string>

#include "catalogue/catalogue.h"

namespace tallimo::testing {

// One entry, "Editor"; its file is `iniFileName`.
inline Catalogue SampleCatalogue(const std::string& iniFileName) {
  Catalogue cat;
  cat.IniFileName = iniFileName;
  cat.ConfigCaption = "New caption";
  cat.WriteDate = "Sun, 1 Jan 2023, 9:00 am";
  cat.Modified = true;
  auto e = std::make_unique<TTallimoProg>();
  e->Name = "Editor";
  e->InstallLines = {"%D:\\SETUP.EXE"};
  cat.ProgramList.push_back(std::move(e));
  return cat;
}

}  // namespace tallimo::testing
