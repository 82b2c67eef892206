#include "platform/runtime/SourcePosition.h"
#include "platform/runtime/LocatedError.h"
#include <gtest/gtest.h>

using namespace km::rt;

TEST(SourcePositionTest, MessagesNameTheKnownPartsOfThePlace) {
    struct Case {
        SourcePosition position;
        const char* located;
    };
    const Case cases[] = {
        {{"kmprops.cfg", 12, 23}, "kmprops.cfg:12:23: m"},
        {{"answers.txt", 7, 0}, "answers.txt:7: m"}, // answers files have no column
        {{"", 3, 25}, "3:25: m"},                    // a text without a name
        {{"terminal", 0, 0}, "m"},                   // typed commands have no line
        {{"f.cfg", -1, 4}, "m"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(formatLocated(c.position, "m"), c.located);
        LocatedError error(c.position, "m");
        EXPECT_STREQ(error.what(), c.located);
        EXPECT_EQ(error.message(), "m");
    }
    EXPECT_EQ(formatPosition({"model.xml", 4, 5}), "model.xml:4:5");
}
