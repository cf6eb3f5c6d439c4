"""Odd and broken bitmaps chosen through the real file-open dialog: each one
is previewed or reported, the tool never falls over, and the path stays."""

from __future__ import annotations

import json
import subprocess
import sys
from pathlib import Path

import pytest

from plumwick_ui import CMD_OK, LBL_LOGO, MAIN, PREVIEW_BOX, Tool

pytestmark = pytest.mark.usefixtures("needs_tool")

HERE = Path(__file__).resolve().parent


def test_every_odd_bitmap_is_previewed_or_reported(desk, tmp_path):
    subprocess.run([sys.executable, str(HERE / "gen_bad_bitmaps.py"), str(tmp_path)], check=True,
                   capture_output=True)
    cases = json.loads((tmp_path / "manifest.json").read_text())
    assert len(cases) >= 20
    for case in cases:
        desk.put(f"C:\\bad\\{case['file']}", (tmp_path / case["file"]).read_bytes())
    tool = Tool(desk).prepare().start()
    outcomes = {}
    for case in cases:
        path = f"C:\\bad\\{case['file']}"
        before = tool.preview(0)
        tool.choose(0, path)
        boxes = tool.open_boxes(PREVIEW_BOX)
        if boxes:
            box = tool.box(PREVIEW_BOX)
            assert box["icon"] == "critical", box
            tool.answer(PREVIEW_BOX, "OK")
            outcomes[case["file"]] = "reported"
            assert tool.preview(0) == before, f"{case['file']}: a reported file leaves the preview"
        else:
            outcomes[case["file"]] = "previewed"
        assert tool.alive(), f"the tool ended on {case['file']}"
        assert tool.text(LBL_LOGO[0]) == path
        assert tool.enabled(CMD_OK)
    desk.snap("after the odd bitmaps")
    wrong = {c["file"]: outcomes[c["file"]] for c in cases
             if (outcomes[c["file"]] == "previewed") != c["valid"]}
    assert not wrong, f"outcome differs from what the file deserves: {wrong}"
    print("\n".join(f"{name}: {outcome}" for name, outcome in outcomes.items()))
