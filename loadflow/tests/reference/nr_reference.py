#!/usr/bin/python3
"""Independent Newton-Raphson load flow for .FLU case files.

Reads a case by its own fixed-column parser, builds the complex nodal admittance
matrix from the same line and regulating-transformer model the solvers use, and
solves to a tight mismatch tolerance. Written separately from the C++ solvers so
that their results can be checked against it.

    nr_reference.py CASE.FLU [--tol 1e-10] > CASE.ref

Output (the .ref layout): comment lines start with '#'; every other line is one
bus in file order: index, |V| (pu), angle (degrees), name. The comments carry the
generation of the slack and PV buses, the warnings the report should show, the
branch flows and the power balances.
"""

import argparse
import math
import re
import sys
from dataclasses import dataclass, field

import numpy as np

MAX_BUSES = 50
MAX_BRANCHES = 50
MAX_NR_EQUATIONS = 50

SLACK, PV, PQ = 1, 2, 3
TYPE_CODES = {" 1": SLACK, "FL": SLACK, " 2": PV, "PV": PV, " 3": PQ, "PQ": PQ}
TYPE_WORDS = {SLACK: "slack", PV: "PV", PQ: "PQ"}


class CaseError(Exception):
    pass


@dataclass
class Bus:
    name: str
    kind: int
    vmag: float
    vang_deg: float
    pg: float
    qg: float
    pd: float
    qd: float
    gb: float
    bb: float
    qgmin: float
    qgmax: float


@dataclass
class Branch:
    sending: int  # 0-based bus index
    receiving: int
    r: float
    x: float
    snom: float
    is_trafo: bool
    g: float = 0.0  # line: total shunt conductance
    b: float = 0.0  # line: total charging susceptance
    vi: float = 1.0  # transformer winding voltages, ratio vi / vf
    vf: float = 1.0
    alfa_deg: float = 0.0


@dataclass
class Case:
    title1: str
    title2: str
    accel: float
    max_iter: int
    tolerance: float
    print_option: int
    buses: list = field(default_factory=list)
    branches: list = field(default_factory=list)


_NUMBER = re.compile(r"^([+-]?)(\d*)(?:\.(\d*))?(?:[EeDd]([+-]?\d+))?$")


def read_fixed(record, first, last, decimals):
    """Fw.d field in columns first..last (1-based): blanks are ignored, an empty
    field is 0, a written point governs, otherwise the last d digits are decimals."""
    text = record[first - 1:last].replace(" ", "")
    if text == "":
        return 0.0
    m = _NUMBER.match(text)
    if not m or (m.group(2) == "" and not m.group(3)):
        raise ValueError(f"columns {first}-{last}: '{record[first - 1:last]}' is not a number")
    sign, whole, frac, expo = m.groups()
    if frac is not None:
        value = float(f"{whole or '0'}.{frac or '0'}")
    else:
        value = int(whole) / 10.0 ** decimals
    if expo:
        value *= 10.0 ** int(expo)
    return -value if sign == "-" else value


class _Records:
    def __init__(self, path):
        with open(path, "r", encoding="latin-1", newline="") as f:
            self.lines = [ln.rstrip("\r\n") for ln in f.read().split("\n")]
        if self.lines and self.lines[-1] == "":
            self.lines.pop()
        self.pos = 0

    def next(self, what):
        if self.pos >= len(self.lines):
            raise CaseError(f"end of file inside the {what}")
        rec = self.lines[self.pos].ljust(80)
        self.pos += 1
        return rec


