#pragma once

#include "scripting/basic/variant.h"

#include <string>
#include <string_view>
#include <vector>

namespace vek::basic {

// A member of a user-defined type, as its Type block declares it.
struct RecordMember {
    std::string name;      // as declared
    Tag type = Tag::Empty; // its kind, the kind of its elements for an array; Record: a record
    bool isArray = false;
    const RecordType* record = nullptr; // type Record: the user-defined type
};

// A user-defined type (Type ... End Type). Values of it are records (Tag::Record) whose items are
// the members in this order.
struct RecordType {
    std::string name; // as declared
    int index = 0;    // into Program::records; instructions name the type by it
    int module = 0;
    bool isPublic = true;
    std::vector<RecordMember> members;
    // A value of the type with every member at its start value: new variables share it until
    // they are written (copy-on-write), so declaring one costs no copy.
    Variant blank;

    // The member of that name (any case), or -1.
    int MemberIndex(std::string_view memberName) const;
};

} // namespace vek::basic
