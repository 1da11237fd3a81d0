#!/usr/bin/env python3
"""Writes the PDF documents the import tests and benchmarks read.

Usage: make_pdfs.py OUTDIR [--large]

Everything is written as raw PDF syntax with the standard library only, so the
files are exactly what the tests expect: known link rectangles, rotations
(one inherited from a page-tree node), a crop box away from the origin, named
destinations in both the name tree and the catalogue's /Dests dictionary, a
nested outline, and real content (text, paths, an image) to render. Broken and
encrypted variants are derived from them; the encrypted ones need qpdf.
"""
import os
import random
import subprocess
import sys
import zlib


class Pdf:
    def __init__(self):
        self.objects = []  # index i holds object number i+1

    def reserve(self):
        self.objects.append(None)
        return len(self.objects)

    def set(self, num, body):
        self.objects[num - 1] = body if isinstance(body, bytes) else body.encode("latin-1")

    def add(self, body):
        num = self.reserve()
        self.set(num, body)
        return num

    def stream(self, data, extra="", compress=True):
        if compress:
            data = zlib.compress(data)
            extra += " /Filter /FlateDecode"
        return self.add(b"<< /Length %d%s >>\nstream\n" % (len(data), extra.encode("latin-1")) + data + b"\nendstream")

    def write(self, path, root, info=None, truncate_at=None):
        out = bytearray(b"%PDF-1.7\n%\xe2\xe3\xcf\xd3\n")
        offsets = []
        for i, body in enumerate(self.objects):
            offsets.append(len(out))
            out += b"%d 0 obj\n" % (i + 1) + body + b"\nendobj\n"
        xref = len(out)
        out += b"xref\n0 %d\n0000000000 65535 f \n" % (len(self.objects) + 1)
        for off in offsets:
            out += b"%010d 00000 n \n" % off
        trailer = "<< /Size %d /Root %d 0 R" % (len(self.objects) + 1, root)
        if info:
            trailer += " /Info %d 0 R" % info
        out += b"trailer\n" + trailer.encode() + b" >>\nstartxref\n%d\n%%%%EOF\n" % xref
        if truncate_at is not None:
            out = out[: int(len(out) * truncate_at)]
        tmp = path + ".tmp"
        with open(tmp, "wb") as f:
            f.write(out)
        os.replace(tmp, path)


def pdf_string(text):
    return "(" + text.replace("\\", "\\\\").replace("(", "\\(").replace(")", "\\)") + ")"


def gradient_image(pdf, w=64, h=64, seed=0):
    rows = bytearray()
    for y in range(h):
        rows += b"".join(bytes(((x * 4 + seed) % 256, (y * 4) % 256, (x + y + seed * 3) % 256)) for x in range(w))
    return pdf.stream(bytes(rows), " /Type /XObject /Subtype /Image /Width %d /Height %d"
                      " /ColorSpace /DeviceRGB /BitsPerComponent 8" % (w, h))


LOREM = ("Lorem ipsum dolor sit amet consectetur adipiscing elit sed do eiusmod tempor incididunt ut labore "
         "et dolore magna aliqua Ut enim ad minim veniam quis nostrud exercitation ullamco laboris nisi").split()


