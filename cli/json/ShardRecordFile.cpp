#include "cli/json/ShardRecordFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <map>
#include <set>
#include <system_error>
#include <vector>

#include "cli/json/JsonText.h"
#include "core/base/AtomicFile.h"
#include "core/base/FileError.h"
#include "core/base/TextFile.h"

namespace brisca {
namespace {

using json::Json;

constexpr const char* kFormatName = "brisca-iterate-shard";
constexpr int kFormatVersion = 1;
// A record nests three deep; anything much deeper is not one.
constexpr int kMaxDepth = 8;

//! Parses `text`; false for text that is no JSON, nests too deep or repeats a
//! key in an object (which would leave the reader to pick one of them).
bool ParseStrict(const std::string& text, Json& out) {
  bool refused = false;
  std::vector<std::set<std::string>> keys;
  auto check = [&](int depth, Json::parse_event_t event, Json& parsed) {
    if (depth > kMaxDepth) refused = true;
    if (event == Json::parse_event_t::object_start) keys.emplace_back();
    if (event == Json::parse_event_t::object_end && !keys.empty()) keys.pop_back();
    if (event == Json::parse_event_t::key && !keys.empty() &&
        !keys.back().insert(parsed.get<std::string>()).second)
      refused = true;
    return !refused;
  };
  out = Json::parse(text, check, false);
  return !refused && !out.is_discarded();
}

//! Reads fields of one object; the first missing or mistyped one is the error.
class Fields {
 public:
  Fields(const Json& object, std::string& error) : error_(error) {
    if (object.is_object()) object_ = &object;
    else Fail("", "is not an object");
  }
  bool Ok() const { return error_.empty(); }

  const Json* Find(const char* key) {
    if (!object_) return nullptr;
    const auto it = object_->find(key);
    if (it == object_->end()) {
      Fail(key, "is missing");
      return nullptr;
    }
    return &*it;
  }
  std::string Text(const char* key) {
    const Json* j = Find(key);
    if (!j) return {};
    if (j->is_string()) return j->get<std::string>();
    Fail(key, "is not a text");
    return {};
  }
  std::int64_t Number(const char* key, std::int64_t min, std::int64_t max) {
    const Json* j = Find(key);
    if (!j) return 0;
    if (j->is_number_integer()) {
      // An unsigned value beyond int64 is out of range, not wrapped around.
      const bool fits = !j->is_number_unsigned() ||
                        j->get<std::uint64_t>() <= static_cast<std::uint64_t>(INT64_MAX);
      const std::int64_t n = fits ? j->get<std::int64_t>() : max;
      if (fits && n >= min && n <= max) return n;
    }
    Fail(key, "is not a number in range");
    return 0;
  }
  bool Flag(const char* key) {
    const Json* j = Find(key);
    if (!j) return false;
    if (j->is_boolean()) return j->get<bool>();
    Fail(key, "is not true or false");
    return false;
  }
  void Fail(const std::string& key, const char* what) {
    if (error_.empty())
      error_ = (key.empty() ? "the record" : "field \"" + key + "\"") + " " + what;
  }

 private:
  const Json* object_ = nullptr;
  std::string& error_;
};

bool ParseAdmissions(const Json* list, std::vector<KeepTen::Entry>& out, std::string& error) {
  if (!list) return false;
  if (!list->is_array()) {
    error = "field \"admissions\" is not a list";
    return false;
  }
  for (const Json& pair : *list) {
    KeepTen::Entry e;
    const bool shaped = pair.is_array() && pair.size() == 2 && pair[0].is_number_integer() &&
                        pair[1].is_string();
    const std::int64_t test = shaped && !pair[0].is_number_unsigned() ? pair[0].get<std::int64_t>()
                              : shaped && pair[0].get<std::uint64_t>() <= kMaxIteratorTests
                                  ? static_cast<std::int64_t>(pair[0].get<std::uint64_t>())
                                  : 0;
    if (!shaped || test < 1 || test > kMaxIteratorTests ||
        !ParseHexFloat(pair[1].get<std::string>(), e.score)) {
      error = "admission " + std::to_string(out.size() + 1) + " is damaged";
      return false;
    }
    e.testNumber = static_cast<int>(test);
    out.push_back(e);
  }
  return true;
}

//! `j` as a whole number within min..max; false for anything else.
bool WholeNumber(const Json& j, std::int64_t min, std::int64_t max, std::int64_t& out) {
  if (!j.is_number_integer()) return false;
  if (j.is_number_unsigned() && j.get<std::uint64_t>() > static_cast<std::uint64_t>(max))
    return false;
  const std::int64_t n = j.get<std::int64_t>();
  if (n < min || n > max) return false;
  out = n;
  return true;
}

//! The failure counts, `[code, count]` pairs in rising code order. Records of
//! an older version have none: an absent list is no counts, not an error.
bool ParseFailureCounts(const Json& document, std::map<int, int>& out, std::string& error) {
  out.clear();
  const auto list = document.find("failure-counts");
  if (list == document.end()) return true;
  if (!list->is_array()) {
    error = "field \"failure-counts\" is not a list";
    return false;
  }
  std::int64_t previous = -1;
  for (const Json& pair : *list) {
    std::int64_t code = 0, count = 0;
    const bool shaped = pair.is_array() && pair.size() == 2 &&
                        WholeNumber(pair[0], 0, 1000000, code) &&
                        WholeNumber(pair[1], 1, kMaxIteratorTests, count);
    if (!shaped || code <= previous) {
      error = "failure count " + std::to_string(out.size() + 1) + " is damaged";
      return false;
    }
    out[static_cast<int>(code)] = static_cast<int>(count);
    previous = code;
  }
  return true;
}

//! Why `path` cannot be opened for reading, in the system's words.
std::string OpenFailure(const std::filesystem::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd >= 0) {
    ::close(fd);
    return "it could not be opened";  // it can now: it changed meanwhile
  }
  return std::generic_category().message(errno);
}

}  // namespace

