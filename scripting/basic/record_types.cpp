#include "scripting/basic/record_types.h"

#include "scripting/basic/array_ops.h"
#include "scripting/basic/conversions.h"
#include "scripting/basic/text_util.h"

#include <algorithm>

namespace vek::basic {

const RecordType* FindRecordType(const Program& program, int module, const std::string& name,
                                 Position pos) {
    NameEntry entry;
    bool ambiguous = false;
    if (!program.symbols.LookupType(module, Lower(name), entry, ambiguous)) {
        throw CompileMessage(CompileError::TypeNotDefined, pos, name);
    }
    if (ambiguous) {
        throw CompileMessage(CompileError::AmbiguousName, pos, name);
    }
    return program.records[static_cast<std::size_t>(entry.index)].get();
}

Declared DeclaredOf(const Program& program, int module, Tag type, const std::string& typeName,
                    bool isArray, Position pos) {
    Declared declared;
    (isArray ? declared.element : declared.type) = type;
    if (type == Tag::Record && program.symbols.enums.count(Lower(typeName)) != 0) {
        (isArray ? declared.element : declared.type) = Tag::Long;
    } else if (type == Tag::Record) {
        declared.record = FindRecordType(program, module, typeName, pos);
    }
    return declared;
}

void RecordTypeBuilder::Error(int module, const CompileMessage& message) {
    errors_.Report(program_.modules[static_cast<std::size_t>(module)].name, message);
}

void RecordTypeBuilder::Declare(int module, const ModuleAst& ast) {
    for (const std::string& name : ast.enums) {
        program_.symbols.enums.insert(Lower(name));
    }
    auto& own = program_.symbols.moduleTypes[static_cast<std::size_t>(module)];
    for (const TypeDecl& decl : ast.types) {
        const int index = static_cast<int>(program_.records.size());
        const std::string lower = Lower(decl.name);
        if (!own.emplace(lower, NameEntry{EntryKind::Global, index, module}).second) {
            Error(module, {CompileError::DuplicateDeclaration, decl.pos, decl.name});
            continue;
        }
        if (decl.isPublic) {
            program_.symbols.publicTypes[lower].push_back({EntryKind::Global, index, module});
        }
        auto type = std::make_unique<RecordType>();
        type->name = decl.name;
        type->index = index;
        type->module = module;
        type->isPublic = decl.isPublic;
        program_.records.push_back(std::move(type));
        decls_.push_back(&decl);
    }
}

void RecordTypeBuilder::Build() {
    states_.assign(decls_.size(), State::Pending);
    for (std::size_t i = 0; i < decls_.size(); ++i) {
        ResolveMembers(i);
    }
    for (std::size_t i = 0; i < decls_.size(); ++i) {
        BuildBlank(i, 0);
    }
}

void RecordTypeBuilder::ResolveMembers(std::size_t index) {
    RecordType& type = *program_.records[index];
    for (const VarDecl& d : decls_[index]->members) {
        RecordMember member;
        member.name = d.name;
        member.type = d.type;
        member.isArray = d.isArray;
        try {
            if (type.MemberIndex(d.name) >= 0) {
                throw CompileMessage(CompileError::DuplicateDeclaration, d.pos, d.name);
            }
            if (d.type == Tag::Record) {
                member.record = FindRecordType(program_, type.module, d.typeName, d.pos);
            }
        } catch (const CompileMessage& failure) {
            Error(type.module, failure);
            member.type = Tag::Empty; // the type goes on without it
        }
        type.members.push_back(member);
    }
}

void RecordTypeBuilder::BuildBlank(std::size_t index, int depth) {
    RecordType& type = *program_.records[index];
    const TypeDecl& decl = *decls_[index];
    if (states_[index] == State::Done) {
        return;
    }
    if (states_[index] == State::Busy || depth >= kMaxArrayNesting) {
        // Reported once; the members of that type are then left Empty.
        const std::string& module = program_.modules[static_cast<std::size_t>(type.module)].name;
        if (!errors_.ReportedAt(module, decl.pos)) {
            Error(type.module, {states_[index] == State::Busy ? CompileError::TypeContainsItself
                                                              : CompileError::TypeNestedTooDeeply,
                                decl.pos, decl.name});
        }
        return;
    }
    states_[index] = State::Busy;
    for (const RecordMember& member : type.members) {
        if (member.record != nullptr) {
            BuildBlank(static_cast<std::size_t>(member.record->index), depth + 1);
        }
    }
    auto* blank = new ArrayObject;
    blank->record = &type;
    for (std::size_t i = 0; i < type.members.size(); ++i) {
        blank->items.push_back(MemberStart(index, decl.members[i], type.members[i]));
        if (blank->items.back().IsContainer()) {
            blank->nesting = std::max(blank->nesting, blank->items.back().GetArray()->nesting + 1);
        }
    }
    blank->CountItems();
    type.blank = Variant::Record(blank);
    if (blank->nesting > kMaxArrayNesting) {
        Error(type.module, {CompileError::TypeNestedTooDeeply, decl.pos, decl.name});
    }
    states_[index] = State::Done;
}

Variant RecordTypeBuilder::MemberStart(std::size_t index, const VarDecl& decl,
                                       const RecordMember& member) {
    // A member whose type failed to build is Empty; its error is reported already.
    const bool usable = member.record == nullptr || member.record->blank.IsRecord();
    if (!member.isArray) {
        return usable && member.record != nullptr ? member.record->blank
                                                  : DefaultValue(usable ? member.type : Tag::Empty);
    }
    if (!usable || decl.bounds.empty()) {
        return UnallocatedArray(member.type, member.record);
    }
    const int module = program_.records[index]->module;
    std::int32_t lower[kMaxArrayDims] = {};
    std::int32_t upper[kMaxArrayDims] = {};
    for (std::size_t d = 0; d < decl.bounds.size(); ++d) {
        const Bound& b = decl.bounds[d];
        if ((b.lower && !constantInt_(module, *b.lower, lower[d])) ||
            !constantInt_(module, *b.upper, upper[d])) {
            return UnallocatedArray(member.type, member.record);
        }
    }
    Variant array;
    if (NewArray(static_cast<int>(decl.bounds.size()), lower, upper, member.type, member.record,
                 array) != RunError::None) {
        Error(module, {CompileError::ArrayBoundsOutOfRange, decl.pos, decl.name});
        return UnallocatedArray(member.type, member.record);
    }
    return array;
}

} // namespace vek::basic
