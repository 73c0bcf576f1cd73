// The tests run from their own folder of the build tree, not beside the program: they name the
// metafile helper the build made before any test runs.
#include "imaging/MetafileChild.h"

#include <gtest/gtest.h>

namespace {

class NamedHelper : public ::testing::Environment {
public:
    void SetUp() override { kiv::MetafileChild::useHelper(QStringLiteral(KIV_METAFILE_HELPER)); }
};

const auto* const kNamedHelper = ::testing::AddGlobalTestEnvironment(new NamedHelper);

} // namespace
