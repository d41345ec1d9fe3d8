# The file-reader fuzz targets: built with clang and the fuzzer and address
# sanitizers in a build of their own (<build>/fuzz), then each run for a few
# seconds from its seed corpus. A crash, sanitizer report or FatalAssert fails
# the test; the input that caused it is left in <build>/fuzz-artifacts.
include(ExternalProject)
set(BRISCA_FUZZ_BINARY_DIR ${CMAKE_BINARY_DIR}/fuzz)
ExternalProject_Add(brisca_fuzzers
  SOURCE_DIR ${PROJECT_SOURCE_DIR}
  BINARY_DIR ${BRISCA_FUZZ_BINARY_DIR}
  CMAKE_ARGS -DCMAKE_CXX_COMPILER=${BRISCA_CLANGXX} -DCMAKE_BUILD_TYPE=RelWithDebInfo
             -DBRISCA_FUZZ_BUILD=ON -DBRISCA_BUILD_GUI=OFF -DBRISCA_BUILD_TESTS=OFF
             -DBRISCA_BUILD_BENCHMARKS=OFF -DBRISCA_BUILD_FUZZERS=OFF
  BUILD_ALWAYS ON
  INSTALL_COMMAND "")

# Seconds each target runs per test run.
set(BRISCA_FUZZ_SECONDS 5 CACHE STRING "Seconds each fuzz target runs in the test suite")
set(fixtures ${CMAKE_CURRENT_SOURCE_DIR}/fixtures)
set(seeds_engine_file "${PROJECT_SOURCE_DIR}/data/EngineFiles (.QEN)" ${fixtures}/document)
set(seeds_flow_file "${PROJECT_SOURCE_DIR}/data/FlowFiles (.QFW)" ${fixtures}/valvetrain)
set(seeds_cam_file "${PROJECT_SOURCE_DIR}/data/CamFiles (.QCM)" ${fixtures}/valvetrain)
set(seeds_compressor_map ${fixtures}/fuzz/compressor_map ${fixtures}/sim)
set(seeds_report_settings ${fixtures}/fuzz/report_settings ${fixtures}/report)
set(seeds_setup_file ${fixtures}/iterator)
set(seeds_shard_record ${fixtures}/fuzz/shard_record)
foreach(name engine_file flow_file cam_file compressor_map report_settings setup_file shard_record)
  # New inputs go to a corpus in the build tree; the seeds in the source tree stay as they are.
  set(corpus ${CMAKE_BINARY_DIR}/fuzz-corpus/${name})
  file(MAKE_DIRECTORY ${corpus} ${CMAKE_BINARY_DIR}/fuzz-artifacts)
  add_test(NAME fuzz.${name}
    COMMAND ${BRISCA_FUZZ_BINARY_DIR}/tests/fuzz/fuzz_${name}
            -max_total_time=${BRISCA_FUZZ_SECONDS} -timeout=10 -rss_limit_mb=2048
            -max_len=65536 -print_final_stats=1
            -artifact_prefix=${CMAKE_BINARY_DIR}/fuzz-artifacts/${name}-
            ${corpus} ${seeds_${name}})
  set_tests_properties(fuzz.${name} PROPERTIES LABELS fuzz TIMEOUT 120
    ENVIRONMENT "ASAN_OPTIONS=detect_leaks=1;UBSAN_OPTIONS=print_stacktrace=1")
endforeach()

# The measured-run reader: its own seeds (dyno exports of every style) and the samples.
set(corpus ${CMAKE_BINARY_DIR}/fuzz-corpus/measured_run)
file(MAKE_DIRECTORY ${corpus})
add_test(NAME fuzz.measured_run
  COMMAND ${BRISCA_FUZZ_BINARY_DIR}/tests/fuzz/fuzz_measured_run
          -max_total_time=${BRISCA_FUZZ_SECONDS} -timeout=10 -rss_limit_mb=2048
          -max_len=65536 -print_final_stats=1
          -artifact_prefix=${CMAKE_BINARY_DIR}/fuzz-artifacts/measured_run-
          ${corpus} ${fixtures}/fuzz/measured_run ${PROJECT_SOURCE_DIR}/data/Measured)
set_tests_properties(fuzz.measured_run PROPERTIES LABELS fuzz TIMEOUT 120
  ENVIRONMENT "ASAN_OPTIONS=detect_leaks=1;UBSAN_OPTIONS=print_stacktrace=1")
