#include "scripting/basic/compiler.h"

#include "scripting/basic/array_ops.h"
#include "scripting/basic/conversions.h"
#include "scripting/basic/parser.h"
#include "scripting/basic/proc_compiler.h"
#include "scripting/basic/record_types.h"
#include "scripting/basic/text_util.h"

namespace vek::basic {

// Declares the user-defined types and the module-level names of all modules, evaluates their
// constants (in any order, each when first needed), builds the types and then compiles every
// procedure body.
class ProgramCompiler : private ConstantResolver {
public:
    ProgramCompiler(const std::vector<SourceModule>& sources,
                    const std::vector<HostFunctionInfo>& hostFunctions, Program& program,
                    std::vector<Diagnostic>& errors)
        : sources_(sources), hostFunctions_(hostFunctions), program_(program), errors_(errors),
          records_(program, errors_, [this](int module, const Expr& e, std::int32_t& out) {
              return ConstantInt(module, e, out);
          }) {}

    bool Run() {
        const std::size_t errorsBefore = errors_.Count();
        for (const SourceModule& source : sources_) {
            asts_.push_back(ParseModule(source.name, source.text, errors_, source.kind));
            program_.modules.push_back(
                {source.name, asts_.back().textCompare, asts_.back().arrayBase});
        }
        if (errors_.Count() != errorsBefore) {
            return false;
        }
        program_.symbols.moduleNames.resize(asts_.size());
        program_.symbols.moduleTypes.resize(asts_.size());
        for (std::size_t m = 0; m < asts_.size(); ++m) {
            records_.Declare(static_cast<int>(m), asts_[m]);
        }
        for (std::size_t m = 0; m < asts_.size(); ++m) {
            Declare(static_cast<int>(m));
        }
        for (std::size_t i = 0; i < pending_.size(); ++i) {
            EvaluatePending(static_cast<int>(i));
        }
        records_.Build();
        for (const ModuleDeclaration& d : deferred_) {
            Finish(d);
        }
        StartRecords();
        if (errors_.Count() != errorsBefore) {
            return false;
        }
        for (std::size_t i = 0; i < program_.procs.size(); ++i) {
            Procedure& proc = program_.procs[i];
            const ModuleAst& ast = asts_[static_cast<std::size_t>(proc.module)];
            ProcCompiler compiler(program_, hostFunctions_, proc.module, ast.optionExplicit, proc);
            if (procDecls_[i]->isStatic) {
                compiler.SetStaticDeclarer(
                    [this, i](const std::string& name, const Declared& type, Variant init) {
                        return AddImplicitStatic(static_cast<int>(i), name, type, std::move(init));
                    });
            }
            compiler.CompileBody(*procDecls_[i], ast.name, errors_);
        }
        return errors_.Count() == errorsBefore;
    }

private:
    struct PendingConstant {
        const VarDecl* decl = nullptr;
        enum class State { Pending, Busy, Done } state = State::Pending;
    };
    // Declarations that need constants: global array bounds and parameter defaults.
    struct ModuleDeclaration {
        int module = 0;
        const VarDecl* global = nullptr;
        int globalIndex = 0;
        const Param* param = nullptr;
        ParamInfo* paramInfo = nullptr;
        int procIndex = 0;
    };

    void Error(int module, const CompileMessage& message) {
        errors_.Report(program_.modules[static_cast<std::size_t>(module)].name, message);
    }

    // The declared type of a module-level declaration; a type that is not defined is reported
    // and the declaration taken as a Variant.
    Declared DeclaredIn(int module, Tag type, const std::string& typeName, bool isArray,
                        Position pos) {
        try {
            return DeclaredOf(program_, module, type, typeName, isArray, pos);
        } catch (const CompileMessage& failure) {
            Error(module, failure);
            return {};
        }
    }

    // Module variables, function results and left-out Optional parameters of a user-defined
    // type start as its blank value, which exists once the types are built.
    void StartRecords() {
        for (GlobalInfo& g : program_.globals) {
            if (g.type.IsRecord()) {
                g.init = g.type.record->blank;
            }
        }
        for (Procedure& proc : program_.procs) {
            for (ParamInfo& param : proc.params) {
                if (param.record != nullptr && !param.isArray && param.defaultValue.IsEmpty()) {
                    param.defaultValue = param.record->blank;
                }
            }
            for (std::size_t i = 0; i < proc.slots.declared.size(); ++i) {
                if (proc.slots.declared[i].IsRecord()) {
                    proc.slots.init[i] = proc.slots.declared[i].record->blank;
                }
            }
        }
    }

