#include "platform/runtime/RuntimeError.h"
#include <gtest/gtest.h>

using namespace km::rt;

TEST(RuntimeErrorTest, StandardDescriptionsOfTheKnownNumbers) {
    EXPECT_EQ(RuntimeError::standardDescription(5), "Invalid procedure call or argument");
    EXPECT_EQ(RuntimeError::standardDescription(6), "Overflow");
    EXPECT_EQ(RuntimeError::standardDescription(9), "Subscript out of range");
    EXPECT_EQ(RuntimeError::standardDescription(11), "Division by zero");
    EXPECT_EQ(RuntimeError::standardDescription(13), "Type mismatch");
    EXPECT_EQ(RuntimeError::standardDescription(75), "Path/File access error");
    EXPECT_EQ(RuntimeError::standardDescription(91), "Object variable or With block variable not set");
    EXPECT_EQ(RuntimeError::standardDescription(457),
              "This key is already associated with an element of this collection");
    EXPECT_EQ(RuntimeError::standardDescription(1234), "Application-defined or object-defined error");
    EXPECT_EQ(RuntimeError::standardDescription(0), "Application-defined or object-defined error");
}

TEST(RuntimeErrorTest, NumberedConstructionCarriesNumberAndText) {
    const RuntimeError standard(ErrorNumber::TypeMismatch);
    EXPECT_EQ(standard.number(), 13);
    EXPECT_EQ(standard.description(), "Type mismatch");

    const RuntimeError custom(ErrorNumber::PathFileAccess, "Cannot open 'a.cfg'");
    EXPECT_EQ(custom.number(), 75);
    EXPECT_STREQ(custom.what(), "Cannot open 'a.cfg'");

    const RuntimeError other(-2147221504, "Automation error");
    EXPECT_EQ(other.number(), -2147221504);
}

TEST(RuntimeErrorTest, HandlersSeeAnyExceptionAlike) {
    try {
        throw RuntimeError(ErrorNumber::Overflow);
    } catch (const std::exception& error) {
        EXPECT_EQ(errorNumber(error), 6);
        EXPECT_EQ(describe(error), "Overflow");
    }
    const std::out_of_range foreign("vector index");
    EXPECT_EQ(errorNumber(foreign), 440);
    EXPECT_EQ(describe(foreign), "vector index");
}
