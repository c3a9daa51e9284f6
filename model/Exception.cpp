#include "model/Exception.h"

namespace tavik {

Exception::~Exception() = default;
ECRC32Err::~ECRC32Err() = default;
WalidationErr::~WalidationErr() = default;

}  // namespace tavik
