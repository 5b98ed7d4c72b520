#!/usr/bin/env python3
"""Plants small faults in src/core one at a time and runs the native core tests against each.

A fault ("mutant") that the tests do not notice is a guard, a limit or a list entry no test pins down. The sources
are never written: each mutant is compiled from a copy under build/mutation/, linked with the objects of an
incremental build there (only the mutated object and the test program are made anew) and run with a timeout, so
an interrupted run leaves the working tree as it was.

Kinds of mutant: a relational operator flipped (ror), && and || swapped (lcr), a guard that leaves dropped
(guard) or one of its alternatives dropped (clause), a number moved by one (lit), an entry left out of a list
(list) or a label out of a group of case labels (case). The set is fixed by the sources: every site is found, and
each file gives a share that grows with its logic, taken kind by kind in the order of the sites' ids (a hash of
the file, the kind and the text of the line before and after), so the same sources give the same mutants and an
edit moves only the mutants of the lines it touches. tools/mutation-pinned.txt adds faults that once went
unnoticed; tools/mutation-equivalent.txt lists reviewed mutants that cannot change behaviour, left out of the
score. Exit status 1 when the share of killed mutants is below --min-score.

Usage: tools/mutate.py [--min-score 95] [--jobs 2] [--only TEXT] [--list] [--all] [--quiet] [--check-equivalents]
"""
import argparse
import hashlib
import json
import os
import re
import shlex
import shutil
import signal
import subprocess
import sys
import threading
import time
from concurrent.futures import ThreadPoolExecutor
from dataclasses import dataclass
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
CORE = ROOT / "src" / "core"
PINNED = ROOT / "tools" / "mutation-pinned.txt"
EQUIVALENT = ROOT / "tools" / "mutation-equivalent.txt"

# A file gives one mutant per SITES_PER_MUTANT sites of logic (comparisons, conditions, guards, case labels), at
# least MIN_PER_FILE and at most MAX_PER_FILE, taken from its kinds in turn in this order. Headers carry only
# small inline logic: one mutant each.
KIND_ORDER = ["ror", "guard", "list", "case", "lit", "lcr", "clause"]
LOGIC_KINDS = {"ror", "lcr", "guard", "clause", "case"}
SITES_PER_MUTANT, MIN_PER_FILE, MAX_PER_FILE = 8, 2, 6
HEADER_KINDS = {"ror", "lcr"}
RELATIONAL = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "=="}


@dataclass
class Mutant:
    path: str  # relative to the repository, e.g. src/core/NameQuery.cpp
    kind: str
    start: int
    end: int
    replacement: str
    line: int = 0
    before: str = ""
    after: str = ""
    id: str = ""

    def describe(self):
        return f"{self.path}:{self.line} [{self.kind}] `{self.before}` -> `{self.after}`"


def code_only(text):
    """The text with comments, the insides of string and character literals and preprocessor lines blanked out
    (offsets and line breaks kept), so that the patterns below only ever meet code."""
    out = list(text)
    i, n = 0, len(text)
    at_line_start = True

    def blank(a, b):
        for k in range(a, b):
            if out[k] != "\n":
                out[k] = " "

    while i < n:
        c = text[i]
        if at_line_start and c == "#":
            j = i
            while j < n and (text[j] != "\n" or text[j - 1] == "\\"):
                j += 1
            blank(i, j)
            i = j
            continue
        if c == "\n":
            at_line_start = True
            i += 1
            continue
        if not c.isspace():
            at_line_start = False
        if text.startswith("//", i):
            j = text.find("\n", i)
            j = n if j < 0 else j
            blank(i, j)
            i = j
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
            blank(i, j)
            i = j
        elif c in "\"'" and not (c == "'" and i > 0 and text[i - 1].isalnum()):
            j = i + 1
            while j < n and text[j] != c:
                j += 2 if text[j] == "\\" else 1
            blank(i + 1, j)  # the quotes stay, so a literal still reads as one
            i = j + 1
        else:
            i += 1
    return "".join(out)


