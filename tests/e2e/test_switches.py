"""The tool's jobs from the command line, as a shortcut or a batch file runs them: no window, a box only when
something failed, and the exit status."""
from bitmaps import bmp
from ui import CANCEL, LIVE, TOOL, logo, made_logo

COLOURS = [(200, 30, 30), (30, 200, 30), (30, 30, 200)]
RANDOM = TOOL + "\\random\\logo"  # any capitalisation


def test_random_starts_show_another_logo_each_time(tool):
    for i, rgb in enumerate(COLOURS):
        tool.put(f"{RANDOM}\\pick{i}.sys", logo(rgb))
    tool.put(f"{RANDOM}\\photo.bmp", bmp(64, 48, lambda x, y: (x * 4, y * 5, 90)))  # made into a logo if picked
    tool.put(f"{RANDOM}\\notes.txt", b"not a picture")
    tool.put(f"{RANDOM}s\\only.bmp", bmp(48, 64, lambda x, y: (90, x * 5, y * 4)))  # the power-off logo's one choice
    valid = {logo(rgb) for rgb in COLOURS}
    tool.prepare().put(LIVE[0], logo((0, 0, 0)))
    seen = [tool.read(LIVE[0])]
    for _ in range(6):
        assert tool.run_switches("/random") == (0, [])
        seen.append(tool.read(LIVE[0]))
        assert (seen[-1] in valid or made_logo(seen[-1])) and seen[-1] != seen[-2], "a logo, and another than before"
        assert sorted(p.name for p in tool.s.c(TOOL + "\\random").iterdir()) == ["logo", "logos"], "made logos go"
    assert made_logo(tool.read(LIVE[2])), "the power-off logo made of the one picture in its folder"
    assert len(set(seen[1:]) - valid) <= 1, "the photo, if picked, always as the same logo"
    assert tool.exists(TOOL + "\\BakLog\\logow.sys"), "the first run made the backup"


def test_logo_files_relative_or_with_spaces_and_shift_jis_then_default(tool):
    folder = "C:\\ソフト 表示"  # ソ and 表 end in the byte 0x5C
    tool.put(TOOL + "\\pics\\red.sys", logo(COLOURS[0]))
    tool.put(f"{folder}\\表.sys", logo(COLOURS[1]))
    tool.put("C:\\pics\\photo.bmp", bmp(64, 48, lambda x, y: (x * 4, y * 5, 90)))
    tool.put("C:\\pics\\notes.bmp", b"not a picture\r\n")
    tool.prepare().put(LIVE[0], logo((0, 0, 0)))
    before = [tool.read(p) for p in LIVE]
    code, boxes = tool.run_switches("/logow", "C:\\pics\\photo.bmp", "/logos", "C:\\pics\\notes.bmp")
    assert code == 1 and [b["text"] for b in boxes] == [
        "C:\\pics\\notes.bmp\r\n\r\nこのファイルは、このツールが読める画像（BMP、JPEG、PNG、GIF）ではありません。\r\n\r\nどのロゴも変更していません。"]
    assert [tool.read(p) for p in LIVE] == before and not tool.exists(TOOL + "\\Logos")
    # A picture that is no logo is made into one beside the tool, and that is installed.
    assert tool.run_switches("/logow", "C:\\pics\\photo.bmp") == (0, [])
    made = tool.read(LIVE[1])
    assert made_logo(made) and made == tool.read(TOOL + "\\Logos\\photo.bmp")
    assert tool.run_switches("/logo", "pics\\red.sys", "/logos", f"{folder}\\表.sys", cwd=TOOL) == (0, [])
    assert [tool.read(p) for p in LIVE] == [logo(COLOURS[0]), made, logo(COLOURS[1])]
    assert tool.run_switches("/DEFAULT") == (0, [])
    assert [tool.read(p) for p in LIVE] == before


def test_help_a_wrong_switch_and_the_open_window_each_show_one_box(tool):
    tool.prepare()
    code, boxes = tool.run_switches("/?")
    assert code == 0 and len(boxes) == 1 and boxes[0]["text"].startswith("Plumwick.exe のスイッチ") and \
        boxes[0]["icon"] != "critical"
    code, boxes = tool.run_switches("/randum")
    assert (code, [(b["text"], b["icon"]) for b in boxes]) == (
        2, [("このスイッチは使えません: /randum\r\n\r\nPlumwick.exe /? でスイッチの一覧を表示します。", "critical")])
    tool.start()
    code, boxes = tool.run_switches("/default")
    assert code == 3 and [b["text"] for b in boxes] == [
        "Plumwick がもう動いています。終わってから実行してください。\r\n\r\nどのロゴも変更していません。"]
    tool.press(CANCEL)
    assert tool.ended() == 0
