#pragma once
// Small engine-geometry formulas for the document, the calculators and the
// iterators (not the cycle loop). Arguments outside their stated domain are
// internal errors.

namespace brisca::EngineMath {

//! Swept volume of one cylinder B²·S·π/4 [in³].
float CylinderVolume(float bore, float stroke);
//! The same in cm³.
float CylinderVolumeCc(float bore, float stroke);
//! Vs/(CR − 1); the ratio must be above 1.
float ClearanceVolume(float sweptVolume, float compressionRatio);
//! (Vs + Vc)/Vc; the clearance volume must not be 0.
float CompressionRatio(float sweptVolume, float clearanceVolume);
//! Flow at another test depression: flow·√(new/old); flow ≥ 0, old > 0.
float FlowAtDepression(float flow, float oldDepression, float newDepression);
//! Bore from displacement, cylinder count and stroke: √(4V/(π·n·S)); all positive.
float BoreFromDisplacement(float displacement, int cylinders, float stroke);
//! Stroke from displacement, cylinder count and bore: 4V/(B²·n·π); all positive.
float StrokeFromDisplacement(float displacement, int cylinders, float bore);

}  // namespace brisca::EngineMath
