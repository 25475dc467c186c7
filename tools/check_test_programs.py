#!/usr/bin/env python3
"""Fails when a program that the tests or the Makefile run would be missing on a
fresh machine: every such program must come from a package that `make deps`
installs (the Makefile's PACKAGES), from a package those depend on directly, or
from a package that every Debian system has (essential, or of priority
"required").

The programs are found where they are started: the commands of the Makefile's
recipes and of the test scripts (each word in a command's place: at the start
of a line, after a pipe, `&&`, `;`, `$(`, `exec`, `timeout N`, `env`, ...), and
the first string of every command list a C++ test starts ("{ "make", ... }",
"std::vector<std::string> { "/usr/bin/jackd", ... }"). A program in a
command's place that is not installed here fails the check too.

Usage: check_test_programs.py <source folder>"""

import os
import re
import shutil
import subprocess
import sys

ROOT = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), ".."))

SHELL_WORDS = {
    "if", "then", "else", "elif", "fi", "for", "in", "do", "done", "while", "until", "case", "esac",
    "function", "break", "continue", "return", "exit", "cd", "echo", "export", "eval", "set", "unset",
    "trap", "wait", "kill", "read", "local", "true", "false", "test", "[", "[[", "]]", "exec", "shift",
    "command", "type", "printf", "source", ".", "{", "}", "!", "pwd", "declare", "readonly", "let",
    "mapfile", "readarray",
}
# Words that put the next word in a command's place.
# Programs are looked up where Debian puts them, never in a developer's own folders.
SYSTEM_PATH = "/usr/sbin:/usr/bin:/sbin:/bin"

PREFIXES = {"exec", "env", "sudo", "nohup", "time", "command", "then", "else", "do", "!", "xvfb-run",
            "flock", "timeout", "eval"}

def packages_of_make_deps():
    out = subprocess.run(["make", "-s", "--no-print-directory", "-C", ROOT, "print-packages"],
                         check=True, capture_output=True, text=True).stdout
    return set(out.split())

def command_words(line):
    """The words of a shell line that stand in a command's place."""
    line = re.sub(r"\$\{[^}]*\}|\$\([A-Za-z_][A-Za-z0-9_]*\)", "VAR", line)   # make and shell variables
    words = []
    # A command kept in a variable (run="xvfb-run -a ..."): its first word.
    for m in re.finditer(r"\b[A-Za-z_]\w*=([\"'])(.*?)\1", line):
        first = m.group(2).split()[:1]
        if first and shutil.which(first[0], path=SYSTEM_PATH):
            words.append(first[0])
    line = re.sub(r"\b([A-Za-z_]\w*)=([\"']).*?\2", r"\1=Q", line)
    line = re.sub(r"\"[^\"]*\"|'[^']*'", "Q", line)                   # quoted arguments
    for segment in re.split(r"\|\||&&|[|;&`]|\$\(|\(|\)", line):
        tokens = segment.split()
        i = 0
        while i < len(tokens):
            t = tokens[i].strip("'\"")
            if re.match(r"^[A-Za-z_][A-Za-z0-9_]*=", t):            # VAR=value before a command
                value = tokens[i].split("=", 1)[1].strip("'\"")
                if value and shutil.which(value, path=SYSTEM_PATH):   # CC=clang-14, run="xvfb-run ..."
                    words.append(value)
                i += 1
                continue
            if t.startswith("$") or t in ("VAR", "Q"):               # a command held in a variable
                i += 1
                continue
            if t.startswith("-") or re.match(r"^\d+(\.\d+)?$", t):  # options and numbers of a prefix
                i += 1
                continue
            if t in ("@", "-", "+"):
                i += 1
                continue
            t = t.lstrip("@-+")
            words.append(t)
            if t in PREFIXES:
                i += 1
                if t in ("timeout", "flock"):                        # their argument comes first
                    while i < len(tokens) and (tokens[i].startswith("-") or t == "flock"):
                        if t == "flock" and not tokens[i].startswith("-"):
                            i += 1
                            break
                        i += 1
                continue
            break
    return words

def shell_lines(path):
    with open(path, encoding="utf-8") as f:
        text = f.read()
    # Python heredocs in test scripts are not shell.
    text = re.sub(r"<<'?(\w+)'?\n.*?\n\1\n", "\n", text, flags=re.S)
    joined = text.replace("\\\n", " ")
    # A comment after a command (a space, then #) is not shell either.
    lines = [re.sub(r"\s#.*$", "", l) for l in joined.splitlines()]
    return [l for l in lines if l.strip() and not l.strip().startswith("#")]

