#include "core/iterator/ShardFile.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <sstream>
#include <variant>
#include <vector>

#include "core/base/AtomicFile.h"
#include "core/base/FileError.h"
#include "core/base/TextFile.h"

namespace brisca {
namespace {

constexpr const char* kFormatName = "brisca-iterate-shard";
constexpr int kFormatVersion = 1;

// --- a small JSON reader: objects, arrays, strings, integers, true/false ------

struct Json;
using JsonObject = std::map<std::string, Json>;
using JsonArray = std::vector<Json>;
struct Json {
  std::variant<std::monostate, bool, std::int64_t, std::string, std::shared_ptr<JsonArray>,
               std::shared_ptr<JsonObject>>
      value;
};

class JsonReader {
 public:
  explicit JsonReader(const std::string& text) : text_(text) {}

  bool ReadDocument(Json& out) {
    if (!ReadValue(out, 0)) return false;
    SkipSpace();
    return pos_ == text_.size();
  }

 private:
  static constexpr int kMaxDepth = 8;

  void SkipSpace() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\n' ||
                                   text_[pos_] == '\r' || text_[pos_] == '\t')) {
      ++pos_;
    }
  }
  bool Take(char c) {
    SkipSpace();
    if (pos_ < text_.size() && text_[pos_] == c) {
      ++pos_;
      return true;
    }
    return false;
  }
  bool Word(const char* word) {
    const std::string w(word);
    if (text_.compare(pos_, w.size(), w) != 0) return false;
    pos_ += w.size();
    return true;
  }

  bool ReadValue(Json& out, int depth) {
    if (depth > kMaxDepth) return false;
    SkipSpace();
    if (pos_ >= text_.size()) return false;
    const char c = text_[pos_];
    if (c == '{') return ReadObject(out, depth);
    if (c == '[') return ReadArray(out, depth);
    if (c == '"') {
      std::string s;
      if (!ReadString(s)) return false;
      out.value = std::move(s);
      return true;
    }
    if (Word("true")) {
      out.value = true;
      return true;
    }
    if (Word("false")) {
      out.value = false;
      return true;
    }
    std::int64_t n = 0;
    const auto [end, ec] = std::from_chars(text_.data() + pos_, text_.data() + text_.size(), n);
    if (ec != std::errc() || end == text_.data() + pos_) return false;
    pos_ = static_cast<std::size_t>(end - text_.data());
    out.value = n;
    return true;
  }

  bool ReadString(std::string& out) {
    if (!Take('"')) return false;
    while (pos_ < text_.size()) {
      const char c = text_[pos_++];
      if (c == '"') return true;
      if (static_cast<unsigned char>(c) < 0x20) return false;
      if (c != '\\') {
        out += c;
        continue;
      }
      if (pos_ >= text_.size()) return false;
      const char e = text_[pos_++];
      switch (e) {
        case '"':
        case '\\':
        case '/':
          out += e;
          break;
        case 'n':
          out += '\n';
          break;
        case 't':
          out += '\t';
          break;
        case 'r':
          out += '\r';
          break;
        case 'u': {
          unsigned code = 0;
          if (pos_ + 4 > text_.size()) return false;
          const auto [end, ec] =
              std::from_chars(text_.data() + pos_, text_.data() + pos_ + 4, code, 16);
          if (ec != std::errc() || end != text_.data() + pos_ + 4 || code >= 0x80) return false;
          out += static_cast<char>(code);
          pos_ += 4;
          break;
        }
        default:
          return false;
      }
    }
    return false;
  }

  bool ReadArray(Json& out, int depth) {
    auto array = std::make_shared<JsonArray>();
    Take('[');
    if (!Take(']')) {
      do {
        Json item;
        if (!ReadValue(item, depth + 1)) return false;
        array->push_back(std::move(item));
      } while (Take(','));
      if (!Take(']')) return false;
    }
    out.value = array;
    return true;
  }

  bool ReadObject(Json& out, int depth) {
    auto object = std::make_shared<JsonObject>();
    Take('{');
    if (!Take('}')) {
      do {
        SkipSpace();
        std::string key;
        Json item;
        if (!ReadString(key) || !Take(':') || !ReadValue(item, depth + 1)) return false;
        if (!object->emplace(std::move(key), std::move(item)).second) return false;
      } while (Take(','));
      if (!Take('}')) return false;
    }
    out.value = object;
    return true;
  }

  const std::string& text_;
  std::size_t pos_ = 0;
};

//! Reads fields of one object; the first missing or mistyped one is the error.
class Fields {
 public:
  Fields(const Json& json, std::string& error) : error_(error) {
    if (auto* o = std::get_if<std::shared_ptr<JsonObject>>(&json.value)) object_ = o->get();
    if (!object_) Fail("", "is not an object");
  }
  bool Ok() const { return error_.empty(); }

  const Json* Find(const char* key) {
    if (!object_) return nullptr;
    auto it = object_->find(key);
    if (it == object_->end()) {
      Fail(key, "is missing");
      return nullptr;
    }
    return &it->second;
  }
  std::string Text(const char* key) {
    const Json* j = Find(key);
    if (!j) return {};
    if (auto* s = std::get_if<std::string>(&j->value)) return *s;
    Fail(key, "is not a text");
    return {};
  }
  std::int64_t Number(const char* key, std::int64_t min, std::int64_t max) {
    const Json* j = Find(key);
    if (!j) return 0;
    const auto* n = std::get_if<std::int64_t>(&j->value);
    if (n && *n >= min && *n <= max) return *n;
    Fail(key, "is not a number in range");
    return 0;
  }
  bool Flag(const char* key) {
    const Json* j = Find(key);
    if (!j) return false;
    if (auto* b = std::get_if<bool>(&j->value)) return *b;
    Fail(key, "is not true or false");
    return false;
  }
  void Fail(const std::string& key, const char* what) {
    if (error_.empty())
      error_ = (key.empty() ? "the record" : "field \"" + key + "\"") + " " + what;
  }