std::string ShardRecordText(const ShardRecord& r) {
  const ShardFingerprint& f = r.fingerprint;
  const ShardSeries& s = r.series;
  const ShardState& st = r.state;
  Json record;
  record["format"] = kFormatName;
  record["version"] = kFormatVersion;
  record["kind"] = r.kind == ShardRecordKind::Part ? "part" : "merged";
  record["phase"] = r.phase;
  record["shard"] = r.shard;
  record["shards"] = r.shards;
  record["total"] = r.total;
  record["complete"] = r.complete;
  record["series"] = {{"engine", s.engine}, {"preset", s.preset}, {"setup", s.setup},
                      {"data-dir", s.dataDir}, {"from", s.from}};
  record["fingerprint"] = {{"build", f.build}, {"engine", f.engine}, {"setup", f.setup},
                           {"maps", f.maps},   {"probe", f.probe},   {"from", f.from}};
  record["last-test"] = st.lastTest;
  record["tests-run"] = st.testsRun;
  record["failures"] = st.failures;
  record["first-failed-test"] = st.firstFailedTest;
  record["first-failure-code"] = st.firstFailureCode;
  Json counts = Json::array();
  for (const auto& [code, count] : st.failureCounts) counts.push_back(Json::array({code, count}));
  record["failure-counts"] = std::move(counts);
  Json admissions = Json::array();
  for (const KeepTen::Entry& e : st.admissions)
    admissions.push_back(Json::array({e.testNumber, HexFloat(e.score)}));
  record["admissions"] = std::move(admissions);
  return json::Text(record);
}

bool ParseShardRecord(const std::string& text, ShardRecord& r, std::string& error) {
  Json document;
  if (!ParseStrict(text, document)) {
    error = "not well-formed JSON";
    return false;
  }
  Fields top(document, error);
  if (top.Ok() && top.Text("format") != kFormatName) top.Fail("format", "names another format");
  if (top.Ok() && top.Number("version", 0, 1000) != kFormatVersion) top.Fail("version", "is not 1");
  const std::string kind = top.Ok() ? top.Text("kind") : "";
  if (top.Ok() && kind != "part" && kind != "merged")
    top.Fail("kind", "is neither part nor merged");
  r.kind = kind == "merged" ? ShardRecordKind::Merged : ShardRecordKind::Part;
  r.phase = static_cast<int>(top.Number("phase", 1, 2));
  r.shard = static_cast<int>(top.Number("shard", 0, 1000000));
  r.shards = static_cast<int>(top.Number("shards", 0, 1000000));
  r.total = top.Number("total", 0, kMaxIteratorTests);
  r.complete = top.Flag("complete");
  ShardState& st = r.state;
  st.lastTest = top.Number("last-test", 0, kMaxIteratorTests);
  st.testsRun = top.Number("tests-run", 0, kMaxIteratorTests);
  st.failures = static_cast<int>(top.Number("failures", 0, kMaxIteratorTests));
  st.firstFailedTest = static_cast<int>(top.Number("first-failed-test", 0, kMaxIteratorTests));
  st.firstFailureCode = static_cast<int>(top.Number("first-failure-code", 0, 1000000));
  if (!top.Ok()) return false;
  if (const Json* series = top.Find("series")) {
    Fields s(*series, error);
    r.series.engine = s.Text("engine");
    r.series.preset = s.Text("preset");
    r.series.setup = s.Text("setup");
    r.series.dataDir = s.Text("data-dir");
    r.series.from = s.Text("from");
  }
  if (const Json* fingerprint = top.Find("fingerprint"); fingerprint && error.empty()) {
    Fields f(*fingerprint, error);
    r.fingerprint.build = f.Text("build");
    r.fingerprint.engine = f.Text("engine");
    r.fingerprint.setup = f.Text("setup");
    r.fingerprint.maps = f.Text("maps");
    r.fingerprint.probe = f.Text("probe");
    r.fingerprint.from = f.Text("from");
  }
  if (!error.empty() || !ParseFailureCounts(document, st.failureCounts, error)) return false;
  st.admissions.clear();
  if (!ParseAdmissions(top.Find("admissions"), st.admissions, error)) return false;
  return CheckShardRecord(r, error);
}

bool WriteShardRecord(const std::filesystem::path& path, const ShardRecord& record,
                      std::string& error) {
  try {
    AtomicFileWriter file(path, "WriteShardRecord");
    file.Stream() << ShardRecordText(record);
    file.Commit();
    return true;
  } catch (const FileError& e) {
    error = "cannot write " + path.string() + (*e.detail() ? std::string(": ") + e.detail() : "") +
            " (file error " + std::to_string(e.code()) + ")";
    return false;
  }
}

bool ReadShardRecord(const std::filesystem::path& path, ShardRecord& record, std::string& error) {
  std::string text;
  try {
    text = ReadTextFile(path, "ReadShardRecord", kMaxShardRecordBytes);
  } catch (const FileError& e) {
    error = e.code() == kErrNotRegularFile ? "it is not a regular file"
            : e.code() == kErrUnusablePath ? std::string("its name cannot be used: ") + e.detail()
            : e.code() == kErrOpen         ? "cannot open it: " + OpenFailure(path)
                                           : "cannot read it, or it is over the size limit of a record";
    return false;
  }
  ShardRecord parsed;
  if (!ParseShardRecord(text, parsed, error)) return false;
  record = std::move(parsed);
  return true;
}

}  // namespace brisca
