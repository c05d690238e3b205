#include "sim/PacedOutput.h"

#include <algorithm>
#include <chrono>
#include <cstring>

namespace voltaro::sim {

namespace {

constexpr long long kBitsPerByte = 10;
constexpr long long kNanosecondsPerSecond = 1'000'000'000;

}  // namespace

PacedOutput::TimePoint PacedOutput::arrival(const Block& block, std::size_t index) const {
    if (baud_ <= 0) return block.start;
    // From the block's start, so rounding never accumulates over a long transfer.
    const auto bits = static_cast<long long>(index + 1) * kBitsPerByte;
    return block.start + std::chrono::nanoseconds(bits * kNanosecondsPerSecond / baud_);
}

PacedOutput::TimePoint PacedOutput::send(std::string bytes, TimePoint earliest) {
    TimePoint start = earliest;
    if (!blocks_.empty()) {
        const Block& last = blocks_.back();
        if (!last.bytes.empty()) start = std::max(start, arrival(last, last.bytes.size() - 1));
    }
    if (bytes.empty()) return start;
    blocks_.push_back({start, std::move(bytes)});
    const Block& added = blocks_.back();
    return arrival(added, added.bytes.size() - 1);
}

std::size_t PacedOutput::arrived(const Block& block, TimePoint now) const {
    // Arrival times grow with the index: find the first byte still on its way.
    std::size_t low = block.taken;
    std::size_t high = block.bytes.size();
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (arrival(block, middle) <= now)
            low = middle + 1;
        else
            high = middle;
    }
    return low - block.taken;
}

std::size_t PacedOutput::available(TimePoint now) const {
    std::size_t count = 0;
    for (const Block& block : blocks_) {
        const std::size_t here = arrived(block, now);
        count += here;
        if (block.taken + here < block.bytes.size()) break;
    }
    return count;
}

std::size_t PacedOutput::take(char* destination, std::size_t capacity, TimePoint now) {
    std::size_t moved = 0;
    while (moved < capacity && !blocks_.empty()) {
        Block& block = blocks_.front();
        const std::size_t count = std::min(arrived(block, now), capacity - moved);
        std::memcpy(destination + moved, block.bytes.data() + block.taken, count);
        block.taken += count;
        moved += count;
        if (block.taken < block.bytes.size()) break;
        blocks_.pop_front();
    }
    return moved;
}

std::optional<PacedOutput::TimePoint> PacedOutput::nextByteTime() const {
    if (blocks_.empty()) return std::nullopt;
    const Block& block = blocks_.front();
    return arrival(block, block.taken);
}

}  // namespace voltaro::sim
