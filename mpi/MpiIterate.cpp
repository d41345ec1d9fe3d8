// brisca-mpi-iterate: a test series spread over the ranks of an MPI job.
//
//   mpirun -np R brisca-mpi-iterate ENGINE (--preset P | --setup FILE) --out DIR
//
// Rank 0 deals the tests out in blocks to whichever rank asks (itself too,
// between its own tests), gathers every rank's admission log, merges them,
// starts phase 2 around phase 1's best test on every rank, runs it the same
// way and writes what `brisca-cli iterate --out` writes. Every rank opens the
// engine itself; their fingerprints must agree with rank 0's.

#include <mpi.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "cli/FailureReport.h"
#include "cli/KeptResults.h"
#include "cli/OptionChecks.h"
#include "cli/SeriesSession.h"
#include "cli/ShardMergeRun.h"
#include "cli/StderrPresenter.h"
#include "core/base/ErrCode.h"
#include "core/base/FatalAssert.h"
#include "core/base/Version.h"
#include "core/iterator/QuickPresets.h"
#include "core/iterator/ShardRunner.h"
#include "mpi/BlockDealer.h"
#include "mpi/ShardMessages.h"

namespace brisca::mpi {
namespace {

enum Tag : int { kTagRequest = 1, kTagBlock = 2, kTagLog = 3 };
constexpr auto kPollPause = std::chrono::microseconds(200);
constexpr auto kProgressInterval = std::chrono::seconds(5);

struct Options {
  std::string engine;
  std::string preset;
  std::string setup;
  std::string out;
  std::string dataDir;
  int threads = 1;
  std::string format = "text";
};

int Rank() {
  int r = 0;
  MPI_Comm_rank(MPI_COMM_WORLD, &r);
  return r;
}
int Size() {
  int n = 0;
  MPI_Comm_size(MPI_COMM_WORLD, &n);
  return n;
}

//! Waits for `request` without spinning a core away from the tests of
//! others (a blocking MPI call busy-waits): ranks wait for rank 0's merge.
void Await(MPI_Request& request) {
  int done = 0;
  for (MPI_Test(&request, &done, MPI_STATUS_IGNORE); !done;
       MPI_Test(&request, &done, MPI_STATUS_IGNORE)) {
    std::this_thread::sleep_for(kPollPause);
  }
}

//! True on every rank when `ok` is true on every rank.
bool AllOk(bool ok) {
  int mine = ok ? 1 : 0, all = 0;
  MPI_Request request;
  MPI_Iallreduce(&mine, &all, 1, MPI_INT, MPI_MIN, MPI_COMM_WORLD, &request);
  Await(request);
  return all == 1;
}

//! Rank 0's `count` values of `type` at `data` to every rank.
void Broadcast(void* data, int count, MPI_Datatype type) {
  MPI_Request request;
  MPI_Ibcast(data, count, type, 0, MPI_COMM_WORLD, &request);
  Await(request);
}

std::string FingerprintText(const ShardFingerprint& f) {
  return f.build + "\n" + f.engine + "\n" + f.setup + "\n" + f.maps + "\n" + f.probe + "\n" +
         f.from;
}

//! Rank 0's fingerprint against every other rank's; rank 0 names the ranks
//! that differ. The same answer on every rank.
bool FingerprintsAgree(const ShardFingerprint& mine) {
  std::string text = FingerprintText(mine);
  int length = static_cast<int>(text.size());
  Broadcast(&length, 1, MPI_INT);
  std::string root(static_cast<std::size_t>(length), '\0');
  if (Rank() == 0) root = text;
  Broadcast(root.data(), length, MPI_CHAR);
  int same = root == text ? 1 : 0;
  std::vector<int> all(static_cast<std::size_t>(Size()));
  MPI_Request request;
  MPI_Igather(&same, 1, MPI_INT, all.data(), 1, MPI_INT, 0, MPI_COMM_WORLD, &request);
  Await(request);
  if (Rank() == 0) {
    for (int r = 1; r < Size(); ++r) {
      if (!all[r]) {
        cli::ReportFailureText("brisca-mpi-iterate: rank " + std::to_string(r) +
                               " computes the series differently from rank 0 (another build, "
                               "engine, setup, compressor maps or maths library)");
      }
    }
  }
  return AllOk(same == 1);
}

//! Rank 0: deals blocks, answers requests, gathers logs and shows progress.
class Coordinator {
 public:
  Coordinator(std::int64_t total, int phase)
      : dealer_(total, Size()),
        total_(total),
        phase_(phase),
        reported_(static_cast<std::size_t>(Size()), 0),
        logs_(static_cast<std::size_t>(Size())),
        start_(std::chrono::steady_clock::now()),
        lastLine_(start_),
        terminal_(isatty(fileno(stderr)) != 0) {}

