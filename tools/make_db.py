#!/usr/bin/python3
"""Creates a SQLite database file from an SQL script: make_db.py schema.sql out.db"""
import os
import sqlite3
import sys

schema, out = sys.argv[1], sys.argv[2]
tmp = out + ".tmp"
if os.path.exists(tmp):
    os.remove(tmp)
con = sqlite3.connect(tmp)
with open(schema, encoding="utf-8") as f:
    con.executescript(f.read())
con.commit()
con.close()
os.replace(tmp, out)
