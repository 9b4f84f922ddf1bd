#include "platform/print_layout.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::wstring>;

int monospace(std::wstring_view piece) {
    return static_cast<int>(piece.size()) * 10;
}

TEST(PrintLayout, LinesStartAtEachLineEnd) {
    EXPECT_EQ((Lines{L"a", L"b"}), splitLines(L"a\r\nb"));
    EXPECT_EQ((Lines{L"a", L""}), splitLines(L"a\r\n"));
    EXPECT_EQ((Lines{L"", L"", L""}), splitLines(L"\r\n\r\n"));
    EXPECT_EQ((Lines{L"a", L"b", L"c"}), splitLines(L"a\nb\rc"));
    EXPECT_EQ((Lines{L""}), splitLines(L""));
}

TEST(PrintLayout, WrapsAtWords) {
    struct Case {
        std::wstring line;
        int chars;
        Lines pieces;
    } cases[] = {
        {L"short", 10, {L"short"}},
        {L"", 10, {L""}},
        {L"aaa bbb ccc", 6, {L"aaa", L"bbb", L"ccc"}},
        {L"aaa bbb ccc", 7, {L"aaa bbb", L"ccc"}},
        {L"aaa   bbb", 4, {L"aaa", L"bbb"}},
        {L"  indented text", 11, {L"  indented", L"text"}},
        {L"abcdefghij", 4, {L"abcd", L"efgh", L"ij"}},
        {L"ab abcdefghij", 4, {L"ab", L"abcd", L"efgh", L"ij"}},
        {L"x", 0, {L"x"}},
        {L"ab", 0, {L"a", L"b"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.pieces, wrapLine(c.line, c.chars * 10, monospace)) << c.chars;
}

}  // namespace
