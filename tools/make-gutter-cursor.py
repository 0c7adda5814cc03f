#!/usr/bin/env python3
"""Writes resources/Gutter.cur, the editor's pointer over the line-number
gutter: a 32 x 32 monochrome arrow pointing up and to the right (the usual
arrow, mirrored), hot spot at its tip. Run it again after changing the shape;
the result is committed."""
import os
import struct

SIZE = 32
# The usual arrow, one string per row from the top: '#' outline, 'o' inside.
ARROW = [
    "#",
    "##",
    "#o#",
    "#oo#",
    "#ooo#",
    "#oooo#",
    "#ooooo#",
    "#oooooo#",
    "#ooooooo#",
    "#oooooooo#",
    "#ooooo#####",
    "#oo#oo#",
    "#o# #oo#",
    "##  #oo#",
    "#    #oo#",
    "     #oo#",
    "      ##",
]
WIDTH = max(len(r) for r in ARROW)


def pixel(x, y):
    """'#', 'o' or ' ' at (x, y), the arrow mirrored so that it points right."""
    if y >= len(ARROW):
        return " "
    row = ARROW[y]
    mx = WIDTH - 1 - x
    return row[mx] if 0 <= mx < len(row) else " "


def main():
    xor_rows, and_rows = [], []
    for y in range(SIZE - 1, -1, -1):  # bottom-up
        xor_bits = and_bits = 0
        for x in range(SIZE):
            p = pixel(x, y)
            bit = 1 << (31 - x)
            if p == " ":
                and_bits |= bit  # transparent
            elif p == "o":
                xor_bits |= bit  # white
        xor_rows.append(struct.pack(">I", xor_bits))
        and_rows.append(struct.pack(">I", and_bits))
    image = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    image += struct.pack("<II", 0x000000, 0xFFFFFF)  # palette: black, white
    image += b"".join(xor_rows) + b"".join(and_rows)
    hot_x, hot_y = WIDTH - 1, 0
    data = struct.pack("<HHH", 0, 2, 1)
    data += struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, hot_x, hot_y, len(image), 22)
    data += image
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "Gutter.cur")
    with open(out, "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main()
