#!/usr/bin/env python3
"""Writes the sample dimension files sample.dco and sample.oca beside this script.

Both are built here field by field with the standard struct module, apart from
the program's own code, so the tests that read them check the reader against an
independent writer. Every value is an exact binary fraction. Run it again only
if the samples have to change; the tests expect the values below.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

# Records 0..7: the dimensions of a gear a little off the nominal one.
DIMENSIONS = [
    # Stroke, EccCrankCirDia, DriverDia, EccCrankAngleDeg, MainRod
    [3.25, 1.125, 6.5, 175.0, 8.5],
    # ValveRod, ValveLeverLower, ValveLeverUpper, LinkLower, RevArmLinkUpper
    [7.75, 2.25, 1.25, 1.125, 2.125],
    # X8, Y8, X9, Y9, Y9 again
    [0.25, 3.25, 0.25, 3.25, 3.25],
    # Y3, CylCtrToDriverCtr, CylBoreDia, CylBoreLength, CylinderReserve
    [0.125, 13.5, 2.25, 4.25, 0.0],
    # CylSteamPortWidth, PistonCtrToCrosshead, PistonWidth, ValveSurfaceToCylCL, ValveStemCLToCylCL
    [0.3125, 5.25, 0.5, 1.8125, 2.125],
    # ExhaustPortWidth, BridgeWidthRear, SteamPortWidthRear, ValveChamberHeight, ValveChamberLength
    [0.375, 0.1875, 0.15625, 0.625, 2.25],
    # ValveHeight, ValveLengthRearHalf, ValveExhCavityRearHalf, ValveStem, BridgeWidthFront
    [0.5, 0.6875, 0.375, 5.25, 0.1875],
    # SteamPortWidthFront, ValveLengthFrontHalf, ValveExhCavityFrontHalf (twice), Y4
    [0.15625, 0.6875, 0.375, 0.375, 2.25],
]


def dos_records():
    # Record 8: ViewScale, ViewOffsetX, (unused), ViewOffsetY, RevArmToCentNorm
    # Record 9: RevArmToCentMax, (unused), LastPlottedRevArmPos twice, VerticalScale
    return DIMENSIONS + [
        [30.0, 150.0, 99.0, 280.0, 1.4375],
        [1.625, 99.0, 0.5, 0.5, 2.0],
    ]


def own_records():
    records = DIMENSIONS + [
        # ViewScale, ViewOffsetX, GraphicZoom, ViewOffsetY, RevArmToCentNorm
        [32.0, 160.0, 6.5, 290.0, 1.4375],
        # RevArmToCentMax, RevArmPos, LastPlottedRevArmPos twice, VerticalScale
        [1.625, 0.375, 0.5, 0.5, 2.0],
    ]
    presets = [(0.0, 0.0, 0.0), (60.0, 310.0, 230.0), (60.0, 310.0, 400.0),
               (50.0, -240.0, 290.0), (75.0, -700.0, 330.0), (300.0, -3500.0, 840.0),
               (300.0, -4000.0, 840.0)]
    positions = [0.0, 0.0, 0.0, -0.75, 0.75, -1.25, 1.25, -0.5, 0.5]  # [1..9]
    values = [v for entry in presets for v in entry] + positions
    records += [values[i:i + 5] for i in range(0, 30, 5)]

    undefined = {"x1": 0.0, "y1": 0.0, "x2": 0.0, "y2": 0.0, "r1x": 0.0, "r1y": 0.0,
                 "r2x": 0.0, "r2y": 0.0, "type": -1.0, "color": -1.0, "mode": -1.0,
                 "p1": 0.0, "p2": 0.0}
    items = [dict(undefined) for _ in range(20)]
    # Item 1: a red line fixed in the model plane.
    items[0].update(x1=1.0, y1=2.0, x2=3.0, y2=4.0, type=0.0, color=255.0, mode=0.0)
    # Item 2: a blue circle carried by pivot 5.
    items[1].update(x1=0.5, y1=0.25, x2=0.75, r1x=1.25, r1y=-0.5, type=1.0,
                    color=16711680.0, mode=1.0, p1=5.0)
    for key in ["x1", "y1", "x2", "y2", "r1x", "r1y", "r2x", "r2y", "type", "color", "mode",
                "p1", "p2"]:
        column = [item[key] for item in items]
        records += [column[i:i + 5] for i in range(0, 20, 5)]
    records.append([0.0, 0.0, 0.0, 0.0, 2.0])  # CurrentOverlayItem 2
    assert len(records) == 69
    return records


def write(name, records):
    with open(os.path.join(HERE, name), "wb") as f:
        for record in records:
            assert len(record) == 5
            f.write(struct.pack("<5f", *record))


if __name__ == "__main__":
    write("sample.oca", dos_records())
    write("sample.dco", own_records())
