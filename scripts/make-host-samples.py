#!/usr/bin/env python3
"""Writes the MVRS and E5000 demo route files and their maps into examples/demo-home.

Every record is written from the fields it fills: (start column, width, value); a number (int) is
zero-padded on the left, a text is padded with blanks on the right. Lines end with CR LF.
Run: python3 scripts/make-host-samples.py
"""
import os

HOME = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "examples", "demo-home")


def record(length, rec_id, *fields):
    line = [" "] * length
    line[0:len(rec_id)] = rec_id
    for start, width, value in fields:
        text = str(value).rjust(width, "0") if isinstance(value, int) else str(value).ljust(width)
        assert len(text) == width, (rec_id, start, value)
        line[start - 1:start - 1 + width] = text
    return "".join(line)


def write(path, lines):
    with open(path, "wb") as f:
        f.write("".join(line + "\r\n" for line in lines).encode("cp1252"))


def mvrs_route(number, customers):
    """Route header, its customers with their meters, route trailer."""
    meters = sum(len(c["meters"]) for c in customers)
    header = lambda rid: record(86, rid, (4, 8, number), (12, 1, "N"), (13, 1, "N"), (18, 4, meters),
                                (38, 4, len(customers)), (42, 4, meters), (46, 6, "013000"),
                                (72, 2, "R1"), (74, 2, "Z3"), (76, 2, "O5"), (78, 2, 1), (80, 2, 1),
                                (82, 4, sum(1 for c in customers for m in c["meters"] if m.get("wand"))),
                                (86, 1, "N"))
    lines = [header("RHD")]
    for c in customers:
        lines.append(record(125, "CUS", (4, 8, number), (12, 3, len(c["meters"])), (15, 20, c["account"]),
                            (35, 20, c["name"]), (55, 20, c["address1"]), (75, 20, c.get("address2", "")),
                            (95, 2, "00"), (97, 1, "A"), (98, 20, c.get("info", "")),
                            (118, 1, "Y" if "name2" in c else "N"), (119, 4, "SEG1"), (123, 2, "01"),
                            (125, 1, "P")))
        if "name2" in c:
            lines.append(record(71, "CSX", (4, 8, number), (12, 20, c["account"]), (32, 20, c["name2"]),
                                (52, 20, c["address3"])))
        for m in c["meters"]:
            lines.append(record(112, "MTR", (4, 8, number), (12, 3, 1), (17, 1, "M"), (26, 1, "Y"),
                                (29, 1, "N"), (30, 1, "B"), (31, 1, "A"), (32, 14, m.get("probe", "")),
                                (46, 12, m["number"]), (60, 2, m.get("type", 1)), (62, 8, m["sequence"]),
                                (70, 20, m.get("info", "")), (91, 2, "03"), (94, 2, 11), (97, 2, 0),
                                (99, 1, 1 if "message" in m else 0), (101, 1, "Y" if "message" in m else "N"),
                                (102, 1, m["category"]), (103, 1, "N"), (104, 3, 0)))
            if "message" in m:
                lines.append(record(123, "MTS", (4, 8, number), (12, 12, m["number"]), (24, 100, m["message"])))
            lines.append(record(95, "RDG", (4, 8, number), (12, 4, "KWH "), (16, 1, " "), (17, 1, "F"),
                                (18, 3, 5), (21, 3, 7), (25, 2, 1), (27, 2, m["dials"]), (29, 2, m["decimals"]),
                                (31, 1, m["method"]), (32, 10, m["previous"]), (42, 10, m["high"]),
                                (52, 10, m["low"]), (62, 6, 1), (68, 1, 0), (69, 1, 1)))
            if "ert" in m:
                lines.append(record(68, "RFF", (4, 8, number), (12, 8, m["ert"]), (37, 2, 12),
                                    (39, 12, "915000000"), (51, 4, "T1"), (65, 2, 0)))
            if m.get("wand"):
                lines.append(record(38, "WRR", (4, 8, number), (12, 14, m["wand"]), (26, 4, "WP01"),
                                    (36, 2, 1), (38, 1, "N")))
    lines.append(header("RTR"))
    return lines


def meter(number, sequence, category, method, previous, **extra):
    m = dict(number=number, sequence=sequence, category=category, method=method, previous=previous,
             dials=6, decimals=0, high=previous + 900, low=previous + 10)
    m.update(extra)
    return m


