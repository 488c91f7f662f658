#pragma once
// Dense ids for distinct keys: the first key added gets 0, the next new one 1,
// and so on, so that callers keep what they know about each key in plain
// vectors indexed by id. An open-addressing table without a node per key:
// the circuit builder looks up every wire end of a sheet this way.

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace schematic {

// Spreads the bits of a 64-bit value over the whole word, as the table's
// slot choice (the low bits) needs.
inline uint64_t mixBits(uint64_t z) {
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

template <typename Key, typename Hash>
class FlatIds {
public:
    explicit FlatIds(std::size_t expected = 0) { rehash(capacityFor(expected)); }

    // The id of `key` and whether it was added just now.
    std::pair<int32_t, bool> insert(const Key& key) {
        std::size_t slot = Hash{}(key) & mask_;
        while (slots_[slot] != kEmpty) {
            const int32_t id = slots_[slot];
            if (keys_[static_cast<std::size_t>(id)] == key) return {id, false};
            slot = (slot + 1) & mask_;
        }
        const auto id = static_cast<int32_t>(keys_.size());
        slots_[slot] = id;
        keys_.push_back(key);
        if (2 * keys_.size() > slots_.size()) rehash(2 * slots_.size());
        return {id, true};
    }

    // The id of `key`, or -1.
    int32_t find(const Key& key) const {
        std::size_t slot = Hash{}(key) & mask_;
        while (slots_[slot] != kEmpty) {
            const int32_t id = slots_[slot];
            if (keys_[static_cast<std::size_t>(id)] == key) return id;
            slot = (slot + 1) & mask_;
        }
        return -1;
    }

    std::size_t size() const { return keys_.size(); }
    const Key& key(int32_t id) const { return keys_[static_cast<std::size_t>(id)]; }

private:
    static constexpr int32_t kEmpty = -1;

    static std::size_t capacityFor(std::size_t expected) {
        std::size_t capacity = 16;
        while (capacity < 2 * expected) capacity *= 2;
        return capacity;
    }

    void rehash(std::size_t capacity) {
        slots_.assign(capacity, kEmpty);
        mask_ = capacity - 1;
        for (std::size_t id = 0; id < keys_.size(); ++id) {
            std::size_t slot = Hash{}(keys_[id]) & mask_;
            while (slots_[slot] != kEmpty) slot = (slot + 1) & mask_;
            slots_[slot] = static_cast<int32_t>(id);
        }
    }

    std::vector<int32_t> slots_;
    std::vector<Key> keys_;
    std::size_t mask_ = 0;
};

}  // namespace schematic
