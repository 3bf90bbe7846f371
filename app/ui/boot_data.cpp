#include "app/ui/boot_data.h"

cBootData BootData;

void cBootData::RegisterFields(uint32_t) {
  RegisterNoFields();
  REG(m_nDrawMode);
  REG(m_bNoAsk);
}
