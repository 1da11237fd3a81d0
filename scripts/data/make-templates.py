#!/usr/bin/env python3
"""Writes the templates and styles Foliant ships into resources/AppFiles.

For every template: Templates/<T>/flashTemplate.xml (the property tree with its
captions and help texts), index.html (a shell the book player fills),
icon.png and history/. For every style: Styles/<T>/<S>/tmplSetting.txt,
the pictures its settings name (images/*.jpg, and the six panorama faces
b d f l r u for "Panoramic"), and shot.jpg, a drawn preview, only where the
style has none: the real previews are renderings by the book player
(scripts/style_shots.mjs), which this script never overwrites. With
--placeholder-shots it draws every preview anew.

The player files (swfobject.js, Main.swf, playerProductInstall.swf,
TmplData/book.swf) are written into the build tree by the web build, not here.

Images are drawn with ImageMagick; every random texture is seeded, so running
the script twice gives the same files. Usage: scripts/data/make-templates.py
"""
import math
import os
import subprocess
import sys
from xml.sax.saxutils import escape

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
APPFILES = os.path.join(ROOT, "resources", "AppFiles")

BUTTONS = [
    ("Zoom", "Zoom button", "Lets readers enlarge a page."),
    ("AutoPlay", "Auto-play button", "Starts and stops automatic page turning."),
    ("BackgroundSound", "Music button", "Switches the background music on and off."),
    ("Info", "Information button", "Opens the panel with the author and the book's description."),
    ("Bookmark", "Bookmark button", "Lets readers mark pages and return to them."),
    ("Thumbnail", "Thumbnails button", "Shows small pictures of all pages for quick jumps."),
    ("FullScreen", "Full-screen button", "Shows the book on the whole screen."),
    ("Help", "Help button", "Explains how to turn pages and zoom."),
    ("Share", "Share button", "Offers links to share the book."),
    ("Print", "Print button", "Prints the pages on screen."),
    ("Download", "Download button", "Offers the file chosen under \"File to download\"."),
]


def P(key, ptype, title, desc, value="", source="", atitle=None, children=None):
    return dict(key=key, type=ptype, title=title, desc=desc, value=value, source=source, atitle=atitle,
                children=children or [])


def G(key, title, desc, children):
    return P(key, "pt_composite", title, desc, "", "", None, children)


