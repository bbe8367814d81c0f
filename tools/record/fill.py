#!/usr/bin/python3
"""Fills a learner's record with a few weeks of plausible practice, for
screenshots and benchmarks.

    tools/record/fill.py [--answers N] [--weeks W] [--seed S] [--lumora BUILD/lumora] DATA_HOME

The record is DATA_HOME/lumora/record.sqlite, as the program finds it with
XDG_DATA_HOME=DATA_HOME. The program itself creates the record (through
--export-csv), so that the layout is always its own; this script only adds
rows, and leaves their words (prompt, person, expected answer) to the
program, which fills them from the lesson's tables when it opens the record
again. The learner improves over the weeks: fewer mistakes, fewer Solutions.
"""
import argparse
import datetime
import os
import random
import sqlite3
import subprocess
import sys

# exercise: (variant, first item, items in a run, persons)
RUNS = {
    1: ("basic", 0, 46, [1, 2, 3, 4, 5]),
    2: ("basic", 46, 18, [1, 2, 3, 4, 5]),
    3: ("basic", 0, 6, None),
    5: ("basic", 0, 18, [0, 1, 2, 3, 4, 5]),
}
# The kinds the wrong-answer diagnosis names in each exercise (None: nothing named).
WORD_KINDS = ["person", "harmony", "accents", "stem", "spelling", "definite", "ending", "capitals", None]
KINDS = {1: WORD_KINDS, 2: WORD_KINDS, 5: WORD_KINDS + ["case"],
         3: ["person", "accents", "missing-word", "extra-word", "order", "case", "spelling", "definite", "tense",
             "punctuation", None]}


def person_of(exercise, item, persons, rng):
    if exercise == 3:  # its person codes: singular items 3..21, plural the others
        return [1, 2, 3][item % 3] if 3 <= item <= 21 else [11, 22, 33][item % 3]
    if exercise == 5:  # the learner may choose another person in the box
        return rng.choice(persons)
    return persons[item % len(persons)]  # a basic item has its own person


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("data_home")
    ap.add_argument("--answers", type=int, default=3000)
    ap.add_argument("--weeks", type=int, default=3)
    ap.add_argument("--seed", type=int, default=1)
    ap.add_argument("--lumora", default=os.path.join(os.path.dirname(__file__), "../../build/lumora"))
    args = ap.parse_args()

    env = dict(os.environ, XDG_DATA_HOME=os.path.abspath(args.data_home), QT_QPA_PLATFORM="offscreen")
    subprocess.run([args.lumora, "--export-csv", os.devnull], env=env, check=True)
    db = sqlite3.connect(os.path.join(args.data_home, "lumora", "record.sqlite"))

    rng = random.Random(args.seed)
    days = args.weeks * 7
    end = datetime.datetime.now(datetime.timezone.utc).replace(microsecond=0)
    start = end - datetime.timedelta(days=days + 1)
    per_day = max(1, args.answers // days)
    written = 0
    day = 0
    while written < args.answers:
        skill = min(1.0, day / days)  # 0 at the start, 1 at the end
        t = start + datetime.timedelta(days=day % days, hours=rng.randint(15, 19), minutes=rng.randint(0, 59))
        today = 0
        while today < per_day and written < args.answers:
            exercise = rng.choice(list(RUNS))
            variant, first, count, persons = RUNS[exercise]
            started = t
            cur = db.execute("INSERT INTO runs (exercise, variant, started) VALUES (?, ?, ?)",
                             (exercise, variant, iso(started)))
            run = cur.lastrowid
            right = wrong = 0
            finished = rng.random() < 0.85
            items = list(range(first, first + count))
            rng.shuffle(items)
            if not finished:
                items = items[: rng.randint(1, count)]
            rows = []
            for item in items:
                person = person_of(exercise, item, persons, rng)
                hard = (item * 7919) % 10 == 0  # a few items stay hard for longer
                p_wrong = (0.45 if hard else 0.25) * (1.0 - 0.7 * skill)
                while True:
                    t += datetime.timedelta(seconds=rng.randint(6, 40))
                    if rng.random() >= p_wrong:
                        rows.append((iso(t), exercise, variant, item, person, "right", 1, None, run))
                        right += 1
                        break
                    solution = rng.random() < 0.15
                    rows.append((iso(t), exercise, variant, item, person,
                                 None if solution else "try%d" % rng.randint(1, 99), 0,
                                 None if solution else rng.choice(KINDS[exercise]), run))
                    wrong += 1
            db.executemany("INSERT INTO answers (at, exercise, variant, item, person, typed, correct, mistake, run)"
                           " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)", rows)
            db.execute("UPDATE runs SET ended = ?, finished = ?, correct = ?, wrong = ? WHERE id = ?",
                       (iso(t), 1 if finished else 0, right, wrong, run))
            written += len(rows)
            today += len(rows)
            t += datetime.timedelta(minutes=rng.randint(1, 5))
        day += 1
    db.commit()
    db.close()
    # The program gives the new answers their words and makes its summary of them.
    subprocess.run([args.lumora, "--export-csv", os.devnull], env=env, check=True)
    print("%d answers in %d days written to %s" % (written, min(day, days), args.data_home), file=sys.stderr)


def iso(t):
    return t.strftime("%Y-%m-%dT%H:%M:%S.000Z")


if __name__ == "__main__":
    main()
