#!/usr/bin/env python3
"""Writes the PDFs that the vector page tests convert, using nothing but the
standard library and ImageMagick: raw PDF syntax, a JPEG picture and, when the
system has one, an embedded TrueType font.

    make_pdfs.py OUTDIR   writes OUTDIR/text.pdf and OUTDIR/image.pdf

text.pdf  page 1: US Letter, text in standard and embedded fonts, stroked and
                  filled paths, dashes, a clipped region with stripes.
          page 2: 400 x 300 points with /Rotate 90.
image.pdf page 1: 420 x 595 points, a JPEG photo-like image, the same image
                  clipped to an ellipse, a caption, an image with a soft mask
                  and an axial colour gradient.
dense.pdf page 1: 70,000 small filled squares.
effects.pdf       drawing that a plain path-and-picture converter loses:
          page 1: text under a Multiply rectangle, a highlight annotation with
                  its appearance stream, an opaque and a half-transparent
                  group form, text under a ColorBurn rectangle, a soft mask.
          page 2: a Type3 font whose glyph is a picture.
          page 3: 4 x 4 points.
          page 4: 0.1-point rules and form-field-like boxes.
          page 5: page 1 turned by /Rotate 270, without the annotation.
"""
import importlib.util
import math
import os
import struct
import subprocess
import sys

# ---------------------------------------------------------------- JPEG ----

def encode_jpeg(width, height, pixel, quality=90):
    """Baseline JPEG of pixel(x, y) -> (r, g, b), encoded by ImageMagick."""
    ppm = b"P6 %d %d 255\n" % (width, height) + bytes(
        c for y in range(height) for x in range(width) for c in pixel(x, y))
    return subprocess.run([_CONVERT, "ppm:-", "-sampling-factor", "1x1", "-quality", str(quality), "jpeg:-"],
                          input=ppm, stdout=subprocess.PIPE, check=True).stdout


# The real ImageMagick, not a same-named helper earlier on PATH.
_CONVERT = "/usr/bin/convert" if os.path.exists("/usr/bin/convert") else "convert"


# ----------------------------------------------------------------- PDF ----

# The raw object writer is shared with the import tests' generator.
_base = importlib.util.spec_from_file_location(
    "pdf_base", os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir, "make_pdfs.py"))
_module = importlib.util.module_from_spec(_base)
_base.loader.exec_module(_module)
Pdf = _module.Pdf


def _ttf_widths(data, first, last):
    """Advance widths (per 1000 em) of WinAnsi codes first..last from a TrueType file."""
    num = struct.unpack(">H", data[4:6])[0]
    tables = {}
    for i in range(num):
        tag, _, off, length = struct.unpack(">4sIII", data[12 + 16 * i:28 + 16 * i])
        tables[tag] = (off, length)
    head = tables[b"head"][0]
    units = struct.unpack(">H", data[head + 18:head + 20])[0]
    hhea = tables[b"hhea"][0]
    nmetrics = struct.unpack(">H", data[hhea + 34:hhea + 36])[0]
    hmtx = tables[b"hmtx"][0]
    cmap = tables[b"cmap"][0]
    glyph_of = {}
    for i in range(struct.unpack(">H", data[cmap + 2:cmap + 4])[0]):
        pid, eid, off = struct.unpack(">HHI", data[cmap + 4 + 8 * i:cmap + 12 + 8 * i])
        sub = cmap + off
        if pid == 3 and eid == 1 and struct.unpack(">H", data[sub:sub + 2])[0] == 4:
            segs = struct.unpack(">H", data[sub + 6:sub + 8])[0] // 2
            ends = struct.unpack(">%dH" % segs, data[sub + 14:sub + 14 + 2 * segs])
            p = sub + 16 + 2 * segs
            starts = struct.unpack(">%dH" % segs, data[p:p + 2 * segs])
            deltas = struct.unpack(">%dh" % segs, data[p + 2 * segs:p + 4 * segs])
            ro_pos = p + 4 * segs
            ranges = struct.unpack(">%dH" % segs, data[ro_pos:ro_pos + 2 * segs])
            for code in range(first, last + 1):
                for s in range(segs):
                    if starts[s] <= code <= ends[s]:
                        if ranges[s] == 0:
                            glyph_of[code] = (code + deltas[s]) & 0xFFFF
                        else:
                            gp = ro_pos + 2 * s + ranges[s] + 2 * (code - starts[s])
                            glyph_of[code] = struct.unpack(">H", data[gp:gp + 2])[0]
                        break
            break
    widths = []
    for code in range(first, last + 1):
        g = min(glyph_of.get(code, 0), nmetrics - 1)
        adv = struct.unpack(">H", data[hmtx + 4 * g:hmtx + 4 * g + 2])[0]
        widths.append(round(adv * 1000 / units))
    return widths


