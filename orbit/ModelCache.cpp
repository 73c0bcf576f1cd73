#include "orbit/ModelCache.h"

#include <cstring>

namespace kiv::orbit {

std::size_t ModelCache::KeyHash::operator()(const Key& key) const
{
    std::uint64_t h = 0x9E3779B97F4A7C15ull;
    for (std::uint64_t word : key) {
        h ^= word;
        h *= 0xBF58476D1CE4E5B9ull;
        h ^= h >> 31;
    }
    return static_cast<std::size_t>(h);
}

Sgp4Model* ModelCache::modelFor(const tagSATELLITE& record)
{
    if (record.valid != 1.0)
        return nullptr;
    const char* fields = reinterpret_cast<const char*>(&record) + offsetof(tagSATELLITE, catalogNumber);
    Recent& recent = recent_[reinterpret_cast<std::uintptr_t>(&record) / alignof(tagSATELLITE) % recent_.size()];
    if (recent.address == &record && std::memcmp(recent.key->data(), fields, sizeof(Key)) == 0)
        return recent.model;

    Key key;
    std::memcpy(key.data(), fields, sizeof key);
    auto found = models_.find(key);
    if (found == models_.end()) {
        if (models_.size() >= kMaxModels) {
            models_.clear();
            recent_.fill(Recent{});
        }
        found = models_.emplace(key, std::make_unique<Sgp4Model>(meanElementsOf(elementsOf(record)))).first;
    }
    recent = {&record, &found->first, found->second.get()};
    return recent.model;
}

} // namespace kiv::orbit
