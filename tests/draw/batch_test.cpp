#include <gtest/gtest.h>

#include "tests/support/draw_fixture.h"

namespace {

// Direct3D at 32 bits with a sheet of plain 8 x 8 cells: a blit's cell shows
// which command drew a pixel last.
class Batches : public cDrawTest {
 protected:
  void SetUp() override {
    cDrawTest::SetUp();
    ASSERT_TRUE(WriteCellSheet("a.bmp", 16, 2, 8, 8));
    ASSERT_TRUE(WriteCellSheet("b.bmp", 16, 2, 8, 8));
    ASSERT_TRUE(StartLayer({1, 32, 0}));
    ASSERT_EQ(DDCreateSurfaceFromFile(&m_a, "a.bmp", 1, 32, 0, 0, 0, 0, 0, 0, 0), 0);
    ASSERT_EQ(DDCreateSurfaceFromFile(&m_b, "b.bmp", 1, 32, 0, 0, 0, 0, 0, 0, 0), 0);
    DDFillRectPal(&BackBuffer, 0, 0, 640, 480, 16);
  }
  void TearDown() override {
    DDReleaseSurface(&m_a);
    DDReleaseSurface(&m_b);
    cDrawTest::TearDown();
  }
  // Cell c of row 0 of a sheet at (x, y).
  void Cell(DDSURFACEDATA* sheet, int c, int x, int y) { DDBltFast(&BackBuffer, x, y, 8, 8, sheet, c * 8, 0, 1); }
  uint32_t CellColor(int c) const { return SheetColor(CellIndex(c, 0)); }

