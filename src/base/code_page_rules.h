#pragma once

#include <cstdint>

namespace horavia {

// How text may be converted to an ANSI code page. Windows refuses the
// "no best fit" flag and a default character for some code pages, the
// UTF-8 one among them (the system option "Use Unicode UTF-8 for worldwide
// language support"): the conversion then fails outright. For those the
// call is made without both, and the system's own default character
// stands in for what has no form in the code page.
struct AnsiConversionRules {
  bool noBestFit = false;     // WC_NO_BEST_FIT_CHARS may be passed
  bool defaultChar = false;   // a default character may be passed
};

constexpr AnsiConversionRules AnsiConversionRulesFor(uint32_t codePage) {
  const bool plain = codePage == 42 ||                        // Symbol
                     (codePage >= 50220 && codePage <= 50229) ||  // ISO-2022
                     (codePage >= 57002 && codePage <= 57011) ||  // ISCII
                     codePage == 54936 ||                     // GB18030
                     codePage == 65000 || codePage == 65001;  // UTF-7, UTF-8
  return plain ? AnsiConversionRules{} : AnsiConversionRules{true, true};
}

}  // namespace horavia
