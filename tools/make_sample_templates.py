#!/usr/bin/env python3
"""Writes the sample slip templates of resources/投注单文件/ and a picture of each slip.

Every template is described once below (block grid, stake offsets, marks, labels); this script
turns the description into the .tzd file (GBK, CR LF, exactly the layout the program's own
writer produces, so loading and saving a sample changes no byte) and into a 16-colour .bmp of
the slip with an outlined box, and its number, at every block of every stake. A geometry
change is one edit here and one run:

    python3 tools/make_sample_templates.py [OUTPUT_FOLDER]

Pure standard library; the output is the same on every run.
"""
import os
import struct
import sys

PX_PER_MM = 6          # picture resolution (about 152 dpi)
A4_TWIPS = (11906, 16838)

# 16-colour palette (r, g, b)
WHITE, PAPER, RED, BLUE, BLACK, GRAY, PINK, LIGHTBLUE, DARKRED, GREEN, YELLOW = range(11)
PALETTE = [
    (255, 255, 255), (255, 250, 235), (215, 25, 32), (30, 70, 190), (0, 0, 0),
    (150, 150, 150), (252, 222, 222), (220, 230, 252), (140, 0, 0), (0, 120, 60),
    (250, 240, 170),
] + [(0, 0, 0)] * 5

# 3x5 digits, one string of 15 pixels per digit, rows top to bottom
DIGITS = {
    '0': "111101101101111", '1': "010110010010111", '2': "111001111100111",
    '3': "111001111001111", '4': "101101111001001", '5': "111100111001111",
    '6': "111100111101111", '7': "111001001001001", '8': "111101111101111",
    '9': "111101111001111",
}


def general(v):
    """A double as the program writes it: %.15G, no negative zero."""
    text = '%.15G' % v
    return '0' if float(text) == 0 else text


class Slip:
    def __init__(self, name, file_stem, width_mm, height_mm, groups, offsets_x, offsets_y,
                 block_w, block_h, colours):
        self.name = name
        self.stem = file_stem
        self.width = width_mm
        self.height = height_mm
        self.groups = groups            # GroupLottNumberCountStr
        self.offsets_x = offsets_x      # texts exactly as stored
        self.offsets_y = offsets_y
        self.block_w = block_w
        self.block_h = block_h
        self.colours = colours          # group id -> (outline, fill) palette indexes
        self.blocks = []                # (group, value, left, top)
        self.marks = []                 # (left, top, width, height)
        self.labels = []                # (text, left, top, width, height)
        self.lines = []                 # (left, top, width, height, border style)

    def stake_shifts(self):
        xs = [float(v) for v in self.offsets_x.split(',')]
        ys = [float(v) for v in self.offsets_y.split(',')]
        n = max(len(xs), len(ys))
        xs += [xs[0]] * (n - len(xs))
        ys += [ys[0]] * (n - len(ys))
        return [(x - xs[0], y - ys[0]) for x, y in zip(xs, ys)]


def grid(slip, group, values, left, top, per_row, pitch_x, pitch_y, by_column=False):
    for i, value in enumerate(values):
        a, b = divmod(i, per_row)
        col, row = (a, b) if by_column else (b, a)
        slip.blocks.append((group, value, left + col * pitch_x, top + row * pitch_y))


def edge_marks(slip, left, tops, width=5.0, height=None):
    for top in tops:
        slip.marks.append((left, top, width, height or slip.block_h))


def standard_labels(slip, top):
    slip.labels += [("{页码}", 14, top, 30, 5), ("{注序号}", 48, top, 40, 5),
                    ("{日期}", 92, top, 45, 5)]


# ---------------------------------------------------------------- the four slips

def shuangseqiu():
    s = Slip("陕西－双色球", "陕西－双色球", 160, 82, "6,1",
             "0, 28.5, 57, 85.5, 114", "0,0,0,0,0", 3.5, 1.8,
             {"1": (RED, PINK), "2": (BLUE, LIGHTBLUE)})
    grid(s, "1", ["%02d" % n for n in range(1, 34)], 15.2, 14, 5, 5.0, 3.0)
    grid(s, "2", ["%02d" % n for n in range(1, 17)], 15.2, 38, 5, 5.0, 3.0)
    edge_marks(s, 3, [14 + r * 3.0 for r in range(7)] + [38 + r * 3.0 for r in range(4)])
    standard_labels(s, 62)
    return s


def daletou():
    s = Slip("体彩－超级大乐透", "体彩－超级大乐透", 155, 100, "5,2",
             "0,0,0,0,0", "0,15,30,45,60", 3.5, 1.8,
             {"1": (RED, PINK), "2": (BLUE, LIGHTBLUE)})
    grid(s, "1", ["%02d" % n for n in range(1, 36)], 20, 12, 18, 4.6, 3.2)
    grid(s, "2", ["%02d" % n for n in range(1, 13)], 115, 12, 6, 4.6, 3.2)
    edge_marks(s, 3, [12 + k * 15 + r * 3.2 for k in range(5) for r in range(2)])
    standard_labels(s, 88)
    return s


