#!/usr/bin/env python3
"""brisca-cli as scripts use it: errors that name the file, "-" for standard
input and output, one spelling per option, JSON parsed as any JSON reader
would, shards staged at two paths, a standard error free of Qt's lines.

    check_conventions.py GROUP PROGRAM FIXTURES WORKDIR
"""
import json
import os
import re
import shutil
import subprocess
import sys

GROUP, PROGRAM, FIXTURES, WORK = sys.argv[1:5]
ENGINE = os.path.join(FIXTURES, "document", "engine-4.06.qen")
SETUP = os.path.join(FIXTURES, "iterator", "cam-one-phase.txt")
DATA = os.path.join(FIXTURES, os.pardir, os.pardir, "data")
SAMPLE_ENGINE = os.path.join(DATA, "EngineFiles (.QEN)", "Stock Small-Block V8.qen")
MEASURED = os.path.join(DATA, "Measured", "Stock Small-Block V8 - pull 1.csv")
failures = []


def run(*args, stdin=None, env=None, cwd=None):
    return subprocess.run([PROGRAM, *args], input=stdin, capture_output=True,
                          env=env, cwd=cwd or WORK, timeout=600)


def check(ok, what, result=None):
    if not ok:
        detail = ""
        if result is not None:
            detail = (f"\n  exit {result.returncode}\n  stdout: {result.stdout[:600]!r}"
                      f"\n  stderr: {result.stderr[:600]!r}")
        failures.append(what + detail)


def parse(result, what):
    try:
        return json.loads(result.stdout)
    except ValueError as e:
        check(False, f"{what}: standard output is not JSON ({e})", result)
        return {}


def errors_name_the_file():
    folder = os.path.join(WORK, "a-folder")
    os.makedirs(folder, exist_ok=True)
    missing = os.path.join(WORK, "nosuch.qen")
    head = "Error 43: File Error: Unable to Open the Selected File: "
    cases = [
        (["run", "nosuch.qen"], head + "nosuch.qen: No such file or directory"),
        (["run", folder], head + folder + ": Is a directory"),
        (["run", ENGINE, "--output", "/nonexistent/x"],
         head + "/nonexistent/x: No such file or directory"),
        (["convert", ENGINE, "/nonexistent/x.qen"],
         head + "/nonexistent/x.qen: No such file or directory"),
        (["info", missing], head + missing + ": No such file or directory"),
        (["iterate", ENGINE, "--setup", missing], head + missing + ": No such file or directory"),
        (["iterate-merge", missing, "-o", os.path.join(WORK, "merged")],
         head + missing + ": No such file or directory"),
        (["report", ENGINE, "--template", missing, "-o", os.path.join(WORK, "r.html")],
         head + missing + ": No such file or directory"),
    ]
    cases = [(args, re.escape(line)) for args, line in cases]
    # Files found on the way: the compressor map an engine names (missing, or
    # a folder), the setup of a shard, the merged record phase 2 starts from.
    turbo = os.path.join(DATA, "EngineFiles (.QEN)", "Turbo Four Intercooled.qen")
    no_maps = os.path.join(WORK, "no-maps")
    folder_maps = os.path.join(WORK, "folder-maps")
    maps = os.path.join("Manuals & Videos", "Maps")
    os.makedirs(no_maps, exist_ok=True)
    for name in os.listdir(os.path.join(DATA, maps)):
        os.makedirs(os.path.join(folder_maps, maps, name), exist_ok=True)
    map_head = "Error 173: File Error: Unable to Open the Selected Map File: "
    dual = os.path.join(FIXTURES, "iterator", "cam-dual.txt")
    part = os.path.join(WORK, "part.json")
    cases += [
        (["run", turbo, "--data-dir", no_maps],
         re.escape(map_head + os.path.join(no_maps, maps, "")) + r"\S.*: No such file or directory"),
        (["run", turbo, "--data-dir", folder_maps],
         re.escape(map_head + os.path.join(folder_maps, maps, "")) + r"\S.*: Is a directory"),
        (["iterate", ENGINE, "--setup", missing, "--shard", "1/2", "-o", part],
         re.escape(head + missing + ": No such file or directory")),
        (["iterate", ENGINE, "--setup", dual, "--shard", "1/2", "-o", part, "--phase", "2",
          "--from", missing], re.escape(missing + ": cannot open it: No such file or directory")),
    ]
    for args, line in cases:
        r = run(*args)
        found = re.search(line, r.stderr.decode())
        check(r.returncode == 1 and found, f"{args}: wants {line!r}", r)


