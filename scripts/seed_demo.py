#!/usr/bin/env python3
"""Fills a new SQLite database with about three years of business-day exchange rates.

usage: seed_demo.py DATABASE SCHEMA_SQL USER_CODE

USD is won per dollar (2 decimals), VND dong per dollar (0 decimals), KRW won per dong
(6 decimals, the cross rate of the other two). The walk is seeded, so every run gives the same
rates for the same days.
"""
import datetime
import random
import sqlite3
import sys

REMARKS = [
    "한국은행 고시 매매기준율",
    "전일 대비 급등",
    "전일 대비 급락",
    "연휴 전 마감 환율",
    "수출 대금 결제일",
    "외환시장 변동성 확대",
    "분기말 평가 기준",
]


def main():
    db_path, schema_path, user = sys.argv[1], sys.argv[2], sys.argv[3]
    with open(schema_path, encoding="utf-8") as f:
        schema = f.read()
    rnd = random.Random(20240101)
    today = datetime.date.today()
    day = today - datetime.timedelta(days=3 * 365)
    usd, vnd = 1185.0, 23100.0
    rows = []
    while day <= today:
        if day.weekday() < 5:
            # a mean-reverting walk that stays inside the usual ranges
            usd += rnd.gauss(0, 6.5) + (1290 - usd) * 0.01
            usd = min(max(usd, 1105.0), 1445.0)
            vnd += rnd.gauss(0, 35) + (23800 - vnd) * 0.01
            vnd = min(max(vnd, 22050.0), 25450.0)
            usd_t = round(usd, 2)
            vnd_t = round(vnd)
            krw = round(usd_t / vnd_t, 6)
            remark = ""
            following = day + datetime.timedelta(days=1)
            while following.weekday() >= 5:
                following += datetime.timedelta(days=1)
            if following.month != day.month:  # the month's last business day
                remark = "월말 기준"
            elif rnd.random() < 0.06:
                remark = rnd.choice(REMARKS)
            stamp = f"{day.isoformat()} 09:{rnd.randint(0, 29):02d}:{rnd.randint(0, 59):02d}.000"
            rows.append((day.strftime("%Y/%m/%d"), usd_t, vnd_t, krw, remark, stamp, user))
        day += datetime.timedelta(days=1)
    con = sqlite3.connect(db_path)
    con.executescript(schema)
    con.executemany(
        "INSERT INTO EX_RATE (STD_DATE, USD, VND, KRW, REMARK, INS_DATE, INS_SCODE) VALUES (?, ?, ?, ?, ?, ?, ?)",
        rows)
    con.commit()
    con.close()
    print(f"{len(rows)} days from {rows[0][0]} to {rows[-1][0]}")


if __name__ == "__main__":
    main()