def tree(v):
    """The property tree shared by every template; `v` holds the template's own values."""
    return [
        G("grpBook", "Book", "The book's title, its author and the size of its pages.", [
            P("Title", "pt_text", "Title", "Shown in the player's title bar and in the browser tab.", v["Title"]),
            P("AuthorName", "pt_text", "Author", "Your name or your organisation's, shown in the information panel.",
              "Foliant"),
            P("AuthorEmail", "pt_text", "E-mail address",
              "Address readers can write to from the information panel. Leave empty to show none."),
            P("AuthorWebSite", "pt_text", "Web site",
              "Your web address, shown in the information panel. Leave empty to show none."),
            P("AuthorInfo", "pt_text", "About this book",
              "A sentence or two about the book, shown in the information panel and used as the description "
              "of the mobile edition."),
            P("pageWidth", "pt_number", "Page width (pixels)",
              "Width of one page. Importing a PDF sets it from the document's first page; choosing another "
              "template or style keeps it.", "800"),
            P("pageHeight", "pt_number", "Page height (pixels)",
              "Height of one page. Importing a PDF sets it from the document's first page; choosing another "
              "template or style keeps it.", "1066"),
            P("languageSetting", "pt_list", "Player language",
              "Language of the player's buttons and tips. Choosing another template or style keeps it.",
              "English", "English,Deutsch,Fran\u00e7ais,Espa\u00f1ol"),
            P("direction", "pt_list", "Reading direction",
              "Right: the book opens to the right and pages turn from right to left, as in English. "
              "Left: for books in right-to-left scripts such as Arabic or Hebrew.", "Right", "Right,Left"),
        ]),
        G("grpLogo", "Logo", "A small picture of yours in a corner of the player.", [
            P("LogoFile", "pt_file", "Logo picture",
              "PNG, JPEG or GIF picture. A PNG with a transparent background looks best. Leave empty for no logo.",
              "", "Images|*.png;*.jpg;*.gif"),
            P("ShowLogo", "pt_list", "Show the logo", "Yes shows the logo picture; No hides it without forgetting it.",
              "Yes", "Yes,No"),
            P("LogoLink", "pt_text", "Logo link",
              "Web address opened when a reader clicks the logo, for example https://example.org/. "
              "Leave empty to make the logo a plain picture."),
        ]),
        G("grpColours", "Colours", "The colours of the player around the book.", [
            P("BaseColor", "pt_color", "Toolbar colour", "Colour of the player's bars and buttons.", v["BaseColor"]),
        ]),
        G("grpBackground", "Background", "What lies behind the book: a gradient, one colour or a picture.", [
            P("BackgroundType", "pt_list", "Kind of background",
              "GradientColor: a blend from the start colour to the end colour. Color: the plain colour alone. "
              "Image: the background picture, laid over the plain colour.", v["BackgroundType"],
              "GradientColor,Color,Image"),
            P("Color", "pt_color", "Plain colour",
              "The background colour when the kind is Color, and the colour around a background picture.",
              v["Color"]),
            P("GradientStartColor", "pt_color", "Gradient start colour", "First colour of the gradient.",
              v["GradientStartColor"]),
            P("GradientEndColor", "pt_color", "Gradient end colour", "Last colour of the gradient.",
              v["GradientEndColor"]),
            P("GradientAngle", "pt_number", "Gradient angle (degrees)",
              "Direction of the gradient: 90 runs from top to bottom, 0 from left to right.", v["GradientAngle"]),
            P("BgType", "pt_list", "Publish the background picture",
              "Image copies the background picture into the published book; None leaves it out.", v["BgType"],
              "Image,None"),
            P("ImagePath", "pt_file", "Background picture",
              "JPEG, PNG or GIF picture behind the book, used when the kind of background is Image.", "",
              "Images|*.jpg;*.png;*.gif"),
            P("ImgPosition", "pt_list", "Picture placement",
              "Fill covers the window (edges may be cut off); Fit shows the whole picture; Stretch distorts it "
              "to the window; Center keeps its size in the middle; Tile repeats it; TopLeft keeps its size in "
              "the top left corner.", v["ImgPosition"], "Fill,Fit,Stretch,Center,Tile,TopLeft"),
        ]),
        G("grpSound", "Sound", "Music and sounds while the book is open.", [
            P("SoundFile", "pt_file", "Background music",
              "An MP3 file played while the book is open. Leave empty for silence.", "", "Sounds|*.mp3"),
            P("LoopSound", "pt_list", "Repeat the music", "Yes plays the music again and again; No plays it once.",
              "Yes", "Yes,No"),
            P("PlayFlipSound", "pt_bool", "Page-turn sound", "A soft rustle whenever a page turns.",
              v["PlayFlipSound"], atitle="Play a sound when a page turns"),
        ]),
        G("grpFlip", "Page turning", "How the book moves.", [
            P("Enable", "pt_bool", "Automatic page turning",
              "Turns the pages by itself when the book opens; readers can stop it with the auto-play button.",
              "No", atitle="Turn pages automatically"),
            P("Interval", "pt_number", "Seconds per page", "Time each page stays open during automatic turning.",
              "3"),
            P("loop", "pt_number", "Start again at the end",
              "1: after the last page, automatic turning starts again from the first. 0: it stops there.", "0"),
            P("AutoScale", "pt_bool", "Fit to the window",
              "Scales the book so that it fills the browser window at any size.", "Yes",
              atitle="Scale the book to the window"),
            P("PerPageThickness", "pt_number", "Page thickness (pixels)",
              "How thick each sheet looks at the edge of the book.", v["PerPageThickness"]),
            P("TiltAngle", "pt_number", "Tilt angle (degrees)",
              "Tilts the book backwards for a three-dimensional look; 0 shows it flat.", v["TiltAngle"]),
        ]),
        G("grpButtons", "Buttons", "Show or hide each button of the player's toolbar.",
          [P(key, "pt_list", title, desc + " Hide removes the button.", "Show", "Show,Hide")
           for key, title, desc in BUTTONS] + [
              P("DownloadFile", "pt_file", "File to download",
                "Offered by the download button, for example the original PDF. Leave empty to offer nothing.", "",
                "Documents|*.pdf;*.zip;*.epub")]),
        G("grpSharing", "Sharing and statistics", "Counting readers and sharing the book.", [
            P("GoogleID", "pt_text", "Analytics ID",
              "Web-analytics property ID (for example G-XXXXXXX) to count readers. Leave empty for no tracking."),
            P("ShareID", "pt_text", "Sharing account", "Account ID of your sharing service, used by the share button."),
        ]),
        G("grpMobile", "Mobile edition", "Used only by the HTML5 edition for phones and tablets.", [
            P("bookTitle", "pt_text", "Title on phones", "Title of the page that shows the book on phones.",
              v["Title"]),
            P("link", "pt_text", "Logo link on phones", "Web address opened when a phone reader taps the logo."),
            P("GoogleAnalytics", "pt_text", "Analytics ID on phones",
              "Web-analytics property ID for the mobile edition. Leave empty for no tracking."),
        ]),
    ]