  DDSURFACEDATA m_a, m_b;
};

TEST_F(Batches, SortedByTextureInRegistrationOrder) {
  // Queued A1 B1 A2 at one place: sorted, drawn A1 A2 B1 (B1 on top); unsorted,
  // in queue order (A2 on top). A source never registered comes first.
  DDBeginBltBatch(1);
  DDAddBatchTexture(&m_a);
  DDAddBatchTexture(&m_b);
  DDAddBatchTexture(&m_a);  // registered once
  Cell(&m_a, 1, 0, 0);
  Cell(&m_b, 2, 0, 0);
  Cell(&m_a, 3, 0, 0);
  Cell(&m_a, 1, 20, 0);
  Cell(&m_a, 3, 24, 0);  // A1 before A2 within one texture
  EXPECT_EQ(PixelAt(&BackBuffer, 0, 0), SheetColor(16));  // nothing drawn yet
  ASSERT_EQ(BltBatch.m_Textures.size(), 2u);
  EXPECT_EQ(BltBatch.m_Textures[1].nKey, 200000);
  EXPECT_EQ(DDEndBltBatch(), 1);
  EXPECT_EQ(PixelAt(&BackBuffer, 0, 0), CellColor(2));
  EXPECT_EQ(PixelAt(&BackBuffer, 25, 0), CellColor(3));
  EXPECT_FALSE(BltBatch.m_bActive);
  EXPECT_TRUE(BltBatch.m_Commands.empty());

  DDBeginBltBatch(0);
  Cell(&m_a, 1, 40, 0);
  Cell(&m_b, 2, 40, 0);
  Cell(&m_a, 3, 40, 0);
  DDEndBltBatch();
  EXPECT_EQ(PixelAt(&BackBuffer, 40, 0), CellColor(3));

  DDBeginBltBatch(1);
  DDAddBatchTexture(&m_a);
  Cell(&m_a, 1, 60, 0);
  Cell(&m_b, 2, 60, 0);  // not registered: drawn first
  DDEndBltBatch();
  EXPECT_EQ(PixelAt(&BackBuffer, 60, 0), CellColor(1));
}

TEST_F(Batches, RunsLongerThanOneBufferAreDrawnWhole) {
  // More quads than 16-bit indexes reach in one buffer: every one is drawn.
  const int count = 2 * DD_BATCH_MAX_QUADS + 100;
  DDBeginBltBatch(0);
  for (int i = 0; i < count; ++i) DDBltFast(&BackBuffer, i % 640, i / 640, 1, 1, &m_a, 8, 0, 1);
  EXPECT_EQ(static_cast<int>(BltBatch.m_Commands.size()), count);
  EXPECT_EQ(DDEndBltBatch(), 1);
  int missing = 0;
  for (int i = 0; i < count; ++i) missing += PixelAt(&BackBuffer, i % 640, i / 640) != CellColor(1);
  EXPECT_EQ(missing, 0);
  EXPECT_EQ(PixelAt(&BackBuffer, count % 640, count / 640), SheetColor(16));

  // Fills likewise.
  DDBeginFillBatch();
  for (int i = 0; i < count; ++i) DDFillRectPal(&BackBuffer, i % 640, 100 + i / 640, 1, 1, 40);
  EXPECT_EQ(DDEndFillBatch(), 1);
  missing = 0;
  for (int i = 0; i < count; ++i) missing += PixelAt(&BackBuffer, i % 640, 100 + i / 640) != SheetColor(40);
  EXPECT_EQ(missing, 0);
}

TEST_F(Batches, SortingStaysRightPastTheKeyStep) {
  // Queued B1 first, then more than 100,000 commands of A: with keys made of the
  // texture's step plus the sequence number, the late A commands would sort after
  // B1. B1 must still be drawn after every A.
  DDBeginBltBatch(1);
  DDAddBatchTexture(&m_a);
  DDAddBatchTexture(&m_b);
  Cell(&m_b, 2, 0, 0);
  for (int i = 0; i < 100005; ++i) Cell(&m_a, 1 + i % 2, 0, 0);
  DDEndBltBatch();
  EXPECT_EQ(PixelAt(&BackBuffer, 0, 0), CellColor(2));
}

TEST_F(Batches, ABatchStillOpenAtThePresentIsDrawnIntoThatFrame) {
  DDBeginFillBatch();
  DDFillRectPal(&BackBuffer, 0, 0, 4, 4, 40);
  DDBeginBltBatch(1);
  Cell(&m_a, 5, 2, 2);
  ASSERT_EQ(DDPresent(60, 0, nullptr), 1);
  EXPECT_FALSE(FillBatch.m_bActive);
  EXPECT_FALSE(BltBatch.m_bActive);
  plat::PresentedFrame frame;
  ASSERT_TRUE(plat::TakeFrame(frame));
  EXPECT_EQ(frame.pixels[0], SheetColor(40));
  EXPECT_EQ(frame.pixels[2 * 640 + 2], CellColor(5));  // the blits after the fills
  // Nothing is carried into the next frame.
  DDFillRectPal(&BackBuffer, 0, 0, 640, 480, 16);
  EXPECT_EQ(PixelAt(&BackBuffer, 2, 2), SheetColor(16));
}

TEST_F(Batches, BeginningAgainDrawsWhatWasQueued) {
  DDBeginBltBatch(0);
  Cell(&m_a, 4, 0, 0);
  DDBeginBltBatch(0);  // the first queue is drawn, not dropped
  EXPECT_EQ(PixelAt(&BackBuffer, 0, 0), CellColor(4));
  Cell(&m_a, 6, 10, 0);
  DDEndBltBatch();
  EXPECT_EQ(PixelAt(&BackBuffer, 10, 0), CellColor(6));
  DDBeginFillBatch();
  DDFillRectPal(&BackBuffer, 20, 0, 2, 2, 40);
  DDBeginFillBatch();
  EXPECT_EQ(PixelAt(&BackBuffer, 20, 0), SheetColor(40));
  DDEndFillBatch();
}

TEST_F(Batches, RunsWithALostBufferOrSurfaceAreSkipped) {
  DDBeginBltBatch(0);
  Cell(&m_a, 1, 0, 0);
  Cell(&m_b, 2, 10, 0);
  Cell(&m_a, 3, 20, 0);
  plat::DisplayControl().FailNext(plat::DisplayOp::kCreateVertexBuffer, 1, 1);  // the second run's
  EXPECT_EQ(DDEndBltBatch(), 0);
  EXPECT_TRUE(Reported("CreateVertexBuffer Err"));
  EXPECT_EQ(PixelAt(&BackBuffer, 0, 0), CellColor(1));
  EXPECT_EQ(PixelAt(&BackBuffer, 10, 0), SheetColor(16));
  EXPECT_EQ(PixelAt(&BackBuffer, 20, 0), CellColor(3));

  // A source released while its blits were queued.
  DDBeginBltBatch(0);
  Cell(&m_b, 2, 30, 0);
  Cell(&m_a, 3, 40, 0);
  DDReleaseSurface(&m_b);
  EXPECT_EQ(DDEndBltBatch(), 0);
  EXPECT_EQ(PixelAt(&BackBuffer, 30, 0), SheetColor(16));
  EXPECT_EQ(PixelAt(&BackBuffer, 40, 0), CellColor(3));
}

TEST_F(Batches, UnkeyedBlitsAndKeyFillsClearToTheTransparentColour) {
  // An unkeyed blit of a keyed source clears its rectangle to the transparent
  // colour first: batched, every rectangle of the run.
  ASSERT_TRUE(WriteCellSheet("holes.bmp", 16, 1, 8, 8));
  DDSURFACEDATA& work = Off_Sys[67];
  ASSERT_TRUE(DDCreateSurface(&work, 64, 64, 1, 0, 0, 0, 0));
  DDFillRectPal(&work, 0, 0, 64, 64, 40);
  EXPECT_EQ(PixelAt(&work, 5, 5), SheetColor(40));
  DDFillRectPal(&work, 0, 0, 8, 8, 0);  // the key onto a keyed target: transparent
  EXPECT_EQ(plat::PixelToArgb(plat::PixelFormat::kA8R8G8B8, StorageOf(&work)->GetPixel(5, 5)) >> 24, 0u);
  DDBeginFillBatch();
  DDFillRectPal(&work, 8, 0, 8, 8, 0);  // cleared at once even inside a batch
  EXPECT_EQ(StorageOf(&work)->GetPixel(9, 1) >> 24, 0u);
  DDEndFillBatch();

  // Unkeyed blit onto the back buffer: the transparent colour shows where the
  // source is transparent (magenta, the palette's entry 0).
  DDBltFast(&BackBuffer, 100, 100, 64, 64, &work, 0, 0, 0);
  EXPECT_EQ(PixelAt(&BackBuffer, 101, 101), SheetColor(0));
  EXPECT_EQ(PixelAt(&BackBuffer, 120, 120), SheetColor(40));
  DDBltFast(&BackBuffer, 200, 100, 64, 64, &work, 0, 0, 1);
  EXPECT_EQ(PixelAt(&BackBuffer, 201, 101), SheetColor(16));
  DDReleaseSurface(&work);
}

TEST_F(Batches, DirectDrawDrawsAtOnce) {
  DDRelease();
  ASSERT_TRUE(StartLayer({0, 32, 0}));
  DDSURFACEDATA a;
  ASSERT_EQ(DDCreateSurfaceFromFile(&a, "a.bmp", 1, 32, 0, 0, 0, 0, 0, 0, 0), 0);
  DDBeginBltBatch(1);
  DDBeginFillBatch();
  DDBltFast(&BackBuffer, 0, 0, 8, 8, &a, 8, 0, 1);
  DDFillRectPal(&BackBuffer, 10, 0, 4, 4, 40);
  EXPECT_EQ(PixelAt(&BackBuffer, 0, 0), CellColor(1));
  EXPECT_EQ(PixelAt(&BackBuffer, 10, 0), SheetColor(40));
  EXPECT_EQ(DDEndFillBatch(), 1);
  EXPECT_EQ(DDEndBltBatch(), 1);
  DDReleaseSurface(&a);
}

// A blit with a vertex colour: modulated under Direct3D for that blit only.
TEST_F(Batches, VertexColourForOneBlit) {
  const DDBLTEXINFO half{0xFF808080, 4};
  DDBltFastEx(&BackBuffer, 0, 0, 8, 8, &m_a, 8, 0, 1, &half);
  const uint32_t c = CellColor(1), got = PixelAt(&BackBuffer, 0, 0);
  EXPECT_EQ(got >> 16, ((c >> 16) * 128 + 127) / 255);
  EXPECT_EQ(lpDTCon->dwDiffuse, 0xFFFFFFFFu);
  EXPECT_EQ(lpDTCon->dwColorOp, 4u);
  DDBltFast(&BackBuffer, 10, 0, 8, 8, &m_a, 8, 0, 1);
  EXPECT_EQ(PixelAt(&BackBuffer, 10, 0), c);
  // Queued with the colour in force when queued.
  DDBeginBltBatch(0);
  DDBltEx(&BackBuffer, 20, 0, 8, 8, &m_a, 8, 0, 8, 8, 1, &half);
  DDEndBltBatch();
  EXPECT_EQ(PixelAt(&BackBuffer, 20, 0), got);
}

}  // namespace
