// Installer databases read natively through libmsi.
#include <libmsi.h>

#include <memory>

#include "platform/installer_database.h"

namespace tallimo {

namespace {

struct GObjectUnref {
  void operator()(void* object) const { g_object_unref(object); }
};
template <typename T>
using GOwned = std::unique_ptr<T, GObjectUnref>;

// The error's text, and the error freed.
std::string Take(GError* error, const char* fallback) {
  std::string text = error && error->message ? error->message : fallback;
  if (error) g_error_free(error);
  return text;
}

// libmsi's own warnings would reach the terminal beside our message for the same file.
void Quiet(const gchar*, GLogLevelFlags, const gchar*, gpointer) {}

class LibmsiDatabase : public InstallerDatabase {
 public:
  LibmsiDatabase() { g_log_set_handler(nullptr, G_LOG_LEVEL_WARNING, Quiet, nullptr); }

  bool ReadProperties(const std::string& path, std::map<std::string, std::string>& props,
                      std::string& why) override {
    props.clear();
    GError* error = nullptr;
    GOwned<::LibmsiDatabase> db(
        libmsi_database_new(path.c_str(), LIBMSI_DB_FLAGS_READONLY, nullptr, &error));
    if (!db) {
      why = Take(error, "not an installer database");
      return false;
    }
    GOwned<LibmsiQuery> query(
        libmsi_query_new(db.get(), "SELECT `Property`, `Value` FROM `Property`", &error));
    if (!query || !libmsi_query_execute(query.get(), nullptr, &error)) {
      why = Take(error, "no Property table");
      return false;
    }
    while (GOwned<LibmsiRecord> record{libmsi_query_fetch(query.get(), &error)}) {
      gchar* name = libmsi_record_get_string(record.get(), 1);
      gchar* value = libmsi_record_get_string(record.get(), 2);
      if (name) props.emplace(name, value ? value : "");
      g_free(name);
      g_free(value);
    }
    // The end of the rows is reported as an error too: only an error before any row counts.
    if (error) {
      const std::string text = Take(error, "");
      if (props.empty()) {
        why = text.empty() ? "no Property table" : text;
        return false;
      }
    }
    libmsi_query_close(query.get(), nullptr);
    return true;
  }
};

}  // namespace

InstallerDatabase& HostInstallerDatabase() {
  static LibmsiDatabase database;
  return database;
}

}  // namespace tallimo
