"""The exe audit: passes a freestanding Windows 95 build, fails everything else."""
import os
import shutil
import subprocess
import sys

import pytest

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
AUDIT = os.path.join(ROOT, "tools", "audit_exe.py")
CXX = "i686-w64-mingw32-g++-win32"
FREESTANDING = ["-Os", "-march=i386", "-fno-exceptions", "-fno-rtti", "-fno-asynchronous-unwind-tables",
                "-nostdlib", "-Wl,-e,_Start@0", "-s"]
WIN95 = ["-Wl,--subsystem,windows:4.0", "-Wl,--major-os-version,4", "-Wl,--minor-os-version,0"]

HELLO = r"""
#include <windows.h>
static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l)
{
    if (m == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(h, m, w, l);
}
static int Run()
{
    WNDCLASSA c = {};
    c.lpfnWndProc = Proc;
    c.hInstance = GetModuleHandleA(0);
    c.lpszClassName = "Hello";
    RegisterClassA(&c);
    CreateWindowExA(0, "Hello", "Hello", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, 0, 0, c.hInstance, 0);
    MSG msg;
    while (GetMessageA(&msg, 0, 0, 0) > 0) DispatchMessageA(&msg);
    return 0;
}
"""
ENTRY = "extern \"C\" void __stdcall Start() { Run(); ExitProcess(0); }\n"
MAIN = "int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return Run(); }\n"
# Picks the larger of two values: CMOV once a Pentium Pro may be assumed.
LARGER = "extern \"C\" __attribute__((noinline)) int Larger(int a, int b) { return a > b ? a : b; }\n"
NEWER_CALL = "extern \"C\" void __stdcall Start() { if (!IsDebuggerPresent()) Run(); ExitProcess(0); }\n"

needs_mingw = pytest.mark.skipif(shutil.which(CXX) is None, reason="MinGW cross compiler missing")


def build(tmp_path, name, source, flags):
    src = tmp_path / (name + ".cpp")
    src.write_text(HELLO + source)
    exe = tmp_path / (name + ".exe")
    subprocess.run([CXX, str(src), "-o", str(exe)] + flags, check=True, capture_output=True)
    return exe


def audit(exe):
    run = subprocess.run([sys.executable, AUDIT, str(exe)], capture_output=True, text=True)
    return run.returncode, run.stdout


CASES = [
    # name, source, flags, passes, what the failure names
    ("freestanding", ENTRY, FREESTANDING + WIN95 + ["-lkernel32", "-luser32"], True, None),
    ("normal_mingw", MAIN, ["-mwindows", "-Os"], False, "MSVCRT"),
    ("pentium_pro", ENTRY + LARGER, [f.replace("i386", "pentiumpro") for f in FREESTANDING] + WIN95
     + ["-lkernel32", "-luser32"], False, "cmov"),
    ("sse", ENTRY + "extern \"C\" float Half(float x) { return x * 0.5f; }\n",
     FREESTANDING + ["-msse", "-mfpmath=sse"] + WIN95 + ["-lkernel32", "-luser32"], False, "xmm"),
    ("newer_function", NEWER_CALL, FREESTANDING + WIN95 + ["-lkernel32", "-luser32"], False, "IsDebuggerPresent"),
    ("subsystem_5", ENTRY, FREESTANDING + ["-Wl,--subsystem,windows:5.0", "-Wl,--major-os-version,4",
                                          "-Wl,--minor-os-version,0", "-lkernel32", "-luser32"], False,
     "MajorSubsystemVersion"),
    ("os_version_6", ENTRY, FREESTANDING + ["-Wl,--subsystem,windows:4.0", "-Wl,--major-os-version,6",
                                           "-Wl,--minor-os-version,0", "-lkernel32", "-luser32"], False,
     "MajorOSystemVersion"),
    ("advapi_not_listed", ENTRY + "extern \"C\" void Key() { RegCloseKey(0); }\n",
     FREESTANDING + WIN95 + ["-Wl,--undefined,_Key", "-lkernel32", "-luser32", "-ladvapi32"], False, "RegCloseKey"),
]


@needs_mingw
@pytest.mark.parametrize("name,source,flags,passes,names", CASES, ids=[c[0] for c in CASES])
def test_audit_verdicts(tmp_path, name, source, flags, passes, names):
    code, out = audit(build(tmp_path, name, source, flags))
    assert (code == 0) == passes, out
    assert "size " in out and " bytes" in out
    if names:
        assert names.lower() in out.lower(), out


@needs_mingw
def test_import_by_ordinal_fails(tmp_path):
    (tmp_path / "o.def").write_text("LIBRARY USER32.dll\nEXPORTS\nMessageBeep@4 @280 NONAME\n")
    subprocess.run(["i686-w64-mingw32-dlltool", "-d", str(tmp_path / "o.def"), "-l", str(tmp_path / "libord.a")],
                   check=True)
    exe = build(tmp_path, "ordinal", "extern \"C\" void __stdcall Start() { MessageBeep(0); ExitProcess(0); }\n",
                FREESTANDING + WIN95 + ["-L" + str(tmp_path), "-lord", "-lkernel32", "-luser32"])
    code, out = audit(exe)
    assert code != 0
    assert "ordinal" in out


def test_release_exe_passes():
    exe = os.environ.get("PLUMWICK_I686_EXE")
    if not exe:
        pytest.skip("PLUMWICK_I686_EXE not set")
    code, out = audit(exe)
    assert code == 0, out
