#include "app/ui/window.h"

#include <algorithm>
#include <string>

#include "app/base/report_log.h"
#include "platform/key_state.h"
#include "platform/window.h"

cWindowRegistry WindowRegistry;

namespace {

constexpr int kVkLButton = 0x01;
constexpr int kVkRButton = 0x02;

struct cMessageName {
  plat::UINT message;
  const char* name;
};

// The messages this program's windows meet.
constexpr cMessageName kMessageNames[] = {
    {0x0000, "WM_NULL"},         {0x0001, "WM_CREATE"},         {0x0002, "WM_DESTROY"},
    {0x0003, "WM_MOVE"},         {0x0005, "WM_SIZE"},           {0x0007, "WM_SETFOCUS"},
    {0x0008, "WM_KILLFOCUS"},    {0x000C, "WM_SETTEXT"},        {0x000D, "WM_GETTEXT"},
    {0x000E, "WM_GETTEXTLENGTH"}, {0x000F, "WM_PAINT"},         {0x0010, "WM_CLOSE"},
    {0x0012, "WM_QUIT"},         {0x001C, "WM_ACTIVATEAPP"},    {0x0024, "WM_GETMINMAXINFO"},
    {0x004A, "WM_COPYDATA"},     {0x004E, "WM_NOTIFY"},         {0x0100, "WM_KEYDOWN"},
    {0x0101, "WM_KEYUP"},        {0x0102, "WM_CHAR"},           {0x0110, "WM_INITDIALOG"},
    {0x0111, "WM_COMMAND"},      {0x0114, "WM_HSCROLL"},        {0x0115, "WM_VSCROLL"},
    {0x0200, "WM_MOUSEMOVE"},    {0x0201, "WM_LBUTTONDOWN"},    {0x0202, "WM_LBUTTONUP"},
    {0x0203, "WM_LBUTTONDBLCLK"}, {0x0204, "WM_RBUTTONDOWN"},   {0x0205, "WM_RBUTTONUP"},
    {0x0206, "WM_RBUTTONDBLCLK"}, {0x030F, "WM_QUERYNEWPALETTE"}, {0x0311, "WM_PALETTECHANGED"},
    {0x0400, "WM_USER"},         {0x8000, "WM_APP"},
};

}  // namespace

std::string MessageName(plat::UINT message) {
  for (const cMessageName& m : kMessageNames)
    if (m.message == message) return m.name;
  return std::to_string(message);
}

void cWindow::Init(uint16_t resourceId, plat::HWND owner, cWindowRegistry* registry) {
  m_wResourceId = resourceId;
  m_hOwner = owner;
  m_lpRegistry = registry;
  m_hInstance = plat::GetWindowLong(plat::GameWindow(), plat::GWL_HINSTANCE);
}

void cWindow::SetClientSize(int width, int height, int minWidth, int minHeight, int maxWidth, int maxHeight,
                            uint32_t style, int menu, int bandRows, int bottomBar, int /*reserved*/, int barFlags) {
  m_dwStyle = style;
  m_bMenu = menu;
  m_nBandRows = bandRows;
  m_nBottomBar = bottomBar;
  m_nBarFlags = barFlags;
  int extraW = 0, extraH = 0;
  if (barFlags & 2) extraW += plat::GetSystemMetrics(plat::SM_CXVSCROLL);
  if (barFlags & 1) extraH += plat::GetSystemMetrics(plat::SM_CYHSCROLL);
  if (bottomBar == 1 || bottomBar == 2) extraH += kBottomBarHeight;
  extraH += kBandRowHeight * bandRows;
  m_nRequestWidth = width ? width + extraW : 0;
  m_nRequestHeight = height ? height + extraH : 0;
  m_rcClient = plat::RECT{0, 0, width + extraW, height + extraH};
  m_nMinWidth = minWidth + extraW;
  m_nMinHeight = minHeight + extraH;
  m_nMaxWidth = maxWidth + extraW;
  m_nMaxHeight = maxHeight + extraH;
  UpdateFrame();
}

