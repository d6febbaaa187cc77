#!/usr/bin/env python3
"""Writes src/editor/pinyin_table.cpp: the pinyin syllable of every GBK
double-byte code, for the automatic accelerator keys of jump-list captions.

Run from the repository root (needs Debian's `unicode-data` package and
glibc's iconv; the build itself needs neither, the output is committed):
    python3 scripts/make_pinyin_table.py

Sources and rules:
- Readings: field kMandarin of /usr/share/unicode/Unihan_Readings.txt.bz2
  (Unicode's Han database, Debian package `unicode-data`). Of its one or
  two values the first (the mainland reading) is taken, tones dropped,
  u-umlaut written "v" (lü -> "lv").
- Codes: every GBK double-byte code, lead 0x81-0xFE, trail 0x40-0xFE, at
  index (lead - 0x81) * 191 + (trail - 0x40), decoded through glibc's iconv
  "CP936". A code that does not decode, or whose character has no reading,
  gets 0.
- Syllables, numbered from 1: the distinct readings of the 3,755 characters
  of GB2312 level 1 (0xB0A1-0xD7F9), without the eleven listed in LATER and
  without the two in LEFT_OUT (395 - 2 = 393), in alphabetical order; then
  an empty entry (394); then LATER (395-405) in its own order. The numbers
  of existing syllables never move when one is added at the end.
- A reading that is not one of the 405 syllables (for example "hm",
  "fiao", "ng", "ê", "shei") is given the syllable that shares the longest
  prefix with it, the first in the list's order among equals. Every reading
  starts with a letter that some syllable starts with, so its initial, which
  is all an accelerator uses, is kept; the script checks that.
- Row 0xA2: the numbered symbols (small and capital Roman numerals, digits
  with a full stop, in parentheses, in circles, ideographs in parentheses)
  stand for their numeric value, taken from the Unicode character database.
"""
import bz2
import ctypes
import ctypes.util
import os
import sys
import unicodedata

UNIHAN = '/usr/share/unicode/Unihan_Readings.txt.bz2'
LICENCE = '/usr/share/doc/unicode-data/copyright'
OUTPUT = os.path.join('src', 'editor', 'pinyin_table.cpp')

LATER = ['ei', 'm', 'n', 'dia', 'cen', 'nou', 'jv', 'qv', 'xv', 'lv', 'nv']
# Colloquial readings of one level-1 character each (谁 shéi, 拽 zhuāi):
# left out to keep the first block at 393; the rule above still gives their
# characters S and Z.
LEFT_OUT = ['shei', 'zhuai']
TABLE_SIZE = 126 * 191  # leads 0x81-0xFE, trails 0x40-0xFE

# Row 0xA2: Unicode ranges whose characters stand for their number.
NUMBERED_RANGES = [
    (0x2170, 0x2179),  # small Roman numerals i-x
    (0x2488, 0x249B),  # digit full stop 1.-20.
    (0x2474, 0x2487),  # parenthesized digit (1)-(20)
    (0x2460, 0x2469),  # circled digit 1-10
    (0x3220, 0x3229),  # parenthesized ideograph one-ten
    (0x2160, 0x216B),  # Roman numerals I-XII
]


class Iconv:
    """glibc's iconv, one GBK code at a time."""

    def __init__(self):
        libc = ctypes.CDLL(ctypes.util.find_library('c'), use_errno=True)
        self.open = libc.iconv_open
        self.open.restype = ctypes.c_void_p
        self.open.argtypes = [ctypes.c_char_p, ctypes.c_char_p]
        self.conv = libc.iconv
        self.conv.restype = ctypes.c_size_t
        self.conv.argtypes = [ctypes.c_void_p] + [ctypes.POINTER(ctypes.c_char_p),
                                                  ctypes.POINTER(ctypes.c_size_t)] * 2
        self.cd = self.open(b'UTF-32LE', b'CP936')
        if self.cd in (None, ctypes.c_void_p(-1).value):
            sys.exit('iconv has no CP936')

    def decode(self, code):
        self.conv(self.cd, None, None, None, None)
        inbuf = ctypes.create_string_buffer(code, len(code))
        outbuf = ctypes.create_string_buffer(16)
        inptr = ctypes.c_char_p(ctypes.addressof(inbuf))
        outptr = ctypes.c_char_p(ctypes.addressof(outbuf))
        inleft = ctypes.c_size_t(len(code))
        outleft = ctypes.c_size_t(16)
        rc = self.conv(self.cd, ctypes.byref(inptr), ctypes.byref(inleft),
                       ctypes.byref(outptr), ctypes.byref(outleft))
        if rc == ctypes.c_size_t(-1).value or inleft.value != 0 or outleft.value != 12:
            return None
        return chr(int.from_bytes(outbuf.raw[:4], 'little'))


def toneless(reading):
    text = unicodedata.normalize('NFD', reading.lower()).replace('u\u0308', 'v')
    return ''.join(c for c in text if not unicodedata.combining(c))


def load_readings():
    readings = {}
    with bz2.open(UNIHAN, 'rt', encoding='utf-8') as f:
        for line in f:
            if line.startswith('#') or not line.strip():
                continue
            code, field, value = line.rstrip('\n').split('\t')
            if field == 'kMandarin':
                readings[chr(int(code[2:], 16))] = toneless(value.split()[0])
    return readings


