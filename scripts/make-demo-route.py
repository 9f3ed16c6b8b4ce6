#!/usr/bin/env python3
"""Writes the demo office's route map and route file (examples/demo-home).

The route file is a fixed-width host export of 320 meters over 4 routes, made from a fixed random
seed, so running this again gives the same bytes. Columns (from 1):

  1-4 route  5-9 sequence  10-19 account  20-49 billing name  50-79 service address
  80-87 radio tag  88-97 serial  98 meter type (W/G/E)  99 read type (R radio, M manual, P probe)
  100 digits  101 decimals  102-110 previous reading  111-119 high limit  120-128 low limit
  129-138 last reading date (MM/DD/YYYY)  139-141 utility code  142-181 message
"""
import random
from pathlib import Path

HOME = Path(__file__).resolve().parent.parent / "examples" / "demo-home"

MAP = """ZAV=1.1
MAPNAME=Demo Route.zcm
MAPTYPE=1
MAPFILTER=0
MAPDELIMITER=
MAPQUOTE=
MAPTERMINATOR= 3 
MAPLENGTH=0
RouteNbr=1,4,,,0
Sequence=5,5,,,0
MeterTagNbr=80,8,,,0
MeterType=98,1,,,0
Digits=100,1,,,0
Decimals=101,1,,,0
PrvReading=102,9,,,0
MaxReading=111,9,,,0
MinReading=120,9,,,0
ReadType=99,1,,,0
LstReadingDate=129,10,,,26
UtilityCode=139,3,,,0
Lat=N
Lng=N
ScaleFactor=N
InitReading=N
InitPulseCount=N
InitTamperCount=N
Message=142,40,,,0
ServiceAddress=50,30,,,0
BillingName=20,30,,,0
ServiceUniqueID=10,10,,,0
MeterSerialNbr=88,10,,,0
User1=C,Demo Utility
User2=N
User3=N
User4=N
User5=N
"""

FIRST = ["JOHN", "MARY", "ROBERT", "LINDA", "JAMES", "PATRICIA", "DAVID", "SUSAN", "CARLOS", "ANNA",
         "WEI", "FATIMA", "OLGA", "PETER", "GRACE", "HENRY", "NORA", "SAMUEL", "IRENE", "VICTOR"]
LAST = ["SMITH", "JOHNSON", "GARCIA", "MILLER", "DAVIS", "MARTINEZ", "NGUYEN", "KOWALSKI", "O'NEIL",
        "BROWN", "WILSON", "ANDERSON", "THOMAS", "MOORE", "JACKSON", "WHITE", "LOPEZ", "CLARK"]
BUSINESS = ["THE CORNER BAKERY", "RIVERSIDE AUTO INC", "HILLTOP DENTAL LLC", "FIRST BAPTIST CHURCH",
            "MAPLE GROVE APTS", "CITY OF FAIRVIEW"]
STREETS = ["MAIN ST", "OAK AVE", "ELM ST", "LAKEVIEW DR", "21ST AVE NW", "MILL RD", "PINE CT",
           "HARBOR BLVD", "3RD ST", "CEDAR LN", "SUNSET CIR"]
ROUTES = ["0412", "0413", "0414", "0415"]
MESSAGES = ["", "", "", "", "DOG IN YARD", "METER BEHIND GATE - CODE 4411", "CALL BEFORE VISIT",
            "METER IN BASEMENT", ""]
METERS_PER_ROUTE = 80


def field(text, width, right=False):
    text = str(text)[:width]
    return text.rjust(width) if right else text.ljust(width)


def main():
    rng = random.Random(412)
    lines = []
    tag = 3100400
    account = 200100
    for route in ROUTES:
        street = rng.sample(STREETS, 3)
        for seq in range(1, METERS_PER_ROUTE + 1):
            account += rng.randint(1, 9)
            name = (rng.choice(BUSINESS) if rng.random() < 0.08
                    else f"{rng.choice(LAST)}, {rng.choice(FIRST)}")
            address = f"{rng.randint(100, 9899)} {street[(seq - 1) * 3 // METERS_PER_ROUTE]}"
            kind = rng.choices("WGE", weights=[6, 2, 2])[0]
            read = rng.choices("RMP", weights=[7, 2, 1])[0]
            tag += rng.randint(1, 40)
            radio_tag = str(tag) if read == "R" else ""
            serial = f"{kind}{rng.randint(10000000, 99999999)}"
            digits = 6 if kind != "E" else 5
            previous = rng.randint(1000, 10 ** (digits - 1) * 9)
            usage = rng.randint(20, 400)
            high = previous + usage * 3
            low = previous + usage // 4
            month, day = rng.randint(1, 3), rng.randint(1, 28)
            last_read = f"{month:02d}/{day:02d}/2026" if rng.random() > 0.03 else ""
            utility = {"W": 1, "G": 2, "E": 3}[kind]
            lines.append(
                field(route, 4) + field(seq * 10, 5, True) + field(account, 10) + field(name, 30) +
                field(address, 30) + field(radio_tag, 8, True) + field(serial, 10) + kind + read +
                str(digits) + "0" + field(previous, 9, True) + field(high, 9, True) + field(low, 9, True) +
                field(last_read, 10) + field(utility, 3, True) + field(rng.choice(MESSAGES), 40))
    (HOME / "routes").mkdir(parents=True, exist_ok=True)
    (HOME / "routes" / "route-0412.txt").write_bytes(("\r\n".join(lines) + "\r\n").encode("ascii"))
    (HOME / "Demo Route.zcm").write_bytes(MAP.replace("\n", "\r\n").encode("ascii"))


if __name__ == "__main__":
    main()
