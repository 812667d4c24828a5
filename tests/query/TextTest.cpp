#include <gtest/gtest.h>

#include "query/Text.h"

TEST(CutText, Placeholder) { EXPECT_EQ(filedata::CutText("abcdef", 0, 3), "abc"); }
