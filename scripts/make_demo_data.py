#!/usr/bin/env python3
# Writes examples/ste_data.dat, the demo engine data file, from the workable
# engines of examples/sample-engines.json as 184-byte little-endian records.
import json
import pathlib
import struct

ROOT = pathlib.Path(__file__).resolve().parent.parent
FIELDS = ["conrod", "mcrank", "eccrod", "eccrad", "angadv", "pintoslot", "ctoweighh", "ctoweighv", "larad",
          "reserved", "liftlink", "linkpins", "circdisp", "raddisp", "stlap", "exlap", "port"]


def record(engine):
    name = engine["name"].encode("cp1252")[:29]
    data = name + b"\0" * (32 - len(name))
    data += struct.pack("<17d", *(float(engine[f]) for f in FIELDS))
    data += struct.pack("<iid", engine["valveType"], engine["rockerType"], float(engine["rockerRatio"]))
    assert len(data) == 184
    return data


def main():
    engines = json.loads((ROOT / "examples" / "sample-engines.json").read_text())["engines"]
    workable = [e for e in engines if e["role"].startswith("workable")]
    (ROOT / "examples" / "ste_data.dat").write_bytes(b"".join(record(e) for e in workable))
    print(f"wrote {len(workable)} engines")


if __name__ == "__main__":
    main()
