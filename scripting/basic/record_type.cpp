#include "scripting/basic/record_type.h"

#include "scripting/basic/text_util.h"

namespace vek::basic {

int RecordType::MemberIndex(std::string_view memberName) const {
    for (std::size_t i = 0; i < members.size(); ++i) {
        if (EqualsNoCase(members[i].name, memberName)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

} // namespace vek::basic