MAKE_TARGETS = ["deps", "build", "run", "test", "asan", "tsan", "fuzz", "gallery", "bench", "lv2bench",
                "install", "install-app", "uninstall-app", "clean"]

def makefile_commands(path):
    """Every recipe line of the Makefile's targets, expanded by make itself (`make -n`)."""
    r = subprocess.run(["make", "-n", "--always-make", "--no-print-directory", "-C", os.path.dirname(path)]
                       + MAKE_TARGETS, capture_output=True, text=True)
    return [l for l in r.stdout.replace("\\\n", " ").splitlines() if l.strip() and not l.startswith("make")]

def cpp_commands(path):
    with open(path, encoding="utf-8") as f:
        text = f.read()
    text = re.sub(r"//.*", "", text)
    found = []
    # The first string of a list that is started as a process.
    for m in re.finditer(r"(?:start|ScopedProcess>|run)\s*\(\s*(?:std::vector<std::string>\s*)?\{\s*\"([^\"]+)\"", text):
        found.append(m.group(1))
    for m in re.finditer(r"std::vector<std::string>\s*\{\s*\"([^\"]+)\"", text):
        found.append(m.group(1))
    return found

def candidates():
    progs = {}
    def add(word, where):
        if not word or word.startswith("$") or word in SHELL_WORDS or word == "VAR":
            return
        if "/" in word and not word.startswith(("/usr/bin/", "/bin/", "/usr/sbin/", "/sbin/")):
            return   # the project's own scripts and built programs
        if not re.match(r"^[A-Za-z0-9_.+/-]+$", word):
            return
        progs.setdefault(word, set()).add(os.path.relpath(where, ROOT))

    makefile = os.path.join(ROOT, "Makefile")
    for line in makefile_commands(makefile):
        for w in command_words(line):
            add(w, makefile)

    for folder, _, files in os.walk(os.path.join(ROOT, "tests")):
        for name in files:
            path = os.path.join(folder, name)
            if name.endswith(".sh"):
                functions = set(re.findall(r"^\s*(\w+)\s*\(\)\s*\{", open(path).read(), flags=re.M))
                for line in shell_lines(path):
                    for w in command_words(line):
                        if w not in functions:
                            add(w, path)
            elif name.endswith((".cpp", ".h")):
                for w in cpp_commands(path):
                    add(w, path)
            elif name == "CMakeLists.txt":
                for m in re.finditer(r"COMMAND\s+([A-Za-z0-9_.+-]+)", open(path).read()):
                    add(m.group(1), path)
    return progs

def owner_package(path):
    for p in (path, os.path.realpath(path)):
        # dpkg records /bin paths; merged-/usr systems find them under /usr/bin.
        for q in ([p, p[4:]] if p.startswith("/usr/bin/") else [p]):
            r = subprocess.run(["dpkg-query", "-S", q], capture_output=True, text=True)
            owners = [l for l in r.stdout.splitlines() if l and not l.startswith("diversion ")]
            if r.returncode == 0 and owners:
                return owners[0].split(":")[0].split(",")[0].strip()
    return None

def accepted_packages(listed):
    accepted = set(listed)
    # What every Debian system has: the essential packages and those of priority "required".
    out = subprocess.run(["dpkg-query", "-W", "-f=${Package} ${Essential} ${Priority}\n"],
                         capture_output=True, text=True).stdout
    accepted |= {l.split()[0] for l in out.splitlines() if " yes " in l + " " or l.endswith(" required")}
    for pkg in listed:
        r = subprocess.run(["dpkg-query", "-W", "-f=${Depends}, ${Pre-Depends}", pkg], capture_output=True, text=True)
        for dep in r.stdout.split(","):
            for alternative in dep.split("|"):
                name = alternative.strip().split(" ")[0].split(":")[0]
                if name:
                    accepted.add(name)
    return accepted

def main():
    listed = packages_of_make_deps()
    accepted = accepted_packages(listed)
    failures = []
    for prog, places in sorted(candidates().items()):
        path = prog if prog.startswith("/") else shutil.which(prog, path=SYSTEM_PATH)
        where = ", ".join(sorted(places))
        if path is None or not os.path.exists(path):
            failures.append(f"{prog} (run in {where}) is not installed: no package of `make deps` provides it")
            continue
        pkg = owner_package(path)
        if pkg is None:
            failures.append(f"{prog} ({path}, run in {where}) belongs to no Debian package")
        elif pkg not in accepted:
            failures.append(f"{prog} ({path}, run in {where}) comes from {pkg}, which `make deps` does not install")
        else:
            print(f"ok   {prog:24} {pkg}")
    for f in failures:
        print("FAIL", f)
    return 1 if failures else 0

if __name__ == "__main__":
    sys.exit(main())
