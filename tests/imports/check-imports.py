#!/usr/bin/env python3
"""check-imports.py ALLOWED PROGRAM...: every DLL and function each Windows
program imports at load time must be on the allowed list, which names what
Windows 95 (the first release) and Windows NT 3.51 both export. A function
missing on one of them stops the program before its first line runs ("the
procedure entry point could not be located"), so such functions are bound at
run time (GetProcAddress) and never imported.

The allowed list: one "DLL FUNCTION" a line, "#" starts a comment; a line
"DLL *" allows every function of a DLL (none does today)."""
import struct
import sys


def read_imports(path):
    data = open(path, "rb").read()
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        raise ValueError("not a PE file")
    sections_count, = struct.unpack_from("<H", data, pe + 6)
    optional_size, = struct.unpack_from("<H", data, pe + 20)
    optional = pe + 24
    magic, = struct.unpack_from("<H", data, optional)
    wide = magic == 0x20B                      # PE32+ (x86_64): 8-byte thunks
    directories = optional + (112 if wide else 96)
    import_rva, _ = struct.unpack_from("<II", data, directories + 8)
    sections = []
    for i in range(sections_count):
        s = optional + optional_size + 40 * i
        vsize, va, rawsize, rawptr = struct.unpack_from("<IIII", data, s + 8)
        sections.append((va, max(vsize, rawsize), rawptr))

    def offset(rva):
        for va, size, rawptr in sections:
            if va <= rva < va + size:
                return rva - va + rawptr
        raise ValueError("RVA %#x outside every section" % rva)

    def text(rva):
        o = offset(rva)
        return data[o:data.index(b"\0", o)].decode("ascii")

    imports = {}
    d = offset(import_rva) if import_rva else None
    while d is not None:
        lookup, _, _, name, first = struct.unpack_from("<IIIII", data, d)
        if not (lookup or name or first):
            break
        functions = imports.setdefault(text(name).upper(), [])
        t = offset(lookup or first)
        size, fmt, ordinal_bit = (8, "<Q", 1 << 63) if wide else (4, "<I", 1 << 31)
        while True:
            thunk, = struct.unpack_from(fmt, data, t)
            if not thunk:
                break
            functions.append("#%d" % (thunk & 0xFFFF) if thunk & ordinal_bit else text((thunk & 0x7FFFFFFF) + 2))
            t += size
        d += 20
    return imports


def read_allowed(path):
    allowed = set()
    for line in open(path, encoding="utf-8"):
        line = line.split("#", 1)[0].split()
        if line:
            allowed.add((line[0].upper(), line[1]))
    return allowed


def main():
    allowed = read_allowed(sys.argv[1])
    dlls = {dll for dll, _ in allowed}
    faults = 0
    for program in sys.argv[2:]:
        for dll, functions in sorted(read_imports(program).items()):
            if dll not in dlls:
                print("%s: imports %s, which is not on the allowed list (%s)" % (program, dll, ", ".join(functions)))
                faults += 1
                continue
            for f in functions:
                if (dll, f) not in allowed and (dll, "*") not in allowed:
                    print("%s: imports %s from %s, which is not on the allowed list" % (program, f, dll))
                    faults += 1
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