def matching(code, open_at):
    """The offset of the bracket closing the one at open_at."""
    pairs = {"(": ")", "{": "}", "[": "]"}
    opener, closer = code[open_at], pairs[code[open_at]]
    depth = 0
    for k in range(open_at, len(code)):
        if code[k] == opener:
            depth += 1
        elif code[k] == closer:
            depth -= 1
            if depth == 0:
                return k
    return -1


def top_level_split(code, start, end, separator):
    """Offsets (start, end) of the parts of code[start:end] separated by `separator` outside any bracket."""
    parts, depth, part_start, k = [], 0, start, start
    while k < end:
        ch = code[k]
        if ch in "([{":
            depth += 1
        elif ch in ")]}":
            depth -= 1
        elif depth == 0 and code.startswith(separator, k):
            parts.append((part_start, k))
            part_start = k + len(separator)
            k = part_start
            continue
        k += 1
    parts.append((part_start, end))
    return parts


def relational_sites(text, code):
    """A comparison flipped at its bound (< and <=, > and >=) or turned over (== and !=). The code's style sets
    binary < and > between blanks, which tells them from template brackets."""
    for m in re.finditer(r"(?<![<>=!&|+\-*/%^])(<=|>=|==|!=)(?![=>])| (<|>) ", code):
        op = m.group(1) or m.group(2)
        at = m.start(1) if m.group(1) else m.start(2)
        if code[:at].endswith("operator"):
            continue
        yield "ror", at, at + len(op), RELATIONAL[op]


def logical_sites(text, code):
    """&& and || swapped."""
    for m in re.finditer(r" (&&|\|\|) ", code):
        yield "lcr", m.start(1), m.end(1), "||" if m.group(1) == "&&" else "&&"


def literal_sites(text, code):
    """A number moved by one (0 becomes 1), hexadecimal kept in its width; not a template argument."""
    labels = set(re.findall(r"\bcase\s+(0[xX][0-9A-Fa-f]+|\d+)\s*:", code))
    for m in re.finditer(r"(?<![\w.])(0[xX][0-9A-Fa-f]+|\d+)([uUlL]*)(?![\w.'>])", code):
        digits = m.group(1)
        value = int(digits, 0)
        moved = value - 1 if value > 0 else 1
        if digits.lower().startswith("0x"):
            written = f"{digits[:2]}{moved:0{len(digits) - 2}X}"
        else:
            written = str(moved)
        if digits in labels and any(int(label, 0) == moved for label in labels):
            continue  # a duplicate case label does not compile
        yield "lit", m.start(1), m.end(1), written


def guard_sites(text, code):
    """An if whose statement leaves (return, throw, break, continue): the whole guard dropped, and each clause of
    a guard made of alternatives dropped on its own."""
    for m in re.finditer(r"\bif\s*\(", code):
        open_at = m.end() - 1
        close_at = matching(code, open_at)
        if close_at < 0:
            continue
        k = close_at + 1
        while k < len(code) and code[k].isspace():
            k += 1
        body_end = matching(code, k) if code[k:k + 1] == "{" else code.find(";", k)
        if body_end < 0 or not re.search(r"\b(return|throw|break|continue)\b", code[k:body_end + 1]):
            continue
        yield "guard", open_at + 1, close_at, "false"
        clauses = top_level_split(code, open_at + 1, close_at, " || ")
        if len(clauses) > 1:
            for i in range(len(clauses)):
                rest = [text[a:b].strip() for j, (a, b) in enumerate(clauses) if j != i]
                yield "clause", open_at + 1, close_at, " || ".join(rest)


def enclosing(code, at):
    """The bracket around offset `at` and where it is ("", -1 at file level)."""
    depth = 0
    for k in range(at - 1, -1, -1):
        if code[k] in ")]}":
            depth += 1
        elif code[k] in "([{":
            if depth == 0:
                return code[k], k
            depth -= 1
    return "", -1


