// The GNU C++ library's own failures (a length past its limit, a position out of range ...),
// raised as an exception of ours. The library's functions for them throw its standard error
// classes, which keep their text in a string of the library's older kind and so bring that
// whole string library into the program (some 80 KB of Tallimo.exe); defined here, all of
// them, the library's are not linked. Should a newer library add one to them, its definitions
// come in with it and the link fails on the names defined twice, rather than growing unseen.
#include <cstddef>  // says which library this is
#if defined(__GLIBCXX__)
#include <cstdarg>
#include <exception>
#include <new>
#include <string>
#include <typeinfo>

namespace {

// What the library reports, as the standard error classes would say it.
class LibraryError final : public std::exception {
 public:
  explicit LibraryError(std::string message) : message_(std::move(message)) {}
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

}  // namespace

namespace std {

void __throw_bad_alloc() {
  throw std::bad_alloc();
}

void __throw_bad_array_new_length() {
  throw std::bad_array_new_length();
}

void __throw_bad_cast() {
  throw std::bad_cast();
}

void __throw_bad_typeid() {
  throw std::bad_typeid();
}

void __throw_bad_exception() {
  throw std::bad_exception();
}

void __throw_logic_error(const char* message) {
  throw LibraryError(message);
}

void __throw_domain_error(const char* message) {
  throw LibraryError(message);
}

void __throw_invalid_argument(const char* message) {
  throw LibraryError(message);
}

void __throw_length_error(const char* message) {
  throw LibraryError(message);
}

void __throw_out_of_range(const char* message) {
  throw LibraryError(message);
}

void __throw_runtime_error(const char* message) {
  throw LibraryError(message);
}

void __throw_range_error(const char* message) {
  throw LibraryError(message);
}

void __throw_overflow_error(const char* message) {
  throw LibraryError(message);
}

void __throw_underflow_error(const char* message) {
  throw LibraryError(message);
}

// The library's messages hold %s, %zu and %% only.
void __throw_out_of_range_fmt(const char* format, ...) {
  std::string message;
  va_list args;
  va_start(args, format);
  for (const char* c = format; *c; ++c) {
    if (c[0] == '%' && c[1] == 's') {
      message += va_arg(args, const char*);
      ++c;
    } else if (c[0] == '%' && c[1] == 'z' && c[2] == 'u') {
      message += std::to_string(va_arg(args, std::size_t));
      c += 2;
    } else if (c[0] == '%' && c[1] == '%') {
      message += '%';
      ++c;
    } else {
      message += *c;
    }
  }
  va_end(args);
  throw LibraryError(message);
}

}  // namespace std
#endif
