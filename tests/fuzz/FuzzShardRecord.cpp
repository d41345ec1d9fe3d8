// Shard-record reader: a shard's partial result, a running shard's saved
// progress and a finished phase's merged record (JSON).

#include <cstdint>
#include <cstdlib>
#include <string>

#include "cli/json/ShardRecordFile.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace brisca;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::InstallQuietPresenter();
  ShardRecord record;
  std::string error;
  if (!ParseShardRecord(std::string(reinterpret_cast<const char*>(data), size), record, error)) {
    if (error.empty()) std::abort();  // a refusal says why
    return 0;
  }
  // A record that was accepted is written and read back as it is: a resumed
  // shard saves its progress again, a merge writes what it read.
  const std::string text = ShardRecordText(record);
  ShardRecord again;
  if (!ParseShardRecord(text, again, error) || ShardRecordText(again) != text) std::abort();
  return 0;
}
