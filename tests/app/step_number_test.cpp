#include "app/step_number.h"

#include <gtest/gtest.h>

TEST(StepNumber, NextOfEachStep) {
    EXPECT_EQ("2", nextStep("1"));
    EXPECT_EQ("7", nextStep("6"));
    EXPECT_EQ("1", nextStep("0"));
}

TEST(StepNumber, NumbersWrittenOtherwiseStillAdvance) {
    EXPECT_EQ("2", nextStep(" 1"));
    EXPECT_EQ("2", nextStep("01"));
    EXPECT_EQ("2", nextStep("1.0"));
    EXPECT_EQ("0", nextStep("-1"));
}

TEST(StepNumber, TextThatIsNoNumberDoesNotAdvance) {
    for (const char* text : {"", " ", "Text1", "1a", "1.2.3", ".", "+", "1e3"})
        EXPECT_FALSE(nextStep(text).has_value()) << '"' << text << '"';
}
