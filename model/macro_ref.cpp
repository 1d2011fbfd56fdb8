#include "model/macro_ref.h"

#include "model/macro.h"

namespace vek {

bool CMacroRef::Run() const {
    if (macro_ == nullptr) {
        return false;
    }
    macro_->Run(0);
    return true;
}

} // namespace vek
