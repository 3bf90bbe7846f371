// Text of the fonts on the Direct3D back end (see text_fuzz_common.h).
#include "fuzz/text_fuzz_common.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static text_fuzz::cFonts* fonts = text_fuzz::SetUp(1);
  text_fuzz::Run(fonts, data, size);
  return 0;
}
