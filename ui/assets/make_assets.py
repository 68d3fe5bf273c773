#!/usr/bin/env python3
"""Writes the program's images from scratch, byte for byte the same on every run.

formula.gif  168 x 50, GIF89a, one transparent colour: IMC = peso(kg) / altura²(m)
tarvelo.ico  32 x 32, 8 bits a pixel (one 2,216-byte image): green X cross
tarvelo.png  the same icon as PNG, for the windows and the desktop
tarvelo-icon-image.bin  the ICO's one image alone, for the Windows resource
formula-pixels.inc  the formula's pixels as C++ rows, at 1x and 2x, so the
             program shows the picture without loading an image plugin at start
tarvelo-NN.png  the icon at 48, 64, 128 and 256 pixels; tarvelo.svg, scalable

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


def formula_coverage():
    """Ink coverage of each pixel of the 1x picture, from 0 to 1."""
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
    return canvas


def quantize(canvas):
    pixels = []
    for row in canvas:
        for ink in row:
            pixels.append(TRANSPARENT if ink < 0.2 else LIGHT if ink < 0.5 else DARK if ink < 0.8 else INK)
    return pixels


def formula_pixels(scale=1):
    """The picture at 1x, or at `scale` times its size: the same coverage,
    sampled between its pixels, so that edges fall on the finer grid instead
    of doubling every pixel."""
    canvas = formula_coverage()
    if scale == 1:
        return quantize(canvas)

    def at(x, y):
        return canvas[min(max(y, 0), HEIGHT - 1)][min(max(x, 0), WIDTH - 1)]

    fine = []
    for y in range(HEIGHT * scale):
        fy = (y + 0.5) / scale - 0.5
        y0 = math.floor(fy)
        wy = fy - y0
        row = []
        for x in range(WIDTH * scale):
            fx = (x + 0.5) / scale - 0.5
            x0 = math.floor(fx)
            wx = fx - x0
            top = at(x0, y0) * (1 - wx) + at(x0 + 1, y0) * wx
            bottom = at(x0, y0 + 1) * (1 - wx) + at(x0 + 1, y0 + 1) * wx
            row.append(top * (1 - wy) + bottom * wy)
        fine.append(row)
    return quantize(fine)


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


ICON_GROUND = (0xCC, 0xC4, 0xD8)
ICON_GREENS = [(0x00, 0x50, 0x18), (0x10, 0x66, 0x28), (0x3A, 0x86, 0x4A), (0x7E, 0xAE, 0x88)]
ICON_SIZES = (48, 64, 128, 256)


def icon_pixels(size=32):
    """Palette and size x size indexed pixels: a broad dark-green X with shaded
    edges on pale lilac-grey, no transparency. Drawn on a 32-unit grid, so
    every size is the same design."""
    palette = [ICON_GROUND] + ICON_GREENS
    pixels = []
    for y in range(size):
        for x in range(size):
            cx, cy = (x + 0.5) * 32 / size - 16, (y + 0.5) * 32 / size - 16
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


def write_png(path, palette, pixels, size=32):
    raw = b''.join(b'\x00' + b''.join(bytes(palette[p]) for p in pixels[y * size:(y + 1) * size])
                   for y in range(size))

    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))

    png = b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', size, size, 8, 2, 0, 0, 0))
    png += chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b'')
    with open(path, 'wb') as f:
        f.write(png)


def write_svg(path):
    """The icon's bands as shapes on its 32-unit grid, drawn in the order of
    the pixels' rule (the nearer diagonal decides): the bands of both arms,
    widest first, then the shaded edges, then the cores, all clipped to the
    inner square."""
    hexes = ['#%02X%02X%02X' % c for c in [ICON_GROUND] + ICON_GREENS]

    def bar(angle, x, y, width, height, colour):
        return (f'<rect x="{x}" y="{y}" width="{width}" height="{height:.1f}" fill="{hexes[colour]}" '
                f'transform="rotate({angle})"/>')

    shapes = []
    for half_width, colour in ((5.2, 4), (4.4, 3), (3.4, 1)):
        for angle in (45, -45):
            shapes.append(bar(angle, -30, -half_width, 60, 2 * half_width, colour))
    # The shade lies where x + y > 0: one side of the rising arm, both sides
    # of the falling arm's lower half.
    shapes.append(bar(-45, -30, 2.2, 60, 1.2, 2))
    shapes.append(bar(45, 0, 2.2, 30, 1.2, 2))
    shapes.append(bar(45, 0, -3.4, 30, 1.2, 2))
    for angle in (45, -45):
        shapes.append(bar(angle, -30, -2.2, 60, 4.4, 1))
    svg = ('<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 32 32">\n'
           f'<rect width="32" height="32" fill="{hexes[0]}"/>\n'
           '<clipPath id="square"><rect x="-13.5" y="-13.5" width="27" height="27"/></clipPath>\n'
           '<g clip-path="url(#square)" transform="translate(16 16)">\n' + '\n'.join(shapes) + '\n</g>\n</svg>\n')
    with open(path, 'w', encoding='ascii', newline='\n') as f:
        f.write(svg)


OUTPUTS = ('formula.gif', 'formula-pixels.inc', 'tarvelo.ico', 'tarvelo-icon-image.bin', 'tarvelo.png',
           'tarvelo.svg') + tuple(f'tarvelo-{size}.png' for size in ICON_SIZES)


def write_pixel_rows(path, width, palette, pixels, pixels_2x, transparent_index):
    """The GIF's palette and pixels, and the 2x rendition's, as C++
    initialisers, one string a row."""
    lines = ['// Generated by make_assets.py from the same pixels as formula.gif; do not edit.',
             f'// Palette index per pixel, {width} a row ({2 * width} at 2x); index {transparent_index} is transparent.',
             'static constexpr QRgb kFormulaPalette[] = {']
    lines.append('    ' + ', '.join(f'0x{r:02X}{g:02X}{b:02X}' for r, g, b in palette) + ',')
    lines.append('};')
    lines.append(f'static constexpr int kFormulaTransparentIndex = {transparent_index};')
    for name, rows, row_width in (('kFormulaRows', pixels, width), ('kFormulaRows2x', pixels_2x, 2 * width)):
        lines.append(f'static constexpr char {name}[] =')
        for y in range(len(rows) // row_width):
            lines.append('    "' + ''.join(str(p) for p in rows[y * row_width:(y + 1) * row_width]) + '"')
        lines[-1] += ';'
    with open(path, 'w', encoding='ascii', newline='\n') as f:
        f.write('\n'.join(lines) + '\n')


def write_all(folder):
    formula = formula_pixels()
    write_gif(os.path.join(folder, 'formula.gif'), WIDTH, HEIGHT, FORMULA_PALETTE, formula, TRANSPARENT)
    write_pixel_rows(os.path.join(folder, 'formula-pixels.inc'), WIDTH, FORMULA_PALETTE, formula,
                     formula_pixels(2), TRANSPARENT)
    palette, pixels = icon_pixels()
    write_ico(os.path.join(folder, 'tarvelo.ico'), palette, pixels)
    write_png(os.path.join(folder, 'tarvelo.png'), palette, pixels)
    for size in ICON_SIZES:
        write_png(os.path.join(folder, f'tarvelo-{size}.png'), icon_pixels(size)[0], icon_pixels(size)[1], size)
    write_svg(os.path.join(folder, 'tarvelo.svg'))


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
