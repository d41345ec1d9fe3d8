#include "core/document/CompressorMapFile.h"

#include <string>

#include "core/base/FileError.h"
#include "core/base/TextFile.h"
#include "core/sim/induction/CompressorMapNames.h"

namespace brisca {
std::filesystem::path CompressorMapPath(const std::filesystem::path& mapFolder, int mapNumber) {
  if (mapNumber < 1 || mapNumber > kCompressorMapCount) return {};
  return mapFolder / kCompressorMapNames[static_cast<std::size_t>(mapNumber - 1)];
}

CompressorMapSupply LoadCompressorMap(const std::filesystem::path& path) {
  CompressorMapSupply supply;
  try {
    std::string text;
    try {
      text = ReadTextFile(path, "LoadCompressorMap");
    } catch (const FileError& error) {
      // A map that cannot be opened has its own message.
      if (error.code() == kErrOpen) throw FileError(kErrMapOpen, "LoadCompressorMap");
      throw;
    }
    auto map = std::make_shared<CompressorMap>();
    map->Parse(text);
    supply.map = std::move(map);
  } catch (const FileError& error) {
    supply.errorCode = error.code();
  }
  return supply;
}

}  // namespace brisca
