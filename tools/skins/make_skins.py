#!/usr/bin/python3
"""Writes the skin folder: make_skins.py <Skin/DefaultSkin folder>.

Every module skin_*.py beside this file has a function write(root) that
writes its own files below root with the exact geometry the programs expect.
"""
import importlib.util
import pathlib
import sys

root = pathlib.Path(sys.argv[1])
root.mkdir(parents=True, exist_ok=True)
here = pathlib.Path(__file__).resolve().parent
for path in sorted(here.glob("skin_*.py")):
    found = importlib.util.spec_from_file_location(path.stem, path)
    module = importlib.util.module_from_spec(found)
    found.loader.exec_module(module)
    module.write(root)
(root / ".stamp").write_text("skins written\n")
