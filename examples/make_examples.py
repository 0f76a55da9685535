#!/usr/bin/env python3
"""Writes the example gears of this folder.

    examples/make_examples.py BUILD/src/app/corvellan

The built-in gear's whole working state (view, presets, diagram positions)
comes from the program itself: `corvellan balance -o` writes it with the
balanced dimensions, and the dimensions are put back here field by field.
The larger gauge is the small one with every length scaled and the views
scaled to match, so it fills the window the same way. The balanced gear is
what `corvellan balance` makes of the small one.
"""
import os
import struct
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
FIELDS = 5
RECORDS = 69

# Slots (record * 5 + field) of the dimension file.
ECC_CRANK_ANGLE = 3
VIEW_SCALE, GRAPHIC_ZOOM = 40, 42
REV_ARM_NORM, REV_ARM_MAX, REV_ARM_POS = 44, 45, 46
LAST_PLOTTED, VERTICAL_SCALE = (47, 48), 49
PRESETS = range(50, 71)      # seven (scale, offset x, offset y)
DIAGRAM_POSITIONS = range(71, 80)

# The built-in gear's dimensions, records 0..7 of the file, whatever the
# balance changed in the base.
NOMINAL_RECORDS = [
    # Stroke, EccCrankCirDia, DriverDia, EccCrankAngleDeg, MainRod
    [3.0, 1.0, 7.0, 180.0, 8.0],
    # ValveRod, ValveLeverLower, ValveLeverUpper, LinkLower, RevArmLinkUpper
    [8.0, 2.0, 1.2, 1.0, 2.0],
    # the link pivot: X8, Y8, X9, Y9, Y9 again
    [0.0, 3.155, 0.0, 3.155, 3.155],
    # CylCLAboveDriverCtr (Y3), CylCtrToDriverCtr, CylBoreDia, CylBoreLength, CylinderReserve
    [0.0, 13.0, 2.125, 4.0, 0.0],
    # CylSteamPortWidth, PistonCtrToCrosshead, PistonWidth, ValveSurfaceToCylCL, ValveStemCLToCylCL
    [0.312, 5.0, 0.5, 1.75, 2.062],
    # ExhaustPortWidth, BridgeWidthRear, SteamPortWidthRear, ValveChamberHeight, ValveChamberLength
    [0.375, 0.187, 0.156, 0.625, 2.187],
    # ValveHeight, ValveLengthRearHalf, ValveExhCavityRearHalf, ValveStem, BridgeWidthFront
    [0.5, 0.687, 0.375, 5.0, 0.187],
    # SteamPortWidthFront, ValveLengthFrontHalf, ValveExhCavityFrontHalf (twice), Y4
    [0.156, 0.687, 0.375, 0.375, 2.062],
]
NOMINAL_NORM = 1.5

# 5-inch to 7 1/4-inch gauge.
LARGE_GAUGE_SCALE = 1.45


def f32(v):
    return struct.unpack('<f', struct.pack('<f', v))[0]


def read(path):
    data = open(path, 'rb').read()
    assert len(data) == RECORDS * FIELDS * 4, path
    return list(struct.unpack('<%df' % (RECORDS * FIELDS), data))


def write(path, slots):
    with open(path, 'wb') as out:
        out.write(struct.pack('<%df' % len(slots), *[f32(v) for v in slots]))


def small_gauge(base):
    s = list(base)
    for record, values in enumerate(NOMINAL_RECORDS):
        s[record * FIELDS:(record + 1) * FIELDS] = values
    s[REV_ARM_NORM] = NOMINAL_NORM
    # Full gear stops short of the point where the valve's steam edge runs
    # over the bridge into the exhaust port.
    s[REV_ARM_MAX] = 1.6
    s[REV_ARM_POS] = 0.0
    return s


def scaled(small, k):
    s = list(small)
    lengths = [i for i in range(40) if i != ECC_CRANK_ANGLE]
    lengths += [REV_ARM_NORM, REV_ARM_MAX, REV_ARM_POS, *LAST_PLOTTED, VERTICAL_SCALE,
                GRAPHIC_ZOOM, *DIAGRAM_POSITIONS]
    for i in lengths:
        s[i] = small[i] * k
    for i in [VIEW_SCALE] + [p for n, p in enumerate(PRESETS) if n % 3 == 0]:
        s[i] = small[i] / k
    return s


def main():
    program = os.path.abspath(sys.argv[1])
    small_path = os.path.join(HERE, 'five-inch-gauge.dco')
    with tempfile.TemporaryDirectory() as tmp:
        base = os.path.join(tmp, 'base.dco')
        subprocess.run([program, 'balance', '-o', base], check=True, stdout=subprocess.DEVNULL)
        small = small_gauge(read(base))
    write(small_path, small)
    write(os.path.join(HERE, 'seven-and-a-quarter-inch-gauge.dco'),
          scaled(small, LARGE_GAUGE_SCALE))
    subprocess.run([program, 'balance', '--dims', small_path, '-o',
                    os.path.join(HERE, 'five-inch-gauge-balanced.dco')],
                   check=True, stdout=subprocess.DEVNULL)


if __name__ == '__main__':
    main()
