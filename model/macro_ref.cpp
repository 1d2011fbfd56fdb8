#include "model/macro_ref.h"

#include "model/macro.h"

namespace vek {

bool MacroRef::Run() const {
    return macro_ == nullptr || macro_->Run(0);
}

} // namespace vek