def page_content(number, width, height, lines=8, image=False):
    """Text, a frame, a filled shape, a clipped circle and optionally an image."""
    ops = ["q 0.2 0.3 0.7 rg 36 %d %d 40 re f Q" % (height - 76, width - 72)]
    ops.append("BT /F1 28 Tf 1 1 1 rg 48 %d Td (Page %d) Tj ET" % (height - 66, number))
    rnd = random.Random(number)
    y = height - 110
    for _ in range(lines):
        if y < 60:
            break
        words = " ".join(rnd.choice(LOREM) for _ in range(max(4, (width - 96) // 55)))
        ops.append("BT /F2 11 Tf 0 0 0 rg 48 %d Td %s Tj ET" % (y, pdf_string(words)))
        y -= 16
    ops.append("q 0.8 0.1 0.1 RG 3 w 24 24 %d %d re S Q" % (width - 48, height - 48))
    ops.append("q 0 0 0 rg 60 60 m 160 60 l 110 150 l h f Q")
    ops.append("q 200 60 100 100 re W n 0.1 0.6 0.2 rg 250 110 m 250 180 200 200 180 110 c 160 40 230 30 250 110 c f Q")
    if image:
        ops.append("q 120 0 0 90 %d 60 cm /Im1 Do Q" % max(320, width - 180))
    return "\n".join(ops).encode("latin-1")


def make_document(path, page_defs, outline=None, names=None, old_dests=None, nested=None, truncate_at=None):
    """page_defs: list of dicts with keys size, rotate, crop, annots(list of annot builders), image, lines."""
    pdf = Pdf()
    catalog = pdf.reserve()
    pages_root = pdf.reserve()
    f1 = pdf.add("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica-Bold >>")
    f2 = pdf.add("<< /Type /Font /Subtype /Type1 /BaseFont /Times-Roman >>")
    img = gradient_image(pdf) if any(s.get("image") for s in page_defs) else None
    page_nums = [pdf.reserve() for _ in page_defs]

    # Pages listed in `nested` hang below an intermediate node that carries /Rotate.
    kids_root = []
    sub = None
    if nested:
        sub = pdf.reserve()
    for i, num in enumerate(page_nums):
        if nested and i in nested["pages"]:
            if sub not in kids_root:
                kids_root.append(sub)
        else:
            kids_root.append(num)

    for i, (num, page_def) in enumerate(zip(page_nums, page_defs)):
        w, h = page_def.get("size", (600, 800))
        content = pdf.stream(page_content(i + 1, w, h, page_def.get("lines", 8), page_def.get("image", False)))
        res = "/Font << /F1 %d 0 R /F2 %d 0 R >>" % (f1, f2)
        if img and page_def.get("image"):
            res += " /XObject << /Im1 %d 0 R >>" % img
        parent = sub if nested and i in nested["pages"] else pages_root
        body = "<< /Type /Page /Parent %d 0 R /MediaBox [0 0 %s %s] /Contents %d 0 R /Resources << %s >>" % (
            parent, fmt(w), fmt(h), content, res)
        if "rotate" in page_def:
            body += " /Rotate %s" % page_def["rotate"]
        if "crop" in page_def:
            body += " /CropBox [%s]" % " ".join(fmt(v) for v in page_def["crop"])
        annots = [pdf.add(a(page_nums)) for a in page_def.get("annots", [])]
        if annots:
            body += " /Annots [%s]" % " ".join("%d 0 R" % a for a in annots)
        pdf.set(num, body + " >>")

    if nested:
        kids = [page_nums[i] for i in nested["pages"]]
        pdf.set(sub, "<< /Type /Pages /Parent %d 0 R /Rotate %s /Kids [%s] /Count %d >>" % (
            pages_root, nested["rotate"], " ".join("%d 0 R" % k for k in kids), len(kids)))
    pdf.set(pages_root, "<< /Type /Pages /Kids [%s] /Count %d >>" % (
        " ".join("%d 0 R" % k for k in kids_root), len(page_defs)))

    cat = "<< /Type /Catalog /Pages %d 0 R" % pages_root
    if outline:
        cat += " /Outlines %d 0 R /PageMode /UseOutlines" % build_outline(pdf, outline, page_nums)
    if names:
        pairs = " ".join("%s %s" % (pdf_string(k), v(page_nums)) for k, v in sorted(names.items()))
        tree = pdf.add("<< /Names [%s] >>" % pairs)
        cat += " /Names << /Dests %d 0 R >>" % tree
    if old_dests:
        cat += " /Dests << %s >>" % " ".join("/%s %s" % (k, v(page_nums)) for k, v in old_dests.items())
    pdf.set(catalog, cat + " >>")
    info = pdf.add("<< /Title (Foliant test document) /Producer (make_pdfs.py) >>")
    pdf.write(path, catalog, info, truncate_at)


def fmt(v):
    return ("%d" % v) if float(v).is_integer() else ("%g" % v)


def build_outline(pdf, items, page_nums):
    """items: list of (title, dest_text_builder, children)."""
    root = pdf.reserve()
    first, last, count = add_outline_level(pdf, items, root, page_nums)
    pdf.set(root, "<< /Type /Outlines /First %d 0 R /Last %d 0 R /Count %d >>" % (first, last, count))
    return root


def add_outline_level(pdf, items, parent, page_nums):
    nums = [pdf.reserve() for _ in items]
    total = len(items)
    for i, (title, dest, children) in enumerate(items):
        body = "<< /Title %s /Parent %d 0 R %s" % (title, parent, dest(page_nums))
        if i > 0:
            body += " /Prev %d 0 R" % nums[i - 1]
        if i + 1 < len(items):
            body += " /Next %d 0 R" % nums[i + 1]
        if children:
            f, l, c = add_outline_level(pdf, children, nums[i], page_nums)
            body += " /First %d 0 R /Last %d 0 R /Count %d" % (f, l, c)
            total += c
        pdf.set(nums[i], body + " >>")
    return nums[0], nums[-1], total


def link(rect, action):
    return lambda p: "<< /Type /Annot /Subtype /Link /Rect [%s] /Border [0 0 0] %s >>" % (
        " ".join(fmt(v) for v in rect), action(p))


def uri(u):
    return lambda p: "/A << /S /URI /URI %s >>" % pdf_string(u)


def dest_page(n):
    return lambda p: "/Dest [%d 0 R /XYZ null null null]" % p[n - 1]


def goto(target):
    return lambda p: "/A << /S /GoTo /D %s >>" % target(p)


RECT = (60, 700, 180, 740)  # bounds (60, 700, 120, 40)


def make_links(out):
    pages = [
        {"annots": [link(RECT, uri("http://example.com/one")), link((300, 100, 400, 150), dest_page(3))]},
        {"rotate": 90, "annots": [link(RECT, uri("http://example.com/two"))]},
        {},
        {"annots": [
            link((10, 10, 110, 60), dest_page(2)),
            link((10, 70, 110, 120), lambda p: "/Dest (chap7)"),
            link((10, 130, 110, 180), goto(lambda p: "/Chap9")),
            lambda p: "<< /Type /Annot /Subtype /Text /Rect [0 0 20 20] /Contents (note) >>",
            link((10, 190, 110, 240), lambda p: ""),
            link((180, 740, 60, 700), uri("http://example.com/reversed")),
            link((10, 250, 110, 300), uri("javascript:alert(1)")),
            link((10, 310, 110, 360), lambda p: "/Dest (no-such-name)"),
        ]},
        {"annots": [link(RECT, uri("https://example.org/five"))]},
        {"rotate": 180, "annots": [link(RECT, uri("http://example.com/six"))]},
        {"annots": [link(RECT, uri("http://example.com/seven"))]},  # inherits 270
        {"rotate": 45, "annots": [link(RECT, uri("http://example.com/eight"))]},
        {"size": (800, 900), "crop": (100, 50, 700, 850), "annots": [link((160, 750, 280, 790), uri("http://example.com/nine"))]},
        {"rotate": "90.0", "annots": [link(RECT, uri("http://example.com/ten"))]},
    ]
    outline = [
        ("(A)", dest_page(1), [
            ("(A1)", dest_page(2), []),
            ("(A2)", goto(lambda p: "[%d 0 R /Fit]" % p[4]), [
                ("<FEFF00C4007200730074>", lambda p: "/Dest (chap7)", []),  # UTF-16 title "Ärst"
            ]),
        ]),
        ("(B)", lambda p: "/Dest /Chap9", []),
    ]
    names = {"chap7": lambda p: "<< /D [%d 0 R /Fit] >>" % p[6]}
    old_dests = {"Chap9": lambda p: "[%d 0 R /FitH 700]" % p[8]}
    make_document(os.path.join(out, "links.pdf"), pages, outline, names, old_dests,
                  nested={"pages": [6, 7], "rotate": 270})
    make_document(os.path.join(out, "truncated.pdf"), pages, outline, names, old_dests,
                  nested={"pages": [6, 7], "rotate": 270}, truncate_at=0.55)


def make_sizes(out):
    make_document(os.path.join(out, "sizes.pdf"), [
        {"size": (600, 800), "image": True},
        {"size": (800, 600), "image": True},
        {"size": (500, 500)},
        {"size": (600, 800), "rotate": 90},
    ])
    # A crop box of fractional size, smaller than the media box.
    make_document(os.path.join(out, "cropped.pdf"), [{"size": (700, 900), "crop": (0, 0, 595.5, 842.9)}])


def make_real(out, name, count, links_per_page=0):
    page_defs = []
    for i in range(count):
        annots = []
        for k in range(links_per_page):
            y = 60 + k * 30
            if k % 2:
                annots.append(link((400, y, 560, y + 20), uri("http://example.com/p%d/%d" % (i + 1, k))))
            else:
                annots.append(link((400, y, 560, y + 20), dest_page((i + k) % count + 1)))
        page_defs.append({"size": (612, 792), "lines": 42, "image": i % 3 == 0, "annots": annots})
    outline = [("(Part %d)" % (c + 1), dest_page(c * 10 + 1), [("(Section %d.1)" % (c + 1), dest_page(c * 10 + 2), [])])
               for c in range(min(count // 10, 50))]
    make_document(os.path.join(out, name), page_defs, outline)


def make_text(out):
    """Text that extraction must survive: a ligature, invisible text (the text
    layer of a searchable scan), words beyond the page box, a font whose
    ToUnicode map is garbage, a page without text and a page of about 2 MB of
    text."""
    pdf = Pdf()
    cat = pdf.reserve()
    pages = pdf.reserve()
    font = pdf.add("<< /Type /Font /Subtype /Type1 /BaseFont /Times-Roman >>")
    broken_map = pdf.stream(b"/CIDInit /ProcSet findresource begin begincmap 1 beginbfchar <41> <zz garbage")
    broken = pdf.add("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /ToUnicode %d 0 R >>" % broken_map)
    res = "<< /Font << /F1 %d 0 R /F2 %d 0 R >> >>" % (font, broken)
    big = b"BT /F1 2 Tf 0.032 TL 10 790 Td " + b" ".join(
        b"(%s) '" % " ".join(LOREM[(i + k) % len(LOREM)] for k in range(12)).encode() for i in range(24000)) + b" ET"
    contents = [
        b"BT /F1 24 Tf 60 700 Td (The \256nd of the \256eld) Tj ET\n"
        b"BT 3 Tr /F1 18 Tf 60 600 Td (invisible scanned words) Tj ET\n"
        b"BT /F1 18 Tf -300 500 Td (before the page) Tj 900 0 Td (after the page) Tj ET\n"
        b"BT /F2 18 Tf 60 400 Td (ABC broken map) Tj ET",
        b"0.5 g 100 100 200 200 re f",
        big,
    ]
    kids = []
    for data in contents:
        content = pdf.stream(data)
        kids.append(pdf.add("<< /Type /Page /Parent %d 0 R /MediaBox [0 0 600 800] /Contents %d 0 R /Resources %s >>"
                            % (pages, content, res)))
    pdf.set(pages, "<< /Type /Pages /Kids [%s] /Count %d >>" % (" ".join("%d 0 R" % k for k in kids), len(kids)))
    pdf.set(cat, "<< /Type /Catalog /Pages %d 0 R >>" % pages)
    pdf.write(os.path.join(out, "text.pdf"), cat)


def make_blend(out):
    """Coloured squares over text and over bare paper, blended by Screen and
    Difference on page 1 (modes for which white paper is no neutral backdrop)
    and by Multiply and Normal on page 2, the Screen square drawn again by a
    form on page 3."""
    pdf = Pdf()
    cat = pdf.reserve()
    pages = pdf.reserve()
    font = pdf.add("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>")
    states = {name: pdf.add("<< /Type /ExtGState /BM /%s >>" % name)
              for name in ("Screen", "Difference", "Multiply", "Normal")}
    squares = "BT /F1 18 Tf 20 60 Td (Blend over words) Tj ET " \
              "q /A gs 0.2 0.4 0.9 rg 10 10 80 80 re f Q q /B gs 0.9 0.3 0.1 rg 110 10 80 80 re f Q"
    form = pdf.stream(squares.encode(), " /Type /XObject /Subtype /Form /BBox [0 0 200 100] /Resources << "
                      "/Font << /F1 %d 0 R >> /ExtGState << /A %d 0 R /B %d 0 R >> >>"
                      % (font, states["Screen"], states["Difference"]))
    kids = []
    for content, a, b in ((squares, "Screen", "Difference"), (squares, "Multiply", "Normal"),
                          ("/Fm1 Do", "Normal", "Normal")):
        c = pdf.stream(content.encode())
        kids.append(pdf.add("<< /Type /Page /Parent %d 0 R /MediaBox [0 0 200 100] /Contents %d 0 R /Resources << "
                            "/Font << /F1 %d 0 R >> /ExtGState << /A %d 0 R /B %d 0 R >> /XObject << /Fm1 %d 0 R >> "
                            ">> >>" % (pages, c, font, states[a], states[b], form)))
    pdf.set(pages, "<< /Type /Pages /Kids [%s] /Count %d >>" % (" ".join("%d 0 R" % k for k in kids), len(kids)))
    pdf.set(cat, "<< /Type /Catalog /Pages %d 0 R >>" % pages)
    pdf.write(os.path.join(out, "blend.pdf"), cat)


def make_broken(out):
    with open(os.path.join(out, "empty.pdf"), "wb"):
        pass
    rnd = random.Random(7)
    with open(os.path.join(out, "garbage.pdf"), "wb") as f:
        f.write(bytes(rnd.randrange(256) for _ in range(4096)))
    pdf = Pdf()
    cat = pdf.reserve()
    pages = pdf.add("<< /Type /Pages /Kids [] /Count 0 >>")
    pdf.set(cat, "<< /Type /Catalog /Pages %d 0 R >>" % pages)
    pdf.write(os.path.join(out, "zero_pages.pdf"), cat)
    # A name tree whose keys are not strings, and an outline whose entries loop.
    for name, extra in (("bad_names.pdf", "names"), ("cyclic_outline.pdf", "outline")):
        pdf = Pdf()
        cat = pdf.reserve()
        pages = pdf.reserve()
        page = pdf.reserve()
        annot = pdf.add("<< /Type /Annot /Subtype /Link /Rect [0 0 10 10] /Dest (x) >>")
        pdf.set(page, "<< /Type /Page /Parent %d 0 R /MediaBox [0 0 600 800] /Annots [%d 0 R] >>" % (pages, annot))
        pdf.set(pages, "<< /Type /Pages /Kids [%d 0 R] /Count 1 >>" % page)
        if extra == "names":
            tree = pdf.add("<< /Names [5 (x) 6 (y)] >>")
            pdf.set(cat, "<< /Type /Catalog /Pages %d 0 R /Names << /Dests %d 0 R >> >>" % (pages, tree))
        else:
            root = pdf.reserve()
            item = pdf.reserve()
            pdf.set(item, "<< /Title (loop) /Parent %d 0 R /Next %d 0 R /First %d 0 R /Dest [%d 0 R /Fit] >>"
                    % (root, item, item, page))
            pdf.set(root, "<< /First %d 0 R /Count 1 >>" % item)
            pdf.set(cat, "<< /Type /Catalog /Pages %d 0 R /Outlines %d 0 R >>" % (pages, root))
        pdf.write(os.path.join(out, name), cat)
    # A page tree naming an object that does not exist between two pages:
    # three pages are counted, two can be read.
    pdf = Pdf()
    cat = pdf.reserve()
    pages = pdf.reserve()
    font = pdf.add("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>")
    kids = []
    for words in ("first page words", "second page words"):
        content = pdf.stream(b"BT /F1 24 Tf 50 700 Td (%s) Tj ET" % words.encode())
        kids.append(pdf.add("<< /Type /Page /Parent %d 0 R /MediaBox [0 0 600 800] /Contents %d 0 R "
                            "/Resources << /Font << /F1 %d 0 R >> >> >>" % (pages, content, font)))
    pdf.set(pages, "<< /Type /Pages /Kids [%d 0 R 999 0 R %d 0 R] /Count 3 >>" % tuple(kids))
    pdf.set(cat, "<< /Type /Catalog /Pages %d 0 R >>" % pages)
    pdf.write(os.path.join(out, "hole.pdf"), cat)
    src = os.path.join(out, "sizes.pdf")
    for name, user in (("encrypted_user.pdf", "secret"), ("encrypted_open.pdf", "")):
        subprocess.run(["qpdf", "--encrypt", user, "owner-pass", "256", "--", src, os.path.join(out, name)],
                       check=True)


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    make_links(out)
    make_sizes(out)
    make_real(out, "real100.pdf", 100)
    make_broken(out)
    make_text(out)
    make_blend(out)
    if "--large" in sys.argv:
        make_real(out, "large2000.pdf", 2000, links_per_page=6)


if __name__ == "__main__":
    main()
