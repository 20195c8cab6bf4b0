#pragma once

// What this process holds of the system, read from /proc/self.
struct ProcessResources {
    // Resident memory (VmRSS) in KiB; -1 when it cannot be read.
    long residentKiB = -1;
    // Open file descriptors, the one used to list them not counted.
    int openDescriptors = -1;

    static ProcessResources now();
};
