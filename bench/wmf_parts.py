"""The parts every placeable WMF of the benchmarks starts and ends with."""

import struct


def placeable_head(side):
    """The placeable header of a frame of side x side units at 96 units an inch, with its checksum."""
    head = struct.pack("<IHhhhhHI", 0x9AC6CDD7, 0, 0, 0, side, side, 96, 0)
    checksum = 0
    for i in range(0, len(head), 2):
        checksum ^= struct.unpack_from("<H", head, i)[0]
    return head + struct.pack("<H", checksum)


def red_frame(side):
    """The records that set the window to the frame and select a red brush."""
    records = struct.pack("<IHhh", 5, 0x020B, 0, 0) + struct.pack("<IHhh", 5, 0x020C, side, side)
    return records + struct.pack("<IHHIH", 7, 0x02FC, 0, 0x0000FF, 0) + struct.pack("<IHH", 4, 0x012D, 0)


END = struct.pack("<IH", 3, 0)
