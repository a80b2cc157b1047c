#!/usr/bin/env python3
"""Swaps each pair of adjacent steps of every handler in turn and reports the mutants the tests
do not catch.

A step is one top-level statement of a function body (an if with its else counts as one). For
every function of the handler sources, each pair of neighbouring steps is exchanged in the source
file, the test programs are rebuilt and the tests run; the file is put back afterwards, whatever
happens. A mutant is killed when the build or a test fails, and survives when everything passes.

Usage: swap_steps.py BUILD_DIR SOURCE... [--only FUNCTION] [--test COMMAND]...

Each --test is a command run from the build folder (split at spaces); they run in order and the
first that fails kills the mutant. Without one, ctest runs every test.
"""

import argparse
import pathlib
import re
import subprocess
import sys
import time

# A function definition at namespace scope: a return type, a name, parameters, and the brace on
# the same line, as .clang-format writes it.
DEFINITION = re.compile(r"^[A-Za-z_][\w:<>&*\s]*?\b(\w+)\(([^;{}]*)\)\s*(?:const\s*)?\{\s*$")


def statements(body_lines, first_line):
    """Splits a function body into its top-level statements as (first, last) line numbers."""
    # Comments and string contents cannot open or close anything.
    code = [re.sub(r'"(?:\\.|[^"\\])*"', '""', line.split("//")[0]) for line in body_lines]
    steps = []
    paren = brace = 0
    start = None
    block_closed_at = None  # a block closed at depth 0 ends its step unless an else follows
    for offset, line in enumerate(code):
        number = first_line + offset
        stripped = line.strip()
        if block_closed_at is not None and stripped:
            if not stripped.startswith("else"):
                steps.append((start, block_closed_at))
                start = None
            block_closed_at = None
        for char in line:
            if char.isspace():
                continue
            if block_closed_at == number and char != "}":
                block_closed_at = None  # "} else {": the statement goes on
            if start is None:
                start = number
            if char == "(":
                paren += 1
            elif char == ")":
                paren -= 1
            elif char == "{":
                brace += 1
            elif char == "}":
                brace -= 1
                if brace == 0 and paren == 0:
                    block_closed_at = number
            elif char == ";" and paren == 0 and brace == 0:
                steps.append((start, number))
                start = None
    if block_closed_at is not None:
        steps.append((start, block_closed_at))
    # An else belongs to the if before it.
    merged = []
    for first, last in steps:
        if merged and code[first - first_line].strip().startswith("else"):
            merged[-1] = (merged[-1][0], last)
        else:
            merged.append((first, last))
    return merged


def step_groups(lines, first, last):
    """The steps between lines first and last, and, for each block among them (the branches of an
    if, the body of a loop), the steps inside it: lists of sibling steps, whose neighbours may be
    swapped."""
    steps = statements(lines[first:last + 1], first)
    groups = [steps]
    for step_first, step_last in steps:
        number = step_first
        while number <= step_last:
            if not lines[number].rstrip().endswith("{"):
                number += 1
                continue
            # The line where this block's brace closes, perhaps opening the else block.
            depth, close = 1, number + 1
            while close <= step_last:
                for char in lines[close]:
                    depth += {"{": 1, "}": -1}.get(char, 0)
                    if depth == 0:
                        break
                if depth == 0:
                    break
                close += 1
            if close > number + 1:
                groups += step_groups(lines, number + 1, close - 1)
            number = close if lines[close].rstrip().endswith("{") else close + 1
    return [group for group in groups if len(group) > 1]


def functions(path):
    """The functions of a source file with their groups of steps: (name, [[(first, last), ...]])."""
    lines = path.read_text().splitlines()
    found = []
    index = 0
    while index < len(lines):
        match = DEFINITION.match(lines[index])
        if not match or lines[index].startswith((" ", "\t")):
            index += 1
            continue
        end = index + 1
        while end < len(lines) and lines[end] != "}":
            end += 1
        found.append((match.group(1), step_groups(lines, index + 1, end - 1)))
        index = end + 1
    return found


def swapped(lines, first, second):
    """The file's lines with two adjacent steps exchanged."""
    (a0, a1), (b0, b1) = first, second
    return lines[:a0] + lines[b0:b1 + 1] + lines[a0:a1 + 1] + lines[b1 + 1:]


def run(command, log, cwd=None, seconds=600):
    """The command's exit status; a command still running after the given time (a mutant that
    never ends a loop) is stopped and counts as failed."""
    with open(log, "a") as out:
        out.write("$ " + " ".join(command) + "\n")
        out.flush()
        try:
            return subprocess.run(command, stdout=out, stderr=subprocess.STDOUT, cwd=cwd,
                                  timeout=seconds).returncode
        except subprocess.TimeoutExpired:
            out.write("(stopped after %d s)\n" % seconds)
            return 1


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build_dir")
    parser.add_argument("sources", nargs="+")
    parser.add_argument("--only", help="mutate only this function")
    parser.add_argument("--targets", default="all", help="what to rebuild, comma separated")
    parser.add_argument("--test", action="append", default=[], help="a test command")
    options = parser.parse_args()

    build = pathlib.Path(options.build_dir)
    log = build / "mutants.log"
    log.write_text("")
    build_command = ["cmake", "--build", str(build), "--target"] + options.targets.split(",")
    tests = [command.split() for command in options.test] or [["ctest", "--stop-on-failure"]]

    def failing_test():
        return any(run(command, log, cwd=build, seconds=120) for command in tests)

    if run(build_command, log) or failing_test():
        sys.exit("the unmutated sources do not pass; see " + str(log))

    counts = {"killed by a test": 0, "does not compile": 0, "survived": 0}
    survivors = []
    began = time.monotonic()
    for source in map(pathlib.Path, options.sources):
        original = source.read_text()
        lines = original.splitlines()
        for name, groups in functions(source):
            if options.only and name != options.only:
                continue
            pairs = [pair for steps in groups for pair in zip(steps, steps[1:])]
            for first, second in pairs:
                label = "%s %s: %s  <->  %s" % (source, name, lines[first[0]].strip(),
                                                lines[second[0]].strip())
                try:
                    source.write_text("\n".join(swapped(lines, first, second)) + "\n")
                    if run(build_command, log):
                        verdict = "does not compile"
                    elif failing_test():
                        verdict = "killed by a test"
                    else:
                        verdict = "survived"
                        survivors.append(label)
                finally:
                    source.write_text(original)
                counts[verdict] += 1
                print("%-16s %s" % (verdict, label), flush=True)
    run(build_command, log)

    total = sum(counts.values())
    print()
    print("%d mutants in %.0f s: %s" % (total, time.monotonic() - began,
                                         ", ".join("%d %s" % (n, k) for k, n in counts.items())))
    if survivors:
        print("Survivors:")
        for label in survivors:
            print("  " + label)


if __name__ == "__main__":
    main()
