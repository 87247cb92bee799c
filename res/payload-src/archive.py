"""The game's image archives (.gob, .dck): a directory, then the images.

    offset  size
    0       4     "FVPA"
    4       4     number of entries, little-endian
    8       40*n  entries: name (32 bytes, ASCII, NUL-padded), offset of the
                  image from the start of the archive, size of the image
    ...           the images, in directory order
"""

import struct

NAME_SIZE = 32


def archive(images):
    """images: (name, bytes) in the order they are stored."""
    offset = 8 + (NAME_SIZE + 8) * len(images)
    directory = b""
    for name, data in images:
        encoded = name.encode("ascii")
        if len(encoded) >= NAME_SIZE:
            raise ValueError("archive entry name too long: " + name)
        directory += encoded.ljust(NAME_SIZE, b"\0") + struct.pack("<II", offset, len(data))
        offset += len(data)
    return b"FVPA" + struct.pack("<I", len(images)) + directory + b"".join(data for _, data in images)
