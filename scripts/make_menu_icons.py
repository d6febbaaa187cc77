#!/usr/bin/env python3
"""Writes the 16x16 icons of the jump list's function items (32-bit ICO with
alpha) from the pixel drawings below. Run from the repository root:
    python3 scripts/make_menu_icons.py
"""
import struct

COLOURS = {
    '.': None,
    'y': (0xE8, 0xB8, 0x30), 'Y': (0xB0, 0x80, 0x10),   # folder
    'g': (0x20, 0xA0, 0x40),                             # plus
    'b': (0x30, 0x60, 0xC0), 'B': (0x20, 0x40, 0x80),   # list, gear
    'r': (0xD0, 0x30, 0x30),                             # cross, forbid
    'k': (0x40, 0x40, 0x40),
}

ICONS = {
    'menu_add_folder': [
        "................",
        "................",
        ".YYYYY..........",
        ".YyyyyY.........",
        ".YyyyyyYYYYYY...",
        ".YyyyyyyyyyyY...",
        ".YyyyyyyyyyyY...",
        ".Yyyyyyyyy.g....",
        ".Yyyyyyyyy.g....",
        ".Yyyyyyyygggggg.",
        ".Yyyyyyyyy.g....",
        ".YYYYYYYYY.g....",
        "...........g....",
        "................",
        "................",
        "................"],
    'menu_configure': [
        "................",
        ".bb.bbbbbbbbb...",
        ".bb.bbbbbbbbb...",
        "................",
        ".bb.bbbbbbbb....",
        ".bb.bbbbbbbb....",
        "................",
        ".bb.bbbbbb...k..",
        ".bb.bbbbbb..kkk.",
        "...........kkk..",
        ".bb.bbbb..kkk...",
        ".bb.bbbb.kkk....",
        ".........kk.....",
        "........k.......",
        "................",
        "................"],
    'menu_batch_delete': [
        "................",
        "................",
        "..rr........rr..",
        "..rrr......rrr..",
        "...rrr....rrr...",
        "....rrr..rrr....",
        ".....rrrrrr.....",
        "......rrrr......",
        "......rrrr......",
        ".....rrrrrr.....",
        "....rrr..rrr....",
        "...rrr....rrr...",
        "..rrr......rrr..",
        "..rr........rr..",
        "................",
        "................"],
    'menu_forbid': [
        "................",
        ".....rrrrrr.....",
        "...rrrrrrrrrr...",
        "..rrr......rrr..",
        "..rrrr......rr..",
        ".rr.rrr......rr.",
        ".rr..rrr.....rr.",
        ".rr...rrr....rr.",
        ".rr....rrr...rr.",
        ".rr.....rrr..rr.",
        ".rr......rrr.rr.",
        "..rr......rrrr..",
        "..rrr......rrr..",
        "...rrrrrrrrrr...",
        ".....rrrrrr.....",
        "................"],
    'menu_settings': [
        "................",
        ".......BB.......",
        "...B...bb...B...",
        "..BbB.bbbb.BbB..",
        "...Bbbbbbbbbb...",
        "....bbbbbbbb....",
        "...bbbb..bbbb...",
        ".Bbbbb....bbbbB.",
        ".Bbbbb....bbbbB.",
        "...bbbb..bbbb...",
        "....bbbbbbbb....",
        "...Bbbbbbbbbb...",
        "..BbB.bbbb.BbB..",
        "...B...bb...B...",
        ".......BB.......",
        "................"],
}


def ico(rows):
    size = 16
    pixels = b''
    for row in reversed(rows):  # bottom-up
        for ch in row:
            c = COLOURS[ch]
            pixels += bytes([0, 0, 0, 0]) if c is None else bytes([c[2], c[1], c[0], 255])
    mask = b''
    for row in reversed(rows):
        bits = 0
        for i, ch in enumerate(row):
            if COLOURS[ch] is None:
                bits |= 1 << (15 - i)
        mask += struct.pack('>H', bits) + b'\0\0'  # rows padded to 32 bits
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, len(pixels) + len(mask),
                         0, 0, 0, 0)
    image = header + pixels + mask
    return struct.pack('<HHH', 0, 1, 1) + struct.pack('<BBBBHHII', size, size, 0, 0, 1, 32,
                                                      len(image), 22) + image


for name, rows in ICONS.items():
    assert len(rows) == 16 and all(len(r) == 16 for r in rows), name
    with open('src/resources/%s.ico' % name, 'wb') as f:
        f.write(ico(rows))
