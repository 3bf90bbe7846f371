#pragma once
#include <cstdint>

#include "platform/ui/dialog_box.h"

// The program's two dialog resources, as data: their controls, ids, positions
// (dialog units) and captions. Captions are Shift-JIS; the dialogs put their
// English captions in when the English setting is on.

// Dialog 102: name entry for the rankings.
constexpr uint16_t IDD_NAME_ENTRY = 102;
constexpr uint16_t IDC_NAME_PICTURE = 1075;
constexpr uint16_t IDC_NAME_EDIT = 1003;
constexpr uint16_t IDC_NAME_OK = 1000;
constexpr uint16_t IDC_NAME_LABEL = 1007;

// Dialog 103: the drawing mode asked at start-up.
constexpr uint16_t IDD_DRAW_MODE = 103;
constexpr uint16_t IDC_DRAW_PICTURE = 1075;
constexpr uint16_t IDC_DRAW_START = 1000;
constexpr uint16_t IDC_DRAW_CANCEL = 1001;
constexpr uint16_t IDC_DRAW_GROUP = 1006;
constexpr uint16_t IDC_DRAW_D3D = 1002;
constexpr uint16_t IDC_DRAW_DDRAW = 1003;
constexpr uint16_t IDC_DRAW_NOTE = 1005;
constexpr uint16_t IDC_DRAW_NO_ASK = 1004;

// The template of a resource id; null for an id the program has no dialog for.
const plat::DialogTemplate* FindDialogTemplate(uint16_t id);