def qilecai():
    s = Slip("七乐彩", "七乐彩", 155, 75, "7",
             "0,27,54,81,108", "0,0,0,0,0", 3.5, 1.8, {"1": (DARKRED, YELLOW)})
    grid(s, "1", ["%02d" % n for n in range(1, 31)], 17, 14, 5, 4.8, 3.4)
    edge_marks(s, 3, [14 + r * 3.4 for r in range(6)])
    s.lines.append((14, 58, 135, 0, 3))
    standard_labels(s, 62)
    return s


def fucai3d():
    s = Slip("福彩3D", "福彩3D", 142, 80, "1,1,1",
             "0,24,48,72,96", "0,0,0,0,0", 3.5, 1.8,
             {"1": (RED, PINK), "2": (GREEN, WHITE), "3": (BLUE, LIGHTBLUE)})
    for g in range(3):
        grid(s, str(g + 1), [str(d) for d in range(10)], 17 + g * 6.5, 12, 10, 6.5, 4.0,
             by_column=True)
    edge_marks(s, 3, [12 + d * 4.0 for d in range(10)])
    standard_labels(s, 62)
    return s


# ---------------------------------------------------------------- the template file

def template_text(s):
    base = [
        ("PackName", ""), ("LayoutName", s.name), ("LayoutLeft", "0"), ("LayoutTop", "0"),
        ("MarkStyle", "0"), ("LottNumberWidth", general(s.block_w)),
        ("LottNumberHeight", general(s.block_h)), ("StakeLocateOffsetStrX", s.offsets_x),
        ("StakeLocateOffsetStrY", s.offsets_y), ("GroupLottNumberCountStr", s.groups),
        ("BackPicPathFile", s.stem + ".bmp"), ("BackPicLeft", "0"), ("BackPicTop", "0"),
        ("BackPicWidth", general(s.width)), ("BackPicHeight", general(s.height)),
        ("PaperWidth", str(A4_TWIPS[0])), ("PaperHeight", str(A4_TWIPS[1])),
        ("PaperSize", "0"), ("PaperOrientation", "0"), ("PaperMarginLeft", "0"),
        ("PaperMarginRight", "0"), ("PaperMarginTop", "0"), ("PaperMarginBottom", "0"),
        ("PaperColumns", "0"), ("PaperColumnSpace", "0"), ("PaperRows", "0"),
        ("PaperRowSpace", "0"), ("PaperHeaderText", ""), ("PaperFooterText", ""),
        ("IsPrintBodyLine", "0"),
    ]
    elements = []

    def head(key, ctype, group, stype, value, left, top, width, height):
        return [("KeyName", key), ("ControlType", ctype), ("GroupID", group),
                ("ShowType", stype), ("FieldValue", value), ("Left", general(left)),
                ("Top", general(top)), ("Width", general(width)), ("Height", general(height)),
                ("IsAlwaysPrint", "False")]

    def style(border_style, back_style, back, fore, font_name, font_size, alignment,
              border_width, border_colour):
        return [("BorderStyle", str(border_style)), ("BackStyle", str(back_style)),
                ("BackColor", str(back)), ("ForeColor", str(fore)), ("Visible", "1"),
                ("ZorderSeq", "0"), ("SpaceBetweenChar", "0"), ("FormatString", ""),
                ("FontName", font_name), ("FontBold", "0"), ("FontItalic", "0"),
                ("FontSize", general(font_size)), ("FontUnderline", "0"),
                ("FontStrikethru", "0"), ("Alignment", str(alignment)),
                ("BorderWidth", str(border_width)), ("BorderColor", str(border_colour))]

    n = 0
    for group, value, left, top in s.blocks:
        n += 1
        elements.append(head("lbl%d" % n, "Label", group, "LottNumber", value, left, top,
                             s.block_w, s.block_h))
    for left, top, width, height in s.marks:
        n += 1
        elements.append(head("lbl%d" % n, "Label", "", "LocateMark", "", left, top, width,
                             height))
    for text, left, top, width, height in s.labels:
        n += 1
        elements.append(head("lbl%d" % n, "Label", "", "NormalLable", text, left, top, width,
                             height) + style(0, 0, 16777215, 0, "宋体", 9, 0, 0, 0))
    for i, (left, top, width, height, border_style) in enumerate(s.lines, 1):
        elements.append(head("Line%d" % i, "Line", "", "Line", "", left, top, width, height)
                        + style(border_style, 0, 0, 0, "", 0, 0, 1, 0))

    lines = ["[Base]"] + ["%s=%s" % kv for kv in base] + ["ControlCount=%d" % len(elements)]
    for i, keys in enumerate(elements, 1):
        lines += ["", "[Controls%d]" % i] + ["%s=%s" % kv for kv in keys]
    return "".join(line + "\r\n" for line in lines).encode("gbk")


