#include <gtest/gtest.h>

#include "platform/numbertext.h"

TEST(NumberText, LeadingNumberPlaceholder) { EXPECT_EQ(NumberText::leadingNumber(u"40"), 40); }