    void AddName(int module, const std::string& name, EntryKind kind, int index, bool isPublic,
                 Position pos) {
        const std::string lower = Lower(name);
        auto& own = program_.symbols.moduleNames[static_cast<std::size_t>(module)];
        if (!own.emplace(lower, NameEntry{kind, index, module}).second) {
            Error(module, {CompileError::DuplicateDeclaration, pos, {name}});
            return;
        }
        if (isPublic) {
            program_.symbols.publicNames[lower].push_back({kind, index, module});
        }
    }

    void Declare(int m) {
        const ModuleAst& ast = asts_[static_cast<std::size_t>(m)];
        const bool shared = sources_[static_cast<std::size_t>(m)].shared;
        for (const StmtPtr& s : ast.declarations) {
            for (const VarDecl& d : s->decls) {
                if (s->kind == StmtKind::Const) {
                    DeclareConstant(m, d, s->isPublic, shared);
                } else {
                    DeclareGlobal(m, d, s->isPublic || shared);
                }
            }
        }
        for (const ProcDecl& decl : ast.procs) {
            DeclareProcedure(m, decl, shared);
        }
    }

    bool Generated(int module) const {
        return sources_[static_cast<std::size_t>(module)].kind == ModuleText::Generated;
    }

    // Its value is evaluated once all names are known.
    void DeclareConstant(int m, const VarDecl& d, bool isPublic, bool shared) {
        if (Generated(m) &&
            program_.symbols.moduleNames[static_cast<std::size_t>(m)].count(Lower(d.name)) != 0) {
            return; // the first declaration of the name stands
        }
        const int index = static_cast<int>(program_.symbols.constants.size());
        program_.symbols.constants.push_back({d.name, m, isPublic, Variant()});
        pending_.push_back({&d});
        AddName(m, d.name, EntryKind::Constant, index, isPublic || shared, d.pos);
    }

    void DeclareGlobal(int m, const VarDecl& d, bool isPublic) {
        const int index = AddGlobal(m, d, d.name, isPublic);
        AddName(m, d.name, EntryKind::Global, index, isPublic, d.pos);
    }

    // A module variable with its first value; fixed array bounds are evaluated once all names
    // are known.
    int AddGlobal(int m, const VarDecl& d, std::string name, bool isPublic) {
        const int index = static_cast<int>(program_.globals.size());
        GlobalInfo g;
        g.name = std::move(name);
        g.module = m;
        g.isPublic = isPublic;
        g.type = DeclaredIn(m, d.type, d.typeName, d.isArray, d.pos);
        if (d.isArray) {
            g.init = UnallocatedArray(g.type.element, g.type.record);
            if (!d.bounds.empty()) {
                deferred_.push_back({m, &d, index, nullptr, nullptr, 0});
                g.fixedBounds = true;
            }
        } else {
            g.init = DefaultValue(g.type.IsRecord() ? Tag::Empty : g.type.type);
        }
        program_.globals.push_back(std::move(g));
        return index;
    }

    // The procedure with its parameter slots and result slot; parameter defaults are evaluated
    // once all names are known.
    void DeclareProcedure(int m, const ProcDecl& decl, bool shared) {
        const int index = static_cast<int>(program_.procs.size());
        program_.procs.emplace_back();
        procDecls_.push_back(&decl);
        Procedure& proc = program_.procs.back();
        proc.name = decl.name;
        proc.module = m;
        proc.isFunction = decl.isFunction;
        proc.isPublic = decl.isPublic || shared;
        proc.line = decl.pos.line;
        proc.endLine = decl.endLine;
        for (const Param& p : decl.params) {
            ParamInfo info;
            static_cast<ParamMode&>(info) = p;
            // An array is always passed by reference; a ParamArray gets an array of its own.
            info.byRef = (p.byRef || p.isArray) && !p.paramArray;
            info.name = Lower(p.name);
            for (const ParamInfo& other : proc.params) {
                if (other.name == info.name) {
                    Error(m, {CompileError::DuplicateParameter, p.pos, p.name});
                }
            }
            if (proc.params.size() > 0 && proc.params.back().optional && !p.optional) {
                Error(m, {CompileError::OptionalAfterOptional, p.pos});
            }
            const Declared declared = DeclaredIn(m, p.type, p.typeName, p.isArray, p.pos);
            info.record = declared.record;
            info.type = declared.record != nullptr || p.type != Tag::Record ? p.type : Tag::Empty;
            proc.params.push_back(info);
            proc.slots.Add(info.name, declared, info.byRef, Variant());
            if (p.defaultValue) {
                deferred_.push_back({m, nullptr, 0, &p, nullptr, index});
            }
        }
        if (decl.isFunction) {
            const Declared result =
                DeclaredIn(m, decl.returnType, decl.returnTypeName, decl.returnsArray, decl.pos);
            proc.resultSlot = proc.slots.Add(
                {}, result, false,
                decl.returnsArray ? UnallocatedArray(result.element, result.record)
                                  : DefaultValue(result.IsRecord() ? Tag::Empty : result.type));
        }
        AddName(m, decl.name, EntryKind::Procedure, index, proc.isPublic, decl.pos);
        DeclareStatics(m, index, decl.body, decl.isStatic);
    }