def _font_resources(pdf):
    fonts = {
        "F1": pdf.add("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>"),
        "F2": pdf.add("<< /Type /Font /Subtype /Type1 /BaseFont /Times-Bold /Encoding /WinAnsiEncoding >>"),
        "F3": pdf.add("<< /Type /Font /Subtype /Type1 /BaseFont /Courier /Encoding /WinAnsiEncoding >>"),
    }
    ttf = "/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf"
    if os.path.exists(ttf):
        data = open(ttf, "rb").read()
        file_obj = pdf.stream(data, " /Length1 %d" % len(data))
        desc = pdf.add("<< /Type /FontDescriptor /FontName /EmbeddedSerif /Flags 34 /FontBBox [-770 -347 2105 1109] "
                       "/ItalicAngle 0 /Ascent 939 /Descent -236 /CapHeight 729 /StemV 80 /FontFile2 %d 0 R >>"
                       % file_obj)
        widths = " ".join(str(w) for w in _ttf_widths(data, 32, 126))
        fonts["F4"] = pdf.add("<< /Type /Font /Subtype /TrueType /BaseFont /EmbeddedSerif /FirstChar 32 "
                              "/LastChar 126 /Widths [%s] /Encoding /WinAnsiEncoding /FontDescriptor %d 0 R >>"
                              % (widths, desc))
    else:
        fonts["F4"] = fonts["F2"]
    return "<< " + " ".join("/%s %d 0 R" % (k, v) for k, v in fonts.items()) + " >>"


_LOREM = ("Foliant turns a document into a book that readers leaf through on the web. Every page keeps its "
          "vector outlines so that text stays crisp when a reader zooms in, and photographs travel as JPEG "
          "pictures at the chosen quality. ").split()


def _escape(text):
    return text.replace("\\", "\\\\").replace("(", "\\(").replace(")", "\\)")


def _text_page_content():
    ops = ["0.1 0.1 0.35 rg BT /F2 26 Tf 54 730 Td (Vector pages: a test of text and paths) Tj ET"]
    y = 700
    words = _LOREM * 12
    fonts = [("F1", 10.5), ("F4", 11), ("F3", 9), ("F1", 8)]
    w = 0
    for para in range(4):
        name, size = fonts[para]
        ops.append("0 0 0 rg BT /%s %.1f Tf %.1f TL 54 %d Td" % (name, size, size * 1.35, y))
        for _ in range(7):
            line = " ".join(words[w:w + 13])
            w += 13
            ops.append("(%s) '" % _escape(line))
        ops.append("ET")
        y -= int(7 * size * 1.35) + 16
    # Coloured and rotated text.
    ops.append("0.75 0.1 0.1 rg BT /F4 18 Tf 0.866 0.5 -0.5 0.866 380 150 Tm (Rotated 30 degrees) Tj ET")
    # Stroked and filled vector shapes.
    ops.append("q 0.2 0.5 0.8 rg 0 0 0 RG 2 w 60 120 m 140 220 200 60 260 160 c 200 40 l h B Q")
    ops.append("q 0.9 0.6 0.1 RG 6 w 1 J 1 j 300 60 m 360 130 l 420 60 l S Q")
    ops.append("q 0 0.5 0 RG 1.5 w [6 3] 0 d 54 250 m 558 250 l S Q")
    ops.append("q 0.5 0 0.5 RG 0.5 w 440 60 100 70 re S Q")
    # Clipped region: a circle clip holding diagonal stripes.
    k = 0.5523
    cx, cy, r = 490, 160, 45
    circle = ("%.2f %.2f m %.2f %.2f %.2f %.2f %.2f %.2f c %.2f %.2f %.2f %.2f %.2f %.2f c "
              "%.2f %.2f %.2f %.2f %.2f %.2f c %.2f %.2f %.2f %.2f %.2f %.2f c h" % (
                  cx + r, cy, cx + r, cy + k * r, cx + k * r, cy + r, cx, cy + r,
                  cx - k * r, cy + r, cx - r, cy + k * r, cx - r, cy,
                  cx - r, cy - k * r, cx - k * r, cy - r, cx, cy - r,
                  cx + k * r, cy - r, cx + r, cy - k * r, cx + r, cy))
    stripes = " ".join("%d %d m %d %d l" % (cx - 60 + i, cy - 60, cx - 60 + i + 120, cy + 60) for i in
                       range(-120, 121, 12))
    ops.append("q %s W n 0.85 0.1 0.3 RG 4 w %s S Q" % (circle, stripes))
    return "\n".join(ops).encode("latin-1")