def dash_is_standard_io():
    with open(ENGINE, "rb") as f:
        engine = f.read()
    by_name = run("run", ENGINE, "-f", "csv")
    by_stdin = run("run", "-", "-f", "csv", stdin=engine)
    check(by_name.returncode == 0 and by_stdin.stdout == by_name.stdout,
          "run - reads the engine from standard input", by_stdin)
    converted = run("convert", "-", "-o", "-", stdin=engine)
    check(converted.returncode == 0 and converted.stdout.startswith(b"4.2\n"),
          "convert - -o - writes the engine to standard output", converted)
    again = run("run", "-", "--format", "csv", stdin=converted.stdout)
    check(again.stdout == by_name.stdout, "the converted engine runs as the original", again)
    scratch = os.path.join(WORK, "dash")
    os.makedirs(scratch, exist_ok=True)
    to_dash = run("run", ENGINE, "--output", "-", "-f", "csv", cwd=scratch)
    check(to_dash.stdout == by_name.stdout and not os.path.exists(os.path.join(scratch, "-")),
          "--output - is standard output, no file named -", to_dash)


def one_spelling_per_option():
    version = run("-V")
    check(version.returncode == 0 and version.stdout.startswith(b"brisca-cli "), "-V", version)
    out = os.path.join(WORK, "spelled")
    for flag in ["-o", "--output", "--out"]:
        target = out + flag.strip("-") + ".csv"
        r = run("run", ENGINE, "-f", "csv", flag, target)
        check(r.returncode == 0 and os.path.getsize(target) > 0, f"run {flag}", r)
    r = run("iterate", ENGINE, "--setup", SETUP, "-j", "1", "-q")
    check(r.returncode == 0 and r.stderr == b"" and b"Rank" in r.stdout,
          "iterate -j 1 -q: the ranking, nothing on standard error", r)


