#include "core/sim/EngineMath.h"

#include <cmath>

#include "core/base/FatalAssert.h"

namespace brisca::EngineMath {
namespace {
constexpr float kPi = 3.1415927f;
constexpr float kCcPerCubicInch = 16.38706f;
}  // namespace

float CylinderVolume(float bore, float stroke) { return bore * bore * stroke * kPi / 4.0f; }

float CylinderVolumeCc(float bore, float stroke) {
  return CylinderVolume(bore, stroke) * kCcPerCubicInch;
}

float ClearanceVolume(float sweptVolume, float compressionRatio) {
  BRISCA_ASSERT(compressionRatio > 1.0f);
  return sweptVolume / (compressionRatio - 1.0f);
}

float CompressionRatio(float sweptVolume, float clearanceVolume) {
  BRISCA_ASSERT(clearanceVolume != 0.0f);
  return (sweptVolume + clearanceVolume) / clearanceVolume;
}

float FlowAtDepression(float flow, float oldDepression, float newDepression) {
  BRISCA_ASSERT(flow >= 0.0f && oldDepression > 0.0f);
  return flow * std::sqrt(newDepression / oldDepression);
}

float BoreFromDisplacement(float displacement, int cylinders, float stroke) {
  BRISCA_ASSERT(displacement > 0.0f && cylinders > 0 && stroke > 0.0f);
  return std::sqrt(4.0f * displacement / (kPi * static_cast<float>(cylinders) * stroke));
}

float StrokeFromDisplacement(float displacement, int cylinders, float bore) {
  BRISCA_ASSERT(displacement > 0.0f && cylinders > 0 && bore > 0.0f);
  return 4.0f * displacement / (bore * bore * static_cast<float>(cylinders) * kPi);
}

}  // namespace brisca::EngineMath
