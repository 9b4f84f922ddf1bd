#!/usr/bin/python3
"""Finishes the MSI that wixl wrote, in place, with the Windows Installer library itself.

wixl (msitools 0.101) stamps the package with the time of the build and a random package
code, and cannot store text outside ASCII: its string table has no code page, so a Czech
message crashes it. This sets the table's code page to 1250, writes the Czech message in
place of the ASCII stand-in, and gives the package the commit's time and a package code
that the caller derives from what went in: the same commit gives the same bytes.

Usage: msi-finish.py MSI PACKAGE_CODE EPOCH
"""
import os
import sys
import tempfile

import gi

gi.require_version("Libmsi", "1.0")
from gi.repository import Libmsi  # noqa: E402

CODE_PAGE = 1250
DOWNGRADE_CONDITION = "NOT WIX_DOWNGRADE_DETECTED"
DOWNGRADE_MESSAGE = "Novější verze programu Kavrona je již nainstalována."
# 1601-01-01 to 1970-01-01 in seconds: FILETIME counts 100 ns from the former.
FILETIME_EPOCH = 11644473600


def force_code_page(db):
    # The table's code page can only be set by importing the pseudo-table that says it.
    with tempfile.TemporaryDirectory() as folder:
        idt = os.path.join(folder, "codepage.idt")
        with open(idt, "w", newline="") as f:
            f.write(f"\r\n\r\n{CODE_PAGE}\t_ForceCodepage\r\n")
        db.import_(idt)


def downgrade_messages(db):
    query = Libmsi.Query.new(
        db, f"SELECT `Description` FROM `LaunchCondition` WHERE `Condition` = '{DOWNGRADE_CONDITION}'"
    )
    query.execute(None)
    messages = []
    while (record := query.fetch()) is not None:
        messages.append(record.get_string(1))
    query.close()
    return messages


def write_downgrade_message(db):
    record = Libmsi.Record.new(1)
    record.set_string(1, DOWNGRADE_MESSAGE)
    query = Libmsi.Query.new(
        db, f"UPDATE `LaunchCondition` SET `Description` = ? WHERE `Condition` = '{DOWNGRADE_CONDITION}'"
    )
    query.execute(record)
    query.close()
    # Never ship the stand-in: the package must refuse a downgrade in Czech.
    if downgrade_messages(db) != [DOWNGRADE_MESSAGE]:
        sys.exit(f"msi-finish: the LaunchCondition row '{DOWNGRADE_CONDITION}' was not found")


def stamp(db, package_code, epoch):
    info = Libmsi.SummaryInfo.new(db, 20)
    filetime = (epoch + FILETIME_EPOCH) * 10_000_000
    info.set_string(Libmsi.Property.UUID, "{" + package_code.upper() + "}")
    info.set_filetime(Libmsi.Property.CREATED_TM, filetime)
    info.set_filetime(Libmsi.Property.LASTSAVED_TM, filetime)
    info.persist()


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__.strip().splitlines()[-1])
    path, package_code, epoch = sys.argv[1], sys.argv[2], int(sys.argv[3])
    db = Libmsi.Database.new(path, Libmsi.DbFlags.TRANSACT, None)
    force_code_page(db)
    write_downgrade_message(db)
    stamp(db, package_code, epoch)
    db.commit()


if __name__ == "__main__":
    main()