def closest(reading, syllables):
    def shared(s):
        n = 0
        while n < min(len(s), len(reading)) and s[n] == reading[n]:
            n += 1
        return n
    best = max(range(len(syllables)), key=lambda i: (shared(syllables[i]), -i))
    if syllables[best][:1] != reading[:1]:
        sys.exit('no syllable starts like %r' % reading)
    return best


def main():
    readings = load_readings()
    iconv = Iconv()
    chars = {}
    for lead in range(0x81, 0xFF):
        for trail in range(0x40, 0xFF):
            ch = iconv.decode(bytes([lead, trail]))
            if ch is not None:
                chars[(lead, trail)] = ch

    level1 = {readings[ch] for (lead, trail), ch in chars.items()
              if 0xB0 <= lead <= 0xD7 and trail >= 0xA1 and ch in readings}
    first = sorted(level1 - set(LATER) - set(LEFT_OUT))
    if len(first) != 393:
        sys.exit('expected 393 level-1 syllables, got %d' % len(first))
    syllables = first + [''] + LATER
    number = {s: i + 1 for i, s in enumerate(syllables) if s}

    index = [0] * TABLE_SIZE
    fallbacks = {}
    for (lead, trail), ch in chars.items():
        reading = readings.get(ch)
        if not reading:
            continue
        if reading not in number:
            fallbacks[reading] = syllables[closest(reading, syllables)]
            reading = fallbacks[reading]
        index[(lead - 0x81) * 191 + (trail - 0x40)] = number[reading]

    numbered = {}
    for trail in range(0xA1, 0xFF):
        ch = chars.get((0xA2, trail))
        if ch and any(lo <= ord(ch) <= hi for lo, hi in NUMBERED_RANGES):
            numbered[trail] = str(int(unicodedata.numeric(ch)))

    write(syllables, index, numbered, fallbacks)
    print('%d codes decode, %d have a syllable; %d readings by the closest-syllable rule: %s'
          % (len(chars), sum(1 for v in index if v), len(fallbacks),
             ', '.join('%s->%s' % kv for kv in sorted(fallbacks.items()))))


def write(syllables, index, numbered, fallbacks):
    with open(LICENCE, encoding='utf-8') as f:
        licence = f.read().rstrip()
    out = []
    out.append('// Generated by scripts/make_pinyin_table.py; do not edit. To regenerate,')
    out.append('// install Debian\'s unicode-data package and run from the repository root:')
    out.append('//     python3 scripts/make_pinyin_table.py')
    out.append('//')
    out.append('// The pinyin syllable of each GBK double-byte code, from the kMandarin')
    out.append('// readings of Unicode\'s Han database (Unihan_Readings.txt, Unicode 15.0),')
    out.append('// modified: the first reading only, tones dropped, u-umlaut written "v",')
    out.append('// mapped onto GBK codes through glibc\'s CP936 conversion. A reading that')
    out.append('// is not one of the syllables below takes the syllable sharing its longest')
    out.append('// prefix (the first among equals), so its initial is kept.')
    out.append('//')
    out.append('// Unihan_Readings.txt: \u00a9 2022 Unicode\u00ae, Inc. For terms of use, see')
    out.append('// http://www.unicode.org/terms_of_use.html')
    out.append('//')
    out.append('// The Unicode data files are used under the licence below, as shipped in')
    out.append('// Debian\'s unicode-data package (/usr/share/doc/unicode-data/copyright):')
    out.append('//')
    for line in licence.split('\n'):
        out.append(('// ' + line).rstrip())
    out.append('')
    out.append('#include "editor/pinyin_table.h"')
    out.append('')
    out.append('namespace pathorama::editor {')
    out.append('')
    out.append('// Numbered from 1: %d syllables in alphabetical order, an empty entry,'
               % (len(syllables) - len(LATER) - 1))
    out.append('// then syllables added later at the end so that no number moves.')
    out.append('const std::array<std::u16string_view, kPinyinSyllableCount> kPinyinSyllables = {')
    row = '   '
    for s in syllables:
        item = ' u"%s",' % s
        if len(row) + len(item) > 98:
            out.append(row)
            row = '   '
        row += item
    out.append(row)
    out.append('};')
    out.append('')
    out.append('const std::array<uint16_t, kGbkDoubleByteCount> kGbkSyllableNumbers = {')
    for start in range(0, len(index), 191):
        lead = 0x81 + start // 191
        out.append('    // lead 0x%02X' % lead)
        values = index[start:start + 191]
        row = '   '
        for v in values:
            item = ' %d,' % v
            if len(row) + len(item) > 98:
                out.append(row)
                row = '   '
            row += item
        out.append(row)
    out.append('};')
    out.append('')
    out.append('// Row 0xA2, trails 0xA1-0xFE: the numbered symbols\' values.')
    out.append('const std::array<std::u16string_view, 94> kGbkNumberedSymbols = {')
    row = '   '
    for trail in range(0xA1, 0xFF):
        item = ' u"%s",' % numbered.get(trail, '')
        if len(row) + len(item) > 98:
            out.append(row)
            row = '   '
        row += item
    out.append(row)
    out.append('};')
    out.append('')
    out.append('}  // namespace pathorama::editor')
    with open(OUTPUT, 'w', encoding='utf-8', newline='\n') as f:
        f.write('\n'.join(out) + '\n')


if __name__ == '__main__':
    main()
