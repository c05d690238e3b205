#pragma once

#include <cstdint>
#include <string>

namespace voltaro {

// Hears how far a long operation on a file has come; windows show a bar, the command
// line a progress line.
class ProgressObserver {
public:
    virtual ~ProgressObserver() = default;
    // `done` of `total` bytes of the file `name` have been worked through.
    virtual void progress(const std::string& name, std::uint64_t done, std::uint64_t total) {
        (void)name, (void)done, (void)total;
    }
    // True once the user has asked to stop (a Cancel button, an interrupt): the operation
    // stops at its next block, leaving the files it completed and removing the one at hand.
    virtual bool stopRequested() const { return false; }
};

}  // namespace voltaro