def _photo(x, y):
    # A smooth colour field with a few hard edges, like a photograph of shapes.
    r = int(127 + 120 * math.sin(x / 23.0))
    g = int(127 + 120 * math.sin(y / 17.0 + 1))
    b = int(127 + 120 * math.cos((x + y) / 31.0))
    if (x - 100) ** 2 + (y - 80) ** 2 < 40 ** 2:
        r, g, b = 250, 240, 40
    return r, g, b


def make_text_pdf(path):
    pdf = Pdf()
    catalog = pdf.reserve()
    pages = pdf.reserve()
    fonts = _font_resources(pdf)
    c1 = pdf.stream(_text_page_content())
    p1 = pdf.add("<< /Type /Page /Parent %d 0 R /MediaBox [0 0 612 792] /Resources << /Font %s >> /Contents %d 0 R >>"
                 % (pages, fonts, c1))
    c2 = pdf.stream(b"0.9 0.95 1 rg 0 0 400 300 re f 0 0 0.5 rg BT /F1 24 Tf 40 150 Td (Landscape, turned) Tj ET")
    p2 = pdf.add("<< /Type /Page /Parent %d 0 R /MediaBox [0 0 400 300] /Rotate 90 /Resources << /Font %s >> "
                 "/Contents %d 0 R >>" % (pages, fonts, c2))
    pdf.set(pages, "<< /Type /Pages /Kids [%d 0 R %d 0 R] /Count 2 >>" % (p1, p2))
    pdf.set(catalog, "<< /Type /Catalog /Pages %d 0 R >>" % pages)
    pdf.write(path, catalog)


def make_image_pdf(path):
    pdf = Pdf()
    catalog = pdf.reserve()
    pages = pdf.reserve()
    fonts = _font_resources(pdf)
    jpeg = encode_jpeg(200, 160, _photo)
    img = pdf.stream(jpeg, " /Type /XObject /Subtype /Image /Width 200 /Height 160 /ColorSpace /DeviceRGB "
                           "/BitsPerComponent 8 /Filter /DCTDecode", compress=False)
    size = 64
    rgb = bytes(c for y in range(size) for x in range(size) for c in (200, 30, 40 + 3 * x))
    alpha = bytes(max(0, 255 - int(8 * math.hypot(x - 31.5, y - 31.5))) for y in range(size) for x in range(size))
    smask = pdf.stream(alpha, " /Type /XObject /Subtype /Image /Width %d /Height %d /ColorSpace /DeviceGray "
                              "/BitsPerComponent 8" % (size, size))
    soft = pdf.stream(rgb, " /Type /XObject /Subtype /Image /Width %d /Height %d /ColorSpace /DeviceRGB "
                           "/BitsPerComponent 8 /SMask %d 0 R" % (size, size, smask))
    shading = pdf.add("<< /ShadingType 2 /ColorSpace /DeviceRGB /Coords [240 0 400 0] /Extend [true true] "
                      "/Function << /FunctionType 2 /Domain [0 1] /C0 [1 0.2 0] /C1 [0 0.3 1] /N 1 >> >>")
    content = (b"q 300 0 0 240 60 300 cm /Im1 Do Q\n"
               b"q 100 0 0 100 300 140 cm /Im2 Do Q\n"
               b"q 240 250 160 40 re W n /Sh1 sh Q\n"
               b"q 240 230 m 380 230 l 380 60 l 240 60 l h W n 40 0 0 40 220 40 cm 0.2 0.2 0.2 rg 0 0 1 1 re f Q\n"
               b"q 0 0 0 RG 1 w 60 300 300 240 re S Q\n"
               b"q 130 150 m 130 205 91 240 60 240 c 29 240 -10 205 -10 150 c -10 95 29 60 60 60 c "
               b"91 60 130 95 130 150 c h W n 200 0 0 160 -40 70 cm /Im1 Do Q\n"
               b"0 0 0 rg BT /F1 14 Tf 160 120 Td (A picture, whole and clipped) Tj ET\n")
    c = pdf.stream(content)
    p = pdf.add("<< /Type /Page /Parent %d 0 R /MediaBox [0 0 420 595] /Resources << /Font %s /XObject << /Im1 %d 0 R "
                "/Im2 %d 0 R >> /Shading << /Sh1 %d 0 R >> >> /Contents %d 0 R >>"
                % (pages, fonts, img, soft, shading, c))
    pdf.set(pages, "<< /Type /Pages /Kids [%d 0 R] /Count 1 >>" % p)
    pdf.set(catalog, "<< /Type /Catalog /Pages %d 0 R >>" % pages)
    pdf.write(path, catalog)


