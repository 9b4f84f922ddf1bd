#!/usr/bin/python3
"""Compares a Kavrona.exe /json line with the /report record of the same machine.

Usage: json_matches_report.py REPORT.txt RECORD.jsonl

REPORT.txt holds one /report record (Windows-1250, CRLF), RECORD.jsonl one /json line,
written moments apart. Every fact the report shows must be in the JSON line with the
same value, and a fact the JSON line could not read must be missing from the report
too. Free memory and free space, which move between the two runs, may differ a little.
Prints each difference and exits 1 when there is one.
"""
import json
import re
import sys

FREE_MEMORY_SLACK_MB = 256
FREE_SPACE_SLACK_BYTES = 64 << 20

# The report's lines of a processor, by WMI's names for them.
PROCESSOR_LABELS = {
    "Procesor: ": "Name",
    "Popis: ": "Description",
    "ID procesoru: ": "ProcessorID",
    "Stav ": "Status",
    "Výrobce: ": "Manufacturer",
    "Využití: ": "LoadPercentage",
    "Rychlost: ": "CurrentClockSpeed",
    "Maximální rychlost: ": "MaxClockSpeed",
    "Velikost Level 2 Cache: ": "L2CacheSize",
    "Rychlost Level 2 Cache: ": "L2CacheSpeed",
    "Podpora řízení spotřeby: ": "PowerManagementSupported",
}

differences = []


def differ(what, report, record):
    if report != record:
        differences.append(f"{what}: the report says {report!r}, the JSON line {record!r}")


def after(lines, label):
    """What follows `label` on the first line that starts with it."""
    for line in lines:
        if line.startswith(label):
            return line[len(label):]
    differences.append(f"the report has no line starting {label!r}")
    return None


def report_megabytes(n):
    return round(n / 1043321.0)


def report_bytes(figure):
    """The bytes of "27055317,4016 ( 258 GB )": ten-thousands, then up to four digits."""
    found = figure and re.fullmatch(r"(\d+)(?:\D(\d{1,4}))?", figure.split(" ( ")[0].strip())
    if not found:
        differences.append(f"the report's figure {figure!r} is not a number of bytes")
        return None
    return int(found[1]) * 10000 + int((found[2] or "").ljust(4, "0"))


def text_of(value):
    if value is True:
        return "True"
    if value is False:
        return "False"
    return "" if value is None else str(value)


def compare_logon(lines, r):
    for label, key in (("Computer Name: ", "computer"), ("User Name: ", "user"),
                       ("Logon Server: ", "logonServer")):
        differ(key, after(lines, label), r[key] or "")
    w = r["windows"]
    differ("windows", after(lines, "Verze Windows: "), f"{w['name']} - {w['servicePack']}")
    differ("ipAddress", after(lines, "IP adresa: "), r["ipAddress"] or "")


def compare_bios(text, r):
    found = re.search(r"\r\nBIOS: \r\n(.*?)\r\n\r\nCelková paměť: ", text, re.S)
    if not found:
        differences.append("the report has no BIOS section before the memory")
        return
    differ("biosLines", found.group(1), "\r\n".join(r["biosLines"] or []))


def compare_memory(lines, r):
    m = r["memory"]
    differ("memory.totalBytes", after(lines, "Celková paměť: "),
           f"{report_megabytes(m['totalBytes'])} MB")
    free_text = after(lines, "Volná paměť:  ")
    if free_text is None:
        return
    free = int(free_text.split()[0])
    if abs(free - report_megabytes(m["freeBytes"])) > FREE_MEMORY_SLACK_MB:
        differences.append(f"memory.freeBytes: the report says {free} MB, the JSON line "
                           f"{m['freeBytes']} bytes")


# The report leaves some drives out (X: and Y:, mapped ones, one whose serial repeats
# the letter before's); every one it shows is in the JSON line.
def compare_drives(text, r):
    drives = {d["root"].upper(): d for d in r["drives"] or []}
    for block in text.split("Statistika pro Disk: ")[1:]:
        lines = block.split("\r\n")
        root = lines[0]
        d = drives.get(root)
        if d is None:
            differences.append(f"drive {root}: in the report, not in the JSON line")
            continue
        differ(f"{root} type", after(lines, "Typ: "), d["typeText"])
        label = d["label"]
        differ(f"{root} label", after(lines, "Jmenovka: "),
               "(no label)" if label is not None and not label.strip(" ") else label)
        differ(f"{root} serial", after(lines, "Seriové číslo: "), d["serial"])
        differ(f"{root} totalBytes", report_bytes(after(lines, "Celkové místo na svazku s FAT32: ")),
               d["totalBytes"])
        free = report_bytes(after(lines, "Volné místo na svazku s FAT32:     "))
        if free is None or abs(free - (d["freeBytes"] or 0)) > FREE_SPACE_SLACK_BYTES:
            differ(f"{root} freeBytes", free, d["freeBytes"])


def compare_processors(text, r):
    blocks = re.findall(r"(?:^|\r\n)(Procesor: .*?)(?=\r\nProcesor: |\r\n\r\n|$)", text, re.S)
    processors = r["processors"] or []
    differ("processors", len(blocks), len(processors))
    for n, (block, cpu) in enumerate(zip(blocks, processors)):
        lines = block.split("\r\n")
        for label, key in PROCESSOR_LABELS.items():
            line = next((l for l in lines if l.startswith(label)), None)
            if key + "Error" in cpu:
                differ(f"processor {n} {key}", line, None)
                continue
            unit = "   MHz" if key == "CurrentClockSpeed" and cpu[key] is not None else ""
            differ(f"processor {n} {key}", line, label + text_of(cpu[key]) + unit)


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    text = open(sys.argv[1], encoding="cp1250", newline="").read()
    records = open(sys.argv[2], encoding="utf-8").read().splitlines()
    if len(records) != 1:
        sys.exit(f"{sys.argv[2]}: {len(records)} lines, one expected")
    r = json.loads(records[0])
    lines = text.split("\r\n")
    compare_logon(lines, r)
    compare_bios(text, r)
    compare_memory(lines, r)
    compare_drives(text, r)
    compare_processors(text, r)
    for d in differences:
        print(d)
    if differences:
        sys.exit(1)
    print(f"every fact of {sys.argv[1]} is the same in {sys.argv[2]}")


if __name__ == "__main__":
    main()
