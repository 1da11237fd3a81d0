#!/usr/bin/env python3
"""Reads a packed book configuration the way a player does, with nothing but
the standard library, and prints what it found as JSON (read_packed_config.py
CONFIG):

  {"entries": [...], "comment": "...", "methods": [...], "crc_ok": true,
   "elements": [[path, text, {attributes}], ...]}   (document order)
"""
import base64
import io
import json
import sys
import xml.etree.ElementTree as ET
import zipfile

KEY = b"vellumkeystone"


def rc4(key, data):
    s = list(range(256))
    j = 0
    for i in range(256):
        j = (j + s[i] + key[i % len(key)]) % 256
        s[i], s[j] = s[j], s[i]
    i = j = 0
    out = bytearray()
    for byte in data:
        i = (i + 1) % 256
        j = (j + s[i]) % 256
        s[i], s[j] = s[j], s[i]
        out.append(byte ^ s[(s[i] + s[j]) % 256])
    return bytes(out)


def walk(element, path, out):
    here = path + "/" + element.tag if path else element.tag
    out.append([here, element.text or "", dict(element.attrib)])
    for child in element:
        walk(child, here, out)


def main():
    raw = open(sys.argv[1], "rb").read()
    root = ET.fromstring(raw)
    assert root.tag == "data" and len(root) == 0 and not root.attrib
    packed = rc4(KEY, base64.b64decode(root.text or "", validate=True))
    archive = zipfile.ZipFile(io.BytesIO(packed))
    result = {
        "declaration": raw.startswith(b'<?xml version="1.0" encoding="UTF-8"?>'),
        "cdata": raw.count(b"<![CDATA[") == 1,
        "entries": archive.namelist(),
        "comment": archive.comment.decode(),
        "methods": [info.compress_type for info in archive.infolist()],
        "crc_ok": archive.testzip() is None,
        "dates": [list(info.date_time) for info in archive.infolist()],
        "elements": [],
    }
    walk(ET.fromstring(archive.read("config.xml")), "", result["elements"])
    json.dump(result, sys.stdout)


main()
