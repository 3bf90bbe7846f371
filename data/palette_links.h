#pragma once
#include <cstdint>

#include "app/base/vector.h"

class cEdBlock;
class cEdChara;
class cEdItem;

// The three definition lists of one palette, as links resolve against them.
struct cPaletteLists {
  const cVector<cEdBlock>* Blocks = nullptr;
  const cVector<cEdChara>* Charas = nullptr;
  const cVector<cEdItem>* Items = nullptr;

  int BlockCount() const;
  int CharaCount() const;
  int ItemCount() const;
};

// The palette that a link of kind 1 (the common palette) or 2 (the stage palette)
// names; empty lists for any other kind. Kind 1 is CommonPalette, or the palette
// being read or written while a cEdPalette reads, writes or checks itself; kind 2
// is the stage palette that the stage record registers, or the one being read.
const cPaletteLists& LinkedPalette(int kind);

// While it lives, links of the kind resolve against the given lists on this thread
// (a palette being read links into itself, not into the palette it will replace).
class cPaletteScope {
 public:
  cPaletteScope(int kind, const cPaletteLists& lists);
  ~cPaletteScope();
  cPaletteScope(const cPaletteScope&) = delete;
  cPaletteScope& operator=(const cPaletteScope&) = delete;

 private:
  int m_nKind;
  const cPaletteLists* m_pPrevious;
  cPaletteLists m_Lists;
};

// The stage palette of the running stage record (kind 2 outside any scope); the
// stage record registers its own lists here. Until then the stage palette is empty.
void SetStagePalette(const cPaletteLists& lists);

// Whether an index, read as an unsigned number, lies beyond a list of count entries.
inline bool IndexBeyond(int64_t index, int count) {
  return static_cast<uint32_t>(index) >= static_cast<uint32_t>(count);
}

// The entry that a definition's link names, for inheritance: null for link index
// 0, link kind 0 or a kind other than 1 and 2; an index beyond the list sets the
// link kind to 0 and gives null.
template <class T>
const T* FindLinkSource(int8_t& kind, int16_t index, const cVector<T>* cPaletteLists::*member) {
  if (index == 0 || kind == 0 || (kind != 1 && kind != 2)) return nullptr;
  const cVector<T>* list = LinkedPalette(kind).*member;
  if (!list || IndexBeyond(index, list->Count())) {
    kind = 0;
    return nullptr;
  }
  return &(*list)[static_cast<size_t>(index)];
}

// A link of kind 1 or 2 beyond its list becomes no link (kind and index 0).
void ValidateLink(int8_t& kind, int16_t& index, int commonCount, int stageCount);
