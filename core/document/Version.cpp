#include "core/document/Version.h"

namespace brisca {

const char* ProgramVersion() { return BRISCA_VERSION; }

}  // namespace brisca