def property_xml(p, depth):
    pad = "  " * depth
    attrs = ' type="%s"' % p["type"]
    if p["type"] == "pt_bool":
        attrs += ' aType="bool"'
    out = [pad + "<property%s>" % attrs]
    for name, field in (("key", "key"), ("title", "title"), ("desc", "desc"), ("value", "value"),
                        ("valueSource", "source"), ("defaultValue", "value")):
        out.append("%s  <%s>%s</%s>" % (pad, name, escape(p[field]), name))
    if p["atitle"] is not None:
        out.append("%s  <aTitle>%s</aTitle>" % (pad, escape(p["atitle"])))
    if p["children"]:
        out.append(pad + "  <childProperties>")
        for child in p["children"]:
            out.extend(property_xml(child, depth + 2))
        out.append(pad + "  </childProperties>")
    out.append(pad + "</property>")
    return out


def metadata_xml(name, values, default_style):
    lines = ['<?xml version="1.0" encoding="UTF-8"?>',
             "<flashTemplate>",
             "  <info>",
             "    <htmlPath>index.html</htmlPath>",
             "    <swfPath>Main.swf</swfPath>",
             "    <defaultStyle>%s</defaultStyle>" % escape(default_style),
             "    <macAppFilesFolder>MacApp</macAppFilesFolder>",
             "    <mobileTmplFilesPath>../TmplData/mobile</mobileTmplFilesPath>",
             "  </info>",
             "  <properties>"]
    for p in tree(values):
        lines.extend(property_xml(p, 2))
    lines += ["  </properties>", "</flashTemplate>", ""]
    return "\n".join(lines)


def keys_of(nodes):
    for p in nodes:
        yield p["key"]
        yield from keys_of(p["children"])


HTML = """<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>${index.title}</title>
<meta name="keywords" content="${meta.keywords}">
<meta name="description" content="${meta.description}">
<style>
html, body { margin: 0; height: 100%%; background: %s; }
#foliant-book { position: fixed; inset: 0; }
</style>
<script src="files/swfobject.js"></script>
</head>
<body>
<div id="foliant-book"></div>
</body>
</html>
"""

# ---- Templates and styles ---------------------------------------------------