def make_dense_pdf(path):
    """A plot of 70,000 dots: more drawing operations than one vector frame holds."""
    pdf = Pdf()
    catalog = pdf.reserve()
    pages = pdf.reserve()
    ops = []
    for i in range(70000):
        x = 20 + (i % 350) * 1.6
        y = 20 + (i // 350) * 3.7
        ops.append("%.1f %.1f 1 1 re f" % (x, y + 20 * math.sin(i / 500.0)))
    c = pdf.stream(("0.1 0.3 0.6 rg\n" + "\n".join(ops)).encode("latin-1"))
    p = pdf.add("<< /Type /Page /Parent %d 0 R /MediaBox [0 0 600 800] /Contents %d 0 R >>" % (pages, c))
    pdf.set(pages, "<< /Type /Pages /Kids [%d 0 R] /Count 1 >>" % p)
    pdf.set(catalog, "<< /Type /Catalog /Pages %d 0 R >>" % pages)
    pdf.write(path, catalog)


def make_effects_pdf(path):
    pdf = Pdf()
    catalog = pdf.reserve()
    pages = pdf.reserve()
    fonts = _font_resources(pdf)
    kids = []

    def page(box, content, resources="", extra="", font_extra=""):
        c = pdf.stream(content.encode("latin-1"))
        kids.append(pdf.add("<< /Type /Page /Parent %d 0 R /MediaBox [0 0 %s] /Resources << /Font %s %s >> "
                            "/Contents %d 0 R %s >>" % (pages, box, fonts[:-2] + font_extra + " >>", resources, c,
                                                         extra)))

    lines = " ".join("(%s) '" % _escape(" ".join(_LOREM[i * 9:(i + 1) * 9])) for i in range(3))
    multiply = pdf.add("<< /Type /ExtGState /BM /Multiply >>")
    half = pdf.add("<< /Type /ExtGState /ca 0.5 /CA 0.5 >>")
    burn = pdf.add("<< /Type /ExtGState /BM /ColorBurn >>")
    # A soft mask whose luminosity fades from opaque at the left to clear at the right.
    fade = pdf.add("<< /ShadingType 2 /ColorSpace /DeviceGray /Coords [0 0 120 0] "
                   "/Function << /FunctionType 2 /Domain [0 1] /C0 [1] /C1 [0] /N 1 >> >>")
    mask_group = pdf.stream(b"/Sh0 sh", " /Type /XObject /Subtype /Form /BBox [0 0 120 60] "
                                        "/Matrix [1 0 0 1 280 250] /Group << /S /Transparency /CS /DeviceGray >> "
                                        "/Resources << /Shading << /Sh0 %d 0 R >> >>" % fade)
    masked = pdf.add("<< /Type /ExtGState /SMask << /Type /Mask /S /Luminosity /G %d 0 R >> >>" % mask_group)
    # The highlight's appearance, as editors write it: a Multiply fill in a transparency group.
    hl_rect = (50, 596, 380, 616)
    ap = pdf.stream(("/GS0 gs 1 0.85 0 rg %d %d %d %d re f" % (hl_rect[0], hl_rect[1], hl_rect[2] - hl_rect[0],
                                                                hl_rect[3] - hl_rect[1])).encode(),
                    " /Type /XObject /Subtype /Form /BBox [%d %d %d %d] /Group << /S /Transparency >> "
                    "/Resources << /ExtGState << /GS0 %d 0 R >> >>" % (hl_rect + (multiply,)))
    x1, y1, x2, y2 = hl_rect
    annot = pdf.add("<< /Type /Annot /Subtype /Highlight /F 4 /Rect [%d %d %d %d] /C [1 0.85 0] "
                    "/QuadPoints [%d %d %d %d %d %d %d %d] /AP << /N %d 0 R >> >>"
                    % (x1, y1, x2, y2, x1, y2, x2, y2, x1, y1, x2, y1, ap))
    group = pdf.stream(b"0.1 0.3 0.8 rg 0 0 120 80 re f 0.8 0.1 0.1 rg 60 40 m 150 40 l 105 110 l h f "
                       b"0 0 0 rg BT /F1 14 Tf 10 90 Td (Grouped) Tj ET",
                       " /Type /XObject /Subtype /Form /BBox [0 0 160 120] "
                       "/Group << /S /Transparency /I true /K false >> /Resources << /Font %s >>" % fonts)
    effects = (
         "0 0 0 rg BT /F1 12 Tf 14 TL 50 660 Td %s ET\n"
         "q /Mul gs 0.3 0.8 1 rg 40 640 300 40 re f Q\n"
         "0 0 0 rg BT /F1 12 Tf 14 TL 50 620 Td %s ET\n"
         "q /Half gs 1 0 0 1 60 380 cm /Fm1 Do Q\n"
         "q 1 0 0 1 240 380 cm /Fm1 Do Q\n"
         "0 0 0 rg BT /F1 12 Tf 14 TL 50 300 Td %s ET\n"
         "q /Burn gs 0.9 0.5 0.2 rg 40 260 200 60 re f Q\n"
         "q /Masked gs 0.1 0.6 0.2 rg 280 250 120 60 re f Q\n" % (lines, lines, lines),
         "/ExtGState << /Mul %d 0 R /Half %d 0 R /Burn %d 0 R /Masked %d 0 R >> /XObject << /Fm1 %d 0 R >>"
         % (multiply, half, burn, masked, group))
    page("420 700", *effects, "/Annots [%d 0 R]" % annot)

    size = 24
    face = bytes(c for y in range(size) for x in range(size) for c in (
        (250, 200, 30) if math.hypot(x - 11.5, y - 11.5) < 11 and not (
            (abs(x - 8) < 2 or abs(x - 15) < 2) and 6 < y < 10 or 15 < y < 18 and 6 < x < 17) else
        (60, 30, 10) if math.hypot(x - 11.5, y - 11.5) < 11 else (255, 255, 255)))
    picture = pdf.stream(face, " /Type /XObject /Subtype /Image /Width %d /Height %d /ColorSpace /DeviceRGB "
                               "/BitsPerComponent 8" % (size, size))
    glyph = pdf.stream(b"1000 0 d0 q 1000 0 0 1000 0 -120 cm /Pic Do Q")
    t3 = pdf.add("<< /Type /Font /Subtype /Type3 /FontBBox [0 -120 1000 880] /FontMatrix [0.001 0 0 0.001 0 0] "
                 "/CharProcs << /face %d 0 R >> /Encoding << /Type /Encoding /Differences [65 /face] >> "
                 "/FirstChar 65 /LastChar 65 /Widths [1000] /Resources << /XObject << /Pic %d 0 R >> >> >>"
                 % (glyph, picture))
    page("300 200", "0 0 0 rg BT /F1 24 Tf 30 120 Td (Face: ) Tj /T3 24 Tf (AA) Tj ET "
                    "BT /T3 60 Tf 40 30 Td (A) Tj /F1 60 Tf (x) Tj ET", font_extra="/T3 %d 0 R" % t3)

    tiny = pdf.stream(bytes(c for y in range(4) for x in range(4) for c in ((200, 30, 30) if (x + y) % 2 else
                                                                          (30, 30, 180))),
                      " /Type /XObject /Subtype /Image /Width 4 /Height 4 /ColorSpace /DeviceRGB /BitsPerComponent 8")
    page("4 4", "0.8 0.1 0.1 rg 0 0 4 4 re f 0.1 0.1 0.7 rg 1 1 2 2 re f q 2 0 0 2 2 2 cm /Px Do Q",
         "/XObject << /Px %d 0 R >>" % tiny)
    rules = ["0 0 0 RG 0.1 w"]
    for i in range(8):
        y = 40 + i * 13.3
        rules.append("40 %.2f m 360 %.2f l S" % (y, y))
    for i in range(4):
        rules.append("%.2f 200 70.3 22.7 re S" % (40 + i * 85.2))
    rules.append("0.5 0.5 0.5 RG 200.4 40 m 200.4 160 l S")
    page("400 260", "\n".join(rules))
    page("420 700", *effects, "/Rotate 270")
    pdf.set(pages, "<< /Type /Pages /Kids [%s] /Count %d >>" % (" ".join("%d 0 R" % k for k in kids), len(kids)))
    pdf.set(catalog, "<< /Type /Catalog /Pages %d 0 R >>" % pages)
    pdf.write(path, catalog)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "."
    os.makedirs(out, exist_ok=True)
    make_text_pdf(os.path.join(out, "text.pdf"))
    make_image_pdf(os.path.join(out, "image.pdf"))
    make_dense_pdf(os.path.join(out, "dense.pdf"))
    make_effects_pdf(os.path.join(out, "effects.pdf"))


if __name__ == "__main__":
    main()
