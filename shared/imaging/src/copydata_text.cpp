#include "imaging/copydata_text.h"

std::string CopyDataText(const void* block, size_t deliveredBytes, uint64_t declaredLength) {
  if (!block || deliveredBytes == 0) return {};
  size_t n = declaredLength < deliveredBytes ? size_t(declaredLength) : deliveredBytes;
  return std::string(static_cast<const char*>(block), n);
}
