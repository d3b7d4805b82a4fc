#include "base/code_page_rules.h"

#include <gtest/gtest.h>

namespace horavia {
namespace {

// Windows refuses the "no best fit" flag and a default character for these
// code pages, and the conversion fails; every other one takes both.
TEST(CodePageRules, FlagsFollowTheCodePageInForce) {
  for (const uint32_t plain : {65001u, 65000u, 54936u, 50220u, 50221u, 50222u, 50225u, 50227u,
                               50229u, 57002u, 57011u, 42u}) {
    SCOPED_TRACE(plain);
    EXPECT_FALSE(AnsiConversionRulesFor(plain).noBestFit);
    EXPECT_FALSE(AnsiConversionRulesFor(plain).defaultChar);
  }
  for (const uint32_t usual : {1252u, 1250u, 932u, 936u, 949u, 950u, 874u, 57001u, 57012u,
                               50219u, 50230u, 437u, 65002u}) {
    SCOPED_TRACE(usual);
    EXPECT_TRUE(AnsiConversionRulesFor(usual).noBestFit);
    EXPECT_TRUE(AnsiConversionRulesFor(usual).defaultChar);
  }
}

}  // namespace
}  // namespace horavia
