#pragma once

namespace brisca {

//! Version text that heads every engine, flow and cam file and that the
//! version messages quote.
inline constexpr const char* kFileVersionText = "4.2";

//! The program's own release, "0.1.0" style.
const char* ProgramVersion();

}  // namespace brisca
