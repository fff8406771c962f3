#include "framework/win32/user/EditBuffer.h"

#include <gtest/gtest.h>

namespace {

TEditBuffer BufferWith(std::string_view text) {
  TEditBuffer b;
  b.SetText(text);
  return b;
}

TEST(EditBufferTest, CaretStepsOverWholeCharactersAndCrLf) {
  const TEditBuffer b = BufferWith("Gr\xC3\xB6\xC3\x9F"
                                   "e\r\n\xE2\x82\xAC");
  std::vector<std::size_t> forward{0};
  while (forward.back() < b.Length()) forward.push_back(b.NextBoundary(forward.back()));
  EXPECT_EQ(forward, (std::vector<std::size_t>{0, 1, 2, 4, 6, 7, 9, 12}));
  std::vector<std::size_t> backward{b.Length()};
  while (backward.back() > 0) backward.push_back(b.PreviousBoundary(backward.back()));
  EXPECT_EQ(backward, (std::vector<std::size_t>{12, 9, 7, 6, 4, 2, 1, 0}));
  EXPECT_EQ(b.SnapToBoundary(3), 2u);
  EXPECT_EQ(b.SnapToBoundary(8), 7u) << "between CR and LF";
  EXPECT_EQ(b.SnapToBoundary(11), 9u);
}

TEST(EditBufferTest, SelectionNeverSplitsACharacter) {
  TEditBuffer b = BufferWith("a\xC3\xA9z");
  b.Select(2, 99);
  EXPECT_EQ(b.Anchor(), 1u);
  EXPECT_EQ(b.Caret(), 4u);
  EXPECT_EQ(b.SelectedText(), "\xC3\xA9z");
}

TEST(EditBufferTest, WordMovesAndWordAt) {
  const TEditBuffer b = BufferWith("one  two\r\nthree");
  EXPECT_EQ(b.NextWordStart(0), 5u);
  EXPECT_EQ(b.NextWordStart(5), 8u) << "stops before the line break";
  EXPECT_EQ(b.NextWordStart(8), 10u);
  EXPECT_EQ(b.PreviousWordStart(15), 10u);
  EXPECT_EQ(b.PreviousWordStart(10), 8u);
  EXPECT_EQ(b.PreviousWordStart(7), 5u);
  EXPECT_EQ(b.WordAt(6), std::make_pair(std::size_t{5}, std::size_t{8}));
  EXPECT_EQ(b.WordAt(3), std::make_pair(std::size_t{3}, std::size_t{5}));
}

TEST(EditBufferTest, LimitCutsInWholeCharactersAndReports) {
  TEditBuffer b;
  b.SetLimit(4);
  EXPECT_FALSE(b.ReplaceSelection("ab\xC3\xA9\xC3\xA9", TUndoMode::Record));
  EXPECT_EQ(b.Text(), "ab\xC3\xA9");
  EXPECT_FALSE(b.TypeCharacter("x"));
  EXPECT_EQ(b.Text(), "ab\xC3\xA9");
  b.Select(0, 1);
  EXPECT_TRUE(b.TypeCharacter("z")) << "replacing the selection makes room";
  EXPECT_EQ(b.Text(), "zb\xC3\xA9");
}

TEST(EditBufferTest, TypingUndoesAsOneAndUndoOfUndoRedoes) {
  TEditBuffer b = BufferWith("x");
  b.Select(1, 1);
  for (const char* c : {"a", "b", "c"}) b.TypeCharacter(c);
  EXPECT_TRUE(b.Modified());
  ASSERT_TRUE(b.CanUndo());
  EXPECT_TRUE(b.Undo());
  EXPECT_EQ(b.Text(), "x");
  EXPECT_TRUE(b.Undo());
  EXPECT_EQ(b.Text(), "xabc");
  EXPECT_EQ(b.SelectedText(), "abc");
  b.EmptyUndo();
  EXPECT_FALSE(b.Undo());
}

TEST(EditBufferTest, BackspacesMergeAndReplacementWithoutUndoEmptiesIt) {
  TEditBuffer b = BufferWith("hello");
  b.Select(5, 5);
  b.DeleteBackward();
  b.DeleteBackward();
  EXPECT_EQ(b.Text(), "hel");
  b.Undo();
  EXPECT_EQ(b.Text(), "hello");
  b.ReplaceSelection("!", TUndoMode::None);
  EXPECT_FALSE(b.CanUndo());
}

TEST(EditBufferTest, CaseAndOverwrite) {
  TEditBuffer b;
  b.SetCharCase(TEditCase::Upper);
  b.ReplaceSelection("abc", TUndoMode::Record);
  EXPECT_EQ(b.Text(), "ABC");
  b.SetCharCase(TEditCase::Normal);
  b.SetOverwrite(true);
  b.Select(1, 1);
  b.TypeCharacter("x");
  EXPECT_EQ(b.Text(), "AxC");
  b.Select(3, 3);
  b.TypeCharacter("y");
  EXPECT_EQ(b.Text(), "AxCy") << "overwriting at the end appends";
}

} // namespace
