#include "model/values_load.h"

#include "model/shadow_reg.h"

namespace vek {

void ValuesLoadTally::Count(ValueLoad result, std::string_view section, const CShadowReg& reg) {
    switch (result) {
    case ValueLoad::Missing:
        ++missing;
        return;
    case ValueLoad::Taken:
        ++taken;
        return;
    case ValueLoad::WriteFailed:
        ++taken;
        ++failedWrites;
        return;
    case ValueLoad::Unusable:
        ++unusable;
        if (firstUnusable.size() < kNamedUnusable)
            firstUnusable.push_back("[" + std::string(section) + "] " + reg.AddressText());
        return;
    }
}

} // namespace vek
