#include "core/base/Version.h"

namespace brisca {

const char* ProgramVersion() { return BRISCA_VERSION; }

}  // namespace brisca
