#pragma once
// Expectations on the numbered errors of the platform runtime and the host.
#include "platform/runtime/RuntimeError.h"
#include <gtest/gtest.h>

namespace km::test {

/// Expects \p call to throw a RuntimeError (or HostError) with \p number.
template <class Call> void expectError(int number, Call call) {
    try {
        call();
        ADD_FAILURE() << "no error, expected " << number;
    } catch (const rt::RuntimeError& error) {
        EXPECT_EQ(error.number(), number) << error.what();
    }
}

} // namespace km::test
