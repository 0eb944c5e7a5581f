#pragma once
// A registry in memory: keys by root, view and path (ASCII case ignored), each with its text
// values; the two views of 64-bit Windows apart or, with `wow64` false, one.
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "platform/registry.h"

namespace tallimo::testing {

class FakeRegistry : public Registry {
 public:
  bool wow64 = false;
  int reads = 0;  // calls of any kind

  // Adds the key (and the keys above it) in `view`; rvDefault stands for the 32-bit view.
  void AddKey(TRegistryRoot root, const std::string& path,
              TRegistryView view = TRegistryView::rv32) {
    std::string at;
    for (const std::string& part : Split(path)) {
      at += (at.empty() ? "" : "\\") + part;
      keys_[{root, View(view), Folded(at)}];
    }
  }
  void SetValue(TRegistryRoot root, const std::string& path, const std::string& name,
                const std::string& value, TRegistryView view = TRegistryView::rv32) {
    AddKey(root, path, view);
    keys_[{root, View(view), Folded(path)}][Folded(name)] = value;
  }

  bool KeyExists(TRegistryRoot root, const std::string& path, TRegistryView view) override {
    ++reads;
    return keys_.count({root, View(view), Folded(path)}) > 0;
  }
  std::vector<std::string> SubKeyNames(TRegistryRoot root, const std::string& path,
                                       TRegistryView view) override {
    ++reads;
    std::vector<std::string> names;
    const std::string prefix = Folded(path) + "\\";
    for (const auto& [key, values] : keys_) {
      const auto& [r, v, p] = key;
      if (r != root || v != View(view) || !p.starts_with(prefix)) continue;
      const std::string rest = p.substr(prefix.size());
      if (!rest.empty() && rest.find('\\') == std::string::npos) names.push_back(rest);
    }
    return names;
  }
  std::string StringValue(TRegistryRoot root, const std::string& path, const std::string& name,
                          TRegistryView view) override {
    ++reads;
    auto key = keys_.find({root, View(view), Folded(path)});
    if (key == keys_.end()) return {};
    auto value = key->second.find(Folded(name));
    return value == key->second.end() ? std::string() : value->second;
  }
  bool Wow64() override { return wow64; }

 private:
  // Without WOW64 both views are the one registry.
  TRegistryView View(TRegistryView view) const {
    if (!wow64 || view == TRegistryView::rvDefault) return TRegistryView::rv32;
    return view;
  }
  static std::string Folded(std::string s) {
    for (char& c : s)
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
  }
  static std::vector<std::string> Split(const std::string& path) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : path) {
      if (c == '\\') {
        if (!part.empty()) parts.push_back(part);
        part.clear();
      } else {
        part += c;
      }
    }
    if (!part.empty()) parts.push_back(part);
    return parts;
  }
  std::map<std::tuple<TRegistryRoot, TRegistryView, std::string>,
           std::map<std::string, std::string>>
      keys_;
};

}  // namespace tallimo::testing