def parse_case(path):
    recs = _Records(path)
    title1 = recs.next("titles")[:75].rstrip()
    title2 = recs.next("titles")[:75].rstrip()
    recs.next("general data heading")
    gen = recs.next("general data")
    try:
        values = [read_fixed(gen, 1 + 8 * i, 8 + 8 * i, 0) for i in range(7)]
    except ValueError as e:
        raise CaseError(f"general data: {e}")
    nbus, nline, ntrafo = (int(v) for v in values[:3])
    case = Case(title1, title2, values[3], int(values[4]), values[5], int(values[6]))
    if not 1 <= nbus <= MAX_BUSES:
        raise CaseError(f"{nbus} buses (1 to {MAX_BUSES} allowed)")
    if nline < 0 or ntrafo < 0 or nline + ntrafo > MAX_BRANCHES:
        raise CaseError(f"{nline} lines and {ntrafo} transformers ({MAX_BRANCHES} branches allowed)")

    recs.next("bus heading")
    for i in range(nbus):
        rec = recs.next("bus data")
        code = rec[10:12]
        if code not in TYPE_CODES:
            raise CaseError(f"bus record {i + 1}: unknown type code '{code}'")
        try:
            vals = [read_fixed(rec, 13, 18, 3), read_fixed(rec, 19, 24, 3)]
            vals += [read_fixed(rec, 25 + 6 * k, 30 + 6 * k, 4) for k in range(8)]
        except ValueError as e:
            raise CaseError(f"bus record {i + 1}: {e}")
        if vals[0] == 0.0:
            vals[0] = 1.0
        case.buses.append(Bus(rec[:10], TYPE_CODES[code], *vals))

    def bus_index(name, what):
        found = [k for k, b in enumerate(case.buses) if b.name == name]
        if not found:
            raise CaseError(f"{what}: bus '{name.rstrip()}' does not exist")
        return found[-1]  # the solvers let the last of equal names win

    recs.next("line heading")
    for i in range(nline):
        rec = recs.next("line data")
        what = f"line record {i + 1}"
        try:
            r, x, g, b, snom = (read_fixed(rec, 21 + 9 * k, 29 + 9 * k, 5) for k in range(5))
        except ValueError as e:
            raise CaseError(f"{what}: {e}")
        case.branches.append(Branch(bus_index(rec[:10], what), bus_index(rec[10:20], what),
                                    r, x, snom, False, g=g, b=b))

    recs.next("transformer heading")
    for i in range(ntrafo):
        rec = recs.next("transformer data")
        what = f"transformer record {i + 1}"
        try:
            r, x, vi, vf = (read_fixed(rec, 21 + 8 * k, 28 + 8 * k, 5) for k in range(4))
            alfa = read_fixed(rec, 53, 56, 2)
            snom = read_fixed(rec, 57, 64, 5)
        except ValueError as e:
            raise CaseError(f"{what}: {e}")
        if vi == 0.0 or vf == 0.0:
            raise CaseError(f"{what}: zero winding voltage")
        case.branches.append(Branch(bus_index(rec[:10], what), bus_index(rec[10:20], what),
                                    r, x, snom, True, vi=vi, vf=vf, alfa_deg=alfa))
    for k, br in enumerate(case.branches):
        if br.r == 0.0 and br.x == 0.0:
            raise CaseError(f"branch {k + 1}: R = X = 0")
    return case


@dataclass
class Network:
    ybus: np.ndarray
    mutual: np.ndarray  # per branch, the off-diagonal element (both directions)
    shunt_s: np.ndarray  # per branch, PI shunt admittance at the sending end
    shunt_r: np.ndarray  # and at the receiving end


def build_network(case):
    n = len(case.buses)
    ybus = np.zeros((n, n), dtype=complex)
    mutual, shunt_s, shunt_r = [], [], []
    for br in case.branches:
        # the solvers replace a zero resistance by X / 1e6
        r = br.r if br.r != 0.0 else br.x / 1.0e6
        y = 1.0 / complex(r, br.x)
        if br.is_trafo:
            # ratio N = (vi / vf) at angle alfa: PI with series N*y, shunts (1 - conj N) y
            # at the sending end and N (N - 1) y at the receiving end
            big_n = (br.vi / br.vf) * np.exp(1j * math.radians(br.alfa_deg))
            series = big_n * y
            ys = (1.0 - np.conj(big_n)) * y
            yr = big_n * (big_n - 1.0) * y
        else:
            series = y
            ys = yr = complex(br.g, br.b) / 2.0
        s, t = br.sending, br.receiving
        ybus[s, s] += series + ys
        ybus[t, t] += series + yr
        ybus[s, t] -= series
        ybus[t, s] -= series
        mutual.append(-series)
        shunt_s.append(ys)
        shunt_r.append(yr)
    for i, bus in enumerate(case.buses):
        ybus[i, i] += complex(bus.gb, bus.bb)
    return Network(ybus, np.array(mutual), np.array(shunt_s), np.array(shunt_r))


def check_solver_limits(case):
    """Warnings (not errors) for what the Newton-Raphson programs would refuse."""
    kinds = [b.kind for b in case.buses]
    notes = []
    expected = sorted(kinds, key=lambda k: {PQ: 0, PV: 1, SLACK: 2}[k])
    if kinds != expected or kinds.count(SLACK) != 1:
        notes.append("buses are not in the order PQ, PV, one slack last")
    neq = kinds.count(PV) + 2 * kinds.count(PQ)
    if neq > MAX_NR_EQUATIONS:
        notes.append(f"{neq} Newton-Raphson equations (at most {MAX_NR_EQUATIONS})")
    return notes


