// Names parameterised test cases after the `name` field of their parameter struct.
#pragma once

#include <gtest/gtest.h>

#include <string>

namespace brindle::test {

struct SCaseName {
    template <class T>
    std::string operator()(const testing::TestParamInfo<T>& param) const
    {
        return param.param.name;
    }
};

}  // namespace brindle::test
