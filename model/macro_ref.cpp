#include "model/macro_ref.h"

#include "model/macro.h"

namespace vek {

void MacroRef::Run() const {
    if (macro_ != nullptr)
        macro_->Run(0);
}

} // namespace vek
