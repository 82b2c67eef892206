#include "platform/ui/MessageBoxStyle.h"
#include <gtest/gtest.h>

using namespace km::ui;

TEST(MessageBoxStyleTest, ButtonSetsAndIconsFollowThePlatformNumbers) {
    EXPECT_EQ(MessageBoxStyle(16).buttons(), std::vector<int>{answer::ok});
    EXPECT_EQ(MessageBoxStyle(16).iconName(), "Stop");
    EXPECT_EQ(MessageBoxStyle(4 + 32).buttons(), (std::vector<int>{answer::yes, answer::no}));
    EXPECT_EQ(MessageBoxStyle(4 + 32).iconName(), "Question");
    EXPECT_EQ(MessageBoxStyle(3).buttons(), (std::vector<int>{answer::yes, answer::no, answer::cancel}));
    EXPECT_EQ(MessageBoxStyle(64).iconName(), "Information");
    EXPECT_EQ(MessageBoxStyle(48 + 1).iconName(), "Exclamation");
    EXPECT_EQ(MessageBoxStyle(0).iconName(), "");
    EXPECT_EQ(MessageBoxStyle(7).buttons(), std::vector<int>{answer::ok}) << "unknown sets show OK";
}

TEST(MessageBoxStyleTest, DefaultButtonIsTheFirstUnlessTheStyleAsksForAnother) {
    EXPECT_EQ(MessageBoxStyle(4).defaultAnswer(), answer::yes);
    EXPECT_EQ(MessageBoxStyle(4 + msgbox::defaultButton2).defaultAnswer(), answer::no);
    EXPECT_EQ(MessageBoxStyle(3 + msgbox::defaultButton3).defaultAnswer(), answer::cancel);
    EXPECT_EQ(MessageBoxStyle(0 + msgbox::defaultButton3).defaultAnswer(), answer::ok) << "no third button";
}

TEST(MessageBoxStyleTest, DismissingAnswersCancelThenNoThenAbortThenOk) {
    EXPECT_EQ(MessageBoxStyle(3).dismissAnswer(), answer::cancel);
    EXPECT_EQ(MessageBoxStyle(4).dismissAnswer(), answer::no);
    EXPECT_EQ(MessageBoxStyle(2).dismissAnswer(), answer::abort);
    EXPECT_EQ(MessageBoxStyle(16).dismissAnswer(), answer::ok);
}

TEST(MessageBoxStyleTest, AnswerNamesReadBackWithoutRegardToCaseOrAccessKeys) {
    EXPECT_EQ(MessageBoxStyle::answerFromName("yes"), answer::yes);
    EXPECT_EQ(MessageBoxStyle::answerFromName("&No"), answer::no);
    EXPECT_EQ(MessageBoxStyle::answerFromName("OK"), answer::ok);
    EXPECT_EQ(MessageBoxStyle::answerFromName("2"), answer::cancel);
    EXPECT_EQ(MessageBoxStyle::answerFromName("8"), std::nullopt);
    EXPECT_EQ(MessageBoxStyle::answerFromName("maybe"), std::nullopt);
    EXPECT_EQ(MessageBoxStyle::answerName(answer::ignore), "Ignore");
}
