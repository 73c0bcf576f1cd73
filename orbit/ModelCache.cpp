#include "orbit/ModelCache.h"

#include <cstring>

namespace orbit {

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
    Key key;
    std::memcpy(key.data(), reinterpret_cast<const char*>(&record) + offsetof(tagSATELLITE, catalogNumber),
                sizeof key);
    if (const auto found = models_.find(key); found != models_.end())
        return found->second.get();
    if (models_.size() >= kMaxModels)
        models_.clear();
    auto model = std::make_unique<Sgp4Model>(meanElementsOf(elementsOf(record)));
    return models_.emplace(key, std::move(model)).first->second.get();
}

} // namespace orbit
