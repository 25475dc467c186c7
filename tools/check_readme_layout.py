#!/usr/bin/env python3
"""Fails when the README's layout and the source tree differ: every folder it
lists exists, and every top-level folder of the tree is listed.
Usage: check_readme_layout.py <source folder>"""

import os
import re
import sys

root = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), ".."))
text = open(os.path.join(root, "README.md"), encoding="utf-8").read()
section = text.split("## Layout", 1)[1].split("\n## ", 1)[0]
listed = set(re.findall(r"^\s+([A-Za-z0-9_.-]+)/\s", section, flags=re.M))

ignored = {"build"}
tree = {d for d in os.listdir(root)
        if os.path.isdir(os.path.join(root, d)) and not d.startswith(".")
        and not d.startswith("build") and d not in ignored}

problems = [f"README lists {d}/, which is not in the tree" for d in sorted(listed - tree)]
problems += [f"{d}/ is in the tree but not in the README's layout" for d in sorted(tree - listed)]
for p in problems:
    print(p)
sys.exit(1 if problems else 0)
