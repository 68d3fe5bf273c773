#!/usr/bin/env python3
"""Writes the program's images from scratch, byte for byte the same on every run.

formula.gif  168 x 50, GIF89a, one transparent colour: IMC = peso(kg) / altura²(m)
tarvelo.ico  32 x 32, 8 bits a pixel (one 2,216-byte image): green X cross
tarvelo.png  the same icon as PNG, for the windows and the desktop
tarvelo-icon-image.bin  the ICO's one image alone, for the Windows resource
formula-pixels.inc  the formula's pixels as C++ rows, so the program shows the
             picture without loading an image plugin at start

Only Python's standard library is used; the lettering comes from glyphs.txt.
"""

import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

# Formula palette: 0 transparent, 1 ink, 2 dark shade, 3 light shade.
TRANSPARENT, INK, DARK, LIGHT = 0, 1, 2, 3
FORMULA_PALETTE = [(0xF0, 0xF0, 0xF0), (0, 0, 0), (0x55, 0x55, 0x55), (0xAA, 0xAA, 0xAA)]
SHADE = {'#': 1.0, '+': 0.66, '.': 0.33}
WIDTH, HEIGHT = 168, 50


def read_glyphs():
    glyphs, name = {}, None
    with open(os.path.join(HERE, 'glyphs.txt'), encoding='utf-8') as f:
        for line in f:
            line = line.rstrip('\n')
            if line.startswith('#') and name is None:
                continue
            if line.startswith('= '):
                name = line[2:]
                glyphs[name] = []
            elif name is not None and line:
                glyphs[name].append([SHADE.get(c, 0.0) for c in line])
    return glyphs


def draw_text(canvas, glyphs, text, x, top, slant=0.0, spacing=1):
    """Draws text with its glyph tops at `top`; slant shifts each row right by
    that many pixels per row above the baseline, spreading ink over two pixels
    (which gives the italic its smoothed edges). Returns the x after the text."""
    baseline_row = 9
    for ch in text:
        rows = glyphs['2' if ch == '\u00b2' else ch]
        raised = -2 if ch == '\u00b2' else 0
        width = max(len(r) for r in rows)
        for r, row in enumerate(rows):
            shift = slant * (baseline_row - r)
            whole = math.floor(shift)
            frac = shift - whole
            for c, ink in enumerate(row):
                if not ink:
                    continue
                for dx, part in ((0, 1.0 - frac), (1, frac)):
                    px, py = x + c + whole + dx, top + r + raised
                    if part > 0 and 0 <= px < WIDTH and 0 <= py < HEIGHT:
                        canvas[py][px] = min(1.0, canvas[py][px] + ink * part)
        x += width + spacing
    return x


def text_width(glyphs, text, spacing=1):
    return sum(max(len(r) for r in glyphs['2' if ch == '\u00b2' else ch]) + spacing for ch in text) - spacing


