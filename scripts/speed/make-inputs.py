#!/usr/bin/env python3
"""Writes the inputs of scripts/speed.sh into a home folder: 30,000 meters over 40 routes in each of the
four route formats, with their maps.

  route.txt    fixed-width route file (the layout of bench/bench_route_convert.cpp), map Speed Fixed.zcm
  route.csv    the same meters comma-delimited with quoted texts, map Speed Delimited.zcm
  mvrs.dat     MVRS download (customers, extra names, messages, radio, wand and probe meters), Speed MVRS.zcm
  e5000.dat    E5000 download (accounts with one or two meters, location lines), Speed E5000.zcm
plus the reading maps Speed Flat.zrm (the demo's reading layout), Speed MVRS.zrm and Speed E5000.zrm.
The same arguments give the same bytes. Run: python3 scripts/speed/make-inputs.py HOME [METERS] [ROUTES]
"""
import importlib.util
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
_spec = importlib.util.spec_from_file_location("host_samples", os.path.join(HERE, "..", "make-host-samples.py"))
hs = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(hs)

STREETS = ["MAIN ST", "OAK AVE", "21ST AVE NW", "LAKEVIEW DR", "MILL RD"]
NAMES = ["SMITH, JOHN", "O'NEIL, MARY", "THE CORNER BAKERY", "NGUYEN, WEI", "GARCIA, ANA"]

FIXED_MAP = """ZAV=1.1
MAPNAME=Speed Fixed.zcm
MAPTYPE=1
MAPFILTER=0
MAPDELIMITER=
MAPQUOTE=
MAPTERMINATOR= 3 
MAPLENGTH=0
RouteNbr=1,4,,,0
Sequence=5,5,,,0
ServiceUniqueID=10,10,,,0
BillingName=20,30,,,0
ServiceAddress=50,30,,,0
MeterTagNbr=80,8,,,0
MeterSerialNbr=88,10,,,0
MeterType=98,1,,,0
ReadType=99,1,,,0
Digits=100,1,,,0
Decimals=101,1,,,0
PrvReading=102,9,,,0
MaxReading=111,9,,,0
MinReading=120,9,,,0
LstReadingDate=129,10,,,26
UtilityCode=139,3,,,0
Message=142,40,,,0
User1=C,Speed Utility
"""

DELIMITED_MAP = """ZAV=1.1
MAPNAME=Speed Delimited.zcm
MAPTYPE=2
MAPFILTER=0
MAPDELIMITER=,
MAPQUOTE="
MAPTERMINATOR= 3 
MAPLENGTH=0
RouteNbr=1,0,,,0
Sequence=2,0,,,0
ServiceUniqueID=3,0,,,0
BillingName=4,0,,,0
ServiceAddress=5,0,,,0
MeterTagNbr=6,0,,,0
MeterSerialNbr=7,0,,,0
MeterType=8,0,,,0
ReadType=9,0,,,0
Digits=10,0,,,0
Decimals=11,0,,,0
PrvReading=12,0,,,0
MaxReading=13,0,,,0
MinReading=14,0,,,0
LstReadingDate=15,0,,,26
UtilityCode=16,0,,,0
Message=17,0,,,0
User1=C,Speed Utility
"""


def flat_meter(m, meters, routes):
    """The values of meter m of the flat route files, in map order."""
    route = m // (meters // routes)
    radio = m % 10 < 7
    return [str(1000 + route), str(10 + m * 10 % 99990), str(200000 + m), "%s %d" % (NAMES[m % 5], m),
            "%d %s" % (100 + m % 9000, STREETS[m % 5]), str(3100000 + m) if radio else "", "W%d" % (10000000 + m),
            "W", "R" if radio else "M", "6", "0", str(1000 + m), str(2000 + m), str(1100 + m),
            "0%d/%d/2026" % (1 + m % 9, 10 + m % 18), "1", "DOG IN YARD" if m % 7 == 0 else ""]


def fixed_line(v):
    widths = [4, 5, 10, 30, 30, 8, 10, 1, 1, 1, 1, 9, 9, 9, 10, 3, 40]
    right = {1, 5, 11, 12, 13, 15}
    return "".join(t[:w].rjust(w) if i in right else t[:w].ljust(w) for i, (t, w) in enumerate(zip(v, widths)))


def delimited_line(v):
    quoted = {2, 3, 4, 6, 16}
    return ",".join('"%s"' % t if i in quoted else t for i, t in enumerate(v))