    // The Static variables of a procedure (in a Static Sub or Function all its Dims), at any
    // depth of its blocks, become module variables named after the procedure (Counter.n), which
    // keep their values from call to call.
    void DeclareStatics(int m, int procIndex, const Block& block, bool allStatic) {
        for (const StmtPtr& s : block) {
            if (s->kind == StmtKind::Dim && (s->isStatic || allStatic)) {
                for (const VarDecl& d : s->decls) {
                    DeclareStatic(m, procIndex, d);
                }
            }
            for (const Block& inner : s->blocks) {
                DeclareStatics(m, procIndex, inner, allStatic);
            }
            for (const CaseClause& clause : s->cases) {
                DeclareStatics(m, procIndex, clause.body, allStatic);
            }
            DeclareStatics(m, procIndex, s->elseBlock, allStatic);
            DeclareStatics(m, procIndex, s->body, allStatic);
        }
    }

    // A variable a Static Sub or Function declares by using it (or by ReDim): static too.
    int AddImplicitStatic(int procIndex, const std::string& name, const Declared& type,
                          Variant init) {
        Procedure& proc = program_.procs[static_cast<std::size_t>(procIndex)];
        const int index = static_cast<int>(program_.globals.size());
        program_.globals.push_back(
            {proc.name + "." + name, proc.module, false, type, std::move(init)});
        proc.statics.push_back({Lower(name), index});
        return index;
    }

    void DeclareStatic(int m, int procIndex, const VarDecl& d) {
        Procedure& proc = program_.procs[static_cast<std::size_t>(procIndex)];
        const std::string lower = Lower(d.name);
        for (const StaticVariable& other : proc.statics) {
            if (other.name == lower) {
                Error(m, {CompileError::DuplicateDeclaration, d.pos, {d.name}});
                return;
            }
        }
        const int index = AddGlobal(m, d, proc.name + "." + d.name, false);
        proc.statics.push_back({lower, index});
    }

    StringCompare Compare() const override {
        return program_.modules[static_cast<std::size_t>(currentModule_)].textCompare
                   ? StringCompare::Text
                   : StringCompare::Binary;
    }

    bool Resolve(const std::string& lowerName, Variant& out, CompileMessage& error) override {
        NameEntry entry;
        bool ambiguous = false;
        if (!program_.symbols.Lookup(currentModule_, lowerName, entry, ambiguous) ||
            entry.kind != EntryKind::Constant) {
            return false;
        }
        if (!EvaluatePending(entry.index)) {
            error = {CompileError::ConstantWithoutValue, {}, {lowerName}};
            return false;
        }
        out = program_.symbols.constants[static_cast<std::size_t>(entry.index)].value;
        return true;
    }

    bool EvaluatePending(int index) {
        PendingConstant& p = pending_[static_cast<std::size_t>(index)];
        ConstantInfo& info = program_.symbols.constants[static_cast<std::size_t>(index)];
        if (p.state == PendingConstant::State::Done) {
            return true;
        }
        if (p.state == PendingConstant::State::Busy) {
            Error(info.module, {CompileError::ConstantRefersToItself, p.decl->pos, {info.name}});
            return false;
        }
        if (chain_ >= kMaxConstantChain) {
            Error(info.module, {CompileError::ConstantChainTooLong, p.decl->pos, {info.name}});
            p.state = PendingConstant::State::Done;
            return false;
        }
        p.state = PendingConstant::State::Busy;
        const int savedModule = currentModule_;
        currentModule_ = info.module;
        CompileMessage error;
        Variant value;
        ++chain_;
        bool ok = EvaluateConstant(*p.decl->value, *this, value, error);
        --chain_;
        currentModule_ = savedModule;
        if (ok) {
            Variant typed = value;
            if (CoerceTo(typed, p.decl->type) == RunError::None) {
                value = std::move(typed);
            } else if (!Generated(info.module)) {
                error = {CompileError::ConstantDoesNotFit, {}, {info.name}};
                ok = false;
            }
        }
        // A constant without a value is part of a cycle, which is reported where it closes.
        if (!ok && error.error != CompileError::None &&
            error.error != CompileError::ConstantWithoutValue) {
            error.pos = p.decl->pos;
            Error(info.module, error);
        }
        info.value = value;
        p.state = PendingConstant::State::Done;
        return ok;
    }

