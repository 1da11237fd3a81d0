#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets into fuzz/corpus/<target>/.

    fuzz/make_corpus.py            (re)writes every seed folder

Seeds are small on purpose: the fuzzer grows them. PDFs come from the import
tests' generator; the rest is written here or copied from shipped resources.
"""
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
CORPUS = os.path.join(HERE, "corpus")


def seed(target, name, data):
    folder = os.path.join(CORPUS, target)
    os.makedirs(folder, exist_ok=True)
    if isinstance(data, str):
        data = data.encode("utf-8")
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def page_ranges():
    for i, text in enumerate(["ALL", "1-3,5", "3,1,2,2", "1-", "-4", "2-1", "1 , 7-9,x", "1-2000000000", "0,-1"]):
        seed("fuzz_page_range", "r%d" % i, bytes([10 + i, 0]) + text.encode())


def text_templates():
    seed("fuzz_text_template", "page", "<title>${index.title}</title>\n<p> ${title} ${bookWidth}x${bookHeight}</p>\n")
    seed("fuzz_text_template", "adjacent", "${a}${title} rest ${unclosed")
    seed("fuzz_text_template", "plain", "   no placeholders at all\n")


def swf_rect(values, bits=16):
    stream = format(bits, "05b") + "".join(format(v & ((1 << bits) - 1), "0%db" % bits) for v in values)
    stream += "0" * (-len(stream) % 8)
    return bytes(int(stream[i:i + 8], 2) for i in range(0, len(stream), 8))


def swf_files():
    # header: signature, version, length; body: frame rect, rate, count, tags
    body = swf_rect([0, 12000, 0, 16000]) + struct.pack("<HH", 12 << 8, 1)
    tags = struct.pack("<H", (9 << 6) | 3) + b"\xff\xff\xff"  # SetBackgroundColor
    tags += struct.pack("<H", 1 << 6)  # ShowFrame
    tags += struct.pack("<H", 0)  # End
    movie = body + tags
    plain = b"FWS" + bytes([8]) + struct.pack("<I", 8 + len(movie)) + movie
    seed("fuzz_swf_reader", "plain.swf", plain)
    seed("fuzz_swf_reader", "zlib.swf", b"CWS" + bytes([8]) + struct.pack("<I", 8 + len(movie)) + zlib.compress(movie))
    seed("fuzz_swf_reader", "truncated.swf", plain[:15])


def settings_files():
    styles = os.path.join(ROOT, "resources", "AppFiles", "Styles", "float")
    for style in sorted(os.listdir(styles)):
        path = os.path.join(styles, style, "tmplSetting.txt")
        if os.path.getsize(path):
            shutil.copy(path, os.path.join(CORPUS, "fuzz_settings_file", style))
    seed("fuzz_settings_file", "utf16", "\ufeffpageWidth=1\nbgColor=0x123456\n".encode("utf-16-le"))
    seed("fuzz_settings_file", "odd", "=\n==\nkey\r\nbgColor=\r\n")


def template_metadata():
    shutil.copy(os.path.join(ROOT, "resources", "AppFiles", "Templates", "float", "flashTemplate.xml"),
                os.path.join(CORPUS, "fuzz_template_meta", "float.xml"))
    seed("fuzz_template_meta", "tiny.xml",
         '<template><info><htmlPath>index.html</htmlPath></info><properties>'
         '<property key="pageWidth" value="600" type="number"/>'
         '<group key="g"><property key="bgColor" value="0xffffff" type="color"/></group>'
         '</properties></template>')


def page_lists():
    seed("fuzz_page_list_merge", "pages.xml",
         '<?xml version="1.0" encoding="UTF-8"?>\n<pages>\n'
         '<page index="1" normal="files/page/1.jpg" thumb="files/thumb/1.jpg"><![CDATA[one]]></page>\n'
         '<page index="2" normal="files/page/2.swf"/>\n</pages>\n')
    seed("fuzz_page_list_merge", "broken.xml", "<pages><page index='1'></pages")


def pdfs():
    with tempfile.TemporaryDirectory() as tmp:
        subprocess.run([sys.executable, os.path.join(ROOT, "tests", "data", "make_pdfs.py"), tmp], check=True)
        for name in sorted(os.listdir(tmp)):
            path = os.path.join(tmp, name)
            if name.endswith(".pdf") and 0 < os.path.getsize(path) <= 24 * 1024:
                for target in ("fuzz_pdf_document", "fuzz_pdf_render"):
                    os.makedirs(os.path.join(CORPUS, target), exist_ok=True)
                    shutil.copy(path, os.path.join(CORPUS, target, name))


def main():
    if os.path.isdir(CORPUS):
        shutil.rmtree(CORPUS)
    for target in ("fuzz_settings_file", "fuzz_template_meta"):
        os.makedirs(os.path.join(CORPUS, target), exist_ok=True)
    page_ranges()
    text_templates()
    swf_files()
    settings_files()
    template_metadata()
    page_lists()
    pdfs()


if __name__ == "__main__":
    main()
