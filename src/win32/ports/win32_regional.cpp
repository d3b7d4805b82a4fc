#include "win32/ports/win32_regional.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <string>

#include "base/code_page_rules.h"
#include "win32/support/wide_text.h"

namespace horavia::win32 {
namespace {

std::string FormatDate(int32_t year, int32_t month, int32_t day, DWORD flags) {
  namespace chr = std::chrono;
  const chr::year_month_day date{chr::year{year}, chr::month{static_cast<unsigned>(month)},
                                 chr::day{static_cast<unsigned>(day)}};
  if (!date.ok() || year < 1601 || year > 30827) return {};
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(year);
  st.wMonth = static_cast<WORD>(month);
  st.wDay = static_cast<WORD>(day);
  // Long date formats name the weekday; fill it in rather than rely on the
  // system to work it out.
  st.wDayOfWeek = static_cast<WORD>(chr::weekday{chr::sys_days{date}}.c_encoding());
  wchar_t buffer[128];
  const int n = ::GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, flags, &st, nullptr, buffer,
                                  static_cast<int>(std::size(buffer)), nullptr);
  if (n <= 1) return {};
  return Narrow(std::wstring_view(buffer, static_cast<size_t>(n - 1)));
}

std::string LocaleText(LCTYPE what) {
  wchar_t buffer[16];
  const int n = ::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, what, buffer,
                                  static_cast<int>(std::size(buffer)));
  if (n <= 1) return {};
  return Narrow(std::wstring_view(buffer, static_cast<size_t>(n - 1)));
}

}  // namespace

std::string Win32Regional::LongDate(int32_t year, int32_t month, int32_t day) {
  return FormatDate(year, month, day, DATE_LONGDATE);
}

std::string Win32Regional::ShortDate(int32_t year, int32_t month, int32_t day) {
  return FormatDate(year, month, day, DATE_SHORTDATE);
}

std::string Win32Regional::DateSeparator() { return LocaleText(LOCALE_SDATE); }
std::string Win32Regional::TimeSeparator() { return LocaleText(LOCALE_STIME); }
std::string Win32Regional::DecimalSeparator() { return LocaleText(LOCALE_SDECIMAL); }

std::optional<std::string> Win32Regional::ToAnsi(std::string_view utf8) {
  if (utf8.empty()) return std::string{};
  const std::wstring wide = Widen(utf8);
  if (wide.empty()) return std::nullopt;
  const int size = static_cast<int>(wide.size());
  // WC_NO_BEST_FIT_CHARS: a character without its own ANSI form must become
  // '?', not a look-alike that reads back as something else. Where the code
  // page in force does not take the flag, it is left out.
  const AnsiConversionRules rules = AnsiConversionRulesFor(::GetACP());
  const DWORD flags = rules.noBestFit ? WC_NO_BEST_FIT_CHARS : 0;
  const char* const defaultChar = rules.defaultChar ? "?" : nullptr;
  const int n =
      ::WideCharToMultiByte(CP_ACP, flags, wide.data(), size, nullptr, 0, defaultChar, nullptr);
  if (n <= 0) return std::nullopt;
  std::string out(static_cast<size_t>(n), '\0');
  if (::WideCharToMultiByte(CP_ACP, flags, wide.data(), size, out.data(), n, defaultChar,
                            nullptr) != n) {
    return std::nullopt;
  }
  return out;
}

// Only for showing: a text that cannot be converted is shown with '?' for
// each byte beyond ASCII rather than not at all.
std::string Win32Regional::FromAnsi(std::string_view ansi) {
  if (ansi.empty()) return {};
  const int size = static_cast<int>(ansi.size());
  const int n = ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, nullptr, 0);
  std::wstring wide(static_cast<size_t>(n > 0 ? n : 0), L'\0');
  if (n <= 0 || ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, wide.data(), n) != n) {
    std::string shown(ansi);
    std::replace_if(
        shown.begin(), shown.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; },
        '?');
    return shown;
  }
  return Narrow(wide);
}

}  // namespace horavia::win32
