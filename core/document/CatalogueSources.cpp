#include "core/document/CatalogueSources.h"

namespace brisca {
namespace {

constexpr float kDefaultRod = 0.0f;

#define SHORT_BLOCK(make, size, bore, stroke, cylinders, rod) \
  {make, size, bore##f, stroke##f, cylinders, rod, true},
#define HIDDEN_SHORT_BLOCK(make, size, bore, stroke, cylinders, rod) \
  {make, size, bore##f, stroke##f, cylinders, rod, false},
#define DEFAULT_ROD kDefaultRod
#define ROD(ratio) ratio##f

constexpr ShortBlockEntry kShortBlocks[] = {
#include "core/document/catalogue/ShortBlocks.inc"
};

#undef SHORT_BLOCK
#undef HIDDEN_SHORT_BLOCK
#undef DEFAULT_ROD
#undef ROD

#define CENTRIFUGAL(name, map, internalRatio) {2, name, 0.0f, map, 0.0f, 0.0f, internalRatio##f},
#define ROOTS(name, cubicFeet, maxSpeed, efficiency) \
  {3, name, cubicFeet##f, 0, maxSpeed, efficiency, 1.0f},
#define SCREW(name, cubicFeet, maxSpeed, efficiency) \
  {4, name, cubicFeet##f, 0, maxSpeed, efficiency, 1.0f},

constexpr BlowerEntry kBlowers[] = {
#include "core/document/catalogue/Blowers.inc"
};

#undef CENTRIFUGAL
#undef ROOTS
#undef SCREW

}  // namespace

std::span<const ShortBlockEntry> ShortBlockEntries() { return kShortBlocks; }

std::span<const BlowerEntry> BlowerEntries() { return kBlowers; }

}  // namespace brisca
