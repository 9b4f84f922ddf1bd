#!/usr/bin/python3
"""Finishes the MSI that wixl wrote, in place, with the Windows Installer library itself.

wixl (msitools 0.101) stamps the package with the time of the build and a random package
code, and cannot store text outside ASCII: its string table has no code page, so a Czech
message crashes it. This sets the table's code page to 1250, writes the Czech message in
place of the ASCII stand-in, and gives the package the commit's time and a package code
that the caller derives from what went in: the same commit gives the same bytes.

wixl's MajorUpgrade also lacks what one Kavrona per PC needs: its upgrade row stops below
this version, so the 32- and 64-bit packages of one version (one UpgradeCode, two product
codes) and a rebuild of it would install beside the one installed; and it removes the old
version right after InstallValidate, on its own, so a new version that then fails leaves
none. The row is made to include this version, and the removal is moved into the
installation's transaction, after InstallInitialize, where a failure rolls it back.

Usage: msi-finish.py MSI PACKAGE_CODE EPOCH
"""
import os
import sys
import tempfile

import gi

gi.require_version("Libmsi", "1.0")
from gi.repository import Libmsi  # noqa: E402

CODE_PAGE = 1250
UPGRADE_PROPERTY = "WIX_UPGRADE_DETECTED"
VERSION_MAX_INCLUSIVE = 0x200  # msidbUpgradeAttributesVersionMaxInclusive
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


def rows(db, sql):
    query = Libmsi.Query.new(db, sql)
    query.execute(None)
    found = []
    while (record := query.fetch()) is not None:
        found.append(record)
    query.close()
    return found


def run(db, sql, record=None):
    query = Libmsi.Query.new(db, sql)
    query.execute(record)
    query.close()


def downgrade_messages(db):
    found = rows(db, f"SELECT `Description` FROM `LaunchCondition` WHERE `Condition` = '{DOWNGRADE_CONDITION}'")
    return [record.get_string(1) for record in found]


def write_downgrade_message(db):
    record = Libmsi.Record.new(1)
    record.set_string(1, DOWNGRADE_MESSAGE)
    run(db, f"UPDATE `LaunchCondition` SET `Description` = ? WHERE `Condition` = '{DOWNGRADE_CONDITION}'", record)
    # Never ship the stand-in: the package must refuse a downgrade in Czech.
    if downgrade_messages(db) != [DOWNGRADE_MESSAGE]:
        sys.exit(f"msi-finish: the LaunchCondition row '{DOWNGRADE_CONDITION}' was not found")


def upgrade_same_version(db):
    # Attributes is part of the Upgrade table's key, which SQL cannot update: the row is
    # written again.
    columns = "`UpgradeCode`, `VersionMin`, `VersionMax`, `Language`, `Attributes`, `Remove`, `ActionProperty`"
    found = rows(db, f"SELECT {columns} FROM `Upgrade` WHERE `ActionProperty` = '{UPGRADE_PROPERTY}'")
    if len(found) != 1 or found[0].get_string(3) == "":
        sys.exit(f"msi-finish: expected one Upgrade row '{UPGRADE_PROPERTY}' with a VersionMax")
    row = found[0]
    row.set_int(5, row.get_int(5) | VERSION_MAX_INCLUSIVE)
    run(db, f"DELETE FROM `Upgrade` WHERE `ActionProperty` = '{UPGRADE_PROPERTY}'")
    run(db, f"INSERT INTO `Upgrade` ({columns}) VALUES (?, ?, ?, ?, ?, ?, ?)", row)


def remove_old_inside_transaction(db):
    def sequence(action):
        found = rows(db, f"SELECT `Sequence` FROM `InstallExecuteSequence` WHERE `Action` = '{action}'")
        if len(found) != 1:
            sys.exit(f"msi-finish: no {action} in InstallExecuteSequence")
        return found[0].get_int(1)

    after = sequence("InstallInitialize") + 1
    if rows(db, f"SELECT `Action` FROM `InstallExecuteSequence` WHERE `Sequence` = {after}"):
        sys.exit(f"msi-finish: sequence {after}, right after InstallInitialize, is taken")
    run(db, f"UPDATE `InstallExecuteSequence` SET `Sequence` = {after} WHERE `Action` = 'RemoveExistingProducts'")
    if sequence("RemoveExistingProducts") != after:
        sys.exit("msi-finish: RemoveExistingProducts could not be moved after InstallInitialize")


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
    upgrade_same_version(db)
    remove_old_inside_transaction(db)
    stamp(db, package_code, epoch)
    db.commit()


if __name__ == "__main__":
    main()
