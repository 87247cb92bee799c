#!/usr/bin/env python3
"""Damages a built setup program's payload in place, as a bad download would.

  damage_program.py corrupt PROGRAM STREAM   spoil the check value of the packed stream STREAM
                                             (a file holding it) inside PROGRAM, ELF or PE
  damage_program.py drop-pe PROGRAM ID       make RT_RCDATA resource ID of a PE program
                                             unfindable, by giving it the id ID - 1
"""
import struct
import sys


def corrupt(data, stream):
    at = data.find(stream)
    if at < 0 or data.find(stream, at + 1) >= 0:
        sys.exit("the stream is not in the program exactly once")
    end = at + len(stream)
    return data[:end - 4] + bytes(b ^ 0xFF for b in data[end - 4:end]) + data[end:]


def drop_pe(data, resource_id):
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    sections = struct.unpack_from("<H", data, pe + 6)[0]
    optional_size = struct.unpack_from("<H", data, pe + 20)[0]
    optional = pe + 24
    magic = struct.unpack_from("<H", data, optional)[0]
    directories = optional + (96 if magic == 0x10B else 112)
    rsrc_rva = struct.unpack_from("<I", data, directories + 2 * 8)[0]
    table = optional + optional_size
    for i in range(sections):
        entry = table + 40 * i
        size, rva, _, raw = struct.unpack_from("<IIII", data, entry + 8)
        if rva <= rsrc_rva < rva + size:
            base = raw + rsrc_rva - rva
            break
    else:
        sys.exit("no resource section")

    def entries(directory):
        named, ids = struct.unpack_from("<HH", data, base + directory + 12)
        for n in range(named + ids):
            at = base + directory + 16 + 8 * n
            name, offset = struct.unpack_from("<II", data, at)
            yield at, name, offset

    for _, name, offset in entries(0):
        if name == 10 and offset & 0x80000000:
            for at, rid, _ in entries(offset & 0x7FFFFFFF):
                if rid == resource_id:
                    # The entries stay in ascending order: the one before has a smaller id.
                    return data[:at] + struct.pack("<I", resource_id - 1) + data[at + 4:]
    sys.exit("no RT_RCDATA resource %d" % resource_id)


def main():
    mode, program = sys.argv[1], sys.argv[2]
    data = open(program, "rb").read()
    if mode == "corrupt":
        data = corrupt(data, open(sys.argv[3], "rb").read())
    elif mode == "drop-pe":
        data = drop_pe(data, int(sys.argv[3]))
    else:
        sys.exit(__doc__)
    open(program, "wb").write(data)


main()