def formula_pixels():
    glyphs = read_glyphs()
    canvas = [[0.0] * WIDTH for _ in range(HEIGHT)]
    bar_y = 24
    numerator, denominator = 'peso(kg)', 'altura\u00b2(m)'
    span = max(text_width(glyphs, numerator), text_width(glyphs, denominator)) + 8
    total = text_width(glyphs, 'IMC', spacing=2) + 6 + text_width(glyphs, '=') + 8 + span
    x = draw_text(canvas, glyphs, 'IMC', (WIDTH - total) // 2, bar_y - 5, spacing=2)
    x = draw_text(canvas, glyphs, '=', x + 6, bar_y - 5)
    left = x + 8
    draw_text(canvas, glyphs, numerator, left + (span - text_width(glyphs, numerator)) // 2, bar_y - 14, slant=0.22)
    draw_text(canvas, glyphs, denominator, left + (span - text_width(glyphs, denominator)) // 2, bar_y + 5, slant=0.22)
    for bx in range(left, left + span):
        canvas[bar_y][bx] = 1.0
    pixels = []
    for row in canvas:
        for ink in row:
            pixels.append(TRANSPARENT if ink < 0.2 else LIGHT if ink < 0.5 else DARK if ink < 0.8 else INK)
    return pixels


def lzw_encode(pixels, min_code_size):
    """GIF's variable-width LZW, resetting the table when it fills."""
    clear, end = 1 << min_code_size, (1 << min_code_size) + 1
    out, bit_buffer, bit_count = bytearray(), 0, 0

    def emit(code, size):
        nonlocal bit_buffer, bit_count
        bit_buffer |= code << bit_count
        bit_count += size
        while bit_count >= 8:
            out.append(bit_buffer & 0xFF)
            bit_buffer >>= 8
            bit_count -= 8

    def fresh_table():
        return {(i,): i for i in range(clear)}

    table, size, next_code = fresh_table(), min_code_size + 1, end + 1
    emit(clear, size)
    current = ()
    for p in pixels:
        candidate = current + (p,)
        if candidate in table:
            current = candidate
            continue
        emit(table[current], size)
        if next_code < 4096:
            table[candidate] = next_code
            next_code += 1
            if next_code > (1 << size) and size < 12:
                size += 1
        else:
            emit(clear, size)
            table, size, next_code = fresh_table(), min_code_size + 1, end + 1
        current = (p,)
    if current:
        emit(table[current], size)
    emit(end, size)
    if bit_count:
        out.append(bit_buffer & 0xFF)
    return bytes(out)


def write_gif(path, width, height, palette, pixels, transparent_index):
    min_code_size = 2
    data = lzw_encode(pixels, min_code_size)
    gif = bytearray(b'GIF89a')
    gif += struct.pack('<HHBBB', width, height, 0x80 | 0x01, 0, 0)  # global table of 4 colours
    for rgb in palette:
        gif += bytes(rgb)
    gif += struct.pack('<BBBBHB', 0x21, 0xF9, 4, 0x01, 0, transparent_index) + b'\x00'
    gif += struct.pack('<BHHHHB', 0x2C, 0, 0, width, height, 0)
    gif.append(min_code_size)
    for i in range(0, len(data), 255):
        chunk = data[i:i + 255]
        gif.append(len(chunk))
        gif += chunk
    gif += b'\x00\x3B'
    with open(path, 'wb') as f:
        f.write(gif)


def icon_pixels():
    """Palette and 32 x 32 indexed pixels: a broad dark-green X with shaded
    edges on pale lilac-grey, no transparency."""
    ground = (0xCC, 0xC4, 0xD8)
    greens = [(0x00, 0x50, 0x18), (0x10, 0x66, 0x28), (0x3A, 0x86, 0x4A), (0x7E, 0xAE, 0x88)]
    palette = [ground] + greens
    pixels = []
    for y in range(32):
        for x in range(32):
            cx, cy = x + 0.5 - 16, y + 0.5 - 16
            # Distance to the nearer diagonal, in pixels.
            d = min(abs(cx - cy), abs(cx + cy)) / math.sqrt(2)
            inside = max(abs(cx), abs(cy)) < 13.5
            if not inside or d > 5.2:
                pixels.append(0)
            elif d > 4.4:
                pixels.append(4)
            elif d > 3.4:
                pixels.append(3)
            elif cx + cy > 0 and d > 2.2:
                pixels.append(2)  # the shaded lower edge of each arm
            else:
                pixels.append(1)
    return palette, pixels


def write_ico(path, palette, pixels):
    header = struct.pack('<IiiHHIIiiII', 40, 32, 64, 1, 8, 0, 32 * 32 + 128, 0, 0, 256, 0)
    table = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in palette)
    table += b'\x00' * (1024 - len(table))
    rows = b''.join(bytes(pixels[y * 32:(y + 1) * 32]) for y in reversed(range(32)))
    and_mask = b'\x00' * (4 * 32)  # fully opaque
    image = header + table + rows + and_mask
    assert len(image) == 2216
    directory = struct.pack('<HHH', 0, 1, 1) + struct.pack('<BBBBHHII', 32, 32, 0, 0, 1, 8, len(image), 22)
    with open(path, 'wb') as f:
        f.write(directory + image)
    # The Windows resource script stores the image under its own id.
    with open(os.path.join(os.path.dirname(path), 'tarvelo-icon-image.bin'), 'wb') as f:
        f.write(image)


def write_png(path, palette, pixels):
    raw = b''.join(b'\x00' + b''.join(bytes(palette[p]) for p in pixels[y * 32:(y + 1) * 32]) for y in range(32))

    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))

    png = b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', 32, 32, 8, 2, 0, 0, 0))
    png += chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b'')
    with open(path, 'wb') as f:
        f.write(png)


OUTPUTS = ('formula.gif', 'formula-pixels.inc', 'tarvelo.ico', 'tarvelo-icon-image.bin', 'tarvelo.png')


def write_pixel_rows(path, width, palette, pixels, transparent_index):
    """The GIF's palette and pixels as C++ initialisers, one string a row."""
    lines = ['// Generated by make_assets.py from the same pixels as formula.gif; do not edit.',
             f'// Palette index per pixel, {width} a row; index {transparent_index} is transparent.',
             'static constexpr QRgb kFormulaPalette[] = {']
    lines.append('    ' + ', '.join(f'0x{r:02X}{g:02X}{b:02X}' for r, g, b in palette) + ',')
    lines.append('};')
    lines.append(f'static constexpr int kFormulaTransparentIndex = {transparent_index};')
    lines.append('static constexpr char kFormulaRows[] =')
    for y in range(len(pixels) // width):
        lines.append('    "' + ''.join(str(p) for p in pixels[y * width:(y + 1) * width]) + '"')
    lines[-1] += ';'
    with open(path, 'w', encoding='ascii', newline='\n') as f:
        f.write('\n'.join(lines) + '\n')


def write_all(folder):
    formula = formula_pixels()
    write_gif(os.path.join(folder, 'formula.gif'), WIDTH, HEIGHT, FORMULA_PALETTE, formula, TRANSPARENT)
    write_pixel_rows(os.path.join(folder, 'formula-pixels.inc'), WIDTH, FORMULA_PALETTE, formula, TRANSPARENT)
    palette, pixels = icon_pixels()
    write_ico(os.path.join(folder, 'tarvelo.ico'), palette, pixels)
    write_png(os.path.join(folder, 'tarvelo.png'), palette, pixels)


def check():
    """Regenerates into a scratch folder; fails when a committed image differs."""
    import sys
    import tempfile
    with tempfile.TemporaryDirectory() as scratch:
        write_all(scratch)
        stale = []
        for name in OUTPUTS:
            with open(os.path.join(scratch, name), 'rb') as fresh, open(os.path.join(HERE, name), 'rb') as committed:
                if fresh.read() != committed.read():
                    stale.append(name)
    if stale:
        print('regenerate with make_assets.py, these differ: ' + ', '.join(stale))
        sys.exit(1)
    print('all images match their generator')


def main():
    import sys
    if sys.argv[1:] == ['--check']:
        check()
    else:
        write_all(HERE)


if __name__ == '__main__':
    main()
