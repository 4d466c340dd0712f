#!/usr/bin/env python3
"""Writes the small example data files in examples/ (one per format).

The files are ours, made from the formats' byte layouts; run it again only to
change them:  /usr/bin/python3 tools/make_examples.py
"""
import math
import os
import struct

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "examples")


def pl4_time_run(path):
    """Binary PL4 time run: an RL line energised on a 50 Hz source."""
    dt, n = 50e-6, 1200
    records = [("4", "SRC   ", "      "), ("4", "LOAD  ", "      "),
               ("9", "SRC   ", "LOAD  "), ("8", "SRC   ", "LOAD  ")]
    count = len(records) + 1
    words = [14, 0, 0, 0, 0, 0, 0, 2 * count - 2, 16 * count + 61, 0, 1, 0, 1, 0]
    words[4] = struct.unpack("<i", struct.pack("<f", (n - 1) * dt))[0]
    words[5] = struct.unpack("<i", struct.pack("<f", dt))[0]
    out = bytearray([0x84]) + b"08-Dec-26  12.00.00"
    out += struct.pack("<14i", *words)
    for digit, n1, n2 in records:
        out += b"   " + digit.encode() + n1.encode() + n2.encode()
    r, l, w = 2.0, 0.05, 2 * math.pi * 50
    z, phi = math.hypot(r, w * l), math.atan2(w * l, r)
    for k in range(n):
        t = k * dt
        vs = 10000 * math.sin(w * t + 0.3)
        i = 10000 / z * (math.sin(w * t + 0.3 - phi) - math.sin(0.3 - phi) * math.exp(-r * t / l))
        vl = i * 5.0
        out += struct.pack("<5f", t, vs, vl, i, vs - vl)
    open(path, "wb").write(out)


def adf_motor_start(path):
    """ADF with a generated abscissa: speed and current of a motor start."""
    lines = ["0.001 time // motor start, 1 ms steps", "speed_rpm current_A torque_Nm"]
    for k in range(2000):
        t = k * 0.001
        speed = 1480 * (1 - math.exp(-t / 0.35))
        cur = 40 + 260 * math.exp(-t / 0.3) * abs(math.sin(2 * math.pi * 50 * t) + 0.2)
        torque = 180 * math.exp(-t / 0.5) + 20
        lines.append("%g\t%g\t%g" % (speed, cur, torque))
    open(path, "w").write("\n".join(lines) + "\n")


def comtrade_fault(base):
    """COMTRADE 1999 ASCII set: a phase-to-earth fault seen by a relay."""
    rate, n = 2000, 400
    cfg = ["Substation North,Relay 7,1999", "5,3A,2D",
           "1,Va,A,Line 1,kV,0.01,0,0,-32767,32767,132,0.11,P",
           "2,Ia,A,Line 1,A,0.5,0,0,-32767,32767,600,1,S",
           "3,Freq,,Line 1,Hz,0.001,0,0,-32767,32767,1,1,P",
           "1,Trip,,,0", "2,Breaker open,,,0",
           "50", "1", "%d,%d" % (rate, n),
           "08/12/2026,10:15:00.000000", "08/12/2026,10:15:00.050000", "ASCII", "1"]
    dat = []
    for k in range(n):
        t = k / rate
        fault = t >= 0.05
        va = 108 * (0.4 if fault else 1.0) * math.sin(2 * math.pi * 50 * t)
        ia = (2500 if fault and t < 0.12 else 300) * math.sin(2 * math.pi * 50 * t - 1.2)
        if t >= 0.12:
            ia = 0.0
        f = 50.0 - (0.2 if fault else 0.0)
        dat.append("%d,%d,%d,%d,%d,%d,%d" % (k + 1, round(t * 1e6), round(va / 0.01),
                                            round(ia / 0.5), round(f / 0.001),
                                            int(t >= 0.07), int(t >= 0.12)))
    open(base + ".cfg", "w", newline="\r\n").write("\n".join(cfg) + "\n")
    open(base + ".dat", "w", newline="\r\n").write("\n".join(dat) + "\n")


def mat_harmonics(path):
    """MAT v4: a distorted current with 5th and 7th harmonics, single precision."""
    n = 2000
    t = [k * 1e-4 for k in range(n)]
    i = [100 * math.sin(2 * math.pi * 50 * x) + 20 * math.sin(2 * math.pi * 250 * x)
         + 14 * math.sin(2 * math.pi * 350 * x) for x in t]
    out = bytearray()
    for name, values in (("t", t), ("i_load", i)):
        nm = name.encode() + b"\0"
        out += struct.pack("<5i", 10, n, 1, 0, len(nm)) + nm
        out += struct.pack("<%df" % n, *values)
    open(path, "wb").write(out)


if __name__ == "__main__":
    pl4_time_run(os.path.join(HERE, "rl_energisation.pl4"))
    adf_motor_start(os.path.join(HERE, "motor_start.adf"))
    comtrade_fault(os.path.join(HERE, "line_fault"))
    mat_harmonics(os.path.join(HERE, "load_harmonics.mat"))