# ---------------------------------------------------------------- the picture

class Canvas:
    def __init__(self, width_mm, height_mm, background):
        self.w = int(round(width_mm * PX_PER_MM))
        self.h = int(round(height_mm * PX_PER_MM))
        self.px = [bytearray([background]) * self.w for _ in range(self.h)]

    def fill(self, x0, y0, x1, y1, colour):
        for y in range(max(0, y0), min(self.h, y1)):
            row = self.px[y]
            for x in range(max(0, x0), min(self.w, x1)):
                row[x] = colour

    def box_mm(self, left, top, width, height, outline, inside=None):
        x0, y0 = int(round(left * PX_PER_MM)), int(round(top * PX_PER_MM))
        x1, y1 = int(round((left + width) * PX_PER_MM)), int(round((top + height) * PX_PER_MM))
        self.fill(x0, y0, x1, y1, outline)
        if inside is not None:
            self.fill(x0 + 1, y0 + 1, x1 - 1, y1 - 1, inside)

    def text(self, digits, cx, cy, colour):
        """Digits centred on a pixel position."""
        width = len(digits) * 4 - 1
        x = cx - width // 2
        y = cy - 2
        for d in digits:
            glyph = DIGITS[d]
            for i, bit in enumerate(glyph):
                if bit == '1':
                    self.fill(x + i % 3, y + i // 3, x + i % 3 + 1, y + i // 3 + 1, colour)
            x += 4

    def bmp(self):
        row_bytes = ((self.w + 1) // 2 + 3) // 4 * 4
        pixels = bytearray()
        for y in range(self.h - 1, -1, -1):
            row = self.px[y]
            packed = bytearray(row_bytes)
            for x in range(0, self.w, 2):
                hi = row[x]
                lo = row[x + 1] if x + 1 < self.w else 0
                packed[x // 2] = (hi << 4) | lo
            pixels += packed
        palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
        offset = 14 + 40 + len(palette)
        header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
        dpm = PX_PER_MM * 1000
        info = struct.pack("<IiiHHIIiiII", 40, self.w, self.h, 1, 4, 0, len(pixels), dpm, dpm,
                           16, 0)
        return header + info + palette + bytes(pixels)


def picture(s):
    c = Canvas(s.width, s.height, PAPER)
    # Frame and title band of the slip.
    c.box_mm(0.5, 0.5, s.width - 1, s.height - 1, GRAY, PAPER)
    c.box_mm(12, 2, s.width - 14, 6, DARKRED, DARKRED)
    shifts = s.stake_shifts()
    for k, (dx, dy) in enumerate(shifts):
        # The stake's number above its first block, and its blocks.
        first = min(s.blocks, key=lambda b: (b[3], b[2]))
        c.text(str(k + 1), int(round((first[2] + dx) * PX_PER_MM)) + 3,
               int(round((first[3] + dy - 1.6) * PX_PER_MM)), BLACK)
        for group, value, left, top in s.blocks:
            outline, inside = s.colours[group]
            c.box_mm(left + dx, top + dy, s.block_w, s.block_h, outline, inside)
            c.text(value, int(round((left + dx + s.block_w / 2) * PX_PER_MM)),
                   int(round((top + dy + s.block_h / 2) * PX_PER_MM)), outline)
    for left, top, width, height in s.marks:
        c.box_mm(left, top, width, height, BLACK, BLACK)
    for _text, left, top, width, height in s.labels:
        c.box_mm(left, top, width, height, GRAY, WHITE)
    for left, top, width, height, _style in s.lines:
        c.box_mm(left, top, max(width, 0.2), max(height, 0.2), GRAY)
    return c.bmp()


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "resources", "投注单文件")
    os.makedirs(out, exist_ok=True)
    for slip in (shuangseqiu(), daletou(), qilecai(), fucai3d()):
        with open(os.path.join(out, slip.stem + ".tzd"), "wb") as f:
            f.write(template_text(slip))
        with open(os.path.join(out, slip.stem + ".bmp"), "wb") as f:
            f.write(picture(slip))
        print("%s.tzd: %d elements, %d stakes" % (slip.stem, len(slip.blocks) + len(slip.marks)
                                                  + len(slip.labels) + len(slip.lines),
                                                  len(slip.stake_shifts())))


if __name__ == "__main__":
    main()
