#include "ProcessResources.h"

#include <dirent.h>
#include <fstream>
#include <string>

namespace {

long readResidentKiB() {
    std::ifstream status("/proc/self/status");
    std::string field;
    while (status >> field) {
        if (field == "VmRSS:") {
            long kib = -1;
            status >> kib;
            return kib;
        }
        status.ignore(1 << 16, '\n');
    }
    return -1;
}

int countOpenDescriptors() {
    DIR* fds = opendir("/proc/self/fd");
    if (fds == nullptr)
        return -1;
    int count = 0;
    while (const dirent* entry = readdir(fds)) {
        if (entry->d_name[0] != '.')
            ++count;
    }
    closedir(fds);
    // The listing itself holds one.
    return count - 1;
}

} // namespace

ProcessResources ProcessResources::now() {
    return {readResidentKiB(), countOpenDescriptors()};
}
