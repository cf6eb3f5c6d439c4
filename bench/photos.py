"""Photographs for the benchmarks, each cut to a 4:3 size as a 24-bit bitmap
with ImageMagick, from Debian packages (tools/install-deps.sh installs them):
the fifteen of lomiri-wallpapers-16.04 (skies shading to the sun, mountains,
grass and leaves, a stream in a wood, dogs, close-ups of things, a room), and
held out, fourteen the quantiser was never tuned on: mate-backgrounds' nature
photographs and two of lomiri-wallpapers-20.04."""
import shutil
import subprocess
from pathlib import Path

FOLDER = Path("/usr/share/backgrounds")
NEEDED = "imagemagick pngquant lomiri-wallpapers-16.04 lomiri-wallpapers-20.04 mate-backgrounds"
# The twelve the quantiser was tuned on, then the package's other three.
TUNED = [
    "Bridge_by_Sander_Klootwijk", "sunset_by_Aitzol_Berasategi", "picosdeeuropa_by_Aitzol_Berasategi",
    "aitzgorri_by_Aitzol_Berasategi", "seeding_by_Clements_Engelhardt", "Dragonfly_by_Bolly",
    "life_by_Aitzol_Berasategi", "friends_by_Aitzol_Berasategi", "Wine_by_Jakkub_Mede",
    "Picture_0B_by_freespace", "Picture_1A_by_freespace", "free_by_Peter_Nerlich",
]
OTHERS = ["analogpattern_by_Peter_Nerlich", "greentock_by_Peter_Nerlich", "umang_by_Abhishek_Mudgal"]
HELD_OUT = [f"mate/nature/{name}" for name in [
    "Aqua", "Blinds", "Dune", "FreshFlower", "Garden", "GreenMeadow", "LadyBird", "RainDrops", "Storm", "TwoWings",
    "Wood", "YellowFlower"]] + ["Infinite-Sea_by_Aury88", "Kleiber_by_Lukas_Baubkus"]


def cut(names: list[str], width: int, height: int, work: Path) -> list[Path] | None:
    """Each photograph cut to width x height; None when a tool or a photograph is missing."""
    if not shutil.which("convert") or not shutil.which("pngquant"):
        return None
    paths = []
    folder = work / f"{width}x{height}"
    folder.mkdir(exist_ok=True)
    for name in names:
        source, out = FOLDER / f"{name}.jpg", folder / f"{Path(name).name}.bmp"
        if not source.exists():
            return None
        subprocess.run(["convert", str(source), "-resize", f"{width}x{height}^", "-gravity", "center", "-extent",
                        f"{width}x{height}", "-type", "TrueColor", f"BMP3:{out}"], check=True)
        paths.append(out)
    return paths
