#pragma once
// Initialised models by the content of their records, so that switching between satellites
// costs a lookup instead of a new initialisation (and keeps the resonance integrator's state).
// Callers hand back the same record objects again and again (the satellite table), so a small
// table by address answers most lookups with one comparison of the record's content.

#include "orbit/Sgp4Model.h"
#include "orbit/tagSATELLITE.h"

#include <array>
#include <cstdint>
#include <memory>
#include <unordered_map>

namespace kiv::orbit {

class ModelCache {
public:
    // The model of a valid record, initialised on first use. The pointer stays valid until the
    // next call.
    Sgp4Model* modelFor(const tagSATELLITE& record);

private:
    // The record's orbital fields as raw words: equal words, equal model.
    using Key = std::array<std::uint64_t, (sizeof(tagSATELLITE) - offsetof(tagSATELLITE, catalogNumber)) / 8>;
    struct KeyHash {
        std::size_t operator()(const Key& key) const;
    };
    struct Recent {
        const tagSATELLITE* address = nullptr;
        const Key* key = nullptr;
        Sgp4Model* model = nullptr;
    };
    static constexpr std::size_t kMaxModels = 1024;

    std::unordered_map<Key, std::unique_ptr<Sgp4Model>, KeyHash> models_;
    std::array<Recent, 256> recent_{};
};

} // namespace kiv::orbit
