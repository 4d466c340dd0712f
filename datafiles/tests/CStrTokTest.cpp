#include "CStrTok.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Every token until the tokenizer is exhausted.
std::vector<std::string> split(CStrTok& tok, const std::string& text) {
    tok.SetText(text);
    std::vector<std::string> out;
    for (const char* t = tok.NextToken(); t; t = tok.NextToken())
        out.emplace_back(t);
    return out;
}

using V = std::vector<std::string>;

} // namespace

TEST(CStrTok, ReturnsEmptyFieldsBetweenAndAroundSeparators) {
    CStrTok tok;
    EXPECT_EQ(split(tok, "a,,b"), (V{"a", "", "b"}));
    EXPECT_EQ(split(tok, ",x,"), (V{"", "x", ""}));
    EXPECT_EQ(split(tok, ",,"), (V{"", "", ""}));
    EXPECT_EQ(split(tok, " 1 , 2 "), (V{" 1 ", " 2 "}));
}

TEST(CStrTok, TextWithoutSeparatorIsOneLastToken) {
    CStrTok tok;
    EXPECT_EQ(split(tok, "ASCII"), (V{"ASCII"}));
    EXPECT_EQ(split(tok, ""), (V{""}));
}

TEST(CStrTok, NothingBeforeTextAndNothingAfterExhaustion) {
    CStrTok tok;
    EXPECT_EQ(tok.NextToken(), nullptr);
    tok.SetText("a,b");
    tok.NextToken();
    tok.NextToken();
    EXPECT_EQ(tok.NextToken(), nullptr);
    EXPECT_EQ(tok.NextToken(), nullptr);
}

TEST(CStrTok, NewTextRestartsAndOtherSeparatorsWork) {
    CStrTok tok;
    tok.SetText("1,2,3");
    tok.NextToken();
    EXPECT_EQ(split(tok, "x,y"), (V{"x", "y"}));
    tok.separator = ';';
    EXPECT_EQ(split(tok, "a;b,c"), (V{"a", "b,c"}));
}
