#include "mpi/ShardMessages.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace brisca::mpi {
namespace {

void Put(std::string& out, std::int64_t v) {
  out.append(reinterpret_cast<const char*>(&v), sizeof v);
}

bool Get(const std::string& in, std::size_t& at, std::int64_t& v) {
  if (at + sizeof v > in.size()) return false;
  std::memcpy(&v, in.data() + at, sizeof v);
  at += sizeof v;
  return true;
}

}  // namespace

std::string PackState(const ShardState& s) {
  std::string out;
  for (std::int64_t v :
       {s.lastTest, s.testsRun, std::int64_t{s.failures}, std::int64_t{s.firstFailedTest},
        std::int64_t{s.firstFailureCode}, static_cast<std::int64_t>(s.admissions.size()),
        static_cast<std::int64_t>(s.failureCounts.size())}) {
    Put(out, v);
  }
  for (const auto& [code, count] : s.failureCounts) {
    Put(out, code);
    Put(out, count);
  }
  for (const KeepTen::Entry& e : s.admissions) {
    Put(out, e.testNumber);
    Put(out, std::bit_cast<std::uint32_t>(e.score));
  }
  return out;
}

bool UnpackState(const std::string& in, ShardState& s) {
  std::size_t at = 0;
  std::int64_t v[7];
  for (std::int64_t& x : v) {
    if (!Get(in, at, x)) return false;
  }
  s = ShardState{};
  s.lastTest = v[0];
  s.testsRun = v[1];
  s.failures = static_cast<int>(v[2]);
  s.firstFailedTest = static_cast<int>(v[3]);
  s.firstFailureCode = static_cast<int>(v[4]);
  if (v[5] < 0 || static_cast<std::size_t>(v[5]) > in.size() / 16) return false;
  if (v[6] < 0 || static_cast<std::size_t>(v[6]) > in.size() / 16) return false;
  for (std::int64_t i = 0; i < v[6]; ++i) {
    std::int64_t code = 0, count = 0;
    if (!Get(in, at, code) || !Get(in, at, count)) return false;
    s.failureCounts[static_cast<int>(code)] = static_cast<int>(count);
  }
  for (std::int64_t i = 0; i < v[5]; ++i) {
    std::int64_t test = 0, bits = 0;
    if (!Get(in, at, test) || !Get(in, at, bits)) return false;
    s.admissions.push_back(
        {static_cast<int>(test), std::bit_cast<float>(static_cast<std::uint32_t>(bits))});
  }
  return at == in.size();
}

}  // namespace brisca::mpi