  //! Answers every message waiting; never blocks.
  void Serve() {
    for (;;) {
      int waiting = 0;
      MPI_Status status;
      MPI_Iprobe(MPI_ANY_SOURCE, MPI_ANY_TAG, MPI_COMM_WORLD, &waiting, &status);
      if (!waiting) return;
      const int from = status.MPI_SOURCE;
      if (status.MPI_TAG == kTagRequest) {
        std::int64_t done = 0;
        MPI_Recv(&done, 1, MPI_INT64_T, from, kTagRequest, MPI_COMM_WORLD, MPI_STATUS_IGNORE);
        reported_[from] = done;
        const TestBlock block = dealer_.Next();
        const std::int64_t reply[2] = {block.first, block.last};
        MPI_Send(reply, 2, MPI_INT64_T, from, kTagBlock, MPI_COMM_WORLD);
      } else {
        int size = 0;
        MPI_Get_count(&status, MPI_BYTE, &size);
        std::string bytes(static_cast<std::size_t>(size), '\0');
        MPI_Recv(bytes.data(), size, MPI_BYTE, from, kTagLog, MPI_COMM_WORLD, MPI_STATUS_IGNORE);
        bad_ = bad_ || !UnpackState(bytes, logs_[from]);
        reported_[from] = logs_[from].testsRun;
        ++logsIn_;
      }
      Progress(false);
    }
  }

  //! Rank 0's own share, between the requests of the others.
  void Work(Iterator& phase, int threads) {
    ShardRunner runner(phase, threads);
    for (TestBlock block = dealer_.Next(); block.first != 0; block = dealer_.Next()) {
      const std::int64_t first = block.first;
      runner.RunThrough(
          block.last, [first](std::int64_t t) { return t >= first; },
          [&](const ShardState& s) {
            reported_[0] = s.testsRun;
            Serve();
          });
    }
    logs_[0] = runner.State();
    while (logsIn_ < Size() - 1) {
      Serve();
      std::this_thread::sleep_for(kPollPause);
    }
    Progress(true);
  }

  //! The logs of every rank, rank 0 first; false when one arrived damaged.
  bool Logs(std::vector<const ShardState*>& logs) const {
    for (const ShardState& s : logs_) logs.push_back(&s);
    return !bad_;
  }

 private:
  void Progress(bool last) {
    const auto now = std::chrono::steady_clock::now();
    if (!last && now - lastLine_ < (terminal_ ? std::chrono::milliseconds(500) : kProgressInterval))
      return;
    lastLine_ = now;
    std::int64_t done = 0;
    for (std::int64_t d : reported_) done += d;
    const double elapsed = std::chrono::duration<double>(now - start_).count();
    const double rate = elapsed > 0 ? static_cast<double>(done) / elapsed : 0.0;
    const long left =
        rate > 0 ? static_cast<long>(static_cast<double>(total_ - done) / rate + 0.5) : 0;
    std::fprintf(
        stderr, "%sphase %d: %lld/%lld tests on %d ranks, %.1f tests/s, %ld:%02ld:%02ld left%s",
        terminal_ ? "\r" : "", phase_, static_cast<long long>(done), static_cast<long long>(total_),
        Size(), rate, left / 3600, (left / 60) % 60, left % 60, terminal_ && !last ? " " : "\n");
  }

