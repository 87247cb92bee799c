"""The smallest WinHelp 3.1 file we make: the help file's internal file
system (header, directory B+ tree), a |SYSTEM file with title, copyright
and contents topic, and a |TOPIC file holding one topic header. There is no
topic text, font table or context table."""

import struct

NONE = 0xFFFFFFFF


def internal_file(data):
    """FILEHEADER (reserved space, used space, flags) and the data."""
    return struct.pack("<IIB", len(data) + 9, len(data), 4) + data


def system_file(title, copyright_text):
    header = struct.pack("<HHHIH", 0x036C, 33, 1, 928195200, 0)  # version 3.1, uncompressed topics, made 1 June 1999
    records = b""
    for kind, data in ((1, title.encode("ascii") + b"\0"),
                       (2, copyright_text.encode("ascii") + b"\0"),
                       (3, struct.pack("<I", 0))):
        records += struct.pack("<HH", kind, len(data)) + data
    return header + records


def topic_file(title):
    first_link = 12  # after the block header
    link_data2 = title.encode("ascii") + b"\0"
    link_size = 21 + 28 + len(link_data2)
    topic_header = struct.pack("<iIIiIII", link_size, NONE, NONE, 0, NONE, NONE, NONE)
    link = struct.pack("<iiIIiB", link_size, len(link_data2), NONE, NONE, 21 + 28, 2)
    block_header = struct.pack("<III", first_link, first_link, first_link)
    return block_header + link + topic_header + link_data2


def directory(files):
    """B+ tree of one leaf page naming each internal file and its offset."""
    page_size = 1024
    entries = b"".join(name.encode("ascii") + b"\0" + struct.pack("<I", offset)
                       for name, offset in sorted(files))
    page = struct.pack("<Hhhh", page_size - 8 - len(entries), len(files), -1, -1) + entries
    page += b"\0" * (page_size - len(page))
    header = struct.pack("<HHH16sHHHhHHi", 0x293B, 0x0402, page_size, b"z4", 0, 0, 0, -1, 1, 1, len(files))
    return header + page


def help_file(title, copyright_text):
    body = b""
    offsets = []
    for name, data in (("|SYSTEM", system_file(title, copyright_text)), ("|TOPIC", topic_file(title))):
        offsets.append((name, 16 + len(body)))
        body += internal_file(data)
    directory_start = 16 + len(body)
    body += internal_file(directory(offsets))
    return struct.pack("<IIiI", 0x00035F3F, directory_start, -1, 16 + len(body)) + body