def mvrs():
    routes = [
        ("00000101", [
            dict(account="100-0001", name="ADAMS, RUTH", address1="12 ELM STREET", address2="APT 1",
                 info="GATE CODE 4411", meters=[meter("12345678", 10, "W", "K", 4521)]),
            dict(account="100-0002", name="BAKER, OWEN", address1="14 ELM STREET", name2="BAKER, JUNE",
                 address3="SPRINGFIELD", meters=[
                     meter("E-2231", 20, "E", "R", 88120, ert="40011223", type=3),
                     meter("G-7781", 30, "G", "W", 1207, wand="WAND-7781", type=2)]),
            dict(account="100-0003", name="CHEN, LI", address1="20 ELM STREET", meters=[
                meter("W-3310", 40, "W", "K", 731, message="DOG IN YARD - CALL AHEAD", decimals=1)]),
        ]),
        ("00000102", [
            dict(account="200-0001", name="DIAZ, MARCO", address1="3 OAK AVENUE", meters=[
                meter("W-5120", 10, "W", "R", 15500, ert="40011224")]),
            dict(account="200-0002", name="EVANS, KATE", address1="5 OAK AVENUE", meters=[
                meter("E-6001", 20, "E", "P", 43100, probe="PROBE-6001", type=3)]),
        ]),
    ]
    lines = [record(18, "FHD", (4, 1, "N"), (5, 1, "Y"), (6, 5, "00003"), (14, 2, 1), (16, 1, "Y"),
                    (17, 1, "Y"), (18, 1, "N"))]
    cycle = lambda rid: record(17, rid, (4, 2, 1), (6, 4, len(routes)), (10, 8, "03152026"))
    lines.append(cycle("CHD"))
    for number, customers in routes:
        lines += mvrs_route(number, customers)
    lines.append(cycle("CTR"))
    lines.append(lines[0].replace("FHD", "FTR", 1))
    return lines


def e5000():
    lines = [record(80, "F", (2, 8, "R0000042"))]
    accounts = [
        ("4200000001", 10, "SI", "NORTH, ALMA", "7 HILL ROAD", "LOT 4 DP 1120", "VG0000000042",
         [("01", "00012345", "W", 3120, "FRONT BOUNDARY", "UNDER TAP")]),
        ("4200000002", 20, "", "OWENS, PAUL", "9 HILL ROAD", "", "VG0000000043",
         [("01", "00012346", "W", 880, "LEFT SIDE", ""), ("02", "A77120", "W", 15, "REAR", "NEAR SHED")]),
        ("4200000003", 30, "DG", "PRICE, NINA", "11 HILL ROAD", "LOT 6", "",
         [("01", "00012347", "W", 40511, "FOOTPATH", "")]),
    ]
    meters = 0
    for account, seq, instr, name, address, lot, key, account_meters in accounts:
        lines.append(record(80, "A", (2, 8, "R0000042"), (10, 10, account), (32, 5, seq), (37, 1, 0),
                            (38, 1, "R"), (39, 2, instr)))
        lines.append(record(80, "B", (2, 32, name), (34, 32, address)))
        if lot:
            lines.append(record(80, "E", (2, 79, lot)))
        if key:
            lines.append(record(80, "C", (2, 2, "02"), (4, 12, key)))
        for relative, serial, mtype, prior, where, where2 in account_meters:
            if serial == "A77120":
                lines.append(record(80, "D", (2, 32, "BEWARE OF DOG")))
            lines.append(record(80, "H", (2, 2, relative), (4, 10, serial), (14, 1, 5), (15, 8, prior + 5),
                                (23, 8, prior + 800), (31, 8, prior), (39, 1, mtype), (40, 7, 20),
                                (47, 2, "KT"), (49, 2, "01"), (51, 1, 0), (52, 1, 0), (53, 1, "A"),
                                (54, 2, "FR"), (56, 8, "REF" + relative)))
            lines.append(record(80, "K01", (4, 32, where), (36, 32, where)))
            if where2:
                lines.append(record(80, "K05", (4, 32, where2), (36, 32, where2)))
            if serial == "00012346":
                lines.append(record(80, "L", (2, 79, "BEHIND GARAGE")))
            meters += 1
    lines.append(record(80, "Z", (2, 8, "R0000042"), (10, 4, len(accounts)), (14, 4, meters)))
    return lines


def map_file(name, use_type, options=""):
    lines = ["ZAV=1.1", "MAPNAME=" + name, "MAPTYPE=%d" % use_type, "MAPFILTER=0", "MAPDELIMITER=", "MAPQUOTE="]
    if options:
        lines.append("MAPOPTIONS=" + options)
    lines += ["MAPTERMINATOR= 3 ", "MAPLENGTH=0"]
    return lines


def main():
    write(os.path.join(HOME, "routes", "mvrs-cycle01.dat"), mvrs())
    write(os.path.join(HOME, "routes", "e5000-route.dat"), e5000())
    write(os.path.join(HOME, "Demo MVRS.zcm"), map_file("Demo MVRS.zcm", 3, "1:Y"))
    write(os.path.join(HOME, "Demo MVRS.zrm"), map_file("Demo MVRS.zrm", 3))
    write(os.path.join(HOME, "Demo E5000.zcm"), map_file("Demo E5000.zcm", 4))
    write(os.path.join(HOME, "Demo E5000.zrm"), map_file("Demo E5000.zrm", 4))


if __name__ == "__main__":
    main()
