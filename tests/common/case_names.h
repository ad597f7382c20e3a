// Names for the rows of a GoogleTest case table whose cases have a `name`.
//
//     INSTANTIATE_TEST_SUITE_P(Rows, MyTest, ::testing::ValuesIn(kCases), nv::test::CaseName{});
//     using nv::test::PrintTo;  // in the case type's namespace: failures name the row
#pragma once

#include <gtest/gtest.h>

#include <concepts>
#include <ostream>
#include <string>
#include <string_view>

namespace nv::test {

template <class Case>
concept NamedCase = requires(const Case &c) {
    {std::string_view(c.name)};
};

// Names a parameterised case after its `name` field.
struct CaseName {
    template <class P>
    std::string operator()(const ::testing::TestParamInfo<P> &param) const {
        return std::string(param.param.name);
    }
};

// Prints a table row by its name in failure messages; bring it in with
// `using nv::test::PrintTo;` where the case type is declared.
template <NamedCase Case>
void PrintTo(const Case &c, std::ostream *os) {
    *os << c.name;
}

}  // namespace nv::test