def solve_newton(case, net, tol=1e-10, max_iter=40):
    """Polar Newton-Raphson on the full complex Ybus; returns (V, iterations, mismatch)."""
    buses = case.buses
    kinds = np.array([b.kind for b in buses])
    if not np.any(kinds == SLACK):
        raise CaseError("no slack bus")
    vm = np.array([b.vmag for b in buses])
    va = np.radians([b.vang_deg for b in buses])
    p_set = np.array([b.pg - b.pd for b in buses])
    q_set = np.array([b.qg - b.qd for b in buses])
    ang_idx = np.flatnonzero(kinds != SLACK)
    mag_idx = np.flatnonzero(kinds == PQ)
    ybus = net.ybus

    it = 0
    while True:
        v = vm * np.exp(1j * va)
        current = ybus @ v
        s = v * np.conj(current)
        mis = np.concatenate([p_set[ang_idx] - s.real[ang_idx],
                              q_set[mag_idx] - s.imag[mag_idx]])
        worst = float(np.max(np.abs(mis))) if mis.size else 0.0
        if not np.isfinite(worst):
            raise CaseError("iteration diverged")
        if worst < tol:
            return v, it, worst
        if it >= max_iter:
            raise CaseError(f"no convergence after {max_iter} iterations (mismatch {worst:.3e})")
        # complex derivatives of S = V conj(Y V) by angle and by magnitude
        dv_dang = 1j * np.diag(v) @ np.conj(np.diag(current) - ybus @ np.diag(v))
        unit = v / vm
        dv_dmag = np.diag(v) @ np.conj(ybus @ np.diag(unit)) + np.conj(np.diag(current)) @ np.diag(unit)
        jac = np.block([
            [dv_dang.real[np.ix_(ang_idx, ang_idx)], dv_dmag.real[np.ix_(ang_idx, mag_idx)]],
            [dv_dang.imag[np.ix_(mag_idx, ang_idx)], dv_dmag.imag[np.ix_(mag_idx, mag_idx)]],
        ])
        dx = np.linalg.solve(jac, mis)
        va[ang_idx] += dx[:ang_idx.size]
        vm[mag_idx] += dx[ang_idx.size:]
        it += 1


def report_quantities(case, net, v):
    """What the results report prints, computed from the solved voltages."""
    buses = case.buses
    s_inj = v * np.conj(net.ybus @ v)
    vm2 = np.abs(v) ** 2
    out = {"bus": [], "warnings": [], "flows": []}
    pg_total = sum(b.pg for b in buses)  # the report adds computed values to those read
    qg_total = sum(b.qg for b in buses)
    for i, b in enumerate(buses):
        pg, qg = b.pg, b.qg
        if b.kind == SLACK:
            pg, qg = b.pd + s_inj[i].real, b.qd + s_inj[i].imag
            pg_total += pg
            qg_total += qg
        elif b.kind == PV:
            qg = b.qd + s_inj[i].imag
            qg_total += qg
        pb, qb = vm2[i] * b.gb + 0.0, -vm2[i] * b.bb + 0.0  # no -0
        out["bus"].append((pg, qg, b.pd, b.qd, pb, qb))
        if b.qgmin != 0.0 and qg < b.qgmin:
            out["warnings"].append(f"LIMITE [{b.name}] QG {qg:.6f} < QGMIN {b.qgmin:.4f}")
        if b.qgmax != 0.0 and qg > b.qgmax:
            out["warnings"].append(f"LIMITE [{b.name}] QG {qg:.6f} > QGMAX {b.qgmax:.4f}")
    p_ser = q_ser = q_sh = p_sh = 0.0
    for k, br in enumerate(case.branches):
        vs, vr = v[br.sending], v[br.receiving]
        ymut = net.mutual[k]
        i_ser = -ymut * (vs - vr)
        z_ser = 1.0 / -ymut
        p_ser += abs(i_ser) ** 2 * z_ser.real
        q_ser += abs(i_ser) ** 2 * z_ser.imag
        s_sent = vs * np.conj(i_ser + net.shunt_s[k] * vs)
        s_recv = -vr * np.conj(net.shunt_r[k] * vr - i_ser)
        q_sh += -abs(vs) ** 2 * net.shunt_s[k].imag - abs(vr) ** 2 * net.shunt_r[k].imag
        # the report leaves this out of its balance (line G; PI shunts of a resistive
        # off-nominal transformer), so it shows as the active residual
        p_sh += abs(vs) ** 2 * net.shunt_s[k].real + abs(vr) ** 2 * net.shunt_r[k].real
        out["flows"].append((k, s_sent, s_recv))
        if br.snom != 0.0 and (abs(s_sent) > br.snom or abs(s_recv) > br.snom):
            out["warnings"].append(
                f"SOBRECARGA [{buses[br.sending].name}] y [{buses[br.receiving].name}] "
                f"S {max(abs(s_sent), abs(s_recv)):.6f} > Snom {br.snom:.5f}")
    pd_total = sum(b.pd for b in buses)
    qd_total = sum(b.qd for b in buses)
    pb_total = sum(row[4] for row in out["bus"])
    qb_total = sum(row[5] for row in out["bus"])
    out["active"] = (pg_total, pd_total, p_ser, pb_total, pg_total - pd_total - p_ser - pb_total)
    out["reactive"] = (qg_total, qd_total, q_ser, q_sh, qb_total,
                       qg_total - qd_total - q_ser - q_sh - qb_total)
    out["losses"] = complex(sum(s - r for _, s, r in out["flows"]))
    out["branch_shunt_p"] = p_sh
    return out


