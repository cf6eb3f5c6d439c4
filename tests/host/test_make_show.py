"""plumwick make and show: a logo is what Windows shows, of the picture as it is meant to be seen (turned upright,
laid on black where it is transparent), the decoders hand the core the picture's exact pixels, a paletted 320 x 400
picture is kept, a picture that is damaged or not there is refused, and show draws the 640 x 480 screen and its
colour cycle."""
import math
import struct
import subprocess

import pytest

from conftest import LOGO_SIZE, bmp, rgb_pixels, run

# 16 colours with a pattern that changes at every pixel, so that a row or a column read wrong changes the logo.
COLOURS = [(r, g, b) for r in (0, 255) for g in (40, 200) for b in (10, 130, 250)] + \
          [(255, 255, 255), (90, 90, 90), (200, 100, 0), (0, 100, 200)]
PATTERN = lambda x, y: COLOURS[(x ^ y) % 16]  # noqa: E731
GRADIENT = lambda x, y: (x * 255 // 399, y * 255 // 299, (x + y) % 256)  # noqa: E731


def logo_parts(logo):
    """(palette as (r, g, b), rows of indexes top row first, biClrImportant) of a logo file."""
    palette = [(logo[56 + 4 * i], logo[55 + 4 * i], logo[54 + 4 * i]) for i in range(256)]
    rows = [logo[1078 + (399 - y) * 320:1078 + (400 - y) * 320] for y in range(400)]
    return palette, rows, struct.unpack_from("<I", logo, 50)[0]


def make(source, tmp_path):
    out = tmp_path / "made.sys"
    r = run("make", source, out)
    assert r.returncode == 0, r.stderr
    return out.read_bytes()


def logo_header(important=0):
    """The first 54 bytes of every logo: 320 x 400, 8 bits, uncompressed, 256 colours, pixels at 1078."""
    return b"BM" + struct.pack("<IHHIIiiHHIIiiII", LOGO_SIZE, 0, 0, 1078, 40, 320, 400, 1, 8, 0, 320 * 400, 0, 0, 256,
                               important)


def psnr(a, b):
    error = sum((x - y) ** 2 for p, q in zip(a, b) for x, y in zip(p, q)) / (3 * len(a))
    return 10 * math.log10(255 ** 2 / error) if error else 99


@pytest.mark.parametrize("width,height,pixel,options,area", [
    (400, 300, GRADIENT, {}, (0, 320)),  # 4:3, fills the logo, thousands of colours
    (200, 200, PATTERN, {}, (40, 240)),  # square, in the middle: 240 logo pixels wide are 480 on the 4:3 screen
    (160, 100, lambda x, y: (x // 10 + y // 10) % 16, dict(bits=4, palette=COLOURS), (0, 320)),  # 16:10, 4 bits
])
def test_make_gives_a_logo_of_the_picture(picture, tmp_path, width, height, pixel, options, area):
    """What the logo shows is the picture scaled to its place (by area, as ImageMagick's -scale does), black
    around it, within the error that 256 colours and their diffusion leave."""
    source = picture("in.bmp", width, height, pixel, **options)
    logo = make(source, tmp_path)
    assert len(logo) == LOGO_SIZE and logo[:54] == logo_header()
    palette, rows, _ = logo_parts(logo)
    left, place = area
    shown = [palette[i] for row in rows for i in row]
    expected = rgb_pixels(source, "-scale", "%dx400!" % place, "-background", "black", "-gravity", "center",
                          "-extent", "320x400")
    assert all(shown[y * 320 + x] == (0, 0, 0) for y in range(400) for x in list(range(left)) + list(range(left + place, 320)))
    assert psnr(shown, expected) > 27, psnr(shown, expected)


def test_a_paletted_320x400_bmp_keeps_its_palette_indexes_and_cycle(tmp_path):
    palette = [(i, 255 - i, i ^ 0x5A) for i in range(200)]
    (tmp_path / "in.bmp").write_bytes(bmp(320, 400, lambda x, y: (x + 3 * y) % 200, bits=8, important=150,
                                          palette=palette))
    logo = make(tmp_path / "in.bmp", tmp_path)
    assert logo[:54] == logo_header(important=150)
    kept, rows, _ = logo_parts(logo)
    assert kept == palette + [(0, 0, 0)] * 56
    assert rows == [bytes((x + 3 * y) % 200 for x in range(320)) for y in range(400)]


@pytest.mark.parametrize("kept", [236, 16])
def test_keep_colours_leaves_the_top_entries_free_to_turn(picture, tmp_path, kept):
    """Even a logo already is made again: its pixels use entries below N only, N and up are black, and
    biClrImportant says N."""
    for source in (picture("in.bmp", 400, 300, GRADIENT),
                   picture("logo.bmp", 320, 400, lambda x, y: x % 256, bits=8, palette=[(i, i, 0) for i in range(256)])):
        out = tmp_path / "made.sys"
        assert run("make", source, out, "--keep-colours", str(kept)).returncode == 0
        palette, rows, important = logo_parts(out.read_bytes())
        assert important == kept and max(max(row) for row in rows) < kept
        assert palette[kept:] == [(0, 0, 0)] * (256 - kept) and len(set(palette[:kept])) > kept // 2


@pytest.mark.parametrize("options,first,rows,blue", [
    (["--band"], 224, range(376, 400), False),
    (["--band", "top", "--band-colours", "blue"], 224, range(0, 24), True),
    (["--keep-colours", "200", "--band=100:10"], 200, range(100, 110), False),
])
def test_a_band_is_made_where_asked_and_shown_moving(picture, tmp_path, options, first, rows, blue):
    out, gif = tmp_path / "band.sys", tmp_path / "band.gif"
    made = run("make", picture("in.bmp", 400, 300, GRADIENT), out, *options)
    assert made.returncode == 0 and "as the shutdown or power-off logo the band stands still" in made.stdout
    palette, logo_rows, important = logo_parts(out.read_bytes())
    assert important == first
    assert [min(row) >= first for row in logo_rows] == [y in rows for y in range(400)]
    assert (palette[first] == (0, 16, 112)) == blue
    assert run("show", out, gif).returncode == 0
    frames = subprocess.run(["identify", str(gif)], capture_output=True, text=True, check=True).stdout
    assert len(frames.splitlines()) == 256 - first


def test_make_copies_a_logo_byte_for_byte(tmp_path):
    logo = bmp(320, 400, lambda x, y: x % 256, bits=8, palette=[(i, i, 0) for i in range(256)], important=236)
    (tmp_path / "logo.sys").write_bytes(logo)
    assert make(tmp_path / "logo.sys", tmp_path) == logo


@pytest.mark.parametrize("name,prefix,options", [
    ("rgb.png", "PNG24:", ()), ("rgba.png", "PNG32:", ()), ("deep.png", "PNG48:", ()),
    ("paletted.png", "PNG8:", ()), ("interlaced.png", "PNG24:", ("-interlace", "PNG")),
    ("plain.gif", "", ()), ("interlaced.gif", "", ("-interlace", "GIF")),
])
def test_decoded_pictures_give_the_same_logo_as_the_bmp(picture, tmp_path, name, prefix, options):
    source = picture("pattern.bmp", 640, 480, PATTERN)
    other = tmp_path / name
    subprocess.run(["convert", str(source), *options, prefix + str(other)], check=True)
    assert make(other, tmp_path) == make(source, tmp_path)


def palette_in_file(data):
    """The palette a PNG's PLTE chunk or a GIF's global colour table holds."""
    if data.startswith(b"GIF"):
        entries = 2 << (data[10] & 7)
        table = data[13:13 + 3 * entries]
    else:
        at = data.index(b"PLTE")
        table = data[at + 4:at + 4 + struct.unpack(">I", data[at - 4:at])[0]]
    return [tuple(table[i:i + 3]) for i in range(0, len(table), 3)]


@pytest.mark.parametrize("name,prefix", [("logo.png", "PNG8:"), ("logo.gif", "")])
def test_a_paletted_320x400_picture_keeps_its_palette_and_indexes(picture, tmp_path, name, prefix):
    source = picture(name, 320, 400, lambda x, y: COLOURS[(x // 20 + y // 25) % 12], prefix=prefix)
    file_palette = palette_in_file(source.read_bytes())
    palette, rows, important = logo_parts(make(source, tmp_path))
    assert palette[:len(file_palette)] == file_palette and important == 0
    pixels = rgb_pixels(source)
    assert [i for row in rows for i in row] == [file_palette.index(c) for c in pixels]


def mean(colours):
    return tuple(sum(c[k] for c in colours) / len(colours) for k in range(3))


RED, BLUE, LIGHT, DARK = (230, 30, 30), (30, 30, 230), (200, 200, 200), (60, 60, 60)


@pytest.mark.parametrize("width,height,colours,options", [
    (640, 480, (RED, BLUE), ()),
    (4800, 3600, (RED, BLUE), ()),  # 17 million pixels: more than the core takes, so decoded at half size
    (640, 480, (LIGHT, DARK), ("-colorspace", "Gray")),  # a one-channel JPEG
])
def test_make_on_a_jpeg_gives_a_logo_windows_shows(tmp_path, width, height, colours, options):
    jpeg = tmp_path / "photo.jpg"
    halves = ["-size", "%dx%d" % (width // 2, height)]
    for colour in colours:
        halves.append("xc:rgb%s" % (colour,))
    subprocess.run(["convert", *halves, "+append", *options, str(jpeg)], check=True)
    logo = make(jpeg, tmp_path)
    assert len(logo) == LOGO_SIZE
    shown = run("show", tmp_path / "made.sys", tmp_path / "screen.png")
    assert shown.returncode == 0 and "Windows shows it" in shown.stdout
    palette, rows, _ = logo_parts(logo)
    left = mean([palette[i] for row in rows for i in row[20:140]])
    right = mean([palette[i] for row in rows for i in row[180:300]])
    for got, want in zip((left, right), colours):
        assert all(abs(a - b) < 12 for a, b in zip(got, want)), (got, want)


def jpeg(tmp_path, *options):
    """A 640 x 480 JPEG of a gradient, made by ImageMagick."""
    path = tmp_path / "photo.jpg"
    subprocess.run(["convert", "-size", "640x480", "gradient:red-blue", *options, str(path)], check=True)
    return path.read_bytes()


@pytest.mark.parametrize("name,content,words", [
    ("notes.txt", b"not a picture at all\n", "not a picture plumwick reads"),
    ("cut.png", b"\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\1", "not a PNG that libpng can read"),
    ("head.jpg", b"\xff\xd8\xff\xe0\0\x10JFIF\0", "a damaged or cut-short JPEG"),
    ("cut.jpg", lambda t: jpeg(t)[:3000], "a damaged or cut-short JPEG, a CMYK one"),
    ("cut-progressive.jpg", lambda t: jpeg(t, "-interlace", "JPEG")[:3000], "a damaged or cut-short JPEG"),
    ("empty.gif", b"GIF89a\1\0\1\0\0\0\0;", "not a GIF that giflib can read"),
    ("cut.gif", b"GIF89a", "not a GIF that giflib can read (damaged or cut short"),
    ("bad.bmp", b"BM" + bytes(60), "a BMP file that cannot be read"),
    # RLE8, 4097 x 4097 pixels in two bytes of codes
    ("huge.bmp", b"BM" + struct.pack("<IIIIiiHHIIIIII", 1080, 0, 1078, 40, 4097, 4097, 1, 8, 1, 2, 0, 0, 0, 0)
     + bytes(1024) + b"\0\1", "a picture larger than plumwick takes"),
    ("missing.png", None, "no such file"),
    ("folder.png", "folder", "a folder, not a file"),
])
def test_make_refuses_what_it_cannot_read(tmp_path, name, content, words):
    source = tmp_path / name
    if content == "folder":
        source.mkdir()
    elif content is not None:
        source.write_bytes(content(tmp_path) if callable(content) else content)
    r = run("make", source, tmp_path / "out.sys")
    assert r.returncode == 1 and not (tmp_path / "out.sys").exists()
    assert r.stderr.startswith("plumwick: %s: " % source) and words in r.stderr and r.stderr.count("\n") == 1


def test_make_does_not_write_over_its_picture(tmp_path):
    (tmp_path / "pic.png").write_bytes(jpeg(tmp_path))
    (tmp_path / "link.sys").symlink_to("pic.png")
    before = (tmp_path / "pic.png").read_bytes()
    for logo in ("pic.png", "link.sys"):
        r = run("make", tmp_path / "pic.png", tmp_path / logo)
        assert r.returncode == 1 and "that is the picture itself" in r.stderr
    assert (tmp_path / "pic.png").read_bytes() == before


def with_orientation(data, value, big_endian):
    """The JPEG with an EXIF segment whose only entry is its orientation."""
    e = ">" if big_endian else "<"
    tiff = (b"MM\0*" if big_endian else b"II*\0") + struct.pack(e + "IHHHIHHI", 8, 1, 0x0112, 3, 1, value, 0, 0)
    segment = b"Exif\0\0" + tiff
    return data[:2] + b"\xff\xe1" + struct.pack(">H", len(segment) + 2) + segment + data[2:]


RED, BLUE = (255, 0, 0), (0, 0, 255)


@pytest.mark.parametrize("orientation,big_endian,points", [
    (1, False, {(80, 200): RED, (240, 200): BLUE}),  # 2:1 as stored: red left, blue right
    (3, True, {(80, 200): BLUE, (240, 200): RED}),  # turned half round
    (6, False, {(160, 100): RED, (160, 300): BLUE}),  # a quarter clockwise: upright 1:2, the left half on top
    (8, True, {(160, 100): BLUE, (160, 300): RED}),  # a quarter anticlockwise
])
def test_a_photo_comes_upright_as_its_exif_orientation_says(tmp_path, orientation, big_endian, points):
    stored = tmp_path / "stored.jpg"
    subprocess.run(["convert", "-size", "32x32", "xc:red", "xc:blue", "+append", str(stored)], check=True)
    (tmp_path / "photo.jpg").write_bytes(with_orientation(stored.read_bytes(), orientation, big_endian))
    palette, rows, _ = logo_parts(make(tmp_path / "photo.jpg", tmp_path))
    for (x, y), colour in points.items():
        assert all(abs(a - b) < 40 for a, b in zip(palette[rows[y][x]], colour)), (x, y, palette[rows[y][x]])


@pytest.mark.parametrize("name,prefix,options,left,right", [
    ("half.png", "PNG32:", ["-alpha", "set", "-channel", "A", "-evaluate", "set", "50%"], (128, 128, 128), None),
    ("clear.gif", "", ["-transparent", "white"], (0, 0, 0), (255, 0, 0)),
])
def test_what_is_transparent_is_laid_on_black(tmp_path, name, prefix, options, left, right):
    """Each colour by its opacity, as on the black of the screen: half-seen white is mid grey."""
    subprocess.run(["convert", "-size", "100x100", "xc:red", "-fill", "white", "-draw", "rectangle 0,0 49,99",
                    *options, prefix + str(tmp_path / name)], check=True)
    palette, rows, _ = logo_parts(make(tmp_path / name, tmp_path))
    for x, colour in ((100, left), (220, right or (128, 0, 0))):
        assert all(abs(a - b) < 3 for a, b in zip(palette[rows[200][x]], colour)), (x, palette[rows[200][x]])


PALETTE = [(i, 255 - i, i ^ 0x5A) for i in range(256)]
LOGO_PIXEL = lambda x, y: (x + 7 * y) % 256  # noqa: E731
# Screen row to logo row: the logo row whose middle is nearest the screen row's middle (400 rows over 480).
SCREEN_ROWS = [(0, 0), (1, 1), (2, 2), (3, 2), (4, 3), (5, 4), (6, 5), (240, 200), (478, 398), (479, 399)]


@pytest.mark.parametrize("out", ["screen.png", "screen.gif"])
def test_show_draws_each_logo_pixel_two_wide_and_the_nearest_row(tmp_path, out):
    (tmp_path / "logo.sys").write_bytes(bmp(320, 400, LOGO_PIXEL, bits=8, palette=PALETTE))
    r = run("show", tmp_path / "logo.sys", tmp_path / out)
    assert r.returncode == 0 and "Windows shows it" in r.stdout and "cycle" not in r.stdout
    screen = rgb_pixels(tmp_path / out)
    assert len(screen) == 640 * 480
    for y, row in SCREEN_ROWS:
        for x in (0, 1, 2, 3, 318, 319, 638, 639):
            assert screen[y * 640 + x] == PALETTE[LOGO_PIXEL(x // 2, row)], (x, y)


def test_show_animates_the_start_up_colour_cycle(tmp_path):
    first = 250  # entries 250 to 255 cycle: 6 steps
    (tmp_path / "logo.sys").write_bytes(bmp(320, 400, LOGO_PIXEL, bits=8, palette=PALETTE, important=first))
    r = run("show", tmp_path / "logo.sys", tmp_path / "cycle.gif")
    assert r.returncode == 0 and "colours 250 to 255 cycle" in r.stdout
    gif = tmp_path / "cycle.gif"
    assert b"NETSCAPE2.0\x03\x01\x00\x00" in gif.read_bytes()  # loops for ever
    delays = subprocess.run(["identify", "-format", "%T %w %h,", str(gif)], capture_output=True, text=True).stdout
    assert delays.split(",")[:-1] == ["15 640 480"] * 6
    # Logo pixel (x, 0) has index x; screen (2x, 0) shows it.
    for step in range(6):
        frame = rgb_pixels("%s[%d]" % (gif, step), "-crop", "640x1+0+0")
        for index in (0, 100, 249, 250, 253, 255):
            shown = index if index < first else first + (index - first + step) % 6
            assert frame[2 * index] == PALETTE[shown], (step, index)
    r = run("show", tmp_path / "logo.sys", tmp_path / "still.png")
    assert rgb_pixels(tmp_path / "still.png") == rgb_pixels("%s[0]" % gif)
    assert rgb_pixels(tmp_path / "still.png") != rgb_pixels("%s[1]" % gif)


PLAIN = dict(width=320, height=400, pixel=lambda x, y: 0, bits=8, palette=[(0, 0, 0)] * 256)


@pytest.mark.parametrize("changes,reasons", [
    (dict(bits=24, palette=(), pixel=lambda x, y: (0, 0, 0)), ["it has 24 bits a pixel; a logo has 8"]),
    (dict(width=640, height=480), ["it is 640 x 480 pixels; a logo is 320 x 400"]),
    (dict(top_down=True), ["its rows are stored top row first"]),
    (dict(palette=[(0, 0, 0)] * 16), ["its palette has 16 entries; a logo's has 256"]),
    (dict(compression=1, data=b"\0\1"), ["it is compressed (RLE8); a logo is not"]),
    (dict(os2=True), ["it has the 12-byte OS/2 header"]),
    (dict(width=640, height=480, bits=4, palette=[(0, 0, 0)] * 16),
     ["it is 640 x 480 pixels", "it has 4 bits a pixel"]),
])
def test_show_tells_why_windows_does_not_show_a_file(tmp_path, changes, reasons):
    options = dict(PLAIN, **changes)
    (tmp_path / "x.bmp").write_bytes(bmp(options.pop("width"), options.pop("height"), **options))
    r = run("show", tmp_path / "x.bmp", tmp_path / "out.png")
    assert r.returncode == 1 and not (tmp_path / "out.png").exists()
    assert "Windows does not show this file as a logo" in r.stdout
    told = [line for line in r.stdout.splitlines() if line.startswith("  - ")]
    assert len(told) == len(reasons) and all(words in line for words, line in zip(reasons, told)), r.stdout
