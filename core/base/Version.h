#pragma once

namespace brisca {

//! Version text that heads every engine, flow and cam file and that the
//! version messages quote.
inline constexpr const char* kFileVersionText = "4.2";

//! The program's own release, "4.21.0705": the About box, report headers and
//! brisca-cli --version all quote this one string.
const char* ProgramVersion();

}  // namespace brisca
