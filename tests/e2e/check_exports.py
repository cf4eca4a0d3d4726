#!/usr/bin/python3
"""Reads Vemo's two export files back with real parsers and checks them.

Usage: check_exports.py [--any-dtstamp] [--any-state] FILE.ics FILE.csv EXPECTED.json
("-" skips a file)

EXPECTED.json holds {"tasks": [...], "without_rule": N, "dtstamp": "...Z"}
(the last two optional); each task: text, priority, created, remind, time,
state (as the CSV writes them), ics_priority (null: no PRIORITY), dtstart
and due ("yyyymmddThhmmss" or null), rrule (null: none) and, optionally,
"next" (the first occurrences) or "count" (how many occurrences a finite
rule makes). The .ics is parsed by python3-icalendar, its rules expanded by
dateutil; the .csv by the csv module. Exits 1 naming every mismatch.

The export of a running vemo.exe is stamped with the time it ran
(--any-dtstamp: any UTC stamp will do), and its scheduler has rewritten the
state codes by the clock (--any-state: any code it writes, 0 to 6).
"""
import csv
import datetime
import io
import json
import re
import sys

import icalendar
from dateutil import rrule

PRODID = "-//Vemo//Vemo 0.9//EN"
HEADER = ["Text", "Priority", "Created", "Remind", "Time", "State"]
problems = []
options = set()


def fail(where, message):
    problems.append(f"{where}: {message}")


def local(text):
    return datetime.datetime.strptime(text, "%Y%m%dT%H%M%S")


def check_lines(path, data):
    """CR LF after every line, none longer than 75 octets, all of it UTF-8."""
    if not data.endswith(b"\r\n"):
        fail(path, "does not end with CR LF")
    for number, line in enumerate(data.split(b"\r\n")[:-1], 1):
        if b"\n" in line or b"\r" in line:
            fail(path, f"line {number} has a bare line break")
        if len(line) > 75:
            fail(path, f"line {number} is {len(line)} octets long")
    try:
        data.decode("utf-8")
    except UnicodeDecodeError as error:
        fail(path, f"not UTF-8: {error}")


def check_calendar(path, expected):
    with open(path, "rb") as file:
        data = file.read()
    check_lines(path, data)
    calendars = [c for c in icalendar.Calendar.from_ical(data).walk("VCALENDAR")]
    if len(calendars) != 1:
        fail(path, f"{len(calendars)} VCALENDARs")
        return
    calendar = calendars[0]
    for name, value in (("VERSION", "2.0"), ("PRODID", PRODID), ("CALSCALE", "GREGORIAN")):
        if str(calendar.get(name)) != value:
            fail(path, f"{name} is {calendar.get(name)!r}, not {value!r}")
    todos = calendar.walk("VTODO")
    tasks = expected["tasks"]
    if len(todos) != len(tasks):
        fail(path, f"{len(todos)} VTODOs for {len(tasks)} tasks")
    uids = [str(todo.get("UID")) for todo in todos]
    if len(set(uids)) != len(uids):
        fail(path, "UIDs repeat")
    without_rule = 0
    for number, (todo, task) in enumerate(zip(todos, tasks), 1):
        where = f"{path}: task {number} ({task['text'][:30]})"
        if not re.fullmatch(r"[0-9a-f]{16}@vemo", str(todo.get("UID"))):
            fail(where, f"UID {todo.get('UID')!r}")
        stamp = todo.decoded("DTSTAMP")
        if stamp.utcoffset() != datetime.timedelta(0):
            fail(where, f"DTSTAMP {stamp} is not UTC")
        if ("dtstamp" in expected and "--any-dtstamp" not in options
                and todo["DTSTAMP"].to_ical().decode() != expected["dtstamp"]):
            fail(where, f"DTSTAMP {todo['DTSTAMP'].to_ical().decode()}")
        if str(todo.get("SUMMARY")) != task["text"]:
            fail(where, f"SUMMARY {str(todo.get('SUMMARY'))!r}")
        priority = todo.get("PRIORITY")
        if (None if priority is None else int(priority)) != task["ics_priority"]:
            fail(where, f"PRIORITY {priority!r}, not {task['ics_priority']!r}")
        if "STATUS" in todo:
            fail(where, "has a STATUS")
        alarms = todo.walk("VALARM")
        if task["dtstart"] is None:
            without_rule += 1
            for name in ("DTSTART", "DUE", "RRULE"):
                if name in todo:
                    fail(where, f"has {name} where none was expected")
            if alarms:
                fail(where, "has a VALARM without a start")
            continue
        start = todo.decoded("DTSTART") if "DTSTART" in todo else None
        if start != local(task["dtstart"]) or getattr(start, "tzinfo", None) is not None:
            fail(where, f"DTSTART {start!r}, not the floating {task['dtstart']}")
            continue
        due = todo.decoded("DUE") if "DUE" in todo else None
        if due != (local(task["due"]) if task.get("due") else None):
            fail(where, f"DUE {due!r}, not {task.get('due')}")
        rule = todo.get("RRULE")
        if task["rrule"] is None:
            if rule is not None:
                fail(where, f"RRULE {rule.to_ical().decode()} where none was expected")
        elif rule is None:
            fail(where, f"no RRULE, not {task['rrule']}")
        elif dict(rule) != dict(icalendar.vRecur.from_ical(task["rrule"])):
            fail(where, f"RRULE {rule.to_ical().decode()}, not {task['rrule']}")
        else:
            # The start is the rule's first occurrence (RFC 5545 leaves any
            # other start undefined), and the occurrences are the ones meant.
            occurrences = rrule.rrulestr(rule.to_ical().decode(), dtstart=start)
            first = [o for _, o in zip(range(len(task.get("next", [])) or 1), occurrences)]
            if first[0] != start:
                fail(where, f"first occurrence {first[0]} is not DTSTART {start}")
            if "next" in task and first != [local(t) for t in task["next"]]:
                fail(where, f"occurrences {[o.strftime('%Y%m%dT%H%M%S') for o in first]}, "
                          f"not {task['next']}")
            if "count" in task and occurrences.count() != task["count"]:
                fail(where, f"{occurrences.count()} occurrences, not {task['count']}")
        if len(alarms) != 1:
            fail(where, f"{len(alarms)} VALARMs")
            continue
        alarm = alarms[0]
        if str(alarm.get("ACTION")) != "DISPLAY" or str(alarm.get("DESCRIPTION")) != task["text"]:
            fail(where, f"VALARM {str(alarm.get('ACTION'))!r} {str(alarm.get('DESCRIPTION'))!r}")
        trigger = alarm.get("TRIGGER")
        if (trigger is None or alarm.decoded("TRIGGER") != datetime.timedelta(0)
                or trigger.params.get("RELATED", "START") != "START"):
            fail(where, f"TRIGGER {trigger.to_ical() if trigger else None!r}")
    if "without_rule" in expected and without_rule != expected["without_rule"]:
        fail(path, f"{without_rule} tasks without a rule, not {expected['without_rule']}")


