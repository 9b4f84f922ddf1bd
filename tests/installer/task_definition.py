#!/usr/bin/python3
"""Checks a nightly task's definition as the package ships it, or as schtasks stored it.

Usage: task_definition.py shipped PROGRAM_FILES_VARIABLE FILE
       task_definition.py stored FILE

shipped: the whole definition (daily at 02:00, as SYSTEM, started as soon as possible
after a missed start, stopped after an hour, the program quoted under the build's
Program Files folder); prints its command line, as the scheduler would start it.
stored: the settings Wine's Task Scheduler keeps (it drops triggers and actions).
Prints each fault and exits 1 when there is one.
"""
import sys
import xml.etree.ElementTree as ET

NS = {"t": "http://schemas.microsoft.com/windows/2004/02/mit/task"}
SETTINGS = [
    ("t:Settings/t:StartWhenAvailable", "true"),
    ("t:Settings/t:ExecutionTimeLimit", "PT1H"),
]
SHIPPED = SETTINGS + [
    ("t:Triggers/t:CalendarTrigger/t:ScheduleByDay/t:DaysInterval", "1"),
    ("t:Principals/t:Principal/t:UserId", "S-1-5-18"),
    ("t:Settings/t:DisallowStartIfOnBatteries", "false"),
    ("t:Settings/t:StopIfGoingOnBatteries", "false"),
]


def text(task, path):
    found = task.findall(path, NS)
    return found[0].text if len(found) == 1 else None


def faults_of(task, expected):
    for path, value in expected:
        if text(task, path) != value:
            yield f"{path}: {text(task, path)!r}, expected {value!r}"


def main():
    kind, args = sys.argv[1] if len(sys.argv) > 1 else "", sys.argv[2:]
    if (kind, len(args)) not in (("shipped", 2), ("stored", 1)):
        sys.exit(__doc__.strip().splitlines()[2])
    data = open(args[-1], "rb").read()
    faults = []
    if kind == "shipped" and not data.startswith(b"\xff\xfe"):
        faults.append("not UTF-16 with its BOM, as the Task Scheduler writes a definition")
    task = ET.fromstring(data.decode("utf-16" if data.startswith(b"\xff\xfe") else "utf-8-sig"))
    faults += faults_of(task, SHIPPED if kind == "shipped" else SETTINGS)
    if kind == "shipped":
        start = text(task, "t:Triggers/t:CalendarTrigger/t:StartBoundary") or ""
        if not start.endswith("T02:00:00"):
            faults.append(f"starts at {start!r}, not at 02:00")
        command = text(task, "t:Actions/t:Exec/t:Command")
        # Quoted, or a path with blanks is tried piece by piece ("C:\Program.exe" first).
        if command != f'"{args[0]}\\Kavrona\\Kavrona.exe"':
            faults.append(f"the command {command!r} is not the installed program, quoted")
        print(f"{command} {text(task, 't:Actions/t:Exec/t:Arguments')}")
    for fault in faults:
        print(f"{args[-1]}: {fault}", file=sys.stderr)
    sys.exit(1 if faults else 0)


if __name__ == "__main__":
    main()
