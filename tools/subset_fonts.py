#!/usr/bin/python3
"""Regenerate the two embedded typeface files from Debian's fonts-inter.

The window's text uses two weights of Inter: SemiBold (600) as the book face
and ExtraBold (800) as the bold face. Both are cut down to the characters the
interface draws, keeping their CFF outlines, kerning and metrics, and the
licence text is copied beside them.

Usage: tools/subset_fonts.py [output-dir]   (default: resources/fonts)
"""
import pathlib
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

SOURCE_DIR = pathlib.Path("/usr/share/fonts/opentype/inter")
COPYRIGHT = pathlib.Path("/usr/share/doc/fonts-inter/copyright")

FACES = {
    "Inter-SemiBold.otf": "InterSemiBold.otf",
    "Inter-ExtraBold.otf": "InterExtraBold.otf",
}

# Printable ASCII without the grave accent, the middle dot, typographic quotes,
# the bullet, the fraction slash and the minus sign.
CODEPOINTS = ([c for c in range(0x20, 0x60)] + [c for c in range(0x61, 0x7F)]
              + [0xB7, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2044, 0x2212])


def subset_face(source: pathlib.Path, target: pathlib.Path) -> None:
    options = subset.Options()
    options.layout_features = ["kern", "liga", "calt", "case", "tnum"]
    options.name_IDs = ["*"]
    options.name_languages = ["*"]
    options.notdef_outline = True
    options.glyph_names = False
    options.hinting = True
    options.desubroutinize = False

    font = TTFont(str(source))
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=CODEPOINTS)
    subsetter.subset(font)

    covered = set(font.getBestCmap())
    missing = [hex(c) for c in CODEPOINTS if c not in covered]
    if missing:
        sys.exit(f"{source.name} lacks {', '.join(missing)}")
    font.save(str(target))
    print(f"{target}: {target.stat().st_size} bytes, {len(covered)} characters")


def write_licence(target: pathlib.Path) -> None:
    """The OFL text, as Debian records it for the package, with the copyright line."""
    lines = COPYRIGHT.read_text(encoding="utf-8").splitlines()
    copyright_line = next(l for l in lines if l.startswith("Copyright:")).split(":", 1)[1].strip()
    start = lines.index("License: OFL-1.1") + 1
    body = []
    for line in lines[start:]:
        if not line.startswith(" "):
            break
        body.append("" if line.strip() == "." else line[1:])
    target.write_text(f"Inter typeface: Copyright {copyright_line}\n"
                      "Subset for Tessaline from Debian's fonts-inter package.\n\n"
                      "SIL OPEN FONT LICENSE Version 1.1\n\n" + "\n".join(body) + "\n",
                      encoding="utf-8")


def main() -> None:
    out = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "resources/fonts")
    out.mkdir(parents=True, exist_ok=True)
    for source, target in FACES.items():
        subset_face(SOURCE_DIR / source, out / target)
    write_licence(out / "OFL-Inter.txt")


if __name__ == "__main__":
    main()
