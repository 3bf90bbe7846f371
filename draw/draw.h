#pragma once
// The drawing layer: everything a caller outside the layer uses.
#include "draw/dd_blit.h"
#include "draw/dd_device_state.h"
#include "draw/dd_globals.h"
#include "draw/dd_init.h"
#include "draw/dd_palette.h"
#include "draw/dd_present.h"
#include "draw/dd_surface.h"
#include "draw/font.h"
#include "draw/font_table.h"
#include "draw/surface_lock.h"
#include "draw/sys_bmp_table.h"