def list_sites(text, code):
    """Entries left out of a brace list, one at a time: a list of values that initialises something or is a call's
    argument or a loop's range, or a table of records; not the fields of one record."""
    for open_at in (m.start() for m in re.finditer(r"\{", code)):
        close_at = matching(code, open_at)
        if close_at < 0 or ";" in code[open_at:close_at]:
            continue  # a block, not a list
        parts = [(a, b) for a, b in top_level_split(code, open_at + 1, close_at, ",") if code[a:b].strip()]
        if len(parts) < 2:
            continue
        records = [code[a:b].strip().startswith("{") for a, b in parts]
        before = code[:open_at].rstrip()[-1:]
        outer = enclosing(code, open_at)[0]
        if all(records):
            listed = before in ("=", "{")
        elif not any(records):
            listed = before in ("=", ":") or (before in ("(", ",") and outer == "(")
        else:
            listed = False
        if not listed:
            continue
        for i, (a, b) in enumerate(parts):
            # The entry with the comma and blanks after it; the last one takes the comma before it.
            if i + 1 < len(parts):
                start, end = a, parts[i + 1][0]
                while code[end] in " \t":
                    end += 1
                while code[start] in " \t\n":
                    start += 1
            else:
                start, end = parts[i - 1][1], b
            yield "list", start, end, ""


def case_sites(text, code):
    """A label left out of a group of case labels that share one statement."""
    label_pattern = r"\bcase\s+(?:\w+::)*\w+\s*:(?!:)[ \t]*"
    for group in re.finditer(f"(?:{label_pattern}\\s*){{2,}}", code):
        for label in re.finditer(label_pattern, group.group(0)):
            yield "case", group.start() + label.start(), group.start() + label.end(), ""


SITES = [relational_sites, logical_sites, literal_sites, guard_sites, list_sites, case_sites]


def line_of(text, offset):
    return text.count("\n", 0, offset) + 1


def one_line(snippet, width=90):
    flat = " ".join(snippet.split())
    return flat if len(flat) <= width else flat[: width - 3] + "..."


def finish(mutant, text, seen):
    """Fills in where the mutant is, what it changes and its id (the file, the kind and the text of the lines
    before and after, so that the id survives edits elsewhere)."""
    first = text.rfind("\n", 0, mutant.start) + 1
    last = text.find("\n", mutant.end)
    last = len(text) if last < 0 else last
    before = text[first:last]
    after = before[: mutant.start - first] + mutant.replacement + before[mutant.end - first:]
    mutant.line = line_of(text, mutant.start)
    mutant.before, mutant.after = one_line(before), one_line(after)
    key = f"{mutant.path}|{mutant.kind}|{' '.join(before.split())}|{' '.join(after.split())}"
    seen[key] = seen.get(key, 0) + 1
    mutant.id = hashlib.sha1(f"{key}|{seen[key]}".encode()).hexdigest()[:8]
    return mutant


def sample_of(by_kind, header):
    """The file's share of its sites: in each kind the ones with the lowest ids (a hash of their lines), the kinds
    taken in turn."""
    logic = sum(len(sites) for kind, sites in by_kind.items() if kind in LOGIC_KINDS)
    budget = 1 if header else max(MIN_PER_FILE, min(MAX_PER_FILE, round(logic / SITES_PER_MUTANT)))
    queues = [sorted(by_kind[kind], key=lambda m: m.id) for kind in KIND_ORDER if kind in by_kind]
    taken = []
    while len(taken) < budget and any(queues):
        for queue in queues:
            if queue and len(taken) < budget:
                taken.append(queue.pop(0))
    return taken


def read_data_file(path, fields):
    entries = []
    if not path.exists():
        return entries
    for number, raw in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        if not raw.strip() or raw.lstrip().startswith("#"):
            continue
        parts = [p.strip() for p in raw.split(" | ")]
        if len(parts) != fields or not all(parts):
            sys.exit(f"{path.name}:{number}: expected {fields} fields separated by ' | '")
        entries.append((number, parts))
    return entries


