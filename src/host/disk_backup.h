#pragma once
#include <string>

#include "host/windows_disk.h"
#include "logo_files/backup_record.h"

// The backup of a disk image's logos, beside the image and held to the file
// system they came from. Each refusal is a UserError, and nothing in the
// image has changed by then.

// The backup there is, if it came from this image's boot volume or does
// not say; none is a refusal for `restore` and nothing for `install`.
bool FindDiskBackup(WindowsDisk& disk, const std::string& image, BackupRecord* record);

// The image's logos as they are, kept at its first change.
void KeepDiskBackup(WindowsDisk& disk, const std::string& image);
