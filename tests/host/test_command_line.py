"""The command line: help for the whole and for each command, and wrong command lines refused with exit code 2
and a pointer to the help."""
import pytest

from conftest import run


@pytest.mark.parametrize("words,shows", [
    (["--help"], ["plumwick make PICTURE LOGO", "plumwick show LOGO", "plumwick install DISK.img",
                  "plumwick restore DISK.img", "Exit codes"]),
    (["help", "install"], ["--start P", "--shutdown P", "--power-off P", "qcow2", "--windows-dir D", "--force"]),
    (["make", "--help"], ["Usage: plumwick make PICTURE LOGO", "byte for byte"]),
    (["show", "-h"], ["OUT.gif", "at Windows' pace"]),
    (["restore", "--help"], ["DISK.img.old-logos"]),
])
def test_help(words, shows):
    r = run(*words)
    assert r.returncode == 0 and r.stderr == ""
    assert all(text in r.stdout for text in shows), r.stdout


@pytest.mark.parametrize("words,says", [
    ([], "Usage:"),
    (["paint"], "plumwick: no command paint; see plumwick --help"),
    (["make", "a.png"], "plumwick make: takes 2 file names, 1 given; see plumwick make --help"),
    (["make", "--keep", "a.png", "b.sys"], "plumwick make: unknown option --keep"),
    (["make", "a.png", "b.sys", "--keep-colours"], "plumwick make: --keep-colours needs a number"),
    (["make", "a.png", "b.sys", "--keep-colours", "256"], "--keep-colours takes a number from 1 to 255, not 256"),
    (["make", "a.png", "b.sys", "--keep-colours=x"], "--keep-colours takes a number from 1 to 255, not x"),
    (["make", "a.png", "b.sys", "--band", "399:2"], "--band 399:2 is not within the logo's rows 0 to 399"),
    (["make", "a.png", "b.sys", "--band=side"], "--band is bottom, top or Y:HEIGHT, not side"),
    (["make", "a.png", "b.sys", "--band-colours", "blue"], "--band-colours goes with --band"),
    (["make", "a.png", "b.sys", "--band", "--keep-colours", "255"], "a band needs two at least to move"),
    (["install", "disk.img"], "give at least one of --start, --shutdown, --power-off"),
    (["install", "disk.img", "--start"], "plumwick install: --start needs a file"),
    (["install", "disk.img", "--start", "a", "--start", "b"], "--start given twice"),
    (["show", "logo.sys", "screen.bmp"], "screen.bmp must end in .png or .gif"),
])
def test_a_wrong_command_line_is_refused(words, says):
    r = run(*words)
    assert r.returncode == 2 and r.stdout == "" and says in r.stderr, r