TEMPLATES = {
    "float": dict(
        page="#dfe7ef",
        values=dict(Title="A Foliant book", BaseColor="0x2f4f6f", BackgroundType="GradientColor", Color="0x9fb8cf",
                    GradientStartColor="0xdfe9f3", GradientEndColor="0x9fb8cf", GradientAngle="90", BgType="None",
                    ImgPosition="Fill", PlayFlipSound="Yes", PerPageThickness="1", TiltAngle="0"),
        default="Blank",
        styles={
            "Blank": {},
            "Sunset": dict(BaseColor="0x5a1f3d", GradientStartColor="0xffb36b", GradientEndColor="0x7a2e5c",
                           Color="0x7a2e5c", GradientAngle="90"),
            "Ocean": dict(BaseColor="0x0b4f6c", BackgroundType="Image", BgType="Image", Color="0x0b3d5c",
                          ImagePath="STYLE_RESOURCE:images/waves.jpg", ImgPosition="Fill",
                          GradientStartColor="0x5fa8c8", GradientEndColor="0x0b3d5c"),
        },
    ),
    "Panoramic": dict(
        page="#7fa7c9",
        values=dict(Title="A Foliant book", BaseColor="0x3a4a5a", BackgroundType="Color", Color="0x7fa7c9",
                    GradientStartColor="0xbcd6ec", GradientEndColor="0x7fa7c9", GradientAngle="90", BgType="None",
                    ImgPosition="Fill", PlayFlipSound="Yes", PerPageThickness="1", TiltAngle="8"),
        default="Meadow",
        styles={
            "Meadow": dict(panorama=("#7fb3e0", "#d8ecfb", "#6e9f4a", "#3f6b2a", "#4f7f37")),
            "Dusk": dict(BaseColor="0x3b2340", Color="0x2a1e3a",
                         panorama=("#2a1e3a", "#f29e6b", "#3a2f4a", "#1d1626", "#2b2238")),
            "Snow": dict(BaseColor="0x46627a", Color="0xdfe8f0",
                         panorama=("#a9c3dc", "#f1f6fb", "#e9eef3", "#c9d4de", "#d7e0e8")),
        },
    ),
    "Gallery": dict(
        page="#141414",
        values=dict(Title="A Foliant book", BaseColor="0x2b2b2b", BackgroundType="Color", Color="0x161616",
                    GradientStartColor="0x2a2a2a", GradientEndColor="0x0a0a0a", GradientAngle="90", BgType="None",
                    ImgPosition="Fill", PlayFlipSound="No", PerPageThickness="2", TiltAngle="0"),
        default="Charcoal",
        styles={
            "Charcoal": {},
            "Midnight": dict(BaseColor="0x1c3a4a", BackgroundType="GradientColor", GradientStartColor="0x2c5364",
                             GradientEndColor="0x0f2027", Color="0x0f2027", GradientAngle="90"),
            "Velvet": dict(BaseColor="0x4a0d1c", BackgroundType="Image", BgType="Image", Color="0x1a0309",
                           ImagePath="STYLE_RESOURCE:images/velvet.jpg", ImgPosition="Fill"),
        },
    ),
    "Paper": dict(
        page="#f7f5f0",
        values=dict(Title="A Foliant book", BaseColor="0x555555", BackgroundType="Color", Color="0xf7f5f0",
                    GradientStartColor="0xffffff", GradientEndColor="0xeae6dc", GradientAngle="90", BgType="None",
                    ImgPosition="Tile", PlayFlipSound="No", PerPageThickness="0", TiltAngle="0"),
        default="Plain",
        styles={
            "Plain": {},
            "Linen": dict(BaseColor="0x6b5e4a", BackgroundType="Image", BgType="Image", Color="0xede6d6",
                          ImagePath="STYLE_RESOURCE:images/linen.jpg", ImgPosition="Tile"),
            "Kraft": dict(BaseColor="0x3e2f1c", BackgroundType="Image", BgType="Image", Color="0xb9935f",
                          ImagePath="STYLE_RESOURCE:images/kraft.jpg", ImgPosition="Tile"),
        },
    ),
}


def im(*args):
    subprocess.run(["convert", *[str(a) for a in args]], check=True)


def hexcolor(value):
    return "#" + value[2:]


