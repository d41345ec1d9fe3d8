#pragma once
// A finished shard's record with something in every field: quotes in a path,
// a subnormal score, two scores that differ in the last bit, failures by
// reason. The record files' tests and the merge's tests start from it.

#include "core/iterator/ShardFile.h"

namespace brisca::samples {

inline ShardRecord SampleShardRecord() {
  ShardRecord r;
  r.fingerprint = {"4.21 gcc", "0123456789abcdef", "fedcba9876543210", "", HexFloat(0.1f), ""};
  r.series = {"/tmp/an \"odd\" engine.qen", "cam-hp", "", "", ""};
  r.phase = 1;
  r.shard = 2;
  r.shards = 3;
  r.total = 100;
  r.complete = true;
  r.state.lastTest = 100;
  r.state.testsRun = 36;
  r.state.failures = 3;
  r.state.firstFailedTest = 20;
  r.state.firstFailureCode = 42;
  r.state.failureCounts = {{42, 1}, {53, 2}};
  r.state.admissions = {{17, 0.1f}, {18, 1e-40f}, {19, 123456.789f}, {33, 123456.79f}};
  return r;
}

}  // namespace brisca::samples