def mvrs(meters, routes):
    per_route = meters // routes
    lines = [hs.record(18, "FHD", (4, 1, "N"), (5, 1, "Y"), (6, 5, "00003"), (14, 2, 1), (16, 1, "Y"),
                       (17, 1, "Y"), (18, 1, "N"))]
    cycle = lambda rid: hs.record(17, rid, (4, 2, 1), (6, 4, routes), (10, 8, "03152026"))
    lines.append(cycle("CHD"))
    n = 0
    for r in range(routes):
        customers = []
        left = per_route
        while left > 0:
            count = 2 if n % 5 == 4 and left >= 2 else 1
            c = dict(account="%03d-%06d" % (r, n), name=("%s %d" % (NAMES[n % 5], n))[:20],
                     address1="%d %s" % (100 + n % 9000, STREETS[n % 5]), address2="APT %d" % (n % 40),
                     info="GATE CODE %04d" % (n % 9999) if n % 3 == 0 else "", meters=[])
            if n % 6 == 0:
                c.update(name2="CO-OWNER %d" % n, address3="SPRINGFIELD")
            for k in range(count):
                method = "KRWP"[(n + k) % 4]
                extra = {}
                if method == "R":
                    extra["ert"] = "%08d" % (40000000 + n + k)
                if method == "W":
                    extra["wand"] = "WAND-%06d" % (n + k)
                if method == "P":
                    extra["probe"] = "PROBE-%06d" % (n + k)
                if (n + k) % 7 == 0:
                    extra["message"] = "DOG IN YARD - CALL AHEAD %d" % (n + k)
                if (n + k) % 9 == 0:
                    extra["decimals"] = 1
                c["meters"].append(hs.meter("M-%08d" % (n + k), 10 * (per_route - left + k + 1),
                                            "WGE"[(n + k) % 3], method, 1000 + (n + k) % 90000, type=1 + k, **extra))
            customers.append(c)
            left -= count
            n += count
        lines += hs.mvrs_route("%08d" % (101 + r), customers)
    lines.append(cycle("CTR"))
    lines.append(lines[0].replace("FHD", "FTR", 1))
    return lines


def e5000(meters, routes):
    per_route = meters // routes
    lines = []
    n = 0
    for r in range(routes):
        route = "R%07d" % (100 + r)
        lines.append(hs.record(80, "F", (2, 8, route)))
        left, accounts = per_route, 0
        while left > 0:
            count = 2 if n % 4 == 3 and left >= 2 else 1
            accounts += 1
            lines.append(hs.record(80, "A", (2, 8, route), (10, 10, "%010d" % (4200000000 + n)),
                                   (32, 5, 10 * accounts), (37, 1, 0), (38, 1, "R"), (39, 2, "SI" if n % 5 == 0 else "")))
            lines.append(hs.record(80, "B", (2, 32, "%s %d" % (NAMES[n % 5], n)),
                                   (34, 32, "%d %s" % (100 + n % 9000, STREETS[n % 5]))))
            if n % 3 == 0:
                lines.append(hs.record(80, "E", (2, 79, "LOT %d DP %d" % (n % 90, 1000 + n % 5000))))
            if n % 2 == 0:
                lines.append(hs.record(80, "C", (2, 2, "02"), (4, 12, "VG%010d" % n)))
            for k in range(count):
                serial = "%08d" % (10000000 + n + k) if (n + k) % 8 else "A%07d" % (n + k)
                prior = 1000 + (n + k) % 90000
                if (n + k) % 11 == 0:
                    lines.append(hs.record(80, "D", (2, 32, "BEWARE OF DOG")))
                lines.append(hs.record(80, "H", (2, 2, "%02d" % (k + 1)), (4, 10, serial), (14, 1, 5),
                                       (15, 8, prior + 5), (23, 8, prior + 800), (31, 8, prior), (39, 1, "W"),
                                       (40, 7, 20), (47, 2, "KT"), (49, 2, "01"), (51, 1, 0), (52, 1, 0),
                                       (53, 1, "A"), (54, 2, "FR"), (56, 8, "REF%05d" % ((n + k) % 99999))))
                lines.append(hs.record(80, "K01", (4, 32, "FRONT BOUNDARY"), (36, 32, "UNDER TAP")))
                if (n + k) % 4 == 0:
                    lines.append(hs.record(80, "K05", (4, 32, "LEFT SIDE"), (36, 32, "NEAR SHED")))
                if (n + k) % 6 == 0:
                    lines.append(hs.record(80, "L", (2, 79, "BEHIND GARAGE")))
            left -= count
            n += count
        lines.append(hs.record(80, "Z", (2, 8, route), (10, 4, accounts), (14, 4, per_route)))
    return lines


def main():
    home = sys.argv[1]
    meters = int(sys.argv[2]) if len(sys.argv) > 2 else 30000
    routes = int(sys.argv[3]) if len(sys.argv) > 3 else 40
    os.makedirs(home, exist_ok=True)
    flat = [flat_meter(m, meters, routes) for m in range(meters)]
    hs.write(os.path.join(home, "route.txt"), [fixed_line(v) for v in flat])
    hs.write(os.path.join(home, "route.csv"), [delimited_line(v) for v in flat])
    hs.write(os.path.join(home, "mvrs.dat"), mvrs(meters, routes))
    hs.write(os.path.join(home, "e5000.dat"), e5000(meters, routes))
    maps = {"Speed Fixed.zcm": FIXED_MAP.splitlines(), "Speed Delimited.zcm": DELIMITED_MAP.splitlines(),
            "Speed MVRS.zcm": hs.map_file("Speed MVRS.zcm", 3, "1:Y"), "Speed MVRS.zrm": hs.map_file("Speed MVRS.zrm", 3),
            "Speed E5000.zcm": hs.map_file("Speed E5000.zcm", 4), "Speed E5000.zrm": hs.map_file("Speed E5000.zrm", 4)}
    with open(os.path.join(HERE, "..", "..", "examples", "demo-home", "Demo Reading.zrm"), "rb") as f:
        reading = f.read().decode("cp1252").replace("Demo Reading.zrm", "Speed Flat.zrm").splitlines()
    maps["Speed Flat.zrm"] = reading
    for name, lines in maps.items():
        hs.write(os.path.join(home, name), lines)


if __name__ == "__main__":
    main()