def write_reference(path, case, v, iterations, worst, tol, out=sys.stdout):
    net = build_network(case)
    q = report_quantities(case, net, v)
    w = out.write
    w(f"# reference load flow of {path}\n")
    w(f"# {case.title1}\n# {case.title2}\n")
    w(f"# full Newton-Raphson on the complex nodal matrix: {iterations} iterations, "
      f"largest mismatch {worst:.1e} pu (tolerance {tol:.0e})\n")
    for note in check_solver_limits(case):
        w(f"# note: {note}\n")
    w("# bus      V(pu)     angle(deg)  name\n")
    for i, b in enumerate(case.buses):
        w(f"{i + 1:5d} {abs(v[i]):12.9f} {math.degrees(np.angle(v[i])):14.9f}  {b.name.rstrip()}\n")
    w("#\n# bus  type        PG        QG        PD        QD        PB        QB\n")
    for i, (b, row) in enumerate(zip(case.buses, q["bus"])):
        w(f"# {i + 1:3d}  {TYPE_WORDS[b.kind]:5s}" + "".join(f"{x:10.6f}" for x in row) + "\n")
    w("#\n# branch  from        to           Psent     Qsent     Ssent"
      "     Precv     Qrecv     Srecv\n")
    for k, s_sent, s_recv in q["flows"]:
        br = case.branches[k]
        w(f"# {k + 1:4d}    {case.buses[br.sending].name} {case.buses[br.receiving].name}"
          f"{s_sent.real:10.6f}{s_sent.imag:10.6f}{abs(s_sent):10.6f}"
          f"{s_recv.real:10.6f}{s_recv.imag:10.6f}{abs(s_recv):10.6f}\n")
    pg, pd, pser, pb, pres = q["active"]
    qg, qd, qser, qsh, qb, qres = q["reactive"]
    w("#\n# active balance:   generation %.6f  demand %.6f  series R %.6f"
      "  bus shunts %.6f  residual %.2e\n" % (pg, pd, pser, pb, pres))
    w("# reactive balance: generation %.6f  demand %.6f  series X %.6f"
      "  branch shunts %.6f  bus shunts %.6f  residual %.2e\n" % (qg, qd, qser, qsh, qb, qres))
    w("# active power of branch-end shunt conductances (not in the balance): %.6f\n"
      % q["branch_shunt_p"])
    w("# total losses in branches: %.6f %+.6fj pu\n" % (q["losses"].real, q["losses"].imag))
    if q["warnings"]:
        for text in q["warnings"]:
            w(f"# warning: {text}\n")
    else:
        w("# warnings: none\n")


def main(argv=None):
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("case", help=".FLU case file")
    ap.add_argument("--tol", type=float, default=1e-10, help="mismatch tolerance, pu")
    args = ap.parse_args(argv)
    try:
        case = parse_case(args.case)
        v, iterations, worst = solve_newton(case, build_network(case), args.tol)
    except (CaseError, OSError) as e:
        print(f"{args.case}: {e}", file=sys.stderr)
        return 1
    write_reference(args.case.split("/")[-1], case, v, iterations, worst, args.tol)
    return 0


if __name__ == "__main__":
    sys.exit(main())
