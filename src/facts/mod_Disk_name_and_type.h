#pragma once
// The drive roots the system reports, one at a time, and their types in words.

#include <string>

#include "platform/volumes.h"

namespace mod_Disk_name_and_type {

// Each root followed by a NUL, then a NUL; empty when the system gives no list.
std::string GetDriveList(Volumes& volumes);
// The first root of List, which loses it and its NUL.
std::string GetNextDrive(std::string& List);
std::string GetDriveTypeText(Volumes& volumes, const std::string& Root);
// The words for a type the system gave for Root.
std::string DriveTypeText(uint32_t type, const std::string& Root);

}  // namespace mod_Disk_name_and_type