def all_mutants(sample=True):
    """The mutant set: per file and kind the sites with the lowest hash (every site with sample=False), then the
    pinned ones."""
    chosen, problems = [], []
    for source in sorted(CORE.glob("*.cpp")) + sorted(CORE.glob("*.h")):
        rel = source.relative_to(ROOT).as_posix()
        text = source.read_text(encoding="utf-8")
        code = code_only(text)
        seen, by_kind = {}, {}
        for finder in SITES:
            for kind, start, end, replacement in finder(text, code):
                if source.suffix == ".h" and kind not in HEADER_KINDS:
                    continue
                mutant = finish(Mutant(rel, kind, start, end, replacement), text, seen)
                by_kind.setdefault(kind, []).append(mutant)
        chosen.extend(sample_of(by_kind, source.suffix == ".h") if sample else sum(by_kind.values(), []))
    for number, (rel, original, replacement) in read_data_file(PINNED, 3):
        path = ROOT / rel
        text = path.read_text(encoding="utf-8") if path.exists() else ""
        found = [m.start() for m in re.finditer(re.escape(original), text)]
        if len(found) != 1:
            problems.append(f"{PINNED.name}:{number}: `{original}` found {len(found)} times in {rel}")
            continue
        chosen.append(finish(Mutant(rel, "pinned", found[0], found[0] + len(original), replacement), text, {}))
    unique = {}
    for m in chosen:
        unique.setdefault((m.path, m.start, m.end, m.replacement), m)
    ordered = sorted(unique.values(), key=lambda m: (m.path, m.start, m.kind))
    return ordered, problems


class Build:
    """The incremental build under build/mutation and the commands that remake the test program around one
    mutated file."""

    def __init__(self, directory, jobs):
        self.dir = directory
        self.jobs = jobs
        self.ccache = shutil.which("ccache")
        self.lld = shutil.which("ld.lld")

    def prepare(self):
        if not (self.dir / "build.ninja").exists():
            configure = ["cmake", "-S", str(ROOT), "-B", str(self.dir), "-G", "Ninja", "-DCMAKE_BUILD_TYPE=",
                         "-DCMAKE_EXPORT_COMPILE_COMMANDS=ON"]
            if self.ccache:
                configure.append(f"-DCMAKE_CXX_COMPILER_LAUNCHER={self.ccache}")
            run_checked(configure)
        run_checked(["cmake", "--build", str(self.dir), "--target", "core_tests", "-j", str(self.jobs)])
        entries = json.loads((self.dir / "compile_commands.json").read_text())
        self.compile = {}
        for entry in entries:
            args = shlex.split(entry["command"]) if "command" in entry else entry["arguments"]
            obj = args[args.index("-o") + 1]
            if not obj.startswith("CMakeFiles/core_tests.dir/") and not obj.startswith("CMakeFiles/varnel_core.dir/"):
                continue
            self.compile[str(Path(entry["file"]).resolve())] = (args, obj)
        commands = subprocess.run(["ninja", "-C", str(self.dir), "-t", "commands", "core_tests"], check=True,
                                  capture_output=True, text=True).stdout.splitlines()
        # CMake writes the link as ": && c++ ... && :".
        link = [part for part in commands[-1].split(" && ") if part.strip() != ":"]
        if len(link) != 1:
            sys.exit(f"mutate: cannot read the link command: {commands[-1]}")
        link = shlex.split(link[0])
        core_objects = [obj for args, obj in self.compile.values() if obj.startswith("CMakeFiles/varnel_core.dir/")]
        self.link = []
        for arg in link:
            if arg.endswith("libvarnel_core.a"):
                self.link.extend(sorted(core_objects))
            else:
                self.link.append(arg)
        if self.lld:
            self.link.insert(1, "-fuse-ld=lld")

    def includers(self, header):
        """The sources whose objects read the header."""
        deps = subprocess.run(["ninja", "-C", str(self.dir), "-t", "deps"], check=True, capture_output=True,
                              text=True).stdout
        result, current = [], None
        target = str(header.resolve())
        for raw in deps.splitlines():
            if raw and not raw.startswith(" "):
                current = raw.split(":")[0]
            elif current and raw.strip() and str((self.dir / raw.strip()).resolve()) == target:
                for source, (args, obj) in self.compile.items():
                    if obj == current:
                        result.append(source)
        return result

    def compile_command(self, source, mutated_source, obj, overlay=None):
        args, _ = self.compile[source]
        out, skip = [], 0
        for arg in args:
            if skip:
                skip -= 1
                continue
            if arg in ("-MD", "-MMD"):
                continue
            if arg in ("-MT", "-MF", "-o", "-c"):
                skip = 1
                continue
            if self.ccache and Path(arg).name == "ccache":
                continue
            out.append(arg)
        if overlay:
            out.insert(1, f"-I{overlay}")
        out += ["-o", str(obj), "-c", str(mutated_source)]
        return ([self.ccache] if self.ccache else []) + out

    def link_command(self, replaced, binary):
        out, k = [], 0
        while k < len(self.link):
            arg = self.link[k]
            if arg == "-o":
                out += ["-o", str(binary)]
                k += 2
                continue
            out.append(str(replaced.get(arg, arg)))
            k += 1
        return out


