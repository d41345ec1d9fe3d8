// Compressor-map reader (.map), then lookups across the map it accepted.

#include <cstdint>
#include <string_view>

#include "core/base/FileError.h"
#include "core/sim/induction/CompressorMap.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace brisca;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::InstallQuietPresenter();
  CompressorMap map;
  try {
    map.Parse(std::string_view(reinterpret_cast<const char*>(data), size));
  } catch (const FileError&) {
    return 0;
  }
  const float speeds[] = {0.0f, map.LowestSpeed() * 0.5f, map.LowestSpeed(), map.HighestSpeed(),
                          map.HighestSpeed() * 2.0f};
  const float flows[] = {0.0f, 1.0f, 30.0f, 139.0f, 500.0f};
  for (const float speed : speeds) {
    for (const float flow : flows) map.Lookup(speed, flow);
  }
  map.GridEfficiency(1.5f, 40.0f);
  return 0;
}
