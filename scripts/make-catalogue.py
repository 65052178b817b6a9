#!/usr/bin/env python3
"""Writes data/msg_cfg.txt (UTF-16LE with byte-order mark, CR LF) from scripts/catalogue_source.txt."""
import pathlib

root = pathlib.Path(__file__).resolve().parent.parent
text = (root / "scripts" / "catalogue_source.txt").read_text(encoding="utf-8")
text = text.replace("\r\n", "\n").replace("\n", "\r\n")
(root / "data" / "msg_cfg.txt").write_bytes(b"\xff\xfe" + text.encode("utf-16-le"))
