#!/usr/bin/python3
"""Compares a Kavrona.exe /json line's inventory with what Wine's own wmic and reg say.

Usage: json_matches_wmic.py WINE-RUN RECORD.jsonl PLANTED

WINE-RUN runs a Windows program in the record's prefix. Every WMI value of the record is
compared with `wmic path CLASS get PROPERTY`: a property wmic cannot read must be null
with its reason in the record. The CurrentVersion values are compared with `reg query`.
PLANTED names the uninstall entries the test made, one "VIEW KEY SHOWN" per line: each
must be in "programs" from that view exactly when SHOWN is 1. Prints each difference and
exits 1 when there is one.
"""
import json
import subprocess
import sys

wine_run, record_file, planted_file = sys.argv[1:4]
record = json.loads(open(record_file, encoding="utf-8").readline())
differences = []

# key in the record, WMI class, property, form; one table for every WMI value.
MACHINE = [
    ("manufacturer", "Win32_ComputerSystem", "Manufacturer", "text"),
    ("model", "Win32_ComputerSystem", "Model", "text"),
    ("systemFamily", "Win32_ComputerSystem", "SystemFamily", "text"),
    ("domain", "Win32_ComputerSystem", "Domain", "text"),
    ("partOfDomain", "Win32_ComputerSystem", "PartOfDomain", "boolean"),
    ("serialNumber", "Win32_ComputerSystemProduct", "IdentifyingNumber", "text"),
    ("uuid", "Win32_ComputerSystemProduct", "UUID", "text"),
    ("biosSerialNumber", "Win32_BIOS", "SerialNumber", "text"),
    ("biosManufacturer", "Win32_BIOS", "Manufacturer", "text"),
    ("biosVersion", "Win32_BIOS", "SMBIOSBIOSVersion", "text"),
    ("biosReleaseDate", "Win32_BIOS", "ReleaseDate", "time"),
]
WINDOWS = [
    ("caption", "Win32_OperatingSystem", "Caption", "text"),
    ("installDate", "Win32_OperatingSystem", "InstallDate", "time"),
    ("lastBootTime", "Win32_OperatingSystem", "LastBootUpTime", "time"),
    ("language", "Win32_OperatingSystem", "OSLanguage", "integer"),
]
LISTS = {
    "disks": ("Win32_DiskDrive", [("model", "Model", "text"), ("serialNumber", "SerialNumber", "text"),
                                  ("sizeBytes", "Size", "integer"), ("interfaceType", "InterfaceType", "text")]),
    "updates": ("Win32_QuickFixEngineering", [("id", "HotFixID", "text"), ("installedOn", "InstalledOn", "text")]),
}
# key, value name, form (CurrentVersion, the 64-bit registry)
CURRENT_VERSION = [
    ("productName", "ProductName", "text"),
    ("edition", "EditionID", "text"),
    ("currentBuild", "CurrentBuildNumber", "integer"),
    ("updateRevision", "UBR", "dword"),
]


def run(*args):
    done = subprocess.run([wine_run, *args], stdin=subprocess.DEVNULL, capture_output=True)
    out = done.stdout
    text = out[2:].decode("utf-16-le") if out.startswith(b"\xff\xfe") else out.decode("utf-8", "replace")
    return done.returncode, text.replace("\r", "")


def wmic(cls, prop):
    """Each instance's value, or None when wmic cannot read the property."""
    code, text = run("wmic", "path", cls, "get", prop)
    lines = [line.rstrip() for line in text.split("\n")]
    if code != 0 or not lines or lines[0].strip() != prop:
        return None
    return [line for line in lines[1:] if line != ""]


def as_form(text, form):
    if form == "integer":
        return int(text)
    if form == "boolean":
        return text.upper() == "TRUE"
    if form == "time":
        off = int(text[22:25])
        return f"{text[0:4]}-{text[4:6]}-{text[6:8]}T{text[8:10]}:{text[10:12]}:{text[12:14]}" \
               f"{text[21]}{off // 60:02d}:{off % 60:02d}"
    return text


def compare(where, obj, key, values, form, index=0):
    if values is None:
        if obj.get(key) is not None or not obj.get(key + "Error"):
            differences.append(f"{where}.{key}: wmic cannot read it, the record gives {obj.get(key)!r}")
        return
    # wmic writes an empty value as blanks, which is what null is in the record.
    expected = as_form(values[index], form) if index < len(values) and values[index] != "" else None
    if obj.get(key) != expected:
        differences.append(f"{where}.{key}: wmic says {expected!r}, the record {obj.get(key)!r}")


for group, fields in (("machine", MACHINE), ("windows", WINDOWS)):
    for key, cls, prop, form in fields:
        compare(group, record[group], key, wmic(cls, prop), form)
for key, (cls, fields) in LISTS.items():
    listed = record[key]
    ids = wmic(cls, fields[0][1])
    if listed is None or ids is None or len(listed) != len(ids):
        differences.append(f"{key}: wmic lists {ids!r}, the record {listed!r}")
        continue
    for key_in, prop, form in fields:
        values = wmic(cls, prop)
        for i, item in enumerate(listed):
            compare(f"{key}[{i}]", item, key_in, values, form, i)

macs = dict(zip([l.strip() for l in wmic("Win32_NetworkAdapter", "Description") or []],
                [l.strip() for l in wmic("Win32_NetworkAdapter", "MACAddress") or []]))
for adapter in record["adapters"] or []:
    said = macs.get(adapter["description"])
    if said is None or (adapter["mac"] or "").upper() != said.upper():
        differences.append(f"adapter {adapter['description']}: wmic's MAC {said!r}, the record's {adapter['mac']!r}")

key = r"HKLM\Software\Microsoft\Windows NT\CurrentVersion"
for name, value, form in CURRENT_VERSION:
    code, text = run("reg", "query", key, "/v", value, "/reg:64")
    found = [l.split(None, 2) for l in text.split("\n") if l.strip().startswith(value + " ")]
    windows = record["windows"]
    if code != 0 or not found:
        if windows.get(name) is not None or not windows.get(name + "Error"):
            differences.append(f"windows.{name}: reg has no {value}, the record gives {windows.get(name)!r}")
        continue
    data = found[0][2] if len(found[0]) > 2 else ""
    expected = int(data, 16) if form == "dword" else int(data) if form == "integer" else data
    if windows.get(name) != expected:
        differences.append(f"windows.{name}: reg says {expected!r}, the record {windows.get(name)!r}")

programs = {(p["view"], p["key"]): p for p in record["programs"] or []}
if record["programs"] is None:
    differences.append(f"programs: null, {record.get('programsError')}")
for line in open(planted_file, encoding="utf-8"):
    view, key_name, shown = line.split()
    if ((view, key_name) in programs) != (shown == "1"):
        differences.append(f"the planted entry {key_name} ({view}) is {'missing' if shown == '1' else 'listed'}")
    elif shown == "1":
        p = programs[(view, key_name)]
        if p["name"] != f"Kavrona zkouška {key_name}" or p["version"] != "1.2.3" or p["publisher"] != "Dřevo s.r.o.":
            differences.append(f"the planted entry {key_name} ({view}) reads {p!r}")

for d in differences:
    print(d)
sys.exit(1 if differences else 0)
