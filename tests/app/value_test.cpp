#include <gtest/gtest.h>

#include "app/value.h"

TEST(Value, UnsetEqualsZeroFalseAndTheEmptyText) {
    const Value unset;
    EXPECT_TRUE(unset.isUnset());
    EXPECT_EQ(unset, 0);
    EXPECT_EQ(unset, 0.0);
    EXPECT_EQ(unset, false);
    EXPECT_EQ(unset, "");
    EXPECT_EQ(unset, QString());
    EXPECT_EQ(unset, Value(0));
    EXPECT_EQ(Value(false), unset);
    EXPECT_EQ(Value(""), unset);
    EXPECT_EQ(unset, Value());
    EXPECT_NE(unset, 1);
    EXPECT_NE(unset, true);
    EXPECT_NE(unset, "0");
    EXPECT_NE(unset, " ");
    EXPECT_EQ(unset.toNumber(), 0);
    EXPECT_FALSE(unset.toBool());
    EXPECT_EQ(unset.toText(), QString());
}

TEST(Value, TrueIsMinusOne) {
    EXPECT_EQ(Value(true), -1);
    EXPECT_EQ(Value(-1), true);
    EXPECT_EQ(Value(true), Value(-1));
    EXPECT_EQ(Value(0), false);
    EXPECT_EQ(Value(true).toNumber(), -1);
    EXPECT_EQ(Value(false).toNumber(), 0);
    // A number other than -1 is not "true" in a comparison, though it counts as
    // set when used as a flag; both ways of comparing agree.
    EXPECT_NE(Value(2), true);
    EXPECT_NE(Value(2), Value(true));
    EXPECT_NE(Value(1), true);
    EXPECT_TRUE(Value(2).toBool());
    EXPECT_TRUE(Value(-1).toBool());
    EXPECT_FALSE(Value(0).toBool());
}

TEST(Value, TextAndNumbersNeverCompareEqual) {
    EXPECT_NE(Value("40"), 40);
    EXPECT_NE(Value(40), "40");
    EXPECT_NE(Value("40"), Value(40));
    EXPECT_NE(Value(40), Value("40"));
    EXPECT_NE(Value("0"), 0);
    EXPECT_NE(Value(""), Value(0.5));
    EXPECT_NE(Value("True"), true);
    EXPECT_NE(Value(true), "True");
    EXPECT_EQ(Value("40"), "40");
    EXPECT_EQ(Value("40"), Value(QStringLiteral("40")));
    EXPECT_NE(Value("Rock"), "rock");  // case counts
    EXPECT_EQ(Value(40), 40.0);
    EXPECT_EQ(Value(40.5), Value(40.5));
    EXPECT_NE(Value(40.5), 40);
}

TEST(Value, ConvertsBetweenKinds) {
    // A text as a number is its leading number.
    EXPECT_EQ(Value("40.5 ms").toNumber(), 40.5);
    EXPECT_EQ(Value("abc").toNumber(), 0);
    EXPECT_EQ(Value("&HFFFF").toNumber(), -1);
    EXPECT_TRUE(Value("5").toBool());
    EXPECT_FALSE(Value("0").toBool());
    EXPECT_FALSE(Value("abc").toBool());
    EXPECT_EQ(Value(40.5).toText(), "40.5");
    EXPECT_EQ(Value(-2147483641.0).toText(), "-2147483641");
    EXPECT_EQ(Value(1000000).toText(), "1000000");
    EXPECT_EQ(Value(true).toText(), "True");
    EXPECT_EQ(Value(false).toText(), "False");
    EXPECT_EQ(Value("C:\\Musica\\").toText(), "C:\\Musica\\");
    EXPECT_EQ(Value(QString()).kind(), Value::Kind::Text);  // empty text is set
    EXPECT_FALSE(Value(QString()).isUnset());
}
