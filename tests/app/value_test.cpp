#include <gtest/gtest.h>

#include "config/value.h"

TEST(Value, UnsetEqualsZeroFalseAndTheEmptyText) {
    const Value unset;
    EXPECT_TRUE(unset == 0 && unset == false && unset == "" && unset == Value(0.0));
    EXPECT_TRUE(Value(false) == unset && Value("") == unset && unset == Value());
    EXPECT_TRUE(unset != 1 && unset != true && unset != "0");
    EXPECT_EQ(unset.toNumber(), 0);
    EXPECT_FALSE(unset.toBool());
    EXPECT_EQ(unset.toText(), QString());
    EXPECT_FALSE(Value(QString()).isUnset());  // empty text is set
}

TEST(Value, TrueIsMinusOneAndComparesAsANumber) {
    EXPECT_TRUE(Value(true) == -1 && Value(-1) == true && Value(true) == Value(-1));
    EXPECT_TRUE(Value(0) == false && Value(false).toNumber() == 0);
    // 2 counts as set for a flag but is not true: both ways of comparing agree.
    EXPECT_TRUE(Value(2) != true && Value(2) != Value(true) && Value(1) != true);
    EXPECT_TRUE(Value(2).toBool());
}

TEST(Value, TextAndNumbersNeverCompareEqual) {
    EXPECT_TRUE(Value("40") != 40 && Value(40) != "40" && Value("40") != Value(40));
    EXPECT_TRUE(Value("0") != 0 && Value("True") != true && Value(true) != "True");
    EXPECT_TRUE(Value("40") == "40" && Value("Rock") != "rock");
    EXPECT_TRUE(Value(40) == 40.0 && Value(40.5) != 40);
}

TEST(Value, ConvertsBetweenKinds) {
    EXPECT_EQ(Value("40.5 ms").toNumber(), 40.5);
    EXPECT_EQ(Value("abc").toNumber(), 0);
    EXPECT_EQ(Value("&HFFFF").toNumber(), -1);
    EXPECT_TRUE(Value("5").toBool());
    EXPECT_FALSE(Value("0").toBool());
    EXPECT_EQ(Value(1000000).toText(), "1000000");
    EXPECT_EQ(Value(-2147483641.0).toText(), "-2147483641");
    EXPECT_EQ(Value(true).toText(), "True");
}