def check_csv(path, expected):
    with open(path, "rb") as file:
        data = file.read()
    if not data.startswith(b"\xef\xbb\xbf"):
        fail(path, "no UTF-8 byte-order mark")
    try:
        text = data.decode("utf-8-sig")
    except UnicodeDecodeError as error:
        fail(path, f"not UTF-8: {error}")
        return
    # Record ends outside quotes are CR LF.
    quoted = False
    for i, c in enumerate(text):
        if c == '"':
            quoted = not quoted
        elif c == "\n" and not quoted and text[i - 1:i] != "\r":
            fail(path, f"a bare LF ends a record at character {i}")
            break
    if not text.endswith("\r\n"):
        fail(path, "does not end with CR LF")
    rows = list(csv.reader(io.StringIO(text, newline=""), strict=True))
    if not rows or rows[0] != HEADER:
        fail(path, f"header {rows[:1]!r}")
        return
    tasks = expected["tasks"]
    if len(rows) - 1 != len(tasks):
        fail(path, f"{len(rows) - 1} rows for {len(tasks)} tasks")
    for number, (row, task) in enumerate(zip(rows[1:], tasks), 1):
        wanted = [task[k] for k in ("text", "priority", "created", "remind", "time", "state")]
        if "--any-state" in options and len(row) == len(wanted) and re.fullmatch("[0-6]", row[-1]):
            wanted[-1] = row[-1]
        if row != wanted:
            fail(f"{path}: row {number}", f"{row!r}, not {wanted!r}")


def main():
    arguments = [a for a in sys.argv[1:] if a not in ("--any-dtstamp", "--any-state")]
    options.update(a for a in sys.argv[1:] if a not in arguments)
    if len(arguments) != 3:
        sys.exit(__doc__)
    ics, csv_path, expected_path = arguments
    with open(expected_path, encoding="utf-8") as file:
        expected = json.load(file)
    if ics != "-":
        check_calendar(ics, expected)
    if csv_path != "-":
        check_csv(csv_path, expected)
    for problem in problems:
        print(f"check_exports: {problem}", file=sys.stderr)
    if problems:
        sys.exit(1)
    print(f"check_exports: {len(expected['tasks'])} tasks as expected")


if __name__ == "__main__":
    main()
