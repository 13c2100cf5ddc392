#pragma once

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <thread>
#include <utility>

// Runs check() on a thread of its own that lacks the two capabilities that let
// root read any file and list any folder whatever their permission bits, so a
// permission test means the same run as root (as CI runs it) or as a user.
// Capabilities belong to each thread, so the rest of the test keeps them.
// Returns false, without running check(), when they cannot be dropped.
template <typename Check>
bool runWithoutReadOverride(Check &&check)
{
    bool dropped = false;
    std::thread thread([&] {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3] = {};
        if (syscall(SYS_capget, &header, data) != 0)
            return;
        for (const int cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH}) {
            const unsigned bit = 1u << (cap % 32);
            data[cap / 32].effective &= ~bit;
            data[cap / 32].permitted &= ~bit;
            data[cap / 32].inheritable &= ~bit;
        }
        if (syscall(SYS_capset, &header, data) != 0)
            return;
        dropped = true;
        std::forward<Check>(check)();
    });
    thread.join();
    return dropped;
}
