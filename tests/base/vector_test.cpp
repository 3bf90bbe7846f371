#include <gtest/gtest.h>

#include "app/base/shell_globals.h"
#include "app/base/vector.h"
#include "tests/support/temp_dir.h"

namespace {

// A window on this thread, so that the close request can be seen.
struct WindowFixture : ::testing::Test {
  cTempDir dir;
  void SetUp() override { hMainWnd = plat::RegisterWindow(); }
  void TearDown() override {
    plat::UnregisterWindow(hMainWnd);
    hMainWnd = 0;
  }
  int CloseRequests() {
    int n = 0;
    plat::MSG m;
    while (plat::PeekMessage(&m, true))
      if (m.message == plat::WM_CLOSE && m.hwnd == hMainWnd) ++n;
    return n;
  }
};

struct Big {
  char bytes[48];
};

TEST_F(WindowFixture, BadVectorIndexIsReportedClosesAndGivesElementZero) {
  cVector<int> v{10, 20, 30};
  for (int bad : {-1, 3, 1000000}) {
    int& got = v.At(bad);
    EXPECT_EQ(&got, &v[0]);
  }
  auto lines = dir.ReportLines();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "err V[-1] ( 3 , 4 )");
  EXPECT_EQ(lines[1], "err V[3] ( 3 , 4 )");
  EXPECT_EQ(CloseRequests(), 3);
  EXPECT_EQ(v.At(2), 30);
  EXPECT_EQ(CloseRequests(), 0);
}

TEST_F(WindowFixture, EmptyVectorGivesADefaultElementInsteadOfAnAbort) {
  cVector<Big> v;
  Big& b = v.At(0);
  EXPECT_EQ(b.bytes[0], 0);
  b.bytes[0] = 5;  // what one caller writes does not reach the next
  EXPECT_EQ(v.At(0).bytes[0], 0);
  EXPECT_EQ(dir.ReportLines().at(0), "err V[0] ( 0 , 48 )");
  EXPECT_EQ(CloseRequests(), 2);
}

TEST_F(WindowFixture, BadListIndexGivesTheZeroDefaultElement) {
  cList<Big> l;
  Big& b = l.At(5);
  for (char c : b.bytes) EXPECT_EQ(c, 0);
  EXPECT_EQ(dir.ReportLines().at(0), "err L[5] ( 0 , 48 )");
  EXPECT_EQ(CloseRequests(), 1);
}

TEST(CheckedList, InsertEraseAndIndex) {
  cList<int> l;
  l.InsertAt(0, 1);  // the only element
  l.InsertAt(1, 3);  // n equal to the count appends
  l.InsertAt(1, 2);
  l.InsertAt(99, 4);
  EXPECT_EQ(std::vector<int>(l.begin(), l.end()), (std::vector<int>{1, 2, 3, 4}));
  EXPECT_EQ(l.At(2), 3);
  auto it = l.EraseAt(1);
  EXPECT_EQ(*it, 3);
  EXPECT_EQ(l.EraseAt(3), l.end());
  EXPECT_EQ(l.size(), 3u);
}

TEST(CheckedVector, RemoveFillAndCount) {
  int a = 1, b = 2;
  cVector<int*> v{&a, &b, &b, &a};
  EXPECT_TRUE(v.Remove(&b));  // two adjacent equal pointers in one call
  EXPECT_EQ(v.size(), 2u);
  EXPECT_FALSE(v.Remove(&b));
  cVector<int> n(4);
  EXPECT_EQ(n.size(), 4u);
  n.Fill(7);
  EXPECT_EQ(n, (cVector<int>{7, 7, 7, 7}));
  EXPECT_EQ(cVector<int>(-3).size(), 0u);
}

}  // namespace
