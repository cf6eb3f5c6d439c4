#include "host/disk_options.h"

const KnownOption kWindowsDirOption = {"--windows-dir", "a folder"};
const KnownOption kForceOption = {"--force", nullptr};

DiskOptions DiskOptionsOf(const CommandArgs& args, bool needsWindows)
{
    DiskOptions options;
    if (args.has(kWindowsDirOption.name)) options.windowsDir = args.options.at(kWindowsDirOption.name);
    options.force = args.has(kForceOption.name);
    options.needsWindows = needsWindows;
    return options;
}
