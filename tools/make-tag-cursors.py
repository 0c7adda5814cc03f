#!/usr/bin/env python3
"""Writes resources/TagDrag*.cur, the pointers of drags from the tag pane: a
32 x 32 monochrome arrow with a badge below it that tells what is dragged
(a tag file, a simple tag with or without an end tag, an interactive tag
closed or open, a plug-in). Hot spot at the arrow's tip. Run it again after
changing a shape; the results are committed."""
import os
import struct

SIZE = 32
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
# Badges, 14 wide and 10 high, drawn at (12, 18).
BADGES = {
    "TagDragFile": [
        "#####         ",
        "#ooo#######   ",
        "#oooooooooo#  ",
        "#oooooooooo#  ",
        "#oooooooooo#  ",
        "#oooooooooo#  ",
        "#oooooooooo#  ",
        "#oooooooooo#  ",
        "############  ",
        "              ",
    ],
    "TagDragSimple": [
        "##############",
        "#oooooooooooo#",
        "#oo#oooooo#oo#",
        "#o#oooooooo#o#",
        "##oooooooooo##",
        "#o#oooooooo#o#",
        "#oo#oooooo#oo#",
        "#oooooooooooo#",
        "##############",
        "              ",
    ],
    "TagDragSimpleOpen": [
        "##############",
        "#oooooooooooo#",
        "#oo#oooooooooo",
        "#o#ooooooooooo",
        "##oooooooooooo",
        "#o#ooooooooooo",
        "#oo#oooooooooo",
        "#oooooooooooo#",
        "##############",
        "              ",
    ],
    "TagDragTag": [
        "##############",
        "#oooooooooooo#",
        "#oooooooooooo#",
        "#oooooooooooo#",
        "#oooooooooooo#",
        "#oooooooooooo#",
        "#oooooooooooo#",
        "#oooooooooooo#",
        "##############",
        "              ",
    ],
    "TagDragInteractive": [
        "##############",
        "#oooo####oooo#",
        "#ooo#oooo#ooo#",
        "#oooooooo#ooo#",
        "#oooooo##oooo#",
        "#ooooo#ooooo##",
        "#oooooooooooo#",
        "#ooooo#oooooo#",
        "##############",
        "              ",
    ],
    "TagDragInteractiveOpen": [
        "##############",
        "#oooo####oooo#",
        "#ooo#oooo#oooo",
        "#oooooooo#oooo",
        "#oooooo##ooooo",
        "#ooooo#ooooooo",
        "#oooooooooooo#",
        "#ooooo#oooooo#",
        "##############",
        "              ",
    ],
    "TagDragPlugin": [
        "##############",
        "#oooooo#ooooo#",
        "#oooooo#ooooo#",
        "#oooooo#ooooo#",
        "#o###########o",
        "#oooooo#ooooo#",
        "#oooooo#ooooo#",
        "#oooooo#ooooo#",
        "##############",
        "              ",
    ],
}


def pixel(badge, x, y):
    if y < len(ARROW) and x < len(ARROW[y]) and ARROW[y][x] != " ":
        return ARROW[y][x]
    bx, by = x - 12, y - 18
    if 0 <= by < len(badge) and 0 <= bx < len(badge[by]):
        return badge[by][bx]
    return " "


def cursor(badge):
    xor_rows, and_rows = [], []
    for y in range(SIZE - 1, -1, -1):  # bottom-up
        xor_bits = and_bits = 0
        for x in range(SIZE):
            p = pixel(badge, x, y)
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
    data = struct.pack("<HHH", 0, 2, 1)
    data += struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 0, 0, len(image), 22)
    return data + image


def main():
    folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources")
    for name, badge in BADGES.items():
        with open(os.path.join(folder, name + ".cur"), "wb") as f:
            f.write(cursor(badge))


if __name__ == "__main__":
    main()
