#pragma once
// Reading a compressor-map file for a run. The engine model reads no file: the
// document reads the map once per run and hands the parsed map to the passes.

#include <filesystem>

#include "core/sim/induction/CompressorMap.h"

namespace brisca {

//! "Unable to Open the Selected Map File."
inline constexpr int kErrMapOpen = 173;

//! The file of compressor map `mapNumber` (1..47) in `mapFolder`; an empty path
//! for a number outside the table.
std::filesystem::path CompressorMapPath(const std::filesystem::path& mapFolder, int mapNumber);

//! Reads and parses the map file at `path`, showing nothing: the supply holds
//! the map, or no map and code 173 (cannot open), 45 (a value missing,
//! unreadable or absurd) or 46 (cannot close).
CompressorMapSupply LoadCompressorMap(const std::filesystem::path& path);

}  // namespace brisca
