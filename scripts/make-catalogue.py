#!/usr/bin/env python3
"""Writes data/msg_cfg.txt (UTF-16LE with byte-order mark, CR LF) from scripts/catalogue_source.txt.

An argument names another file to write instead (the tests compare it with data/msg_cfg.txt)."""
import pathlib
import sys

root = pathlib.Path(__file__).resolve().parent.parent
text = (root / "scripts" / "catalogue_source.txt").read_text(encoding="utf-8")
text = text.replace("\r\n", "\n").replace("\n", "\r\n")
target = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else root / "data" / "msg_cfg.txt"
target.write_bytes(b"\xff\xfe" + text.encode("utf-16-le"))
