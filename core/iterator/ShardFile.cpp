#include "core/iterator/ShardFile.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace brisca {

std::string DigestOf(const std::string& bytes) {
  std::uint64_t h = 14695981039346656037ull;
  for (const char c : bytes) {
    h ^= static_cast<unsigned char>(c);
    h *= 1099511628211ull;
  }
  char buf[20];
  std::snprintf(buf, sizeof buf, "%016llx", static_cast<unsigned long long>(h));
  return buf;
}

std::string HexFloat(float value) {
  char buf[48];
  const bool negative = std::signbit(value);
  const auto [end, ec] =
      std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::hex);
  return (negative ? "-0x" : "0x") + std::string(buf, ec == std::errc() ? end : buf);
}

bool ParseHexFloat(const std::string& text, float& value) {
  std::size_t start = 0;
  std::string body = text;
  const bool negative = !body.empty() && body[0] == '-';
  if (negative) start = 1;
  if (body.compare(start, 2, "0x") != 0) return false;
  body.erase(start, 2);
  const char* first = body.data();
  const char* last = body.data() + body.size();
  float v = 0.0f;
  const auto [end, ec] = std::from_chars(first, last, v, std::chars_format::hex);
  if (ec != std::errc() || end != last || !std::isfinite(v)) return false;
  value = v;
  return true;
}

bool CheckShardRecord(const ShardRecord& r, std::string& error) {
  const bool shardOk = r.kind == ShardRecordKind::Merged ? r.shard == 0 && r.shards == 0
                                                         : r.shard >= 1 && r.shard <= r.shards;
  if (!shardOk) {
    error = "the shard number does not fit the number of shards";
    return false;
  }
  // The log must be one a keeper could have written.
  const ShardState& st = r.state;
  ShardKeeper keeper;
  if (st.lastTest > r.total || (r.complete && st.lastTest != r.total) || !keeper.Restore(st)) {
    error = "the admission log or the counts are inconsistent";
    return false;
  }
  return true;
}

}  // namespace brisca
