#!/usr/bin/env python3
"""JUCE's own base64 form of a memory block ("<size>.<chars>", six bits at a
time, least significant first), which JUCE's LV2 client keeps its state in.
  juce_state.py preset <blob> <plugin uri> <bundle dir>   writes an LV2 preset bundle "Fixture"
  juce_state.py decode <state.ttl>                         prints the XML of the stored state"""
import re, sys, pathlib

TABLE = ".ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+"

def encode(data: bytes) -> str:
    value = int.from_bytes(data, "little")
    chars = (len(data) * 8 + 5) // 6
    return f"{len(data)}." + "".join(TABLE[(value >> (6 * i)) & 63] for i in range(chars))

def decode(text: str) -> bytes:
    size, _, body = text.partition(".")
    value = 0
    for i, c in enumerate(body):
        value |= TABLE.index(c) << (6 * i)
    return (value & ((1 << (8 * int(size))) - 1)).to_bytes(int(size), "little")

def xml_of(blob: bytes) -> str:
    assert blob[:4] == b"VC2!", "not a state blob"
    n = int.from_bytes(blob[4:8], "little")
    return blob[8:8 + n].decode("utf-8")

if sys.argv[1] == "preset":
    blob, uri, bundle = pathlib.Path(sys.argv[2]).read_bytes(), sys.argv[3], pathlib.Path(sys.argv[4])
    bundle.mkdir(parents=True, exist_ok=True)
    prefixes = ("@prefix lv2: <http://lv2plug.in/ns/lv2core#> .\n"
                "@prefix pset: <http://lv2plug.in/ns/ext/presets#> .\n"
                "@prefix rdfs: <http://www.w3.org/2000/01/rdf-schema#> .\n"
                "@prefix state: <http://lv2plug.in/ns/ext/state#> .\n\n")
    (bundle / "manifest.ttl").write_text(prefixes +
        f"<urn:tessaline:test:fixture> a pset:Preset ;\n\tlv2:appliesTo <{uri}> ;\n\trdfs:seeAlso <fixture.ttl> .\n")
    (bundle / "fixture.ttl").write_text(prefixes +
        f"<urn:tessaline:test:fixture> a pset:Preset ;\n\tlv2:appliesTo <{uri}> ;\n\trdfs:label \"Fixture\" ;\n"
        f"\tstate:state [ <{uri}:StateString> \"{encode(blob)}\" ] .\n")
elif sys.argv[1] == "decode":
    text = pathlib.Path(sys.argv[2]).read_text()
    match = re.search(r':StateString>\s+"([^"]+)"', text)
    assert match, "no JUCE state in " + sys.argv[2]
    print(xml_of(decode(match.group(1))))