def json_everywhere():
    merged = os.path.join(WORK, "json-merged")
    shutil.rmtree(merged, ignore_errors=True)
    part = os.path.join(WORK, "json-part.json")
    r = run("iterate", ENGINE, "--setup", SETUP, "--shard", "1/1", "-o", part, "-q")
    check(r.returncode == 0, "a shard for the merge", r)
    commands = {
        "run": ["run", ENGINE, "-f", "json"],
        "info": ["info", ENGINE, "-f", "json"],
        "validate": ["validate", ENGINE, "-f", "json"],
        "catalogue": ["catalogue", "--category", "cam-types", "-f", "json"],
        "iterate": ["iterate", ENGINE, "--setup", SETUP, "-q", "-f", "json"],
        "iterate-merge": ["iterate-merge", part, "-o", merged, "-f", "json"],
        "compare": ["compare", SAMPLE_ENGINE, MEASURED, "-f", "json"],
    }
    documents = {}
    for name, args in commands.items():
        r = run(*args)
        document = parse(r, name)
        documents[name] = document
        check(r.returncode == 0 and document.get("ok") is True and document.get("schema") == 1,
              f"{name}: ok and schema", r)
    check(len(documents["run"].get("points", [])) > 0, "run: points")
    lobes = [s for s in documents["info"].get("sections", []) if "lobe" in s.get("title", "")]
    labels = {v.get("label") for s in lobes for v in s.get("values", [])}
    events = {"Camshaft Timing Method", "Nominal Intake Valve Opening",
              "Nominal Intake Valve Closing", "Nominal Exhaust Valve Opening",
              "Nominal Exhaust Valve Closing", "Intake Valve Duration", "Exhaust Valve Duration",
              "Nominal Intake Centerline Angle", "Nominal Exhaust Centerline Angle",
              "Lobe Center Angle", "Lifter Ramp Rate"}
    check(len(lobes) >= 1 and events <= labels, f"info: lobe events {events - labels}")
    for name in ["iterate", "iterate-merge"]:
        ranking = documents[name].get("ranking", [])
        check(len(ranking) > 0 and "baseline" in documents[name], f"{name}: baseline and ranking")
    check(all(row.get("file") for row in documents["iterate-merge"].get("ranking", [])),
          "iterate-merge: each row's file")
    # A failure with JSON output is a JSON object too, and the status still fails.
    for args in [["info", "nosuch.qen", "-f", "json"], ["run", "nosuch.qen", "--format", "json"],
                 ["validate", "nosuch.qen", "-f", "json"],
                 ["compare", SAMPLE_ENGINE, "nosuch.qen", "-f", "json"],
                 ["compare", "nosuch.qen", MEASURED, "-f", "json"]]:
        r = run(*args)
        failure = parse(r, str(args))
        check(r.returncode == 1 and failure.get("ok") is False and failure.get("code") == 43 and
              failure.get("path") == "nosuch.qen" and "Unable to Open" in failure.get("message", ""),
              f"{args}: the failure object", r)
    # A command line that is not understood exits 2 with the usage text on
    # standard error, and with JSON asked for the failure object on standard output.
    usage = [
        (["info", ENGINE, "-f", "json", "--bogus"], "--bogus"),
        (["run", "-f", "json"], "engine"),
        (["iterate", ENGINE, "--setup", SETUP, "-j", "0", "--format=json"], "0"),
        (["iterate", ENGINE, "--setup", SETUP, "-fjson", "--threads"], "--threads"),
        (["iterate-merge", part, "--format", "json"], "--output"),
    ]
    for args, named in usage:
        r = run(*args)
        failure = parse(r, str(args))
        check(r.returncode == 2 and failure.get("ok") is False and failure.get("code") == 0 and
              named in failure.get("message", "") and failure.get("path", 1) is None and
              r.stderr.strip() != b"", f"{args}: the usage failure object", r)
    r = run("info", ENGINE, "--bogus")
    check(r.returncode == 2 and r.stdout == b"", "a usage error without JSON prints no object", r)
    # A shard's output and its failures, with JSON, are JSON too.
    shard_part = os.path.join(WORK, "json-shard.json")
    r = run("iterate", ENGINE, "--setup", SETUP, "--shard", "2/2", "-o", shard_part, "-q", "-f", "json")
    document = parse(r, "a shard")
    check(r.returncode == 0 and document.get("ok") is True and document.get("shard") == 2 and
          document.get("shards") == 2 and document.get("output") == shard_part and
          document.get("tests", 0) > 0, "a shard's JSON document", r)
    folder = os.path.join(WORK, "json-folder")
    os.makedirs(folder, exist_ok=True)
    dual = os.path.join(FIXTURES, "iterator", "cam-dual.txt")
    shard_failures = [
        (["iterate", ENGINE, "--setup", SETUP, "--shard", "3/2", "-o", shard_part], 2, 0,
         "--shard wants K/N", None),
        (["iterate", ENGINE, "--setup", "nosuch.txt", "--shard", "1/2", "-o", shard_part], 1, 43,
         "nosuch.txt: No such file or directory", os.path.join(WORK, "nosuch.txt")),
        (["iterate", ENGINE, "--setup", SETUP, "--shard", "1/2", "-o", shard_part, "--phase", "2",
          "--from", part], 2, 0, "one phase only", None),
        (["iterate", ENGINE, "--setup", dual, "--shard", "1/2", "-o", shard_part, "--phase", "2",
          "--from", part], 1, 0, "is not the merged record of phase 1", part),
    ]
    for args, status, code, said, path in shard_failures:
        r = run(*args, "-f", "json")
        failure = parse(r, str(args))
        check(r.returncode == status and failure.get("ok") is False and
              failure.get("code") == code and said in failure.get("message", "") and
              failure.get("path") == path, f"{args}: the shard's failure object", r)


