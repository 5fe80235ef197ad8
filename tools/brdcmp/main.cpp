// brdcmp: compares two files with the compare engine and prints the section list.
#include "brdcmp/brdcmp_command.h"
#include "engine/settings_file_warning.h"
#include "platform/interrupt_cleanup.h"
#include "platform/reg_file_store.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    // Ctrl+C or SIGTERM during a write leaves no temporary file beside the target.
    brindle::removeTempFilesOnInterrupt();
    brindle::setSettingsWriteFailureReporter(&brindle::printSettingsWriteWarning);
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    return brindle::runBrdcmp(args, std::cout, std::cerr);
}
