"""The exe audit passes a freestanding Windows 95 build and fails on each thing Windows 95 cannot run."""
import os
import shutil
import subprocess
import sys

import pytest

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
CXX = "i686-w64-mingw32-g++-win32"
BARE = ["-Os", "-march=i386", "-fno-exceptions", "-fno-asynchronous-unwind-tables", "-nostdlib", "-Wl,-e,_Start@0", "-s"]
WIN95 = ["-Wl,--subsystem,windows:4.0", "-Wl,--major-os-version,4", "-Wl,--minor-os-version,0"]
LIBS = ["-lkernel32", "-luser32"]
HELLO = r"""#include <windows.h>
static int Run() { MessageBoxA(0, "Hello", "Hello", MB_OK); return 0; }
"""
START = 'extern "C" void __stdcall Start() { Run(); ExitProcess(0); }\n'
ORDINAL_DEF = "LIBRARY USER32.dll\nEXPORTS\nMessageBeep@4 @280 NONAME\n"
CASES = [  # name, source, flags, what the failure names (None: passes)
    ("freestanding", START, BARE + WIN95 + LIBS, None),
    ("normal_mingw", "int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return Run(); }\n", ["-mwindows", "-Os"], "MSVCRT"),
    ("pentium_pro", START + 'extern "C" __attribute__((noinline)) int Larger(int a, int b) { return a > b ? a : b; }\n',
     [f.replace("i386", "pentiumpro") for f in BARE] + WIN95 + LIBS, "cmov"),
    ("sse", START + 'extern "C" float Half(float x) { return x * 0.5f; }\n', BARE + ["-msse", "-mfpmath=sse"] + WIN95 + LIBS, "xmm"),
    ("newer_function", 'extern "C" void __stdcall Start() { if (!IsDebuggerPresent()) Run(); ExitProcess(0); }\n',
     BARE + WIN95 + LIBS, "IsDebuggerPresent"),
    ("not_listed", START + 'extern "C" void Key() { RegCloseKey(0); }\n', BARE + WIN95 + ["-Wl,--undefined,_Key"] + LIBS + ["-ladvapi32"], "RegCloseKey"),
    ("subsystem_5", START, BARE + ["-Wl,--subsystem,windows:5.0"] + WIN95[1:] + LIBS, "MajorSubsystemVersion"),
    ("os_version_6", START, BARE + WIN95[:1] + ["-Wl,--major-os-version,6"] + LIBS, "MajorOSystemVersion"),
    ("ordinal", 'extern "C" void __stdcall Start() { MessageBeep(0); ExitProcess(0); }\n', BARE + WIN95 + ["-lord"] + LIBS, "ordinal"),
]


def audit(exe):
    run = subprocess.run([sys.executable, os.path.join(ROOT, "tools", "audit_exe.py"), str(exe)], capture_output=True, text=True)
    return run.returncode, run.stdout


@pytest.mark.skipif(shutil.which(CXX) is None, reason="MinGW cross compiler missing")
@pytest.mark.parametrize("name,source,flags,names", CASES, ids=[c[0] for c in CASES])
def test_audit_verdict(tmp_path, name, source, flags, names):
    (tmp_path / "o.def").write_text(ORDINAL_DEF)
    subprocess.run(["i686-w64-mingw32-dlltool", "-d", str(tmp_path / "o.def"), "-l", str(tmp_path / "libord.a")], check=True)
    (tmp_path / "a.cpp").write_text(HELLO + source)
    subprocess.run([CXX, str(tmp_path / "a.cpp"), "-o", str(tmp_path / "a.exe"), "-L" + str(tmp_path)] + flags,
                   check=True, capture_output=True)
    code, out = audit(tmp_path / "a.exe")
    assert (code == 0) == (names is None), out
    assert names is None or names.lower() in out.lower(), out


@pytest.mark.skipif(not os.environ.get("PLUMWICK_I686_EXE"), reason="PLUMWICK_I686_EXE not set")
def test_release_exe_passes():
    code, out = audit(os.environ["PLUMWICK_I686_EXE"])
    assert code == 0, out