    bool ConstantInt(int module, const Expr& e, std::int32_t& out) {
        currentModule_ = module;
        Variant v;
        CompileMessage error;
        if (!EvaluateConstant(e, *this, v, error)) {
            error.pos = e.pos;
            Error(module, error);
            return false;
        }
        if (ToLong(v, out) != RunError::None) {
            Error(module, {CompileError::ExpectedWholeNumber, e.pos});
            return false;
        }
        return true;
    }

    void Finish(const ModuleDeclaration& d) {
        if (d.global != nullptr) {
            std::int32_t lower[kMaxArrayDims] = {};
            std::int32_t upper[kMaxArrayDims] = {};
            const int dims = static_cast<int>(d.global->bounds.size());
            for (int i = 0; i < dims; ++i) {
                const Bound& b = d.global->bounds[static_cast<std::size_t>(i)];
                if ((b.lower && !ConstantInt(d.module, *b.lower, lower[i])) ||
                    !ConstantInt(d.module, *b.upper, upper[i])) {
                    return;
                }
            }
            GlobalInfo& g = program_.globals[static_cast<std::size_t>(d.globalIndex)];
            if (g.type.record != nullptr && !g.type.record->blank.IsRecord()) {
                return; // its type failed to build, which is reported
            }
            if (NewArray(dims, lower, upper, g.type.element, g.type.record, g.init) !=
                RunError::None) {
                Error(d.module,
                      {CompileError::ArrayBoundsOutOfRange, d.global->pos, {d.global->name}});
            }
            return;
        }
        Procedure& proc = program_.procs[static_cast<std::size_t>(d.procIndex)];
        currentModule_ = d.module;
        CompileMessage error;
        Variant value;
        if (!EvaluateConstant(*d.param->defaultValue, *this, value, error)) {
            error.pos = d.param->pos;
            Error(d.module, error);
            return;
        }
        for (ParamInfo& info : proc.params) {
            if (info.name == Lower(d.param->name)) {
                if (CoerceTo(value, info.type) != RunError::None) {
                    Error(d.module, {CompileError::DefaultDoesNotFit, d.param->pos});
                }
                info.defaultValue = value;
            }
        }
    }

    const std::vector<SourceModule>& sources_;
    const std::vector<HostFunctionInfo>& hostFunctions_;
    Program& program_;
    ErrorReporter errors_;
    std::vector<ModuleAst> asts_;
    std::vector<PendingConstant> pending_;
    std::vector<ModuleDeclaration> deferred_;
    std::vector<const ProcDecl*> procDecls_;
    RecordTypeBuilder records_;
    int currentModule_ = 0;
    int chain_ = 0; // constants being evaluated, one inside the next
};

bool CompileProgram(const std::vector<SourceModule>& modules,
                    const std::vector<HostFunctionInfo>& hostFunctions, Program& program,
                    std::vector<Diagnostic>& errors) {
    program = Program{};
    return ProgramCompiler(modules, hostFunctions, program, errors).Run();
}

bool CompileWatch(const Program& program, int procIndex, int module,
                  const std::vector<HostFunctionInfo>& hostFunctions, const std::string& text,
                  Procedure& out, std::string& error) {
    std::vector<Diagnostic> errors;
    ErrorReporter reporter(errors);
    ExprPtr expr = ParseExpression(text, reporter);
    if (!expr) {
        error = errors.empty() ? CompileErrorText({CompileError::ExpectedExpression, {}})
                               : errors.front().message;
        return false;
    }
    out = Procedure{};
    out.name = "(watch)";
    out.isWatch = true;
    out.module = module;
    if (procIndex >= 0) {
        const Procedure& context = program.procs[static_cast<std::size_t>(procIndex)];
        out.module = context.module;
        out.name = context.name;
        out.params = context.params;
        out.slots = context.slots;
        out.statics = context.statics;
    }
    try {
        ProcCompiler compiler(program, hostFunctions, out.module, true, out);
        compiler.CompileWatchExpression(*expr);
    } catch (const CompileMessage& failure) {
        error = CompileErrorText(failure);
        return false;
    }
    return true;
}

} // namespace vek::basic
