#!/usr/bin/python3
"""Checks files of Kavrona.exe /json records against the schema, with jsonschema.

Usage: validate_json_lines.py SCHEMA FILE...

Each file must hold at least one line, UTF-8 without a BOM, every line one JSON object
ended by a line feed alone, and every object valid against SCHEMA. Prints each fault
and exits 1 when there is one; otherwise prints how many lines were checked.
"""
import json
import sys

import jsonschema


def faults_of(path, validator):
    data = open(path, "rb").read()
    if data.startswith(b"\xef\xbb\xbf"):
        yield "starts with a BOM"
    if not data.endswith(b"\n"):
        yield "does not end with a line feed"
    try:
        text = data.decode("utf-8")
    except UnicodeDecodeError as e:
        yield f"not UTF-8: {e}"
        return
    lines = text.split("\n")[:-1]
    if not lines:
        yield "holds no line"
    for number, line in enumerate(lines, 1):
        if line.endswith("\r"):
            yield f"line {number}: ends with a carriage return"
        try:
            record = json.loads(line)
        except ValueError as e:
            yield f"line {number}: not JSON: {e}"
            continue
        for error in validator.iter_errors(record):
            yield f"line {number}: {error.json_path}: {error.message}"


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    with open(sys.argv[1], encoding="utf-8") as schema_file:
        schema = json.load(schema_file)
    jsonschema.Draft202012Validator.check_schema(schema)
    validator = jsonschema.Draft202012Validator(schema)
    faults = 0
    lines = 0
    for path in sys.argv[2:]:
        for fault in faults_of(path, validator):
            print(f"{path}: {fault}")
            faults += 1
        with open(path, "rb") as f:
            lines += f.read().count(b"\n")
    if faults:
        sys.exit(1)
    print(f"{lines} line(s) in {len(sys.argv) - 2} file(s) valid against {sys.argv[1]}")


if __name__ == "__main__":
    main()