CHILDREN = set()
CHILDREN_LOCK = threading.Lock()
INTERRUPTED = threading.Event()


def run_limited(command, timeout, cwd):
    """Runs a command in its own process group; (exit code or None on timeout, output)."""
    with CHILDREN_LOCK:
        if INTERRUPTED.is_set():
            return -1, "interrupted"
        process = subprocess.Popen(command, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
                                   errors="replace", start_new_session=True)
        CHILDREN.add(process)
    try:
        output, _ = process.communicate(timeout=timeout)
        return process.returncode, output
    except subprocess.TimeoutExpired:
        os.killpg(process.pid, signal.SIGKILL)
        output, _ = process.communicate()
        return None, output
    finally:
        with CHILDREN_LOCK:
            CHILDREN.discard(process)


def run_checked(command):
    code, output = run_limited(command, 3600, ROOT)
    if code != 0:
        sys.exit(f"mutate: {' '.join(command)} failed:\n{output}")


def apply(text, mutant):
    return text[: mutant.start] + mutant.replacement + text[mutant.end:]


def test_one(build, mutant, test_timeout):
    """Compiles, links and runs one mutant; returns (verdict, detail). Its folder is named after the mutant, so
    that ccache finds the same compilation again in the next run, and is removed afterwards."""
    work = build.dir / "mutants" / mutant.id
    shutil.rmtree(work, ignore_errors=True)
    try:
        return try_mutant(build, mutant, work, test_timeout)
    finally:
        shutil.rmtree(work, ignore_errors=True)