  BlockDealer dealer_;
  std::int64_t total_;
  int phase_;
  std::vector<std::int64_t> reported_;  //!< tests each rank said it had run
  std::vector<ShardState> logs_;
  int logsIn_ = 0;
  bool bad_ = false;
  std::chrono::steady_clock::time_point start_;
  std::chrono::steady_clock::time_point lastLine_;
  bool terminal_;
};

//! Ranks above 0: ask for a block, run it, ask again; the next request goes out
//! before the block runs, so the answer is there when it is done.
void RunWorker(Iterator& phase, int threads) {
  ShardRunner runner(phase, threads);
  std::int64_t block[2] = {0, 0};
  std::int64_t done = 0;
  MPI_Send(&done, 1, MPI_INT64_T, 0, kTagRequest, MPI_COMM_WORLD);
  MPI_Request reply;
  MPI_Irecv(block, 2, MPI_INT64_T, 0, kTagBlock, MPI_COMM_WORLD, &reply);
  Await(reply);
  while (block[0] != 0) {
    const std::int64_t first = block[0], last = block[1];
    done = runner.State().testsRun;
    MPI_Send(&done, 1, MPI_INT64_T, 0, kTagRequest, MPI_COMM_WORLD);
    MPI_Irecv(block, 2, MPI_INT64_T, 0, kTagBlock, MPI_COMM_WORLD, &reply);
    runner.RunThrough(last, [first](std::int64_t t) { return t >= first; });
    Await(reply);
  }
  std::string bytes = PackState(runner.State());
  MPI_Request sent;
  MPI_Isend(bytes.data(), static_cast<int>(bytes.size()), MPI_BYTE, 0, kTagLog, MPI_COMM_WORLD,
            &sent);
  Await(sent);
}

//! Runs one phase on every rank; on rank 0 merges it into `result`. The same
//! answer on every rank.
bool RunPhase(cli::SeriesSession& s, int phase, const Options& options, const ShardRecord* phase1,
              cli::MergedResult& result) {
  Iterator& series = phase == 1 ? s.phase1 : s.phase2;
  const ShardFingerprint fingerprint = cli::FingerprintOf(s, series, "");
  if (!FingerprintsAgree(fingerprint)) return false;
  bool ok = true;
  if (Rank() == 0) {
    Coordinator coordinator(series.TotalTests(), phase);
    coordinator.Work(series, options.threads);
    std::vector<const ShardState*> logs;
    std::string error;
    ok = coordinator.Logs(logs) &&
         cli::MergePhase(s, phase, logs, phase1, fingerprint, result, error);
    if (!ok) {
      cli::ReportFailureText("brisca-mpi-iterate: " +
                             (error.empty() ? std::string("a rank's log arrived damaged") : error));
    }
  } else {
    RunWorker(series, options.threads);
  }
  return AllOk(ok);
}

//! Phase 2 around phase 1's best test, on every rank.
bool StartPhase2Everywhere(cli::SeriesSession& s, const cli::MergedResult& phase1) {
  int best = 0;
  if (Rank() == 0 && phase1.merged.keeper.BestSlot() >= 0) {
    best = phase1.merged.keeper.At(phase1.merged.keeper.BestSlot()).testNumber;
  }
  Broadcast(&best, 1, MPI_INT);
  int code = kErrNoBaseline;
  const bool ok = best > 0 && cli::StartPhase2(s, best, code);
  if (!ok && Rank() == 0) ReportErrorCode(code);
  return AllOk(ok);
}

//! Rank 0: the result as `brisca-cli iterate` prints it, as text or JSON.
bool WriteResult(const cli::SeriesSession& session, const cli::MergedResult& result,
                 const Options& options) {
  if (options.format != "json") return cli::WriteMergedResult(session, result, options.out);
  json::Json document = json::EngineDocument(session.engine->doc.GetTitle());
  if (!cli::WriteMergedResult(session, result, options.out, &document)) return false;
  std::fputs(json::Text(document).c_str(), stdout);
  return std::fflush(stdout) == 0;
}

int Run(const Options& options) {
  if (options.preset.empty() == options.setup.empty()) {
    if (Rank() == 0) cli::ReportFailureText("brisca-mpi-iterate: give exactly one of --preset and --setup");
    return 2;
  }
  ShardSeries source;
  source.engine = cli::AbsolutePath(options.engine);
  source.preset = options.preset;
  source.setup = cli::AbsolutePath(options.setup);
  source.dataDir = cli::AbsolutePath(options.dataDir);
  if (!AllOk(Rank() != 0 || cli::CheckOutputFolder(options.out))) return 1;
  cli::SeriesSession session;
  if (!AllOk(cli::OpenSeries(source, session))) return 1;
  if (Rank() == 0) cli::PrintOutsideLimits(session.phase1, session.dual ? 1 : 0);

  cli::MergedResult phase1;
  if (!RunPhase(session, 1, options, nullptr, phase1)) return 1;
  cli::MergedResult* result = &phase1;
  cli::MergedResult phase2;
  if (session.dual) {
    if (!StartPhase2Everywhere(session, phase1)) return 1;
    if (!RunPhase(session, 2, options, &phase1.record, phase2)) return 1;
    result = &phase2;
  }
  bool ok = true;
  if (Rank() == 0) ok = WriteResult(session, *result, options);
  return AllOk(ok) ? 0 : 1;
}

}  // namespace
}  // namespace brisca::mpi

