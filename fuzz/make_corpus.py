#!/usr/bin/env python3
"""Writes the seed inputs of the two fuzz targets into fuzz/corpus/.

dimension_file: the nominal gear as a dimension file of either layout, the
test samples, and a few designed gears. gear: the same gears in the byte
language of fuzz_gear (one choice byte per quantity; choice 1 takes the next
four bytes as the value), once plainly and once with the steam display, a
close-up, diagram positions and an overlay line. Run it again only if the
seeds have to change.
"""
import os
import shutil
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.join(HERE, "..", "tests", "data")

# The 36 dimensions in code order: 1..14, then 101..122.
NOMINAL = [7.0, 3.0, 1.0, 180.0, 8.0, 8.0, 1.2, 2.0, 2.0, 1.0, 3.155, 0.0, 1.5, 1.7,
           13.0, 0.0, 2.125, 4.0, 0.312, 5.0, 0.5, 1.75, 2.062, 0.375, 0.187, 0.187,
           0.156, 0.156, 0.625, 2.187, 0.5, 0.687, 0.687, 0.375, 0.375, 5.0]

# Designed gears: (name, {index into NOMINAL: value}).
DESIGNS = [
    ("nominal", {}),
    ("long_travel", {1: 4.0, 2: 1.25, 4: 10.0, 5: 9.0, 7: 2.5, 30: 0.75, 31: 0.75}),
    ("offset_link", {3: 175.0, 10: 3.5, 11: 0.5, 8: 2.25, 15: 0.25}),
    ("small_engine", {0: 3.5, 1: 1.5, 2: 0.5, 4: 4.0, 5: 4.0, 6: 0.6, 7: 1.0, 8: 1.0,
                      9: 0.5, 10: 1.6, 12: 0.75, 13: 0.85, 14: 6.5}),
]


def dims(design):
    values = list(NOMINAL)
    for index, value in design.items():
        values[index] = value
    return values


def records(values):
    """Records 0..9 of a dimension file for these dimensions."""
    (driver, stroke, ecc_dia, ecc_ang, main_rod, valve_rod, lever_up, lever_low, arm_up,
     link_low, piv_v, piv_h, norm, max_, cyl_ctr, cyl_cl, bore, bore_len, cyl_port, rod,
     piston, surface, stem_cl, exh, bridge_r, bridge_f, port_r, port_f, chamber_h,
     chamber_l, valve_h, len_r, len_f, cav_r, cav_f, stem) = values
    return [
        [stroke, ecc_dia, driver, ecc_ang, main_rod],
        [valve_rod, lever_low, lever_up, link_low, arm_up],
        [piv_h, piv_v, piv_h, piv_v, piv_v],
        [cyl_cl, cyl_ctr, bore, bore_len, 0.0],
        [cyl_port, rod, piston, surface, stem_cl],
        [exh, bridge_r, port_r, chamber_h, chamber_l],
        [valve_h, len_r, cav_r, stem, bridge_f],
        [port_f, len_f, cav_f, cav_f, cyl_cl + stem_cl],
        [28.0, 140.0, 7.5, 270.0, norm],
        [max_, 0.0, 0.0, 0.0, 1.5],
    ]


def own_file(values):
    rows = records(values)
    presets = [0, 0, 0, 62, 315, 237, 62, 315, 410, 55, -250, 300, 80, -750, 335,
               320, -3600, 850, 320, -4050, 850]
    positions = [0.0] * 9
    flat = presets + positions
    rows += [flat[i:i + 5] for i in range(0, 30, 5)]
    columns = [[0.0] * 20] * 8 + [[-1.0] * 20] * 3 + [[0.0] * 20] * 2
    for column in columns:
        rows += [column[i:i + 5] for i in range(0, 20, 5)]
    rows.append([0.0, 0.0, 0.0, 0.0, 1.0])
    assert len(rows) == 69
    return rows


def pack(rows):
    return b"".join(struct.pack("<5f", *row) for row in rows)


def gear_bytes(values, extras):
    out = b""
    for value in values:
        out += b"\x01" + struct.pack("<f", value)
    return out + extras


def write(folder, name, data):
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def main():
    files = os.path.join(HERE, "corpus", "dimension_file")
    gears = os.path.join(HERE, "corpus", "gear")
    for folder in (files, gears):
        shutil.rmtree(folder, ignore_errors=True)
    for name, design in DESIGNS:
        values = dims(design)
        write(files, name + ".dco", pack(own_file(values)))
        write(files, name + ".oca", pack(records(values)))
        write(gears, name, gear_bytes(values, b""))
        # Angle 45, "Rev", reverse arm at 1.2, line width 2, steam display
        # on, a close-up of "Stroke", diagram slots 4 and 5 at -0.8 and 0.8,
        # and item 3 a line fixed to the frame from (1, 1) to (3, 1).
        f = lambda v: b"\x01" + struct.pack("<f", v)
        extras = (f(45.0) + b"\x00" + b"\x01" + f(1.2) + b"\x00" * 11 + b"\x01\x00\x01" +
                  b"\x00" * 3 + f(-0.8) + f(0.8) + b"\x00" * 6 +
                  b"\x02" + b"\x00\x00" + f(3.0) + b"\x00" * 5 + b"\x01\x00" + b"\x00" +
                  b"\x01\x00" + b"\x00\x00\x00\x00")
        write(gears, name + "_steam", gear_bytes(values, extras))
    shutil.copy(os.path.join(DATA, "sample.dco"), files)
    shutil.copy(os.path.join(DATA, "sample.oca"), files)


if __name__ == "__main__":
    main()
