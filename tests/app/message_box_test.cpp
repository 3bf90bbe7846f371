// Message boxes under the test controls: answered from the script, texts in the
// report log byte for byte.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <string>

#include "app/base/message_box.h"
#include "app/base/report_log.h"
#include "app/base/thread.h"
#include "platform/sjis.h"
#include "platform/test_controls.h"
#include "tests/support/temp_dir.h"

namespace {

void Script(const char* answers) {
  setenv("KORVANE_HEADLESS", "1", 1);
  setenv("KORVANE_ANSWERS", answers, 1);
  plat::ReloadTestControls();
}

TEST(MessageBoxScript, AnswersComeInOrderThenTheDefaultButton) {
  cTempDir dir;
  Script("no, YES,cancel,cancel,retry");
  struct Case {
    unsigned type;
    int expected;
  } cases[] = {
      {MB_YESNO, IDNO},
      {MB_YESNO, IDYES},
      {MB_OKCANCEL, IDCANCEL},
      {MB_YESNO, IDYES},          // "cancel" is no button of a yes/no box: its default
      {MB_OK, IDOK},              // "retry" likewise
      {MB_YESNO, IDYES},          // the script has run out: default buttons
      {MB_OKCANCEL | plat::MB_DEFBUTTON2, IDCANCEL},
      {MB_YESNOCANCEL | plat::MB_DEFBUTTON3, IDCANCEL},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(MesBox("text", "caption", cases[i].type), cases[i].expected);
  }
  EXPECT_EQ(dir.ReportLines().size(), std::size(cases));
}

TEST(MessageBoxScript, TextsReachTheReportLogInShiftJis) {
  cTempDir dir;
  Script("");
  std::string path = "data\\System.dat";
  ReportLogBox(SJ("%s の読み込みに失敗…"), path.c_str());
  OutOfMemory();
  MesBox(SJ("既に起動しています。\n再起動しますか？"), SJ("二重起動"), MB_YESNO);
  std::string error = SJ("エラー");
  auto lines = dir.ReportLines();
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0], path + SJ(" の読み込みに失敗…"));
  EXPECT_EQ(lines[1], "MessageBox [" + error + "] " + path + SJ(" の読み込みに失敗…"));
  EXPECT_EQ(lines[2], "MessageBox [" + error + "] " + SJ("メモリが不足しています！"));
  EXPECT_EQ(lines[3], std::string("MessageBox [") + SJ("二重起動") + "] " + SJ("既に起動しています。"));
  EXPECT_EQ(lines[4], SJ("再起動しますか？"));
}

unsigned AskFromWorker(void* result) {
  *static_cast<int*>(result) = MesBox("from a worker", "caption", MB_YESNO);
  return 0;
}

TEST(MessageBoxScript, AnyThreadMayAsk) {
  cTempDir dir;
  Script("no");
  int answer = 0;
  cThread t("worker");
  ASSERT_TRUE(t.Start(&AskFromWorker, &answer));
  t.Wait();
  EXPECT_EQ(answer, IDNO);
  EXPECT_TRUE(dir.ReportContains("MessageBox [caption] from a worker"));
}

}  // namespace