void cWindow::UpdateFrame() {
  m_nFrameLeft = m_nFrameRight = m_nFrameTop = m_nFrameBottom = 0;
  if (m_dwStyle & plat::WS_CAPTION) m_nFrameTop += plat::GetSystemMetrics(plat::SM_CYCAPTION);
  if (m_dwStyle & plat::WS_THICKFRAME) {
    m_nFrameLeft = m_nFrameRight = plat::GetSystemMetrics(plat::SM_CXFRAME);
    m_nFrameTop += plat::GetSystemMetrics(plat::SM_CYFRAME);
    m_nFrameBottom = plat::GetSystemMetrics(plat::SM_CYFRAME);
  } else if (m_dwStyle & plat::WS_DLGFRAME) {
    m_nFrameLeft = m_nFrameRight = plat::GetSystemMetrics(plat::SM_CXDLGFRAME);
    m_nFrameTop += plat::GetSystemMetrics(plat::SM_CYDLGFRAME);
    m_nFrameBottom = plat::GetSystemMetrics(plat::SM_CYDLGFRAME);
  }
  if (m_bMenu) m_nFrameTop += plat::GetSystemMetrics(plat::SM_CYMENU);
  const int width = m_rcClient.right - m_rcClient.left, height = m_rcClient.bottom - m_rcClient.top;
  m_nOuterWidth = width + m_nFrameLeft + m_nFrameRight;
  m_nOuterHeight = height + m_nFrameTop + m_nFrameBottom;
  m_nClientX = 0;
  m_nClientY = kBandRowHeight * m_nBandRows;
  m_nClientWidth = width - ((m_nBarFlags & 2) ? plat::GetSystemMetrics(plat::SM_CXVSCROLL) : 0);
  m_nClientHeight = height - m_nClientY - ((m_nBarFlags & 1) ? plat::GetSystemMetrics(plat::SM_CYHSCROLL) : 0) -
                    (m_nBottomBar == 1 ? kBottomBarHeight : 0);
}

void cWindow::UpdateGeometry() {
  m_dwStyle = static_cast<uint32_t>(plat::GetWindowLong(m_hWnd, plat::GWL_STYLE));
  plat::GetClientRect(m_hWnd, &m_rcClient);
  UpdateFrame();
}

void cWindow::ResizeClient(int width, int height) {
  m_rcClient = plat::RECT{0, 0, width, height};
  plat::SetWindowPos(m_hWnd, 0, 0, width + m_nFrameLeft + m_nFrameRight, height + m_nFrameTop + m_nFrameBottom,
                     plat::SWP_NOMOVE | plat::SWP_NOZORDER);
}

void cWindow::Move(int x, int y) {
  plat::SetWindowPos(m_hWnd, x, y, m_nOuterWidth, m_nOuterHeight, plat::SWP_NOSIZE | plat::SWP_NOZORDER);
  m_nX = x;
  m_nY = y;
  UpdateGeometry();
}

void cWindow::CentreOnDesktop() {
  plat::RECT desk;
  if (m_hWnd && m_hWnd == plat::GameWindow()) {
    const plat::Size s = plat::FullScreenClientSize();
    desk = plat::RECT{0, 0, s.width, s.height};
  } else {
    desk = plat::GetWorkArea();
  }
  plat::RECT w;
  if (!plat::GetWindowRect(m_hWnd, &w)) return;
  Move((desk.right + w.left - w.right) / 2, (desk.bottom + w.top - w.bottom) / 2);
}

void cWindow::PlaceOnOpen() {
  plat::RECT now;
  if (!plat::GetWindowRect(m_hWnd, &now)) return;
  int x = now.left, y = now.top;
  const int halfW = (m_rcClient.right - m_rcClient.left) / 2, halfH = (m_rcClient.bottom - m_rcClient.top) / 2;
  if (m_lpPlaceOn) {
    x = m_lpPlaceOn->m_nX;
    y = m_lpPlaceOn->m_nY;
    if (m_bCentre) {
      x += m_lpPlaceOn->m_nClientWidth / 2 - halfW;
      y += m_lpPlaceOn->m_nClientHeight / 2 - halfH;
    }
  } else if (m_hOwnerControl) {
    plat::RECT r;
    if (plat::GetWindowRect(m_hOwnerControl, &r)) {
      x = r.left;
      y = r.top;
      if (m_bCentre) {
        x += (r.right - r.left) / 2 - halfW;
        y += (r.bottom - r.top) / 2 - halfH;
      }
    }
  } else if (m_nPresetX != -1000 && m_nPresetY != -1000) {
    x = m_nPresetX;
    y = m_nPresetY;
  }
  // Inside the work area (the game's frame: the dialogs are drawn in it).
  const plat::RECT work = plat::GetWorkArea();
  const int outerW = now.right - now.left, outerH = now.bottom - now.top;
  if (x < work.left) x = work.left;
  if (x + outerW >= work.right) x = work.right - outerW;
  if (y < work.top) y = work.top;
  if (y + outerH >= work.bottom) y = work.bottom - outerH;
  Move(x, y);
}

void cWindow::GetMinMaxInfo(plat::MINMAXINFO* info) {
  info->ptMinTrackSize = plat::POINT{m_nMinWidth + m_nFrameLeft + m_nFrameRight, m_nMinHeight + m_nFrameTop + m_nFrameBottom};
  info->ptMaxTrackSize = plat::POINT{m_nMaxWidth + m_nFrameLeft + m_nFrameRight, m_nMaxHeight + m_nFrameTop + m_nFrameBottom};
}