def shards_staged_at_two_paths():
    results = []
    for name in ["one", "two"]:
        folder = os.path.join(WORK, "staged", name)
        shutil.rmtree(folder, ignore_errors=True)
        os.makedirs(folder)
        engine = shutil.copy(ENGINE, folder)
        setup = shutil.copy(os.path.join(FIXTURES, "iterator", "cam-dual.txt"), folder)
        for k in (1, 2):
            r = run("iterate", engine, "--setup", setup, "--shard", f"{k}/2",
                    "-o", os.path.join(WORK, "staged", f"{name}-{k}.json"), "-q")
            check(r.returncode == 0, f"shard {k} at {name}", r)
    parts = [os.path.join(WORK, "staged", p) for p in ["one-1.json", "two-2.json"]]
    for label, pair in [("one path", [os.path.join(WORK, "staged", "one-1.json"),
                                      os.path.join(WORK, "staged", "one-2.json")]),
                        ("two paths", parts)]:
        out = os.path.join(WORK, "staged", "merged-" + label.replace(" ", "-"))
        shutil.rmtree(out, ignore_errors=True)
        r = run("iterate-merge", *pair, "-o", out, "-f", "json")
        check(r.returncode == 0, f"merge of parts at {label}", r)
        ranking = parse(r, label).get("ranking")
        engines = {}
        if os.path.isdir(out):
            for f in sorted(os.listdir(out)):
                if f.endswith(".qen"):
                    with open(os.path.join(out, f), "rb") as handle:
                        engines[f] = handle.read()
        results.append((ranking, engines))
    check(results[0] == results[1] and results[0][1], "both merges keep the same engines")
    # A part of another series is refused, its failure object naming the difference.
    foreign = os.path.join(WORK, "staged", "foreign-2.json")
    r = run("iterate", ENGINE, "--setup", SETUP, "--shard", "2/2", "-o", foreign, "-q")
    r = run("iterate-merge", os.path.join(WORK, "staged", "one-1.json"), foreign,
            "-o", os.path.join(WORK, "staged", "refused"), "-f", "json")
    failure = parse(r, "foreign part")
    check(r.returncode == 1 and failure.get("ok") is False and
          "foreign-2.json belongs to another series" in failure.get("message", "") and
          "cam-one-phase.txt" in failure.get("message", ""), "a foreign part is named", r)


def quiet_standard_error():
    env = dict(os.environ)
    env.pop("XDG_RUNTIME_DIR", None)
    env["XDG_DATA_HOME"] = os.path.join(WORK, "xdg")
    env["QT_QPA_PLATFORM"] = "offscreen"
    out = os.path.join(WORK, "quiet")
    os.makedirs(out, exist_ok=True)
    for args in [["report", ENGINE, "-o", os.path.join(out, "Quiet.html")],
                 ["print", ENGINE, "-o", os.path.join(out, "Quiet.pdf")],
                 ["print", ENGINE, "-o", "/nonexistent/Quiet.pdf"]]:
        r = run(*args, env=env)
        lines = r.stderr.decode().splitlines()
        qt = [l for l in lines if l.startswith("Q") or "XDG_RUNTIME_DIR" in l or "QPainter" in l]
        check(not qt, f"{args}: Qt lines on standard error: {qt}", r)
        if "/nonexistent" in args[-1]:
            check(r.returncode == 1 and any("/nonexistent/Quiet.pdf" in l for l in lines),
                  "an unwritable PDF is still our error", r)


GROUPS = {
    "errors": errors_name_the_file,
    "dash": dash_is_standard_io,
    "options": one_spelling_per_option,
    "json": json_everywhere,
    "staged-shards": shards_staged_at_two_paths,
    "quiet-stderr": quiet_standard_error,
}

os.makedirs(WORK, exist_ok=True)
GROUPS[GROUP]()
for f in failures:
    print("FAIL:", f)
sys.exit(1 if failures else 0)