int main(int argc, char** argv) {
  brisca::StderrPresenter presenter;
  brisca::InstallPresenter(&presenter);

  brisca::mpi::Options options;
  CLI::App app{"Brisca test series over the ranks of an MPI job", "brisca-mpi-iterate"};
  app.set_version_flag("-V,--version", std::string("brisca-mpi-iterate ") + brisca::ProgramVersion() +
                                           " (engine file version " + brisca::kFileVersionText + ")");
  app.add_option("engine", options.engine, "Engine file (.qen)")->required();
  app.add_option("--preset", options.preset, "Two-phase search")
      ->check(CLI::IsMember(std::vector<std::string>(std::begin(brisca::cli::kIteratePresets),
                                                     std::end(brisca::cli::kIteratePresets))));
  app.add_option("--setup", options.setup, "Series described in a setup file");
  app.add_option("-o,--output,--out", options.out, "Write the kept engines into DIR")->required();
  app.add_option("-j,--threads", options.threads, "Worker threads per rank (default 1)")
      ->check(CLI::Range(1, 256));
  app.add_option("--data-dir", options.dataDir, "Program-data folder to read compressor maps from");
  app.add_option("-f,--format", options.format, "The ranking, and a failure, as text or json")
      ->check(CLI::IsMember({"text", "json"}))
      ->capture_default_str();
  // --help and --version are answered without starting MPI: outside a job (a
  // user asking, the build writing the manual) there may be no launcher.
  for (int i = 1; i < argc; ++i) {
    const std::string word = argv[i];
    if (word == "-h" || word == "--help" || word == "-V" || word == "--version") {
      try {
        app.parse(argc, argv);
      } catch (const CLI::ParseError& e) {
        if (app.exit(e) == 0) return 0;
        brisca::cli::ReportUsageFailure(argc, argv, e.what());
        return 2;
      }
    }
  }
  int provided = 0;
  MPI_Init_thread(&argc, &argv, MPI_THREAD_SERIALIZED, &provided);
  int status = 0;
  try {
    app.parse(argc, argv);
    if (options.format == "json") brisca::cli::WantJsonFailure();
    if (provided < MPI_THREAD_SERIALIZED) {
      // Rank 0 answers requests from its test thread.
      if (brisca::mpi::Rank() == 0)
        brisca::cli::ReportFailureText("brisca-mpi-iterate: MPI lacks thread support");
      status = 1;
    } else {
      status = brisca::mpi::Run(options);
    }
  } catch (const CLI::ParseError& e) {
    status = brisca::mpi::Rank() == 0 ? app.exit(e) : 0;
    if (status != 0) {
      brisca::cli::ReportUsageFailure(argc, argv, e.what());
      status = 2;
    }
  } catch (...) {
    // Ends this rank without MPI_Finalize, which makes the launcher end the job.
    brisca::FatalUncaughtException(__FILE__, __LINE__);
  }
  if (brisca::mpi::Rank() == 0) brisca::cli::PrintJsonFailure(status);
  MPI_Finalize();
  return status;
}