def try_mutant(build, mutant, work, test_timeout):
    source = (ROOT / mutant.path).resolve()
    mutated = apply(source.read_text(encoding="utf-8"), mutant)
    replaced = {}
    if source.suffix == ".h":
        overlay = work / "overlay"
        target = overlay / source.relative_to(ROOT / "src")
        target.parent.mkdir(parents=True)
        target.write_text(mutated, encoding="utf-8")
        jobs = [(s, Path(s), overlay) for s in build.includers(source)]
    else:
        copy = work / "src" / mutant.path
        copy.parent.mkdir(parents=True)
        copy.write_text(mutated, encoding="utf-8")
        jobs = [(str(source), copy, None)]
    for k, (original, compiled, overlay) in enumerate(jobs):
        obj = work / f"{k}.o"
        code, output = run_limited(build.compile_command(original, compiled, obj, overlay), 300, build.dir)
        if code != 0:
            return "stillborn", one_line(output, 200)
        replaced[build.compile[original][1]] = obj
    binary = work / "core_tests"
    code, output = run_limited(build.link_command(replaced, binary), 300, build.dir)
    if code != 0:
        return "stillborn", one_line(output, 200)
    code, output = run_limited([str(binary)], test_timeout, build.dir)
    if code is None:
        return "killed", "timed out"
    if code == 0:
        return "survived", ""
    failed = re.findall(r"\[  FAILED  \] (\S+)", output)
    if failed:
        return "killed", failed[0]
    # A sanitizer or a bounds check ended the run inside the test that was running.
    running = re.findall(r"\[ RUN      \] (\S+)", output)
    stop = re.search(r"AddressSanitizer: [\w-]+|runtime error: [^\n]{0,60}|Assertion '[^']*' failed", output)
    return "killed", " ".join(filter(None, [running[-1] if running else "", stop.group(0) if stop else f"exit {code}"]))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--min-score", type=float, default=95.0, help="fail below this share of killed mutants")
    parser.add_argument("--jobs", type=int, default=2, help="mutants tried at once (default 2)")
    parser.add_argument("--only", help="only mutants whose file:line or id contains this text")
    parser.add_argument("--list", action="store_true", help="list the mutants and stop")
    parser.add_argument("--all", action="store_true", help="every site, not the fixed sample")
    parser.add_argument("--quiet", action="store_true", help="print only the survivors and the score")
    parser.add_argument("--check-equivalents", action="store_true", help="also run the mutants listed as equivalent")
    parser.add_argument("--build-dir", type=Path, default=ROOT / "build" / "mutation")
    options = parser.parse_args()

    started = time.monotonic()
    mutants, problems = all_mutants(sample=not options.all)
    equivalent = {parts[0]: parts for _, parts in read_data_file(EQUIVALENT, 4)}
    known = {m.id for m in all_mutants(sample=False)[0]} | {m.id for m in mutants}
    problems += [f"{EQUIVALENT.name}: {i} ({parts[1]}) is no mutant any more" for i, parts in equivalent.items()
                 if i not in known]
    if options.only:
        mutants = [m for m in mutants if options.only in f"{m.path}:{m.line}" or options.only == m.id]
    if options.list:
        for m in mutants:
            print(f"{m.id} {m.describe()}" + ("  (equivalent)" if m.id in equivalent else ""))
        print(f"{len(mutants)} mutants over {len({m.path for m in mutants})} files")
        return 0
    for problem in problems:
        print(f"warning: {problem}")

    build = Build(options.build_dir.resolve(), max(1, options.jobs))
    build.prepare()
    baseline = time.monotonic()
    code, output = run_limited([str(build.dir / "core_tests"), "--gtest_brief=1"], 600, build.dir)
    if code != 0:
        sys.exit(f"mutate: the core tests fail without any mutant:\n{output}")
    test_timeout = max(20.0, 20 * (time.monotonic() - baseline))

    to_run = [m for m in mutants if options.check_equivalents or m.id not in equivalent]
    results = {}

    def work(mutant):
        verdict, detail = test_one(build, mutant, test_timeout)
        if INTERRUPTED.is_set():
            return
        results[mutant.id] = (verdict, detail)
        if not options.quiet:
            print(f"{verdict:9} {mutant.describe()}" + (f"  ({detail})" if detail else ""), flush=True)

    def stop(signum, frame):
        raise KeyboardInterrupt

    # Set explicitly: a shell starts background commands with Ctrl-C ignored.
    signal.signal(signal.SIGTERM, stop)
    signal.signal(signal.SIGINT, stop)
    pool = ThreadPoolExecutor(max_workers=build.jobs)
    try:
        for future in [pool.submit(work, m) for m in to_run]:
            future.result()
    except KeyboardInterrupt:
        INTERRUPTED.set()
        pool.shutdown(wait=False, cancel_futures=True)
        with CHILDREN_LOCK:
            for process in list(CHILDREN):
                try:
                    os.killpg(process.pid, signal.SIGKILL)
                except ProcessLookupError:
                    pass
        print("mutate: interrupted; the sources were never changed", file=sys.stderr)
        return 130
    pool.shutdown()

    survivors = [m for m in to_run if results[m.id][0] == "survived" and m.id not in equivalent]
    stillborn = [m for m in to_run if results[m.id][0] == "stillborn"]
    wrongly_equivalent = [m for m in to_run if m.id in equivalent and results[m.id][0] == "killed"]
    counted = [m for m in mutants if m.id not in equivalent and results.get(m.id, ("",))[0] in ("killed", "survived")]
    killed = len(counted) - len(survivors)
    score = 100.0 * killed / len(counted) if counted else 0.0
    elapsed = time.monotonic() - started

    if not options.quiet:
        print()
    print(f"mutation run: {len(mutants)} mutants over {len({m.path for m in mutants})} files: {killed} killed, "
          f"{len(survivors)} survived, {sum(m.id in equivalent for m in mutants)} equivalent (not counted), "
          f"{len(stillborn)} did not compile (not counted)")
    for m in survivors:
        print(f"  survived {m.id} {m.describe()}")
    for m in wrongly_equivalent:
        print(f"  listed as equivalent but killed: {m.id} {m.describe()}")
    print(f"score {score:.1f} % of {len(counted)} (minimum {options.min_score:g} %), "
          f"{int(elapsed // 60)} min {int(elapsed % 60)} s with {build.jobs} at once")
    if len(counted) == 0 or score < options.min_score or wrongly_equivalent:
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
