#!/usr/bin/env python3
"""The same work as db_bench in SQLite, as a reference measured in the same run.

    sqlite_reference.py [records] [folder]

Files `records` records (default 100,000) of the archive's form - 28 fields, a unique
key index and ten topic indexes holding long runs of duplicate keys - in one transaction
with synchronous=FULL and the rollback journal on, then times REINDEX of the eleven
indexes. Prints lines in db_bench's words, so that compare.sh reads both alike.
"""
import os
import random
import sqlite3
import sys
import time

FIELDS = 28
TOPICS = 10
FIRST_TOPIC = 11  # 0-based column of the first topic field


def records(count):
    """Rows drawn like db_bench's: a vocabulary of 400 topic words, three to six topics."""
    rng = random.Random(2024)
    words = ["SUBJECT %d" % i for i in range(400)]
    for i in range(count):
        key = "%08d" % (i + 1)
        row = [""] * FIELDS
        row[0] = key
        row[1] = "PICTURE%d" % i
        row[2] = "20240531"
        row[3] = "JPG"
        row[4] = "24"
        row[5] = "-1"
        row[6] = "1024"
        row[7] = "768"
        row[8] = str(100000 + rng.randrange(900000))
        row[9] = "2024"
        row[10] = "5"
        topics = 3 + rng.randrange(4)
        for k in range(TOPICS):
            row[FIRST_TOPIC + k] = words[rng.randrange(len(words))] if k < topics else "(none)"
        row[21] = "Free text of record %d" % i
        row[23] = "STANDARD"
        row[24] = "bench"
        row[25] = key + ".DOC"
        yield row


def main():
    count = int(sys.argv[1]) if len(sys.argv) > 1 else 100000
    folder = sys.argv[2] if len(sys.argv) > 2 else "/tmp/sqlitebench"
    os.makedirs(folder, exist_ok=True)
    path = os.path.join(folder, "bench.sqlite")
    for name in (path, path + "-journal"):
        if os.path.exists(name):
            os.remove(name)
    # Autocommit off by hand: one explicit transaction, as the archive's import batch.
    db = sqlite3.connect(path, isolation_level=None)
    db.execute("PRAGMA journal_mode=DELETE")
    db.execute("PRAGMA synchronous=FULL")
    columns = ", ".join("f%d TEXT" % i for i in range(FIELDS))
    db.execute("CREATE TABLE records (%s)" % columns)
    db.execute("CREATE UNIQUE INDEX k00 ON records (f0)")
    for k in range(TOPICS):
        db.execute("CREATE INDEX k%02d ON records (f%d)" % (k + 1, FIRST_TOPIC + k))
    rows = list(records(count))  # made before the clock starts: SQLite's time alone
    insert = "INSERT INTO records VALUES (%s)" % ", ".join("?" * FIELDS)
    start = time.perf_counter()
    db.execute("BEGIN")
    db.executemany(insert, rows)
    db.execute("COMMIT")
    seconds = time.perf_counter() - start
    print("records appended:   %d in %.2f s = %.0f records/s, in one batch" % (count, seconds, count / seconds))
    start = time.perf_counter()
    db.execute("REINDEX records")
    print("rebuild of all 11 indexes: %.2f s" % (time.perf_counter() - start))
    found = db.execute("SELECT count(*) FROM records INDEXED BY k01 WHERE f11 >= ''").fetchone()[0]
    db.close()
    if found != count:
        print("the topic index holds %d rows, not %d" % (found, count), file=sys.stderr)
        return 1
    print("database %d bytes" % os.path.getsize(path))
    return 0


if __name__ == "__main__":
    sys.exit(main())
