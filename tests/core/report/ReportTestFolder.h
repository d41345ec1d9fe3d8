#pragma once
// The report tests work in a scratch folder of their own.

#include "tests/support/TempDir.h"

namespace brisca::testing {

using ReportTestFolder = ::brisca::TempDir;

}  // namespace brisca::testing