void cWindow::GetClientRect(plat::RECT* rect) {
  *rect = plat::RECT{m_nClientX, m_nClientY, m_nClientX + m_nClientWidth, m_nClientY + m_nClientHeight};
}

void cWindow::GetScreenPos(plat::POINT* point) {
  plat::RECT r;
  if (plat::GetWindowRect(m_hWnd, &r)) *point = plat::POINT{r.left, r.top};
}

void cWindow::AddStyle(uint32_t bits) {
  plat::SetWindowLong(m_hWnd, plat::GWL_STYLE, plat::GetWindowLong(m_hWnd, plat::GWL_STYLE) | static_cast<intptr_t>(bits));
  UpdateGeometry();
}

void cWindow::RemoveStyle(uint32_t bits) {
  plat::SetWindowLong(m_hWnd, plat::GWL_STYLE,
                      plat::GetWindowLong(m_hWnd, plat::GWL_STYLE) & ~static_cast<intptr_t>(bits));
  UpdateGeometry();
}

void cWindow::UpdateMouse(int /*reserved*/, int buttonMask) {
  plat::POINT p;
  plat::GetCursorPos(&p);
  if (plat::ScreenToClient(m_hWnd, &p)) {
    m_nMouseX = p.x - m_nClientX;
    m_nMouseY = p.y - m_nClientY;
  }
  auto edge = [](int& held, int& pressed, int& released, bool now) {
    pressed = !held && now;
    released = held && !now;
    held = now ? 1 : 0;
  };
  if (buttonMask & 1) edge(m_bLButton, m_bLButtonPressed, m_bLButtonReleased, plat::IsKeyDown(kVkLButton));
  if (buttonMask & 2) edge(m_bRButton, m_bRButtonPressed, m_bRButtonReleased, plat::IsKeyDown(kVkRButton));
}

int cWindow::OnMessage(plat::HWND window, plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam) {
  m_hWnd = window;
  if (message == plat::WM_COMMAND) {
    // A command sent from inside a command handler is dropped.
    if (m_bInCommand) return 0;
    m_bInCommand = 1;
  }
  if (m_bTrace && message != plat::WM_GETTEXT) {
    const auto w = static_cast<uint32_t>(wParam);
    const auto l = static_cast<int32_t>(lParam);
    ECLogf("%s | msg:%s | wp:%u(%u,%u) | lp:%d(%d,%d)", m_strTraceName.c_str(), MessageName(message).c_str(), w,
           plat::HiWord(w), plat::LoWord(w), l, static_cast<int>(plat::HiWord(static_cast<uint32_t>(l))),
           static_cast<int>(plat::LoWord(static_cast<uint32_t>(l))));
  }
  UpdateMouse(0, 3);
  switch (message) {
    case plat::WM_DESTROY: m_hWnd = 0; return 1;
    case plat::WM_MOVE:
      m_nX = static_cast<int16_t>(plat::LoWord(static_cast<uintptr_t>(lParam)));
      m_nY = static_cast<int16_t>(plat::HiWord(static_cast<uintptr_t>(lParam)));
      return 1;
    case plat::WM_SIZE:
      UpdateGeometry();
      if (m_hBand) plat::SendMessage(m_hBand, plat::WM_SIZE, wParam, lParam);
      if (m_hBottomBar) {
        plat::SetWindowPos(m_hBottomBar, 0, m_rcClient.bottom - kBottomBarHeight, m_nClientWidth, kBottomBarHeight,
                           plat::SWP_NOZORDER);
        plat::SendMessage(m_hBottomBar, plat::WM_SIZE, wParam, lParam);
      }
      return 1;
    case plat::WM_ACTIVATEAPP: return 1;
    case plat::WM_PAINT: OnPaint(); return 1;
    case plat::WM_GETMINMAXINFO: GetMinMaxInfo(reinterpret_cast<plat::MINMAXINFO*>(lParam)); return 1;
    case plat::WM_COMMAND:
      OnCommand(wParam, lParam);
      m_bInCommand = 0;
      return 1;
    case plat::WM_MOUSEMOVE: OnMouseMove(wParam, lParam); return 1;
    case plat::WM_LBUTTONDOWN: OnLButtonDown(wParam, lParam); return 1;
    case plat::WM_RBUTTONDOWN: OnRButtonDown(wParam, lParam); return 1;
    case plat::WM_LBUTTONDBLCLK: OnLButtonDblClk(wParam, lParam); return 1;
    case plat::WM_RBUTTONDBLCLK: OnRButtonDblClk(wParam, lParam); return 1;
    case plat::WM_LBUTTONUP: OnLButtonUp(wParam, lParam); return 1;
    case plat::WM_RBUTTONUP: OnRButtonUp(wParam, lParam); return 1;
    default: return 0;
  }
}