def settings_file(values):
    """The settings-file format: line feed and carriage return before every entry."""
    return "".join("\n\r%s=%s" % (k, v) for k, v in values.items()).encode("utf-8")


# ---- Pictures -----------------------------------------------------------------

def draw_textures(style_dir, image):
    os.makedirs(os.path.join(style_dir, "images"), exist_ok=True)
    out = os.path.join(style_dir, "images", image)
    if image == "waves.jpg":
        # Bands of swell, lighter towards the horizon, each a wavy polygon.
        w, h = 1280, 800
        args = ["-size", "%dx%d" % (w, h), "gradient:#cfeaf5-#5fa8c8"]
        bands = 9
        for n in range(bands):
            t = n / (bands - 1)
            top = h * (0.30 + 0.70 * t * t)
            amp = 6 + 26 * t
            pts = ["%d,%d" % (x, top + amp * math.sin(x / w * (6 + 3 * n) + n * 1.7)) for x in range(0, w + 1, 8)]
            shade = tuple(int(c0 + (c1 - c0) * t) for c0, c1 in zip((95, 168, 200), (5, 40, 61)))
            args += ["-fill", "#%02x%02x%02x" % shade, "-draw", "polygon 0,%d %s %d,%d" % (h, " ".join(pts), w, h)]
        im(*args, "-blur", "0x1.2", "-quality", "84", out)
    elif image == "velvet.jpg":
        # Folds of cloth: seeded plasma turned into shades of one deep red, darker at the edges.
        im("-size", "1280x800", "-seed", "11", "plasma:", "-colorspace", "gray", "-blur", "0x24", "-auto-level", "-colorspace", "sRGB", "-type", "TrueColor",
           "(", "-size", "1x256", "gradient:#2a0510-#b0344f", ")", "-clut",
           "(", "-size", "1280x800", "radial-gradient:#00000000-#00000080", ")", "-compose", "over", "-composite",
           "-quality", "84", out)
    elif image == "linen.jpg":
        im("-size", "256x256", "xc:#ede6d6", "-seed", "3", "-attenuate", "0.6", "+noise", "Gaussian",
           "-motion-blur", "0x4+0", "-motion-blur", "0x3+90", "-modulate", "100,40", "-quality", "88", out)
    elif image == "kraft.jpg":
        im("-size", "256x256", "xc:#b9935f", "-seed", "5", "-attenuate", "0.8", "+noise", "Gaussian",
           "-blur", "0x0.7", "-modulate", "100,70", "-quality", "88", out)
    return out


def draw_panorama(style_dir, palette):
    """Six cube faces: sky above a ring of hills that joins up across the four sides."""
    sky_top, sky_low, hill_far, ground, hill_near = palette
    size = 512

    def ridge(k, base, terms):
        # Height of the ridge at each column, from the angle that column looks
        # at, so that neighbouring faces meet at the same height.
        pts = []
        for x in range(0, size + 1, 4):
            theta = k * math.pi / 2 + math.atan(2 * x / size - 1)
            y = base - sum(a * math.sin(f * theta + p) for a, f, p in terms)
            pts.append("%d,%.1f" % (x, y * size))
        return "polygon 0,%d %s %d,%d" % (size, " ".join(pts), size, size)

    # Faces around the viewer in turn; each spans a quarter turn.
    for k, face in enumerate(["f", "r", "b", "l"]):
        im("-size", "%dx%d" % (size, size), "gradient:%s-%s" % (sky_top, sky_low),
           "-fill", hill_far, "-draw", ridge(k, 0.56, [(0.07, 3, 0), (0.04, 5, 1.3)]),
           "-fill", hill_near, "-draw", ridge(k, 0.66, [(0.05, 2, 0.7), (0.03, 7, 2.1)]),
           "-quality", "82", os.path.join(style_dir, face + ".jpg"))
    im("-size", "%dx%d" % (size, size), "radial-gradient:%s-%s" % (sky_low, sky_top), "-quality", "82",
       os.path.join(style_dir, "u.jpg"))
    im("-size", "%dx%d" % (size, size), "radial-gradient:%s-%s" % (hill_near, ground), "-quality", "82",
       os.path.join(style_dir, "d.jpg"))


