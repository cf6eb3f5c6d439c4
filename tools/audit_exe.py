#!/usr/bin/python3
"""Checks that an exe loads and runs on a stock Windows 95 on a 386.

Fails on: an import from a DLL outside the allowed set, a function missing
from the list of functions Windows 95 exports, an import by ordinal, a
subsystem or OS version other than 4.0, or any instruction a 386 lacks.
Prints the exe's size in bytes.
"""
import argparse
import os
import re
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))

# Instructions the 386 does not have (486, Pentium, Pentium Pro and later).
FORBIDDEN = re.compile(
    r"^(cmov\w*|fcmov\w*|fcomip?|fucomip?|bswap|cmpxchg\w*|xadd\w*|cpuid|rdtsc\w*|rdmsr|wrmsr|"
    r"invd|wbinvd|invlpg|rsm|sysenter|sysexit|syscall|ud2|"
    r"prefetch\w*|[lsm]fence|movnti|emms|femms|pause)$")
VECTOR_REGISTER = re.compile(r"%(x|y|z)?mm\d+")


def read_allowed(path):
    allowed, dll = {}, None
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.split("#", 1)[0].strip()
            if not line:
                continue
            if line.startswith("[") and line.endswith("]"):
                dll = line[1:-1].upper()
                allowed.setdefault(dll, set())
            elif dll:
                allowed[dll].add(line.split()[0])
    return allowed


def imports(objdump, exe):
    """(dll, name or None for an ordinal) for every import."""
    out = subprocess.run([objdump, "-p", exe], check=True, capture_output=True, text=True).stdout
    found, dll = [], None
    for line in out.splitlines():
        m = re.match(r"\s*DLL Name: (\S+)", line)
        if m:
            dll = m.group(1).upper()
            continue
        if dll is None:
            continue
        if not line.strip():
            dll = None
            continue
        m = re.match(r"\s*[0-9a-f]+\s+(\d+)\s+(\S+)", line)
        if m:
            found.append((dll, None if m.group(2) == "<none>" else m.group(2)))
    return out, found


def header_value(dump, field):
    m = re.search(r"^%s\s+(\S+)" % field, dump, re.M)
    return m.group(1) if m else None


def forbidden_instructions(objdump, exe, limit=20):
    out = subprocess.run([objdump, "-d", "--no-show-raw-insn", exe], check=True, capture_output=True,
                         text=True).stdout
    hits = []
    for line in out.splitlines():
        parts = line.split("\t")
        if len(parts) < 2 or not re.match(r"\s*[0-9a-f]+:", parts[0]):
            continue
        text = parts[1].strip()
        if not text:
            continue
        words = text.split()
        mnemonic = words[0]
        if mnemonic in ("lock", "rep", "repz", "repnz", "repe", "repne", "data16", "addr16") and len(words) > 1:
            mnemonic = words[1]
        if FORBIDDEN.match(mnemonic) or VECTOR_REGISTER.search(text):
            hits.append(line.strip())
            if len(hits) >= limit:
                break
    return hits


def audit(exe, allowed_path, objdump):
    problems = []
    allowed = read_allowed(allowed_path)
    dump, found = imports(objdump, exe)
    if not found:
        problems.append("no imports found: not a PE file objdump understands?")
    for dll, name in found:
        if dll not in allowed:
            problems.append("import from a DLL Windows 95 lacks or the tool may not use: %s!%s" % (dll, name))
        elif name is None:
            problems.append("import by ordinal from %s" % dll)
        elif name not in allowed[dll]:
            problems.append("function not known in Windows 95: %s!%s" % (dll, name))
    for field in ("MajorSubsystemVersion", "MajorOSystemVersion"):
        if header_value(dump, field) != "4":
            problems.append("%s is %s, not 4" % (field, header_value(dump, field)))
    for field in ("MinorSubsystemVersion", "MinorOSystemVersion"):
        if header_value(dump, field) != "0":
            problems.append("%s is %s, not 0" % (field, header_value(dump, field)))
    if not re.search(r"^Subsystem\s+00000002", dump, re.M):
        problems.append("subsystem is not the Windows GUI")
    for hit in forbidden_instructions(objdump, exe):
        problems.append("instruction a 386 lacks: %s" % hit)
    return problems, found


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("exe")
    parser.add_argument("--imports", default=os.path.join(HERE, "win95-imports.txt"))
    parser.add_argument("--objdump", default="i686-w64-mingw32-objdump")
    parser.add_argument("--list", action="store_true", help="print the imports too")
    args = parser.parse_args()
    problems, found = audit(args.exe, args.imports, args.objdump)
    if args.list:
        for dll, name in found:
            print("import %s!%s" % (dll, name if name else "<ordinal>"))
    print("size %d bytes: %s" % (os.path.getsize(args.exe), args.exe))
    for p in problems:
        print("FAIL " + p)
    if problems:
        return 1
    print("audit passed: %d imports, all in Windows 95; subsystem 4.0; 386 instructions only" % len(found))
    return 0


if __name__ == "__main__":
    sys.exit(main())
