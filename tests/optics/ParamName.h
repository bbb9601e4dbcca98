#pragma once

#include <gtest/gtest.h>

#include <string>

namespace optics::testing {

// Test-name generator for table cases that carry a human-readable Name; gtest
// names may only hold letters, digits and underscores.
struct ByName {
  template <class Case>
  std::string operator()(const ::testing::TestParamInfo<Case>& param) const {
    std::string name = param.param.Name;
    for (char& ch : name) {
      const bool keep = (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9');
      if (!keep) ch = '_';
    }
    return name;
  }
};

}  // namespace optics::testing
