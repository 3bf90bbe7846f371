#include "res/dialog_templates.h"

#include "platform/sjis.h"

namespace {

using plat::ItemClass;

plat::DialogTemplate NameEntryDialog() {
  plat::DialogTemplate t;
  t.style = plat::WS_POPUP | plat::WS_VISIBLE | plat::DS_MODALFRAME | plat::DS_SETFONT;
  t.cx = 110;
  t.cy = 65;
  t.fontFace = SJ("ＭＳ Ｐゴシック");
  t.pointSize = 9;
  t.items = {
      {IDC_NAME_PICTURE, ItemClass::kStatic, plat::SS_BITMAP, 7, 7, 20, 21, ""},
      {IDC_NAME_EDIT, ItemClass::kEdit, plat::WS_BORDER | plat::ES_AUTOHSCROLL | plat::WS_TABSTOP, 75, 12, 24, 14, ""},
      {IDC_NAME_OK, ItemClass::kButton, plat::BS_DEFPUSHBUTTON | plat::WS_TABSTOP, 30, 35, 50, 18, "OK"},
      {IDC_NAME_LABEL, ItemClass::kStatic, plat::SS_LEFT, 15, 15, 56, 16, SJ("登録名(3文字まで)")},
  };
  return t;
}

plat::DialogTemplate DrawModeDialog() {
  plat::DialogTemplate t;
  t.style = plat::WS_POPUP | plat::WS_VISIBLE | plat::WS_CAPTION | plat::DS_SETFONT | plat::DS_MODALFRAME;
  t.cx = 222;
  t.cy = 171;
  t.fontFace = SJ("ＭＳ Ｐゴシック");
  t.pointSize = 9;
  t.items = {
      {IDC_DRAW_PICTURE, ItemClass::kStatic, plat::SS_BITMAP, 7, 7, 20, 21, ""},
      {IDC_DRAW_START, ItemClass::kButton, plat::BS_DEFPUSHBUTTON | plat::WS_TABSTOP, 80, 105, 50, 25, SJ("ゲーム開始")},
      {IDC_DRAW_CANCEL, ItemClass::kButton, plat::BS_PUSHBUTTON | plat::WS_TABSTOP, 80, 140, 50, 18, SJ("ゲーム中止")},
      {IDC_DRAW_GROUP, ItemClass::kButton, plat::BS_GROUPBOX, 15, 15, 190, 55, SJ("描画モード")},
      {IDC_DRAW_D3D, ItemClass::kButton, plat::BS_AUTORADIOBUTTON | plat::WS_TABSTOP, 20, 30, 42, 10, "Direct3D"},
      {IDC_DRAW_DDRAW, ItemClass::kButton, plat::BS_AUTORADIOBUTTON | plat::WS_TABSTOP, 80, 30, 45, 10, "DirectDraw"},
      {IDC_DRAW_NOTE, ItemClass::kStatic, plat::SS_LEFT | plat::WS_GROUP, 20, 50, 177, 12,
       SJ("詳細な設定は環境設定ファイル「System.ini」で行って下さい。")},
      {IDC_DRAW_NO_ASK, ItemClass::kButton, plat::BS_AUTOCHECKBOX | plat::WS_TABSTOP, 50, 85, 120, 10,
       SJ("次回からこのダイアログを表示しない")},
  };
  // Scripted answers (headless runs): choose a back end and start, tick "do not
  // ask", or cancel.
  t.answers = {
      {"d3d", {IDC_DRAW_D3D, IDC_DRAW_START}},
      {"ddraw", {IDC_DRAW_DDRAW, IDC_DRAW_START}},
      {"noask", {IDC_DRAW_NO_ASK}},
      {"cancel", {IDC_DRAW_CANCEL}},
  };
  return t;
}

}  // namespace

const plat::DialogTemplate* FindDialogTemplate(uint16_t id) {
  static const plat::DialogTemplate name = NameEntryDialog();
  static const plat::DialogTemplate drawMode = DrawModeDialog();
  switch (id) {
    case IDD_NAME_ENTRY: return &name;
    case IDD_DRAW_MODE: return &drawMode;
    default: return nullptr;
  }
}
