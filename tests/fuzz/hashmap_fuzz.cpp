// The hash map under random inserts, look-ups, rehashes and clears, against std::unordered_map as the
// model. Keys come from a small space, so that chains and collisions are common.

#include "fuzzinput.h"
#include "runtime/velhashmap.h"

#include <unordered_map>

namespace {

// A key from two bytes: the hash (Data1) and one more identifier byte, so equal hashes with different
// keys occur.
VelID keyOf(uint8_t hash, uint8_t rest) {
    const uint8_t tail[8] = {rest, 0, 0, 0, 0, 0, 0, uint8_t(rest ^ 0x5a)};
    return VelID(uint32_t(hash) * 7919u, uint16_t(rest & 3), 0, tail);
}

uint32_t modelKey(const VelID& id) {
    return id.Data1 << 8 | id.Data4[0];
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    VelHashMap<VelID, int> map(in.word() % 300);
    std::unordered_map<uint32_t, int> model;

    for (int step = 0; step < 512 && !in.empty(); ++step) {
        const VelID key = keyOf(in.byte(), in.byte());
        switch (in.byte() % 8) {
        case 0:
        case 1:
        case 2: { // insert or overwrite
            const int value = int(in.word());
            map.findOrInsert(key) = value;
            model[modelKey(key)] = value;
            break;
        }
        case 3: { // find or insert without writing: a new entry holds a value-initialised int
            const auto found = model.find(modelKey(key));
            const int expected = found == model.end() ? 0 : found->second;
            FUZZ_CHECK(map.findOrInsert(key) == expected);
            model[modelKey(key)] = expected;
            break;
        }
        case 4: {
            uint32_t bucket = UINT32_MAX;
            auto* node = map.find(key, &bucket);
            FUZZ_CHECK(bucket < map.bucketCount());
            const auto found = model.find(modelKey(key));
            FUZZ_CHECK((node != nullptr) == (found != model.end()));
            if (node) {
                FUZZ_CHECK(node->key == key);
                FUZZ_CHECK(node->value == found->second);
                FUZZ_CHECK(node->bucket == bucket);
            }
            break;
        }
        case 5:
            map.rehash(in.word() % 2048);
            break;
        case 6:
            if (in.byte() % 8 == 0) {
                map.clear();
                model.clear();
            }
            break;
        case 7: { // a walk over every entry meets each exactly once
            std::unordered_map<uint32_t, int> seen;
            for (auto* node = map.first(); node; node = map.next(node)) {
                FUZZ_CHECK(node->bucket < map.bucketCount());
                FUZZ_CHECK(node->key.Data1 % map.bucketCount() == node->bucket);
                FUZZ_CHECK(seen.emplace(modelKey(node->key), node->value).second);
            }
            FUZZ_CHECK(seen == model);
            break;
        }
        }
        FUZZ_CHECK(map.count() == int32_t(model.size()));
        FUZZ_CHECK(map.bucketCount() > 0);
    }
    return 0;
}
