// Members of user-defined types, With objects and the access paths that stores walk.
#include "scripting/basic/proc_compiler.h"
#include "scripting/basic/text_util.h"

namespace vek::basic {

namespace {

// How a declared type reads in a message: Point, Point(), Long, Variant.
std::string TypeText(const Declared& type) {
    if (type.record != nullptr) {
        return type.record->name + (type.IsRecordArray() ? "()" : "");
    }
    return type.element != Tag::Empty ? std::string(ElementTypeName(type.element)) + "()"
                                      : std::string(ElementTypeName(type.type));
}

} // namespace

void ProcCompiler::CheckSameType(const Declared& expected, const Declared& given, Position pos) {
    // Records must meet their own type; other kinds convert as they are stored.
    const bool records = expected.record != nullptr || given.record != nullptr;
    if (records && (expected.record != given.record || expected.IsRecord() != given.IsRecord() ||
                    expected.IsRecordArray() != given.IsRecordArray())) {
        Fail(pos, CompileError::TypeMismatch, TypeText(expected), TypeText(given));
    }
}

void ProcCompiler::CheckByRefType(const Declared& parameter, const Declared& given, Position pos) {
    CheckSameType(parameter, given, pos);
    if (parameter.type != Tag::Empty && !parameter.IsRecord() && given.type != parameter.type) {
        Fail(pos, CompileError::ByRefTypeMismatch, TypeText(parameter), TypeText(given));
    }
}

void ProcCompiler::CompileValueFor(const Expr& value, const Declared& target) {
    if (target.record == nullptr) {
        CompileExpr(value);
        return;
    }
    CheckSameType(target, CompileTyped(value), value.pos);
}

bool ProcCompiler::IsOwnResult(const Expr& e) const {
    return inFunction_ && e.kind == ExprKind::Name && EqualsNoCase(e.name, proc_.name);
}

ProcCompiler::Symbol ProcCompiler::ResultSymbol() const {
    return LocalSymbol(proc_.resultSlot);
}

ProcCompiler::Symbol ProcCompiler::LookupName(const Expr& name) {
    return IsOwnResult(name) ? ResultSymbol() : Lookup(name.name, name.pos);
}

Declared ProcCompiler::MemberOf(const Declared& object, const std::string& name, Position pos,
                                int& index) {
    if (!object.IsRecord()) {
        Fail(pos, CompileError::ExpectedRecordBeforeMember, name);
    }
    index = object.record->MemberIndex(name);
    if (index < 0) {
        Fail(pos, CompileError::MemberNotFound, name, object.record->name);
    }
    const RecordMember& member = object.record->members[static_cast<std::size_t>(index)];
    return member.isArray ? Declared{Tag::Empty, member.type, member.record}
                          : Declared{member.type, Tag::Empty, member.record};
}

const ProcCompiler::Path& ProcCompiler::WithObject(const std::string& member, Position pos) const {
    if (withObjects_.empty()) {
        Fail(pos, CompileError::MemberOutsideWith, member);
    }
    return withObjects_.back();
}

bool ProcCompiler::ResolvePath(const Expr& e, Path& out) {
    switch (e.kind) {
    case ExprKind::Name: {
        const Symbol symbol = LookupName(e);
        if (!IsVariable(symbol)) {
            return false;
        }
        out = {symbol, {}, {}, symbol};
        return true;
    }
    case ExprKind::Call: {
        if (e.args.empty() || !ResolvePath(*e.object, out)) {
            return false;
        }
        if (out.type.IsRecord()) {
            Fail(e.pos, CompileError::ExpectedArrayVariable, e.object->name);
        }
        for (std::size_t i = 0; i < e.args.size(); ++i) {
            if (!e.argNames[i].empty()) {
                Fail(e.pos, CompileError::NamedArgumentsNotAccepted, e.object->name);
            }
            if (e.args[i]->kind == ExprKind::Missing) {
                Fail(e.args[i]->pos, CompileError::ExpectedExpression);
            }
            out.indices.push_back({e.args[i].get(), -1});
        }
        if (e.args.size() > static_cast<std::size_t>(kMaxArrayDims)) {
            Fail(e.pos, CompileError::WrongArgumentCount, e.object->name);
        }
        out.steps.push_back({-1, static_cast<int>(e.args.size()), nullptr});
        out.type = out.type.Element();
        return true;
    }
    case ExprKind::Member: {
        if (!e.object) {
            out = WithObject(e.name, e.pos);
        } else if (!ResolvePath(*e.object, out)) {
            return false;
        }
        int index = 0;
        const Declared member = MemberOf(out.type, e.name, e.pos, index);
        out.steps.push_back({index, 0, out.type.record});
        out.type = member;
        return true;
    }
    default:
        return false;
    }
}

void ProcCompiler::EmitPathStart(const Path& path) {
    EmitRef(path.root, {});
    for (const PathIndex& index : path.indices) {
        if (index.expr != nullptr) {
            CompileExpr(*index.expr);
        } else {
            Emit(Op::LoadLocal, index.slot);
        }
    }
}

int ProcCompiler::AddAccessPath(const Path& path) {
    AccessPath access;
    access.steps = path.steps;
    access.kind = path.type.type;
    access.record = path.type.IsRecord() ? path.type.record : nullptr;
    proc_.paths.push_back(std::move(access));
    return static_cast<int>(proc_.paths.size()) - 1;
}

void ProcCompiler::EmitPathLoad(const Path& path) {
    EmitLoad(path.root, {});
    std::size_t next = 0;
    for (const AccessPath::Step& step : path.steps) {
        if (step.member >= 0) {
            Emit(Op::LoadField, step.member, step.record->index);
            continue;
        }
        for (int i = 0; i < step.indices; ++i, ++next) {
            Emit(Op::LoadLocal, path.indices[next].slot);
        }
        Emit(Op::IndexLoad, step.indices);
    }
}

} // namespace vek::basic