def draw_shot(style_dir, name, values, background):
    """A small picture of the book as the style shows it: background, spread and bars."""
    w, h = 320, 200
    base = hexcolor(values["BaseColor"])
    kind = values["BackgroundType"]
    if background:
        bg = ["(", background, "-resize", "%dx%d^" % (w, h), "-gravity", "center", "-extent", "%dx%d" % (w, h),
              ")"]
        if values.get("ImgPosition") == "Tile":
            bg = ["(", "-size", "%dx%d" % (w, h), "tile:" + background, ")"]
    elif kind == "GradientColor":
        bg = ["(", "-size", "%dx%d" % (w, h),
              "gradient:%s-%s" % (hexcolor(values["GradientStartColor"]), hexcolor(values["GradientEndColor"])), ")"]
    else:
        bg = ["(", "-size", "%dx%d" % (w, h), "xc:%s" % hexcolor(values["Color"]), ")"]
    pw, ph = 74, 100
    x0, y0 = w // 2 - pw, 38
    spread = ["-fill", "#00000055", "-draw", "rectangle %d,%d %d,%d" % (x0 + 3, y0 + 4, x0 + 2 * pw + 3, y0 + ph + 4),
              "-fill", "#fdfcf9", "-draw", "rectangle %d,%d %d,%d" % (x0, y0, x0 + 2 * pw, y0 + ph),
              "-fill", "#d9d6cf", "-draw", "line %d,%d %d,%d" % (x0 + pw, y0, x0 + pw, y0 + ph)]
    for side in (0, 1):
        left = x0 + side * pw + 9
        spread += ["-fill", "#b9b5ad", "-draw", "rectangle %d,%d %d,%d" % (left, y0 + 10, left + 40, y0 + 15)]
        for line in range(7):
            y = y0 + 24 + line * 9
            spread += ["-fill", "#d5d2cb", "-draw", "rectangle %d,%d %d,%d" % (left, y, left + pw - 18, y + 3)]
    # As the book player dresses each template (web/src/player/themes.mjs).
    chrome = {"float": "float", "Panoramic": "float", "Gallery": "slim", "Paper": "classic"}[name]
    if chrome == "float":
        bars = ["-fill", base, "-draw", "roundrectangle %d,%d %d,%d 8,8" % (w // 2 - 70, h - 34, w // 2 + 70, h - 12)]
        for i in range(6):
            cx = w // 2 - 50 + i * 20
            bars += ["-fill", "#ffffffcc", "-draw", "circle %d,%d %d,%d" % (cx, h - 23, cx + 4, h - 23)]
    elif chrome == "classic":
        bars = ["-fill", base, "-draw", "rectangle 0,0 %d,22" % w, "-draw", "rectangle 0,%d %d,%d" % (h - 24, w, h),
                "-fill", "#ffffffb0", "-draw", "rectangle 10,8 90,13"]
        for i in range(8):
            cx = 24 + i * 22
            bars += ["-fill", "#ffffffb0", "-draw", "circle %d,%d %d,%d" % (cx, h - 12, cx + 4, h - 12)]
    else:
        bars = ["-fill", base, "-draw", "roundrectangle 8,40 28,160 6,6"]
        for i in range(5):
            cy = 54 + i * 22
            bars += ["-fill", "#ffffffcc", "-draw", "circle 18,%d 22,%d" % (cy, cy)]
    im(*bg, *spread, *bars, "-quality", "86", os.path.join(style_dir, "shot.jpg"))


def draw_icon(path, name):
    s = 64
    if name == "float":
        args = ["-size", "%dx%d" % (s, s), "gradient:#dfe9f3-#7f9fbf",
                "-fill", "#00000040", "-draw", "roundrectangle 10,22 56,52 4,4",
                "-fill", "#ffffff", "-draw", "polygon 8,16 32,20 32,48 8,44", "-draw", "polygon 32,20 56,16 56,44 32,48",
                "-fill", "#2f4f6f", "-draw", "roundrectangle 18,54 46,60 3,3"]
    elif name == "Panoramic":
        args = ["-size", "%dx%d" % (s, s), "gradient:#7fb3e0-#d8ecfb",
                "-fill", "#6e9f4a", "-draw", "polygon 0,44 14,34 28,40 44,30 64,40 64,64 0,64",
                "-fill", "#3f6b2a", "-draw", "polygon 0,54 20,46 40,52 64,46 64,64 0,64",
                "-fill", "#ffffff", "-draw", "polygon 16,20 32,24 32,44 16,40", "-draw", "polygon 32,24 48,20 48,40 32,44"]
    elif name == "Gallery":
        args = ["-size", "%dx%d" % (s, s), "xc:#161616",
                "-fill", "none", "-stroke", "#8a7a5a", "-strokewidth", "3", "-draw", "rectangle 8,10 56,54",
                "-stroke", "none", "-fill", "#f3f0e8", "-draw", "rectangle 14,16 31,48", "-draw", "rectangle 33,16 50,48",
                "-fill", "#fff7d0", "-draw", "circle 32,5 35,5"]
    else:
        args = ["-size", "%dx%d" % (s, s), "xc:#f7f5f0",
                "-fill", "#00000022", "-draw", "polygon 17,11 51,11 51,57 17,57",
                "-fill", "#ffffff", "-stroke", "#c9c4b8", "-draw", "polygon 14,8 40,8 48,16 48,54 14,54",
                "-stroke", "none", "-fill", "#e2ddd1", "-draw", "polygon 40,8 48,16 40,16",
                "-fill", "#c9c4b8", "-draw", "rectangle 20,24 42,26", "-draw", "rectangle 20,32 42,34",
                "-draw", "rectangle 20,40 34,42"]
    im(*args, "-define", "png:exclude-chunks=date,time", path)


def main():
    redraw_shots = "--placeholder-shots" in sys.argv[1:]
    for name, t in TEMPLATES.items():
        tdir = os.path.join(APPFILES, "Templates", name)
        os.makedirs(os.path.join(tdir, "history"), exist_ok=True)
        with open(os.path.join(tdir, "flashTemplate.xml"), "w", encoding="utf-8", newline="\n") as f:
            f.write(metadata_xml(name, t["values"], t["default"]))
        with open(os.path.join(tdir, "index.html"), "w", encoding="utf-8", newline="\n") as f:
            f.write(HTML % t["page"])
        with open(os.path.join(tdir, "history", "history.js"), "w", encoding="utf-8", newline="\n") as f:
            f.write("// Browser history is kept by the book player itself; this folder is the place\n"
                    "// for a template's own additions to it.\n")
        draw_icon(os.path.join(tdir, "icon.png"), name)
        known = set(keys_of(tree(t["values"])))
        for style, overrides in t["styles"].items():
            sdir = os.path.join(APPFILES, "Styles", name, style)
            os.makedirs(sdir, exist_ok=True)
            overrides = dict(overrides)
            panorama = overrides.pop("panorama", None)
            unknown = set(overrides) - known
            if unknown:
                sys.exit("style %s/%s names keys its template lacks: %s" % (name, style, sorted(unknown)))
            with open(os.path.join(sdir, "tmplSetting.txt"), "wb") as f:
                f.write(settings_file(overrides))
            values = dict(t["values"], **overrides)
            background = None
            if panorama:
                draw_panorama(sdir, panorama)
                background = os.path.join(sdir, "f.jpg")
            elif overrides.get("ImagePath", "").startswith("STYLE_RESOURCE:images/"):
                background = draw_textures(sdir, overrides["ImagePath"].split("/")[-1])
            if redraw_shots or not os.path.exists(os.path.join(sdir, "shot.jpg")):
                draw_shot(sdir, name, values, background)
    print("templates written to", APPFILES)


if __name__ == "__main__":
    main()