 private:
  const JsonObject* object_ = nullptr;
  std::string& error_;
};

// --- writing --------------------------------------------------------------------

std::string Quoted(const std::string& s) {
  std::string out = "\"";
  for (const char c : s) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(c));
      out += buf;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string RecordText(const ShardRecord& r) {
  std::ostringstream out;
  const ShardFingerprint& f = r.fingerprint;
  const ShardSeries& s = r.series;
  const ShardState& st = r.state;
  out << "{\n"
      << "  \"format\": " << Quoted(kFormatName) << ",\n"
      << "  \"version\": " << kFormatVersion << ",\n"
      << "  \"kind\": " << Quoted(r.kind == ShardRecordKind::Part ? "part" : "merged") << ",\n"
      << "  \"phase\": " << r.phase << ",\n"
      << "  \"shard\": " << r.shard << ",\n"
      << "  \"shards\": " << r.shards << ",\n"
      << "  \"total\": " << r.total << ",\n"
      << "  \"complete\": " << (r.complete ? "true" : "false") << ",\n"
      << "  \"series\": {\"engine\": " << Quoted(s.engine) << ", \"preset\": " << Quoted(s.preset)
      << ", \"setup\": " << Quoted(s.setup) << ", \"data-dir\": " << Quoted(s.dataDir)
      << ", \"from\": " << Quoted(s.from) << "},\n"
      << "  \"fingerprint\": {\"build\": " << Quoted(f.build)
      << ", \"engine\": " << Quoted(f.engine) << ", \"setup\": " << Quoted(f.setup)
      << ", \"maps\": " << Quoted(f.maps) << ", \"probe\": " << Quoted(f.probe)
      << ", \"from\": " << Quoted(f.from) << "},\n"
      << "  \"last-test\": " << st.lastTest << ",\n"
      << "  \"tests-run\": " << st.testsRun << ",\n"
      << "  \"failures\": " << st.failures << ",\n"
      << "  \"first-failed-test\": " << st.firstFailedTest << ",\n"
      << "  \"first-failure-code\": " << st.firstFailureCode << ",\n"
      << "  \"admissions\": [";
  for (std::size_t i = 0; i < st.admissions.size(); ++i) {
    out << (i == 0 ? "\n    [" : ",\n    [") << st.admissions[i].testNumber << ", "
        << Quoted(HexFloat(st.admissions[i].score)) << "]";
  }
  out << "\n  ]\n}\n";
  return out.str();
}

bool ParseAdmissions(const Json* json, std::vector<KeepTen::Entry>& out, std::string& error) {
  if (!json) return false;
  const auto* array = std::get_if<std::shared_ptr<JsonArray>>(&json->value);
  if (!array) {
    error = "field \"admissions\" is not a list";
    return false;
  }
  for (const Json& item : **array) {
    const auto* pair = std::get_if<std::shared_ptr<JsonArray>>(&item.value);
    const std::int64_t* test =
        pair && (*pair)->size() == 2 ? std::get_if<std::int64_t>(&(**pair)[0].value) : nullptr;
    const std::string* score = test ? std::get_if<std::string>(&(**pair)[1].value) : nullptr;
    KeepTen::Entry e;
    if (!score || *test < 1 || *test > kMaxIteratorTests || !ParseHexFloat(*score, e.score)) {
      error = "admission " + std::to_string(out.size() + 1) + " is damaged";
      return false;
    }
    e.testNumber = static_cast<int>(*test);
    out.push_back(e);
  }
  return true;
}

bool ParseRecord(const std::string& text, ShardRecord& r, std::string& error) {
  Json json;
  if (!JsonReader(text).ReadDocument(json)) {
    error = "not well-formed JSON";
    return false;
  }
  Fields top(json, error);
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
  if (!error.empty()) return false;
  st.admissions.clear();
  if (!ParseAdmissions(top.Find("admissions"), st.admissions, error)) return false;
  const bool shardOk = r.kind == ShardRecordKind::Merged ? r.shard == 0 && r.shards == 0
                                                         : r.shard >= 1 && r.shard <= r.shards;
  if (!shardOk) {
    error = "the shard number does not fit the number of shards";
    return false;
  }
  // The log must be one a keeper could have written.
  ShardKeeper keeper;
  if (st.lastTest > r.total || (r.complete && st.lastTest != r.total) || !keeper.Restore(st)) {
    error = "the admission log or the counts are inconsistent";
    return false;
  }
  return true;
}

}  // namespace

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

bool WriteShardRecord(const std::filesystem::path& path, const ShardRecord& record,
                      std::string& error) {
  try {
    AtomicFileWriter file(path, "WriteShardRecord");
    file.Stream() << RecordText(record);
    file.Commit();
    return true;
  } catch (const FileError& e) {
    error = "cannot write " + path.string() + " (file error " + std::to_string(e.code()) + ")";
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
            : e.code() == kErrOpen         ? "cannot open it"
                                           : "cannot read it, or it is over the size limit of a record";
    return false;
  }
  return ParseShardRecord(text, record, error);
}

std::string ShardRecordText(const ShardRecord& record) {
  return RecordText(record);
}

bool ParseShardRecord(const std::string& text, ShardRecord& record, std::string& error) {
  ShardRecord parsed;
  if (!ParseRecord(text, parsed, error)) return false;
  record = std::move(parsed);
  return true;
}

}  // namespace brisca
