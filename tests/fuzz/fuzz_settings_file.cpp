// The settings-file reader on any text. Properties: reading never throws; the store written out
// reads back equal, without skipped lines, and writes out the same text again.
#include "fuzz_check.h"
#include "platform/reg_file_format.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace brindle {
namespace {

bool sameKeys(const CRegistryData& a, const CRegistryData& b)
{
    if (a.keys().size() != b.keys().size())
        return false;
    for (std::size_t k = 0; k < a.keys().size(); ++k) {
        const CRegistryData::SKey& x = a.keys()[k];
        const CRegistryData::SKey& y = b.keys()[k];
        if (x.path != y.path || x.values.size() != y.values.size())
            return false;
        for (std::size_t v = 0; v < x.values.size(); ++v) {
            if (x.values[v].name != y.values[v].name || !(x.values[v].value == y.values[v].value))
                return false;
        }
    }
    return true;
}

}  // namespace
}  // namespace brindle

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace brindle;
    CRegistryData store;
    try {
        store.parse(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (...) {
        FUZZ_CHECK(!"parse threw");
    }
    const std::string written = store.serialize();
    CRegistryData reread;
    FUZZ_CHECK(reread.parse(written).empty());
    FUZZ_CHECK(sameKeys(reread, store));
    FUZZ_CHECK(reread.serialize() == written);
    return 0;
}
