#include "data/palette_links.h"

#include "data/palette.h"
#include "data/project_globals.h"

namespace {

const cPaletteLists& Empty() {
  static const cPaletteLists empty;
  return empty;
}

cPaletteLists& StagePalette() {
  static cPaletteLists stage;
  return stage;
}

thread_local const cPaletteLists* pScoped[3] = {nullptr, nullptr, nullptr};

}  // namespace

int cPaletteLists::BlockCount() const { return Blocks ? Blocks->Count() : 0; }
int cPaletteLists::CharaCount() const { return Charas ? Charas->Count() : 0; }
int cPaletteLists::ItemCount() const { return Items ? Items->Count() : 0; }

const cPaletteLists& LinkedPalette(int kind) {
  if (kind != 1 && kind != 2) return Empty();
  if (pScoped[kind]) return *pScoped[kind];
  if (kind == 2) return StagePalette();
  static const cPaletteLists common = CommonPalette.Lists();
  return common;
}

cPaletteScope::cPaletteScope(int kind, const cPaletteLists& lists)
    : m_nKind(kind == 2 ? 2 : 1), m_pPrevious(pScoped[m_nKind]), m_Lists(lists) {
  pScoped[m_nKind] = &m_Lists;
}

cPaletteScope::~cPaletteScope() { pScoped[m_nKind] = m_pPrevious; }

void SetStagePalette(const cPaletteLists& lists) { StagePalette() = lists; }

void ValidateLink(int8_t& kind, int16_t& index, int commonCount, int stageCount) {
  if ((kind == 1 && IndexBeyond(index, commonCount)) || (kind == 2 && IndexBeyond(index, stageCount))) {
    kind = 0;
    index = 0;
  }
}
