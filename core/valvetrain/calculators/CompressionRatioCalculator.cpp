#include "core/valvetrain/calculators/CompressionRatioCalculator.h"

#include <cfloat>

#include "core/base/FatalAssert.h"
#include "core/sim/EngineMath.h"

namespace brisca {
namespace {

constexpr int kVolumeDecimals = 2;
constexpr int kRatioDecimals = 2;

CFloatPtSpec Unlimited(const char* label, UnitCode unit) {
  return CFloatPtSpec(label, unit, -FLT_MAX, FLT_MAX, unit, kSameUnit);
}

// The value of a valid length in inches.
float Inches(const CFloatPtSpec& length) {
  CFloatPtSpec copy = length;
  copy.ToDomestic();
  BRISCA_ASSERT(copy.GetUnitCode() == UnitInch);
  return copy.GetValue();
}

float Cc(const CFloatPtSpec& volume) {
  BRISCA_ASSERT(volume.GetUnitCode() == UnitCubicCentimeter);
  return volume.GetValue();
}

}  // namespace

CompRatioResults::CompRatioResults()
    : headGasketVolume(Unlimited("Head Gasket Volume", UnitCubicCentimeter)),
      deckVolume(Unlimited("Deck Volume", UnitCubicCentimeter)),
      totalVolume(Unlimited("Total Combustion Volume", UnitCubicCentimeter)),
      compressionRatio(Unlimited("New Compression Ratio", UnitRatio)) {}

float CylinderSliceVolumeCc(float diameter, float height) {
  return EngineMath::CylinderVolumeCc(diameter, height);
}

void ComputeCompressionRatio(const CompRatioInputs& in, CompRatioResults& out) {
  BRISCA_ASSERT(in.method == kBuretteMethod || in.method == kPistonDeckSpecsMethod);
  BRISCA_ASSERT(in.bore.IsValid() && in.cylinderVolume.IsValid());
  BRISCA_ASSERT(out.compressionRatio.GetUnitCode() == UnitRatio);
  out.headGasketVolume.ResetValue();
  out.deckVolume.ResetValue();
  out.totalVolume.ResetValue();
  out.compressionRatio.ResetValue();

  if (in.gasketBore.IsValid() && in.gasketThickness.IsValid())
    out.headGasketVolume.SetValueRounded(
        CylinderSliceVolumeCc(Inches(in.gasketBore), Inches(in.gasketThickness)),
        kVolumeDecimals);

  const float bore = Inches(in.bore);
  if (in.method == kPistonDeckSpecsMethod) {
    if (in.domeVolume.IsValid() && in.reliefsVolume.IsValid() && in.deckClearance.IsValid())
      out.deckVolume.SetValueRounded(
          Cc(in.reliefsVolume) +
              (CylinderSliceVolumeCc(bore, Inches(in.deckClearance)) - Cc(in.domeVolume)),
          kVolumeDecimals);
  } else if (in.downBoreDistance.IsValid() && in.measuredVolume.IsValid()) {
    out.deckVolume.SetValueRounded(
        Cc(in.measuredVolume) - CylinderSliceVolumeCc(bore, Inches(in.downBoreDistance)),
        kVolumeDecimals);
  }

  if (in.chamberVolume.IsValid() && out.headGasketVolume.IsValid() && out.deckVolume.IsValid())
    out.totalVolume.SetValueRounded(
        Cc(in.chamberVolume) + (out.headGasketVolume.GetValue() + out.deckVolume.GetValue()),
        kVolumeDecimals);

  const float swept = Cc(in.cylinderVolume);
  if (out.totalVolume.IsValid() && out.totalVolume.GetValue() != 0.0f)
    out.compressionRatio.SetValueRounded(
        EngineMath::CompressionRatio(swept, out.totalVolume.GetValue()), kRatioDecimals);
}

bool CheckCompressionRatioApply(const CompRatioInputs& in, const CompRatioResults& out,
                                const CFloatPtSpec& documentRatio, int& code) {
  code = 0;
  if (!in.chamberVolume.IsValid()) {
    code = kErrCompRatioChamber;
  } else if (!in.gasketBore.IsValid()) {
    code = kErrCompRatioGasketBore;
  } else if (!in.gasketThickness.IsValid()) {
    code = kErrCompRatioGasketThickness;
  } else if (in.method == kPistonDeckSpecsMethod) {
    if (!in.domeVolume.IsValid()) {
      code = kErrCompRatioDome;
    } else if (!in.reliefsVolume.IsValid()) {
      code = kErrCompRatioReliefs;
    } else if (!in.deckClearance.IsValid()) {
      code = kErrCompRatioDeckClearance;
    }
  } else if (!in.downBoreDistance.IsValid()) {
    code = kErrCompRatioDownBore;
  } else if (!in.measuredVolume.IsValid()) {
    code = kErrCompRatioMeasured;
  }
  if (code == 0 && !out.compressionRatio.IsValid()) code = kErrCompRatioNoRatio;
  if (code == 0 && !documentRatio.InRange(out.compressionRatio.GetValue()))
    code = kErrCompRatioRange;
  return code == 0;
}

}  // namespace brisca
